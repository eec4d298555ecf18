#include "ui/about/UnitInfo.h"

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
#include "ui/banner/WerbeBannerThread.h"
#include "ui/help/help_system.h"

namespace zentora {

namespace {

// Line indexes into AboutLines().
enum AboutLine {
    kProduct,
    kLicence,
    kCopyright,
    kWebSite,
    kMail,
    kLibraries,
    kQt,
    kQCustomPlot,
    kJson,
    kCli11,
    kGoogleTest,
    kBenchmark,
    kThanks,
    kGambling,
};

struct Library {
    AboutLine line;
    const char* url;
};
constexpr Library kLibraryLinks[] = {
    {kQt, "https://www.qt.io"},
    {kQCustomPlot, "https://www.qcustomplot.com"},
    {kJson, "https://github.com/nlohmann/json"},
    {kCli11, "https://github.com/CLIUtils/CLI11"},
    {kGoogleTest, "https://github.com/google/googletest"},
    {kBenchmark, "https://github.com/google/benchmark"},
};

QString Link(const QString& href, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped());
}

}  // namespace

const std::array<const char*, 14>& TInfo::AboutLines() {
    static const std::array<const char*, 14> lines = {
        "Zentora berechnet Roulette-Spielsysteme Coup für Coup und wertet sie aus.",
        "Freie Software unter der GNU General Public License, Version 3 oder später (GPL-3.0-or-later), "
        "ohne jede Gewährleistung.",
        "Copyright © 2026 Die Zentora-Entwickler",
        "Webseite:",
        "E-Mail:",
        "Verwendete Bibliotheken:",
        "Qt 6: Fenster, Grafik, Netzwerk und Druck (LGPL-3.0)",
        "QCustomPlot: Diagramme (GPL-3.0)",
        "nlohmann-json: JSON-Ausgabe der Kommandozeile (MIT)",
        "CLI11: Befehlszeile (BSD-3-Clause)",
        "GoogleTest: Tests (BSD-3-Clause)",
        "Google Benchmark: Messungen (Apache-2.0)",
        "Dank an alle Autoren dieser Bibliotheken.",
        "Roulette bleibt ein Glücksspiel: Kein System hebt den Vorteil der Bank auf.",
    };
    return lines;
}

