// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: start-up in the order the windows depend on each other.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/scripted_run.h"
#include "app/window_wiring.h"
#include "ui/about/splash_screen.h"
#include "ui/io/data_folders.h"
#include "ui/main_window.h"
#include "ui/number_list_editor.h"
#include "ui/options/options_window.h"
#include "ui/risk/risk_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::optional<zentora::DataFolders> found;
    try {
        const auto location = zentora::files::FindDataLocation();
        zentora::files::PrepareUserFolder(location);
        found.emplace(location);
    } catch (const zentora::files::DataLocationError& e) {
        std::fprintf(stderr, "zentora: %s\n", e.what());
        QMessageBox::critical(nullptr, QStringLiteral("Zentora"), QString::fromStdString(e.what()));
        return 1;
    }
    const zentora::DataFolders& root = *found;

    auto splash = std::make_unique<zentora::SplashScreen>(root);
    splash->show();
    app.processEvents();
    QThread::msleep(100);

    QApplication::setApplicationName("Zentora");
    QApplication::setApplicationDisplayName("Zentora");

    const QScreen* primary = app.primaryScreen();
    const QSize screen = primary ? primary->size() : QSize(1152, 864);
    const QSize available = primary ? primary->availableSize() : screen;
    zentora::MainWindow window(root, {screen.width(), screen.height()},
                               {available.width(), available.height()});

    zentora::OptionsWindow options(root, window.Session().State().settings, &window);
    zentora::ConnectOptionsWindow(window, options);
    zentora::NumberListEditor editor(window.Session().State().permanence, root, &window);
    zentora::ConnectNumberListEditor(window, editor);
    zentora::RiskWindow risk(&window);
    zentora::ConnectRiskWindow(window, options, risk);
    // The print dialog is created here as it comes. The about box comes last: applying the stored language
    // sets up its help and banner.
    zentora::ConnectHelpAndInfo(window, &options);
    window.RestoreLanguage();
    zentora::FollowTestScript(window);
    // Spins an earlier run could not save are offered before a file named on the command line replaces them.
    if (window.KeepRecoveryFile(zentora::RecoveryFilePath(root))) {
        splash.reset();  // the question must not hide behind it
        window.OfferRecovery();
    }
    window.OpenFromCommandLine(app.arguments().mid(1));

    splash.reset();
    window.showMaximized();
    return app.exec();
}
