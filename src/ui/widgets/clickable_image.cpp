// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/clickable_image.h"

#include <QImage>
#include <QMouseEvent>

namespace zentora {

ClickableImage::ClickableImage(QWidget* parent) : QLabel(parent) {}

bool ClickableImage::HitTest(QPoint point) const {
    if (up_.isNull() || !transparent_) return rect().contains(point);
    if (!rect().contains(point)) return false;
    const QImage image = up_.toImage();
    const QPoint inPicture(point.x() * image.width() / std::max(1, width()),
                           point.y() * image.height() / std::max(1, height()));
    if (!image.rect().contains(inPicture)) return true;
    return (image.pixel(inPicture) & 0xFFFFFF) != transparent_color_;
}

void ClickableImage::enterEvent(QEnterEvent* event) {
    if (window()->isActiveWindow()) {
        entered_ = true;
        if (onMouseEnter) onMouseEnter();
    }
    QLabel::enterEvent(event);
}

void ClickableImage::leaveEvent(QEvent* event) {
    if (window()->isActiveWindow()) {
        entered_ = false;
        if (onMouseLeave) onMouseLeave();
    }
    QLabel::leaveEvent(event);
}

// Only the left button plays: a right or middle click must not enter a number or generate spins.
void ClickableImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!HitTest(event->position().toPoint())) {
        event->ignore();
        return;
    }
    pressed_inside_ = true;
    if (onMouseDown) onMouseDown(event);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (!pressed_inside_) {
        event->ignore();
        return;
    }
    pressed_inside_ = false;
    if (onMouseUp) onMouseUp(event);
    if (rect().contains(event->position().toPoint()) && onClick) onClick();
}

}  // namespace zentora
