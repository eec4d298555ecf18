// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPixmap>
#include <functional>

namespace zentora {

// An image control that knows an up and a down picture, whether the mouse is over it, and which of its
// pixels count as hits: with a transparent up picture, pixels of the transparent colour let clicks through.
class ClickableImage : public QLabel {
    Q_OBJECT
  public:
    explicit ClickableImage(QWidget* parent = nullptr);

    void SetUpPicture(const QPixmap& picture) { up_ = picture; }
    void SetDownPicture(const QPixmap& picture) { down_ = picture; }
    const QPixmap& UpPicture() const { return up_; }
    const QPixmap& DownPicture() const { return down_; }
    void SetDown(bool down) {
        down_flag_ = down;
        entered_ = down;
    }
    bool Down() const { return down_flag_; }
    bool Entered() const { return entered_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }
    // The colour that counts as see-through, compared on its low 24 bits.
    void SetTransparentColor(QRgb color) { transparent_color_ = color & 0xFFFFFF; }

    bool HitTest(QPoint point) const;

    std::function<void()> onMouseEnter, onMouseLeave;
    std::function<void(QMouseEvent*)> onMouseDown, onMouseUp;
    std::function<void()> onClick;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap up_, down_;
    bool down_flag_ = false;
    bool entered_ = false;
    bool transparent_ = false;
    QRgb transparent_color_ = 0;
    bool pressed_inside_ = false;
};

}  // namespace zentora
