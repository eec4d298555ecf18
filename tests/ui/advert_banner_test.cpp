// SPDX-License-Identifier: GPL-3.0-or-later
// The banner and the weekly refresh of the advertising lists against a real HTTP server on 127.0.0.1.
#include "ui/banner/advert_banner.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "files/ini_file.h"
#include "http_test_server.h"
#include "lang/language_table.h"
#include "ui/about/about_box.h"
#include "ui/help/help_system.h"

using namespace zentora;
using zentora::testing::HttpTestServer;

namespace {

const QString kBin = ZENTORA_BIN_DIR;
const QDateTime kListTime(QDate(2026, 11, 2), QTime(8, 0), Qt::UTC);
constexpr files::DateTime kDay = 86400;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A data root with the program's files, its web servers pointed at the test server.
struct Program {
    QTemporaryDir dir;
    HttpTestServer server;
    QLabel bannerWerbung;
    LanguageTable language;
    std::unique_ptr<AdvertBanner> banner;
    std::unique_ptr<HelpSystem> help;
    std::unique_ptr<AboutBox> info;
    files::DateTime now = QDateTime(QDate(2026, 12, 10), QTime(9, 30), Qt::UTC).toSecsSinceEpoch();
    QStringList messages;
    QList<QUrl> opened;

    Program() {
        for (const char* file : {"Einstellungen/Sprache.csv", "Einstellungen/zentora.html",
                                 "Einstellungen/ENzentora.html", "Bilder/Roullette_banner2.gif"})
            QFile::copy(QDir(kBin).filePath(file), Path(file)) ||
                (QDir().mkpath(QFileInfo(Path(file)).path()) &&
                 QFile::copy(QDir(kBin).filePath(file), Path(file)));
        WriteFile(
            Path("Einstellungen/Webserver.ini"),
            ("[Webserver]\nDeutsch=" + German() + "\nEnglisch=" + English() + "\nZeitlimit=3000\n").toUtf8());
        server.Put("/de/banner/468x60.txt", {"Erste;Zeile;de\r\nZweite;Zeile;de\r\n", kListTime});
        server.Put("/en/banner/468x60.txt", {"First;line;en\r\n", kListTime});
        language.SetFile(Path("Einstellungen/Sprache.csv").toStdString());
        banner = std::make_unique<AdvertBanner>(&bannerWerbung, dir.path(), LoadWebHosts(dir.path()));
        banner->openUrlHook = [this](const QUrl& url) { opened << url; };
        help = std::make_unique<HelpSystem>();
        info = std::make_unique<AboutBox>(dir.path(), language, banner.get(), help.get());
        info->clockHook = [this] { return now; };
        info->messageHook = [this](const QString& text) { messages << text; };
        info->Transport().connectedHook = [] { return true; };
    }
    QString Path(const QString& file) const { return dir.filePath(file); }
    QString German() const { return server.Base() + "/de"; }
    QString English() const { return server.Base() + "/en"; }
    std::optional<std::string> Entry(const char* section, const QString& address) const {
        const IniFile ini = IniFile::Read(Path("Einstellungen/Update.ini").toStdString());
        const auto value = ini.ReadString(section, address.toStdString());
        return value ? std::optional<std::string>(*value) : std::nullopt;
    }
};

}  // namespace

class BannerTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void WeeklyRefreshAgainstTheServer() {
        Program p;
        const QString list = "/de/banner/468x60.txt";
        const QString address = p.German() + "/banner/468x60.txt";

