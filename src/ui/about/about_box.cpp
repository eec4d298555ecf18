// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_box.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "files/banner_list.h"
#include "lang/language_table.h"
#include "ui/banner/advert_banner.h"
#include "ui/help/help_system.h"
#include "ui/io/data_files.h"
#include "ui/texts/texts_hub.h"
#include "version.h"

namespace zentora {

namespace {

// The libraries named by the lines InfoLine150..155, in that order.
constexpr const char* kLibraryLinks[] = {
    "https://www.qt.io",
    "https://www.qcustomplot.com",
    "https://github.com/nlohmann/json",
    "https://github.com/CLIUtils/CLI11",
    "https://github.com/google/googletest",
    "https://github.com/google/benchmark",
};

QString Link(const QString& href, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
}

}  // namespace

QLabel* AboutBox::MakeLinkLabel(QWidget* owner, const QString& name, const QString& href,
                                const QString& text) {
    auto* l = new QLabel(owner);
    l->setObjectName(name);
    l->setText(Link(href, text));
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(l, &QLabel::linkActivated, this, &AboutBox::OpenLink);
    return l;
}

QScrollArea* AboutBox::BuildLibraryList() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ScrollBox1");
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(150);
    auto* libraries = new QWidget;
    auto* libraryLayout = new QVBoxLayout(libraries);
    for (int i = 0; i < 6; ++i) {
        auto* name = new QLabel(libraries);
        name->setObjectName(QStringLiteral("InfoLine%1").arg(150 + i));
        name->setWordWrap(true);
        libraryLayout->addWidget(name);
        QLabel* link = MakeLinkLabel(libraries, QStringLiteral("LibraryLink%1").arg(i + 1), kLibraryLinks[i],
                                     kLibraryLinks[i]);
        link->setContentsMargins(16, 0, 0, 4);
        libraryLayout->addWidget(link);
    }
    libraryLayout->addStretch();
    scroll->setWidget(libraries);
    return scroll;
}

AboutBox::AboutBox(const DataFolders& folders, const LanguageTable& language, AdvertBanner* banner,
                   HelpSystem* help, QWidget* parent)
    : QDialog(parent),
      folders_(folders),
      language_(language),
      banner_(banner),
      help_(help),
      hosts_(LoadWebHosts(folders)),
      transport_(std::make_unique<HttpRefreshTransport>(manager_, hosts_.timeoutMs)) {
    setObjectName("Info");
    setWindowTitle(QStringLiteral("Info Zentora"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(LoadPixmap(folders.Read("Bilder/Info.bmp")));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    auto* product = label("ProductName");
    product->setText(QStringLiteral("Zentora  Version ") + QString::fromLatin1(kVersion));
    QFont big = product->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    product->setFont(big);

    // The window texts fill these lines in the current language.
    const auto line = [&](int entry) { return label(qPrintable(QStringLiteral("InfoLine%1").arg(entry))); };
    QLabel* productLine = line(86);
    QLabel* licenceLine = line(87);
    QLabel* maker = line(146);
    QLabel* warranty = line(147);
    QLabel* gambling = line(148);
    QLabel* librariesTitle = line(149);
    QLabel* sources = line(156);
    QLabel* contact = line(157);
    QLabel* licence =
        MakeLinkLabel(this, "LicenceLink", "https://www.gnu.org/licenses/gpl-3.0.html", "GPL-3.0-or-later");
    QLabel* web =
        MakeLinkLabel(this, "WebLink", WebHosts::HomePage(hosts_.WebSite()), QUrl(hosts_.WebSite()).host());
    QLabel* mail = MakeLinkLabel(this, "MailLink", "mailto:" + hosts_.mail, hosts_.mail);
    // Only addresses that are set are shown.
    const bool hasSite = !hosts_.WebSite().isEmpty(), hasMail = !hosts_.mail.isEmpty();
    web->setVisible(hasSite);
    mail->setVisible(hasMail);
    contact->setVisible(hasSite || hasMail);

    QScrollArea* scroll = BuildLibraryList();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("JvHTButton1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* contacts = new QHBoxLayout;
    contacts->addWidget(contact);
    contacts->addWidget(web);
    contacts->addWidget(mail);
    contacts->addStretch();
    contact->setWordWrap(false);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(productLine);
    text->addWidget(licenceLine);
    text->addWidget(licence);
    text->addWidget(warranty);
    text->addWidget(maker);
    text->addLayout(contacts);
    text->addWidget(librariesTitle);
    text->addWidget(scroll, 1);
    text->addWidget(sources);
    text->addWidget(gambling);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(640, 540);
    TextsHub::Instance().RegisterWindow(TextWindow::About, this);
}

AboutBox::~AboutBox() {
    if (help_) help_->CloseAll();
}

QString AboutBox::Tr(const char* text) const {
    try {
        return QString::fromStdString(language_.TranslateText(text));
    } catch (const LanguageFileError&) {
        return QString::fromUtf8(text);
    }
}

void AboutBox::SetUpForLanguage() {
    if (help_) help_->CloseAll();
    const bool english = language_.LanguageIndex() > 1;
    const QString server = english ? hosts_.english : hosts_.german;
    const QString list = english ? "Einstellungen/EnWerbung.txt" : "Einstellungen/DeWerbung.txt";
    const QString helpFile =
        folders_.Read(english ? "Einstellungen/ENzentora.html" : "Einstellungen/zentora.html");
    // Without the language's server the banner invites to no web site: no picture, link or hint.
    const bool invite = !server.isEmpty();
    if (banner_) {
        banner_->SetLink(WebHosts::HomePage(server));
        banner_->SetPicture(english && invite ? "Bilder/Roullette_banner2.gif" : QString());
    }
    if (help_) help_->SetHelpFile(helpFile);

    const files::DateTime now = clockHook ? clockHook() : QDateTime::currentSecsSinceEpoch();
    last_refresh_ = files::RefreshAdvertList(folders_.Write("Einstellungen/Update.ini").toStdString(),
                                             WebHosts::AdvertList(server).toStdString(),
                                             folders_.Write(list).toStdString(), now, *transport_);
    files::CopyListFile(folders_.Read(list).toStdString(),
                        folders_.Write("Einstellungen/Banner.txt").toStdString());
    if (banner_)
        banner_->SetHint(!invite   ? QString()
                         : english ? "Visit Our Web Site"
                                   : "Besuchen Sie unsere Webseite");

    // HTML Help's version check has no counterpart here: the help window is part of the program.
    if (!QFileInfo(helpFile).isFile()) {
        const QString text = Tr("Hilfe Datei nicht gefunden") + "\n" + QFileInfo(helpFile).absoluteFilePath();
        if (messageHook)
            messageHook(text);
        else
            QMessageBox::information(parentWidget(), QStringLiteral("Zentora"), text);
    }
}

void AboutBox::OpenLink(const QString& link) {
    const QUrl url(link);
    if (url.scheme() != "mailto" && !files::IsWebAddress(link.toStdString())) return;
    if (openUrlHook)
        openUrlHook(url);
    else
        QDesktopServices::openUrl(url);
}

}  // namespace zentora