TInfo::TInfo(const QString& dataRoot, const LanguageTable& language, TWerbeBanner* banner, THelpSystem* help,
             QWidget* parent)
    : QDialog(parent),
      data_root_(dataRoot),
      language_(language),
      banner_(banner),
      help_(help),
      hosts_(LoadWebHosts(dataRoot)),
      transport_(std::make_unique<HttpRefreshTransport>(manager_, hosts_.timeoutMs)) {
    setObjectName("Info");
    setWindowTitle(QStringLiteral("Info Zentora"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(QPixmap(QDir(dataRoot).filePath("Bilder/Info.bmp")));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setWordWrap(true);
        return l;
    };
    auto* product = label("ProductName");
    product->setText(QStringLiteral("Zentora  Version 1.01"));
    QFont big = product->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    product->setFont(big);

    for (int i = 0; i < 14; ++i) lines_[i] = label(qPrintable(QStringLiteral("Label%1").arg(i + 1)));
    auto* web = label("WebLink");
    auto* mail = label("MailLink");
    web->setText(Link(WebHosts::HomePage(hosts_.german), QUrl(hosts_.german).host()));
    mail->setText(Link("mailto:" + hosts_.mail, hosts_.mail));
    for (QLabel* l : {web, mail}) {
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        connect(l, &QLabel::linkActivated, this, &TInfo::OpenLink);
    }

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ScrollBox1");
    scroll->setWidgetResizable(true);
    scroll->setMinimumHeight(150);
    auto* libraries = new QWidget;
    auto* libraryLayout = new QVBoxLayout(libraries);
    libraryLayout->addWidget(lines_[kLibraries]);
    for (const Library& library : kLibraryLinks) {
        libraryLayout->addWidget(lines_[library.line]);
        auto* link = new QLabel(libraries);
        link->setObjectName(QStringLiteral("LibraryLink%1").arg(library.line - kQt + 1));
        link->setText(Link(library.url, library.url));
        link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        link->setContentsMargins(16, 0, 0, 4);
        connect(link, &QLabel::linkActivated, this, &TInfo::OpenLink);
        libraryLayout->addWidget(link);
    }
    libraryLayout->addWidget(lines_[kThanks]);
    libraryLayout->addStretch();
    scroll->setWidget(libraries);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName("JvHTButton1");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* links = new QGridLayout;
    links->addWidget(lines_[kWebSite], 0, 0);
    links->addWidget(web, 0, 1);
    links->addWidget(lines_[kMail], 1, 0);
    links->addWidget(mail, 1, 1);
    links->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(lines_[kProduct]);
    text->addWidget(lines_[kLicence]);
    text->addWidget(lines_[kCopyright]);
    text->addLayout(links);
    text->addWidget(scroll, 1);
    text->addWidget(lines_[kGambling]);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(640, 500);
    SetCaptions();
}

TInfo::~TInfo() {
    if (help_) help_->CloseAll();
}

QString TInfo::Tr(const char* text) const {
    try {
        return QString::fromStdString(language_.TranslateText(text));
    } catch (const LanguageFileError&) {
        return QString::fromUtf8(text);
    }
}

void TInfo::SetCaptions() {
    std::vector<std::string> texts(AboutLines().begin(), AboutLines().end());
    texts.emplace_back("OK");
    std::vector<std::string> translated;
    try {
        translated = language_.TranslateList(texts);
    } catch (const LanguageFileError&) {
        translated = texts;  // the table went missing: the German texts stay readable
    }
    for (int i = 0; i < 14; ++i) lines_[i]->setText(QString::fromStdString(translated[i]));
    ok_->setText(QString::fromStdString(translated[14]));
}

void TInfo::Hilfe() {
    if (help_) help_->CloseAll();
    const QDir root(data_root_);
    const bool english = language_.LanguageIndex() > 1;
    const QString server = english ? hosts_.english : hosts_.german;
    const QString list = english ? "Einstellungen/EnWerbung.txt" : "Einstellungen/DeWerbung.txt";
    const QString helpFile =
        root.filePath(english ? "Einstellungen/ENzentora.html" : "Einstellungen/zentora.html");
    if (banner_) {
        banner_->SetLink(WebHosts::HomePage(server));
        banner_->SetPicture(english ? "Bilder/Roullette_banner2.gif" : QString());
    }
    if (help_) help_->SetHelpFile(helpFile);

    const files::DateTime now = clockHook ? clockHook() : QDateTime::currentSecsSinceEpoch();
    last_refresh_ = files::RefreshAdvertList(root.filePath("Einstellungen/Update.ini").toStdString(),
                                             WebHosts::AdvertList(server).toStdString(),
                                             root.filePath(list).toStdString(), now, *transport_);
    files::CopyListFile(root.filePath(list).toStdString(),
                        root.filePath("Einstellungen/Banner.txt").toStdString());
    if (banner_) banner_->SetHint(english ? "Visit Our Web Site" : "Besuchen Sie unsere Webseite");

    // HTML Help's version check has no counterpart here: the help window is part of the program.
    if (!QFileInfo(helpFile).isFile()) {
        const QString text = Tr("Hilfe Datei nicht gefunden") + "\n" + QFileInfo(helpFile).absoluteFilePath();
        if (messageHook)
            messageHook(text);
        else
            QMessageBox::information(parentWidget(), QStringLiteral("Zentora"), text);
    }
}

void TInfo::OpenLink(const QString& link) {
    const QUrl url(link);
    if (url.scheme() != "mailto" && !files::IsWebAddress(link.toStdString())) return;
    if (openUrlHook)
        openUrlHook(url);
    else
        QDesktopServices::openUrl(url);
}

}  // namespace zentora
