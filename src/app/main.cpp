// The desktop program: start-up in the order the windows depend on each other.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSplashScreen>
#include <QThread>

#include "options/option_files.h"
#include "options/options_model.h"
#include "ui/Unit1.h"
#include "ui/UnitZahlenListe.h"
#include "ui/data_root.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString root = zentora::DataRoot();

    QPixmap splashPicture(QDir(root).filePath("Bilder/Hintergrund.bmp"));
    QSplashScreen splash(splashPicture.isNull() ? QPixmap()
                                                : splashPicture.scaledToWidth(480, Qt::SmoothTransformation));
    splash.show();
    app.processEvents();
    QThread::msleep(100);

    QApplication::setApplicationName("Zentora");
    QApplication::setApplicationDisplayName("Zentora");

    const QSize screen = app.primaryScreen() ? app.primaryScreen()->size() : QSize(1152, 864);
    zentora::TForm1 form1(root, {screen.width(), screen.height()});

    // The options: loaded from data.ini and applied before the first spin. The options window will own them.
    zentora::OptionsModel options;
    try {
        zentora::LoadOptions(options, (QDir(root).filePath("Einstellungen/data.ini")).toStdString());
    } catch (const std::exception& error) {
        QMessageBox::warning(nullptr, "Zentora", QString::fromUtf8(error.what()));
    }
    form1.Session().SetAppliedSettings(zentora::ApplySettings(options));
    form1.Session().SetLiveSettings(&options);
    zentora::TZahlenListe zahlenListe(form1.Session().State().permanence, root, &form1);
    zentora::ConnectNumberListEditor(form1, zahlenListe);
    // The print dialog and about box are created here as they come.
    form1.RestoreLanguage();
    form1.OpenFromCommandLine(app.arguments().mid(1));

    splash.finish(&form1);
    form1.showMaximized();
    return app.exec();
}
