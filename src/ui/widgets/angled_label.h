// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPainter>

namespace zentora {

// A counter label whose text may be written at an angle (degrees, counter-clockwise), as the layout file's
// "LabelAngle" section asks for the dozen labels. The angle lives in the dynamic property "angle".
class AngledLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
        const int angle = property("angle").toInt();
        if (angle % 360 == 0) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.translate(width() / 2.0, height() / 2.0);
        painter.rotate(-angle);
        const int extent = width() + height();
        painter.drawText(QRect(-extent, -extent, 2 * extent, 2 * extent), Qt::AlignCenter, text());
    }
};

}  // namespace zentora
