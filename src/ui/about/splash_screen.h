// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "ui/io/data_folders.h"

class QLabel;

namespace zentora {

// Shown while the windows are created: the German or the English picture, by the stored language.
class SplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit SplashScreen(const DataFolders& folders, QWidget* parent = nullptr);
    QLabel* GermanPicture() const { return german_picture_; }
    QLabel* EnglishPicture() const { return english_picture_; }

  private:
    QLabel* german_picture_;
    QLabel* english_picture_;
};

}  // namespace zentora
