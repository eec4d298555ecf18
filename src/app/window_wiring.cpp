// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_wiring.h"

#include <QDir>
#include <QLabel>

#include "ui/about/about_box.h"
#include "ui/banner/advert_banner.h"
#include "ui/help/help_system.h"
#include "ui/main_window.h"
#include "ui/number_list_editor.h"
#include "ui/options/options_window.h"
#include "ui/risk/risk_window.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

void ConnectOptionsWindow(MainWindow& window, OptionsWindow& options) {
    window.Session().SetLiveSettings(&options.Model());
    options.permanence = [&window] { return window.Session().GetPermanence().NewestFirst(); };
    options.onClosed = [&window] {
        window.RefreshDisplay();
        window.update();
    };
    window.showOptionsWindow = [&options] { options.exec(); };
}

void ConnectNumberListEditor(MainWindow& window, NumberListEditor& editor) {
    editor.onNew = [&window] { window.ResetPlay(); };
    editor.onReplay = [&window] {
        window.PermanenceEdited();
        window.ReplayPermanence();
        window.RefreshRecentGrid();
        window.RefreshDisplay();
    };
    editor.onRepaint = [&window] { window.update(); };
    window.showNumberListEditor = [&editor] { editor.exec(); };
}

void ConnectRiskWindow(MainWindow& window, OptionsWindow& options, RiskWindow& risk) {
    risk.settings = [&window, &options] {
        return RiskSettings{window.Session().State().settings, TakeLiveSettings(options.Model())};
    };
    window.showRiskAnalysis = [&risk] {
        risk.show();
        risk.raise();
        risk.activateWindow();
    };
}

HelpAndInfo ConnectHelpAndInfo(MainWindow& window, QWidget* optionsWindow) {
    HelpAndInfo parts;
    const DataFolders& folders = window.Folders();
    parts.help = new HelpSystem(&window);
    parts.help->SetPopupTopics(folders.Read("Einstellungen/zentora.txt"));
    HelpSystem::AssignContexts(&window, optionsWindow);
    if (auto* label = window.findChild<QLabel*>("BannerWerbung"))
        parts.banner = new AdvertBanner(label, folders, LoadWebHosts(folders), &window);
    parts.info = new AboutBox(folders, window.Language(), parts.banner, parts.help, &window);

    HelpSystem* help = parts.help;
    AboutBox* info = parts.info;
    window.showHelp = [help] { help->ShowContext(kHelpContents); };
    window.showInfo = [info] { info->exec(); };
    // After every change of language, once all captions have their texts.
    QObject::connect(&TextsHub::Instance(), &TextsHub::languageChanged, info,
                     [info] { info->SetUpForLanguage(); });
    return parts;
}

}  // namespace zentora
