// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <functional>

namespace zentora {

// An image button: a picture with its caption drawn on, pressed 1 pixel right and down.
class ImageButton : public QLabel {
    Q_OBJECT
  public:
    explicit ImageButton(QWidget* parent = nullptr) : QLabel(parent) {}
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace zentora
