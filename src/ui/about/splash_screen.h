#pragma once

#include <QWidget>

class QLabel;

namespace zentora {

// Shown while the windows are created: the German or the English picture, by the stored language.
class SplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit SplashScreen(const QString& dataRoot, QWidget* parent = nullptr);
    QLabel* Image1() const { return image1_; }
    QLabel* Image2() const { return image2_; }

  private:
    QLabel* image1_;
    QLabel* image2_;
};

}  // namespace zentora
