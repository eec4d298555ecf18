// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Zentora's own pictures for the about box, the splash window and the English banner.

#include <QByteArray>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVector>
#include <cmath>

#include "version.h"

namespace zentora::pictures {

// GIF of an image (Qt reads GIF but cannot write it). The image is reduced to 256 colours; the codes go out
// uncompressed (a clear code every 254 pixels keeps them at 9 bits), which every GIF reader decodes.
inline QByteArray EncodeGif(const QImage& source) {
    const QImage image =
        source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QVector<QRgb> colours = image.colorTable();
    colours.resize(256);
    QByteArray out("GIF89a");
    const auto u16 = [&](int v) {
        out.append(char(v & 0xff));
        out.append(char((v >> 8) & 0xff));
    };
    u16(image.width());
    u16(image.height());
    out.append(char(0xF7));  // global colour table of 256 entries, 8 bits per primary
    out.append(char(0));
    out.append(char(0));
    for (QRgb c : colours) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    u16(0);
    u16(0);
    u16(image.width());
    u16(image.height());
    out.append(char(0));
    out.append(char(8));  // minimum code size

    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            data.append(char(bits & 0xff));
            bits >>= 8;
            count -= 8;
        }
    };
    constexpr int kClear = 256, kEnd = 257;
    int run = 0;
    put(kClear);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (run == 254) {
                put(kClear);
                run = 0;
            }
            put(line[x]);
            ++run;
        }
    }
    put(kEnd);
    if (count > 0) data.append(char(bits & 0xff));
    for (int at = 0; at < data.size(); at += 255) {
        const int n = std::min<int>(255, data.size() - at);
        out.append(char(n));
        out.append(data.mid(at, n));
    }
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

// A roulette wheel seen from above: the motif of the about box and the splash window.
inline void DrawWheel(QPainter& p, QPointF centre, double radius) {
    static const int order[37] = {0, 32, 15, 19, 4, 21, 2,  25, 17, 34, 6,  27, 13, 36, 11, 30, 8, 23, 10,
                                  5, 24, 16, 33, 1, 20, 14, 31, 9,  22, 18, 29, 7,  28, 12, 35, 3, 26};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 52, 20));
    p.drawEllipse(centre, radius, radius);
    const double inner = radius * 0.82;
    for (int i = 0; i < 37; ++i) {
        const int n = order[i];
        const bool black = n != 0 && ((n <= 10 || (n >= 19 && n <= 28)) ? n % 2 == 0 : n % 2 == 1);
        QPainterPath slice;
        slice.moveTo(centre);
        slice.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner),
                    90 - (i + 0.5) * 360.0 / 37, 360.0 / 37);
        slice.closeSubpath();
        p.setBrush(n == 0 ? QColor(0, 140, 60) : black ? QColor(24, 24, 24) : QColor(196, 24, 32));
        p.drawPath(slice);
    }
    p.setBrush(QColor(150, 100, 40));
    p.drawEllipse(centre, inner * 0.55, inner * 0.55);
    p.setBrush(QColor(232, 196, 64));
    p.drawEllipse(centre, inner * 0.12, inner * 0.12);
    p.setPen(QPen(QColor(232, 196, 64), std::max(2.0, radius / 30)));
    for (int k = 0; k < 4; ++k) {
        const double a = k * M_PI / 2 + M_PI / 4;
        p.drawLine(centre, centre + QPointF(std::cos(a), std::sin(a)) * inner * 0.5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre + QPointF(0, -inner * 0.9), radius / 20, radius / 20);
    p.restore();
}

inline QImage DrawInfoPicture() {
    QImage image(150, 150, QImage::Format_RGB32);
    image.fill(QColor(0, 100, 45));
    QPainter p(&image);
    DrawWheel(p, QPointF(75, 75), 68);
    return image;
}

// The splash window: wheel, name and one line in the language of the stored choice.
inline QImage DrawSplash(const QString& tagline) {
    QImage image(520, 300, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient felt(0, 0, 0, 300);
    felt.setColorAt(0, QColor(0, 118, 52));
    felt.setColorAt(1, QColor(0, 70, 30));
    p.fillRect(image.rect(), felt);
    p.setPen(QPen(QColor(232, 196, 64), 4));
    p.drawRect(image.rect().adjusted(2, 2, -3, -3));
    DrawWheel(p, QPointF(135, 150), 110);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(232, 196, 64));
    p.setFont(QFont("DejaVu Sans", 34, QFont::Bold));
    p.drawText(QRect(260, 70, 250, 60), Qt::AlignLeft | Qt::AlignVCenter, "Zentora");
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Sans", 11));
    p.drawText(QRect(262, 135, 245, 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, tagline);
    p.setFont(QFont("DejaVu Sans", 9));
    p.drawText(QRect(262, 250, 245, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QString("Version ") + zentora::kVersion);
    return image;
}

// The banner shown in the English languages until the first advertising picture arrives.
inline QImage DrawEnglishBanner() {
    QImage image(468, 60, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(0, 92, 40));
    p.setPen(QPen(QColor(232, 196, 64), 2));
    p.drawRect(image.rect().adjusted(1, 1, -2, -2));
    DrawWheel(p, QPointF(32, 30), 24);
    p.setPen(QColor(232, 196, 64));
    p.setFont(QFont("DejaVu Sans", 16, QFont::Bold));
    p.drawText(QRect(66, 4, 396, 30), Qt::AlignLeft | Qt::AlignVCenter, "Zentora");
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Sans", 10));
    p.drawText(QRect(66, 30, 396, 24), Qt::AlignLeft | Qt::AlignVCenter, "Visit our web site");
    return image;
}

}  // namespace zentora::pictures
