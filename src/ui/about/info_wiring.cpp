#include "ui/about/info_wiring.h"

#include <QDir>
#include <QLabel>

#include "ui/Unit1.h"
#include "ui/about/UnitInfo.h"
#include "ui/banner/WerbeBannerThread.h"
#include "ui/help/help_system.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

HelpAndInfo ConnectHelpAndInfo(TForm1& form1, QWidget* optionsWindow) {
    HelpAndInfo parts;
    const QString root = form1.DataRoot();
    parts.help = new THelpSystem(&form1);
    parts.help->SetPopupTopics(QDir(root).filePath("Einstellungen/zentora.txt"));
    THelpSystem::AssignContexts(&form1, optionsWindow);
    if (auto* label = form1.findChild<QLabel*>("BannerWerbung"))
        parts.banner = new TWerbeBanner(label, root, LoadWebHosts(root), &form1);
    parts.info = new TInfo(root, form1.Language(), parts.banner, parts.help, &form1);

    THelpSystem* help = parts.help;
    TInfo* info = parts.info;
    form1.showHelp = [help] { help->ShowContext(kHelpContents); };
    form1.showInfo = [info] { info->exec(); };
    // After every change of language, once all captions have their texts.
    QObject::connect(&TextsHub::Instance(), &TextsHub::languageChanged, info, [info] { info->Hilfe(); });
    return parts;
}

}  // namespace zentora
