// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program icon: a roulette wheel seen from above. One list of filled shapes on a 256-unit square is both
// painted into the PNG sizes and written out as the scalable SVG, so the two cannot drift apart.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>
#include <cmath>
#include <numbers>
#include <vector>

#include "catalogue/number_set.h"

namespace zentora::icon {

struct Shape {
    QPainterPath path;
    QColor color;
};

// The European wheel order, so that the colours alternate as on a real wheel.
inline constexpr int kWheel[37] = {0, 32, 15, 19, 4, 21, 2,  25, 17, 34, 6,  27, 13, 36, 11, 30, 8, 23, 10,
                                   5, 24, 16, 33, 1, 20, 14, 31, 9,  22, 18, 29, 7,  28, 12, 35, 3, 26};

inline std::vector<Shape> IconShapes() {
    const QPointF centre(128, 128);
    const auto circle = [&](double r) {
        QPainterPath p;
        p.addEllipse(centre, r, r);
        return p;
    };
    std::vector<Shape> shapes;
    shapes.push_back({circle(124), QColor(92, 52, 20)});  // wooden rim
    shapes.push_back({circle(112), QColor(232, 196, 64)});
    const double step = 360.0 / 37.0;
    for (int i = 0; i < 37; ++i) {
        const int number = kWheel[i];
        QPainterPath pocket;
        pocket.moveTo(centre);
        pocket.arcTo(QRectF(centre.x() - 108, centre.y() - 108, 216, 216), 90 - i * step - step / 2, -step);
        pocket.closeSubpath();
        const QColor colour = number == 0                ? QColor(0, 150, 70)
                              : zentora::IsBlack(number) ? QColor(24, 24, 24)
                                                         : QColor(196, 24, 32);
        shapes.push_back({pocket, colour});
    }
    shapes.push_back({circle(70), QColor(232, 196, 64)});
    shapes.push_back({circle(62), QColor(0, 118, 52)});
    // The turret: a cross of four spokes around a hub.
    for (int arm = 0; arm < 4; ++arm) {
        QPainterPath spoke;
        const double a = arm * std::numbers::pi / 2 + std::numbers::pi / 4;
        const QPointF dir(std::cos(a), std::sin(a)), side(-std::sin(a) * 6, std::cos(a) * 6);
        spoke.moveTo(centre + side);
        spoke.lineTo(centre + dir * 54 + side * 0.4);
        spoke.lineTo(centre + dir * 54 - side * 0.4);
        spoke.lineTo(centre - side);
        spoke.closeSubpath();
        shapes.push_back({spoke, QColor(232, 196, 64)});
    }
    shapes.push_back({circle(16), QColor(232, 196, 64)});
    QPainterPath ball;
    ball.addEllipse(QPointF(128 + 88 * std::cos(-1.1), 128 + 88 * std::sin(-1.1)), 11, 11);
    shapes.push_back({ball, QColor(250, 250, 250)});
    return shapes;
}

inline QImage RenderIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(Qt::NoPen);
    for (const Shape& s : IconShapes()) p.fillPath(s.path, s.color);
    return image;
}

inline QString SvgPathData(const QPainterPath& path) {
    QString d;
    QTextStream out(&d);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const auto point = [&](const QPainterPath::Element& p) {
            out << QString::number(p.x, 'f', 2) << ' ' << QString::number(p.y, 'f', 2) << ' ';
        };
        if (e.isMoveTo()) {
            out << 'M';
            point(e);
        } else if (e.isLineTo()) {
            out << 'L';
            point(e);
        } else if (e.isCurveTo()) {
            out << 'C';
            point(e);
            point(path.elementAt(++i));
            point(path.elementAt(++i));
        }
    }
    out << 'Z';
    return d;
}

inline bool WriteIconSvg(const QString& file) {
    QFile svg(file);
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 "
           "256\">\n";
    for (const Shape& s : IconShapes())
        out << "  <path fill=\"" << s.color.name() << "\" d=\"" << SvgPathData(s.path) << "\"/>\n";
    out << "</svg>\n";
    return out.status() == QTextStream::Ok && svg.flush();
}

}  // namespace zentora::icon
