// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/image_button.h"

#include <QMouseEvent>

namespace zentora {

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    move(pos() + QPoint(1, 1));
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    move(pos() - QPoint(1, 1));
    if (rect().contains(event->position().toPoint()) && onClick) onClick();
}

}  // namespace zentora
