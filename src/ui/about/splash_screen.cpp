// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/splash_screen.h"

#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QSettings>

#include "ui/io/data_files.h"

namespace zentora {

SplashScreen::SplashScreen(const DataFolders& folders, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("Splashscreen");
    setWindowTitle(QStringLiteral("Splashscreen"));
    setEnabled(false);
    const auto picture = [&](const char* name, const char* file) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setPixmap(LoadPixmap(folders.Read(file)));
        label->resize(label->sizeHint().expandedTo(QSize(1, 1)));
        label->hide();
        return label;
    };
    german_picture_ = picture("Image1", "Bilder/SplashDE.bmp");
    english_picture_ = picture("Image2", "Bilder/SplashEN.bmp");

    QSettings settings("Zentora", "Zentora");
    if (!settings.contains("Sprache")) settings.setValue("Sprache", 0);
    QLabel* shown = settings.value("Sprache").toInt() > 1 ? english_picture_ : german_picture_;
    shown->show();
    resize(shown->size());
    if (const QScreen* screen = this->screen()) move(screen->geometry().center() - rect().center());
}

}  // namespace zentora