        // First start: headers and the list; both bookkeeping entries written, the list copied to Banner.txt.
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Heads(list), 1);
        QCOMPARE(p.server.Gets(list), 1);
        QCOMPARE(p.Entry("Update", address), std::optional<std::string>("2026-12-10 09:30:00"));
        QCOMPARE(p.Entry("IniDatei", address), std::optional<std::string>("2026-11-02 08:00:00"));
        QCOMPARE(ReadAll(p.Path("Einstellungen/DeWerbung.txt")),
                 QByteArray("Erste;Zeile;de\r\nZweite;Zeile;de\r\n"));
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), ReadAll(p.Path("Einstellungen/DeWerbung.txt")));

        // Second start the same day: nothing asked.
        p.server.ResetCounts();
        p.now += 3600;
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Requests(), 0);

        // Eight days on, unchanged: headers only, the check time moves.
        p.now += 8 * kDay;
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Heads(list), 1);
        QCOMPARE(p.server.Gets(list), 0);
        QCOMPARE(p.Entry("Update", address), std::optional<std::string>("2026-12-18 10:30:00"));

        // The local list deleted: fetched again whatever the check time.
        p.server.ResetCounts();
        QFile::remove(p.Path("Einstellungen/DeWerbung.txt"));
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Gets(list), 1);
        QVERIFY(QFileInfo::exists(p.Path("Einstellungen/DeWerbung.txt")));
    }

    void NoConnectionNoRequest() {
        Program p;
        p.info->Transport().connectedHook = [] { return false; };
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Requests(), 0);
        QCOMPARE(p.info->LastRefresh(), files::RefreshOutcome::Offline);
        QVERIFY(!QFileInfo::exists(p.Path("Einstellungen/Update.ini")));
    }

    void ServerErrorKeepsOldList() {
        Program p;
        WriteFile(p.Path("Einstellungen/DeWerbung.txt"), "alt;alt;alt\r\n");
        p.server.Remove("/de/banner/468x60.txt");
        p.info->SetUpForLanguage();
        QCOMPARE(p.server.Heads("/de/banner/468x60.txt"), 1);
        QCOMPARE(p.info->LastRefresh(), files::RefreshOutcome::Failed);
        QVERIFY(!QFileInfo::exists(p.Path("Einstellungen/Update.ini")));
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), QByteArray("alt;alt;alt\r\n"));
    }

    void LanguageSwitchChangesHelpLinkHintAndList() {
        Program p;
        p.info->SetUpForLanguage();
        QCOMPARE(p.help->HelpFile(), p.Path("Einstellungen/zentora.html"));
        QCOMPARE(p.banner->Link(), p.German() + "/");
        QCOMPARE(p.banner->Hint(), QString("Besuchen Sie unsere Webseite"));
        QVERIFY(!p.banner->HasPicture());

        p.language.SetLanguageIndex(2);
        p.info->SetUpForLanguage();
        QCOMPARE(p.help->HelpFile(), p.Path("Einstellungen/ENzentora.html"));
        QCOMPARE(p.banner->Link(), p.English() + "/");
        QCOMPARE(p.banner->Hint(), QString("Visit Our Web Site"));
        QVERIFY(p.banner->HasPicture());  // the English banner picture, a GIF
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), QByteArray("First;line;en\r\n"));
        QCOMPARE(p.server.Gets("/en/banner/468x60.txt"), 1);

        p.language.SetLanguageIndex(0);
        p.info->SetUpForLanguage();
        QCOMPARE(p.help->HelpFile(), p.Path("Einstellungen/zentora.html"));
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), ReadAll(p.Path("Einstellungen/DeWerbung.txt")));
        QVERIFY(!p.banner->HasPicture());
        QVERIFY(p.messages.isEmpty());
    }

    void MissingHelpFileIsReported() {
        Program p;
        QFile::remove(p.Path("Einstellungen/ENzentora.html"));
        p.language.SetLanguageIndex(3);
        p.info->SetUpForLanguage();
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].endsWith("\n" +
                                       QFileInfo(p.Path("Einstellungen/ENzentora.html")).absoluteFilePath()));
        QVERIFY(!p.help->ShowContext(kHelpContents));  // help requests then show nothing
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")),
                 QByteArray("First;line;en\r\n"));  // set-up went on
    }

    void CachedGifShownWithoutDownload() {
        Program p;
        const QString url = p.German() + "/bilder/Werbung1.gif";
        WriteFile(p.Path("Einstellungen/Banner.txt"),
                  (url + ";" + p.German() + "/seite;Zum Angebot\r\n").toUtf8());
        QVERIFY(QFile::copy(p.Path("Bilder/Roullette_banner2.gif"), p.Path("Bilder/Werbung1.gif")));
        QSignalSpy handed(p.banner.get(), &AdvertBanner::handedOver);
        p.banner->ShowNextAdvert();
        QCOMPARE(handed.size(), 1);
        QVERIFY(p.banner->HasPicture());
        QCOMPARE(p.banner->Hint(), QString("Zum Angebot"));
        QCOMPARE(p.banner->Link(), p.German() + "/seite");
        QCOMPARE(p.server.Requests(), 0);

        QTest::mouseClick(&p.bannerWerbung, Qt::LeftButton);
        QCOMPARE(p.opened, QList<QUrl>{QUrl(p.German() + "/seite")});
    }

    void UncachedGifIsFetchedOnceAndKept() {
        Program p;
        p.server.Put("/de/bilder/Neu.gif",
                     {ReadAll(p.Path("Bilder/Roullette_banner2.gif")), kListTime, "image/gif"});
        WriteFile(p.Path("Einstellungen/Banner.txt"), (p.German() + "/bilder/Neu.gif;;Neu\r\n").toUtf8());
        QSignalSpy handed(p.banner.get(), &AdvertBanner::handedOver);
        p.banner->ShowNextAdvert();
        QVERIFY(handed.wait(5000));
        QVERIFY(p.banner->HasPicture());
        QCOMPARE(p.server.Gets("/de/bilder/Neu.gif"), 1);
        QCOMPARE(ReadAll(p.Path("Bilder/Neu.gif")), ReadAll(p.Path("Bilder/Roullette_banner2.gif")));
        p.banner->ShowNextAdvert();
        QCOMPARE(handed.size(), 2);
        QCOMPARE(p.server.Gets("/de/bilder/Neu.gif"), 1);

        // A picture that does not decode is shown as none and not cached.
        p.server.Put("/de/bilder/Kaputt.gif", {"kein Bild", kListTime, "image/gif"});
        WriteFile(p.Path("Einstellungen/Banner.txt"), (p.German() + "/bilder/Kaputt.gif;;K\r\n").toUtf8());
        p.banner->ShowNextAdvert();
        QVERIFY(handed.wait(5000));
        QVERIFY(!p.banner->HasPicture());
        QVERIFY(!QFileInfo::exists(p.Path("Bilder/Kaputt.gif")));
    }

    void LineWithoutSemicolonGivesOnlyAHint() {
        Program p;
        p.bannerWerbung.setPixmap(QPixmap(4, 4));
        p.banner->SetLink(p.German() + "/");
        WriteFile(p.Path("Einstellungen/Banner.txt"), "Nur ein Hinweis ohne Felder\r\n");
        QSignalSpy handed(p.banner.get(), &AdvertBanner::handedOver);
        p.banner->ShowNextAdvert();
        QCOMPARE(handed.size(), 1);
        QCOMPARE(p.banner->Hint(), QString("Nur ein Hinweis ohne Felder"));
        QCOMPARE(p.banner->Link(), QString());
        QVERIFY(!p.banner->HasPicture());
        QCOMPARE(p.server.Requests(), 0);
        p.banner->OpenAdvertLink();  // an empty link opens nothing
        QVERIFY(p.opened.isEmpty());

        // Addresses that are not web addresses are neither fetched nor opened.
        WriteFile(p.Path("Einstellungen/Banner.txt"), "file:///etc/passwd;file:///etc/passwd;Hinweis\r\n");
        p.banner->ShowNextAdvert();
        QVERIFY(!p.banner->HasPicture());
        p.banner->OpenAdvertLink();
        QVERIFY(p.opened.isEmpty());

        // No list: the banner keeps what it shows.
        QFile::remove(p.Path("Einstellungen/Banner.txt"));
        p.banner->ShowNextAdvert();
        QCOMPARE(handed.size(), 2);
        QCOMPARE(p.banner->Hint(), QString("Hinweis"));
    }
};

QTEST_MAIN(BannerTest)
#include "advert_banner_test.moc"
