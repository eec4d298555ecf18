// The desktop program: start-up in the order the windows depend on each other.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QThread>
#include <memory>

#include "ui/Unit1.h"
#include "ui/options/options_window.h"
#include "ui/UnitZahlenListe.h"
#include "ui/about/UnitSplashScreen.h"
#include "ui/about/info_wiring.h"
#include "ui/data_root.h"
#include "ui/scripted_run.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString root = zentora::DataRoot();

    auto splash = std::make_unique<zentora::TSplashscreen>(root);
    splash->show();
    app.processEvents();
    QThread::msleep(100);

    QApplication::setApplicationName("Zentora");
    QApplication::setApplicationDisplayName("Zentora");

    const QScreen* primary = app.primaryScreen();
    const QSize screen = primary ? primary->size() : QSize(1152, 864);
    const QSize available = primary ? primary->availableSize() : screen;
    zentora::TForm1 form1(root, {screen.width(), screen.height()}, {available.width(), available.height()});

    // The options window is the live store of the settings: it loads data.ini and applies it into the play
    // state before the first spin.
    zentora::OptionsWindow form2(root, form1.Session().State().settings, &form1);
    form1.Session().SetLiveSettings(&form2.Model());
    form2.permanence = [&form1] { return form1.Session().GetPermanence().NewestFirst(); };
    form2.onClosed = [&form1] {
        form1.Bildschirmanzeigen();
        form1.update();
    };
    form1.showOptionsWindow = [&form2] { form2.exec(); };
    zentora::TZahlenListe zahlenListe(form1.Session().State().permanence, root, &form1);
    zentora::ConnectNumberListEditor(form1, zahlenListe);
    // The print dialog is created here as it comes. The about box comes last: applying the stored language
    // sets up its help and banner.
    zentora::ConnectHelpAndInfo(form1, &form2);
    form1.RestoreLanguage();
    zentora::FollowTestScript(form1);
    // Spins an earlier run could not save are offered before a file named on the command line replaces them.
    if (form1.KeepRecoveryFile(zentora::RecoveryFilePath(root))) {
        splash.reset();  // the question must not hide behind it
        form1.OfferRecovery();
    }
    form1.OpenFromCommandLine(app.arguments().mid(1));

    splash.reset();
    form1.showMaximized();
    return app.exec();
}
