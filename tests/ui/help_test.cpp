// SPDX-License-Identifier: GPL-3.0-or-later
// Help window, F1 and menu contexts, popup help, the about box, the splash window and the language switch
// of help and banner, driven through the real windows offscreen.
#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include "app/window_wiring.h"
#include "http_test_server.h"
#include "ui/about/about_box.h"
#include "ui/about/splash_screen.h"
#include "ui/banner/advert_banner.h"
#include "ui/help/help_system.h"
#include "ui/main_window.h"
#include "ui/options/options_window.h"
#include "ui/texts/texts_hub.h"
#include "version.h"

using namespace zentora;

namespace {

const QString kBin = ZENTORA_BIN_DIR;
const ScreenSize kDesignScreen{1280, 1024};

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The program's data folders copied, so that the set-up may write its lists and bookkeeping.
void CopyDataRoot(const QString& to) {
    for (const char* folder : {"Einstellungen", "Bilder", "Buttonunten", "Font"}) {
        QDirIterator it(QDir(kBin).filePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = QDir(to).filePath(QDir(kBin).relativeFilePath(source));
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(source, target);
        }
    }
}

// Web servers a user or packager might set (the shipped files set none).
const QByteArray kServersSet =
    "[Webserver]\nDeutsch=https://de.example.org\nEnglisch=https://en.example.org\nEMail=info@example.org\n";

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

struct Program {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form1;
    std::unique_ptr<OptionsWindow> form2;
    HelpAndInfo parts;
    QStringList messages;

    // webservers: the contents of Einstellungen/Webserver.ini; empty keeps the shipped file.
    explicit Program(const QByteArray& webservers = {}) {
        CopyDataRoot(dir.path());
        if (!webservers.isEmpty()) WriteFile(Path("Einstellungen/Webserver.ini"), webservers);
        form1 = std::make_unique<MainWindow>(dir.path(), kDesignScreen);
        form2 = std::make_unique<OptionsWindow>(dir.path(), form1->Session().State().settings, form1.get());
        parts = ConnectHelpAndInfo(*form1, form2.get());
        parts.info->Transport().connectedHook = [] { return false; };  // no network in these tests
        parts.info->messageHook = [this](const QString& text) { messages << text; };
        form1->messageHook = [this](const QString& text) { messages << text; };
    }
    QString Path(const QString& file) const { return dir.filePath(file); }
    QUrl Shown() const { return parts.help->Window() ? parts.help->Window()->Browser()->source() : QUrl(); }
    void ChooseLanguage(int index) {
        form1->ChooseLanguage(form1->findChild<QAction*>(QString("Sprache%1").arg(index)));
    }
};

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void EveryContextHasItsSectionInBothLanguages() {
        for (const char* file : {"Einstellungen/zentora.html", "Einstellungen/ENzentora.html"}) {
            const QByteArray html = ReadAll(QDir(kBin).filePath(file));
            for (int context : {28, 29, 31, 32, 33, 34, 35}) {
                const QString anchor = HelpAnchor(context);
                QVERIFY2(!anchor.isEmpty() && html.contains("id=\"" + anchor.toUtf8() + "\""),
                         qPrintable(QString("%1 #%2").arg(file, anchor)));
            }
        }
        QVERIFY(HelpAnchor(30).isEmpty());
    }

    void MenuAndF1OpenTheirPages() {
        Program p;
        p.ChooseLanguage(0);
        p.form1->findChild<QAction*>("Inhalt1")->trigger();
        QVERIFY(p.parts.help->Window()->isVisible());
        QCOMPARE(p.Shown().fileName(), QString("zentora.html"));
        QCOMPARE(p.Shown().fragment(), QString("inhalt"));

        QTest::keyClick(p.form1->Canvas(), Qt::Key_F1);
        QCOMPARE(p.Shown().fragment(), QString("hauptfenster"));

        // Options window: F1 on a field of a tab, and on the window itself, opens that tab's page.
        QTabWidget* tabs = p.form2->Tabs();
        for (int t = 0; t < 6; ++t) {
            tabs->setCurrentIndex(t);
            QWidget* page = tabs->currentWidget();
            QWidget* inside = page->findChildren<QWidget*>().value(0, page);
            QTest::keyClick(inside, Qt::Key_F1);
            QCOMPARE(p.Shown().fragment(), HelpAnchor(kHelpOptionsTabs[t]));
            p.parts.help->CloseAll();
            QTest::keyClick(p.form2.get(), Qt::Key_F1);
            QCOMPARE(p.Shown().fragment(), HelpAnchor(kHelpOptionsTabs[t]));
        }
        QVERIFY(p.messages.isEmpty());
    }

    void LanguageSwitchChangesHelpBannerAndList() {
        Program p(kServersSet);
        QFile en(p.Path("Einstellungen/EnWerbung.txt"));
        QVERIFY(en.open(QIODevice::WriteOnly));
        en.write("https://en.example.org/a.gif;https://en.example.org/;English\r\n");
        en.close();
        QFile de(p.Path("Einstellungen/DeWerbung.txt"));
        QVERIFY(de.open(QIODevice::WriteOnly));
        de.write("https://de.example.org/a.gif;https://de.example.org/;Deutsch\r\n");
        de.close();
        const WebHosts& hosts = p.parts.info->Hosts();

        p.ChooseLanguage(0);
        QCOMPARE(p.parts.help->HelpFile(), p.Path("Einstellungen/zentora.html"));
        QCOMPARE(p.parts.banner->Link(), WebHosts::HomePage(hosts.german));
        QCOMPARE(p.parts.banner->Hint(), QString("Besuchen Sie unsere Webseite"));
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), ReadAll(de.fileName()));

        p.ChooseLanguage(2);
        QCOMPARE(p.parts.help->HelpFile(), p.Path("Einstellungen/ENzentora.html"));
        QCOMPARE(p.parts.banner->Link(), WebHosts::HomePage(hosts.english));
        QCOMPARE(p.parts.banner->Hint(), QString("Visit Our Web Site"));
        QVERIFY(p.parts.banner->HasPicture());
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), ReadAll(en.fileName()));
        QTest::keyClick(p.form1->Canvas(), Qt::Key_F1);
        QCOMPARE(p.Shown().fileName(), QString("ENzentora.html"));

        p.ChooseLanguage(3);  // the set-up closes the open help windows
        QVERIFY(!p.parts.help->Window()->isVisible());
        p.ChooseLanguage(1);
        QCOMPARE(p.parts.help->HelpFile(), p.Path("Einstellungen/zentora.html"));
        QCOMPARE(ReadAll(p.Path("Einstellungen/Banner.txt")), ReadAll(de.fileName()));
        QVERIFY(!p.parts.banner->HasPicture());
        QVERIFY(p.messages.isEmpty());
    }

    // Every request of the program goes through a proxy that counts it: the shipped files ask nothing, in
    // either language, nor does the banner's tick with a list at hand; a server set in Webserver.ini is
    // asked.
    void ShippedFilesMakeNoNetworkRequest() {
        testing::HttpTestServer proxy;
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", QUrl(proxy.Base()).port()));
        const auto noProxy = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); });
        const QByteArray servers =
            "[Webserver]\nDeutsch=http://de.zentora.invalid\nEnglisch=http://en.zentora.invalid\n";
        for (const QByteArray& webservers : {QByteArray(), servers}) {
            const bool shipped = webservers.isEmpty();
            proxy.ResetCounts();
            QSettings("Zentora", "Zentora").setValue("Sprache", 2);
            Program p(webservers);
            p.parts.info->Transport().connectedHook = [] { return true; };
            WriteFile(p.Path("Einstellungen/DeWerbung.txt"),
                      "http://de.zentora.invalid/a.gif;http://de.zentora.invalid/x;Hinweis\r\n");
            p.form1->RestoreLanguage();  // English
            p.ChooseLanguage(0);
            QSignalSpy handed(p.parts.banner, &AdvertBanner::handedOver);
            p.parts.banner->ShowNextAdvert();
            if (!shipped) QVERIFY(handed.wait(5000));
            QCoreApplication::processEvents();
            QCOMPARE(proxy.Requests() == 0, shipped);
            QCOMPARE(p.parts.banner->Link().isEmpty(), shipped);
            QCOMPARE(p.parts.info->findChild<QLabel*>("WebLink")->isVisibleTo(p.parts.info), !shipped);
            QVERIFY(!p.parts.info->findChild<QLabel*>("MailLink")->isVisibleTo(p.parts.info));
        }
    }

    void MissingHelpFileShowsItsMessageOnEveryChange() {
        Program p;
        QVERIFY(QFile::remove(p.Path("Einstellungen/zentora.html")));
        p.ChooseLanguage(0);
        p.ChooseLanguage(1);
        QCOMPARE(p.messages.size(), 2);
        QCOMPARE(p.messages[0], "Hilfe Datei nicht gefunden\n" +
                                    QFileInfo(p.Path("Einstellungen/zentora.html")).absoluteFilePath());
        p.form1->findChild<QAction*>("Inhalt1")->trigger();
        QVERIFY(!p.parts.help->Window());  // help requests show nothing
    }

    void PopupHelpInRed() {
        Program p;
        QVERIFY(p.parts.help->ShowPopup(4, QPoint(40, 50)));
        QLabel* popup = p.parts.help->Popup();
        QVERIFY(popup->isVisible());
        QVERIFY(popup->text().contains("Generieren"));
        QCOMPARE(popup->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(popup->pos(), QPoint(40, 50));
        QVERIFY(!p.parts.help->ShowPopup(999, QPoint()));
        QTest::keyClick(p.form1->Canvas(), Qt::Key_A);  // the next key closes it
        QVERIFY(!popup->isVisible());

        // Shift+F1 on a control with a topic shows that topic.
        QTest::keyClick(p.form1->findChild<QWidget*>("ListBox1"), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(popup->isVisible());
        QVERIFY(popup->text().contains("Jetons"));

        const QString topics =
            ".topic 1\r\nEins\r\n.topic 12\r\nZwölf\r\nzweite Zeile\r\n\r\n.topic 2\r\nZwei";
        QCOMPARE(PopupTopicText(topics, 12), QString::fromUtf8("Zwölf\nzweite Zeile"));
        QCOMPARE(PopupTopicText(topics, 2), QString("Zwei"));
        QCOMPARE(PopupTopicText(topics, 3), QString());
    }

    void AboutBoxContents() {
        Program p(kServersSet);
        AboutBox& info = *p.parts.info;
        QCOMPARE(info.windowTitle(), QString("Info Zentora"));
        QCOMPARE(info.findChild<QLabel*>("ProductName")->text(),
                 QString("Zentora  Version ") + zentora::kVersion);
        QVERIFY(!info.findChild<QLabel*>("Image1")->pixmap().isNull());
        QList<QUrl> opened;
        info.openUrlHook = [&](const QUrl& url) { opened << url; };
        QStringList libraries;
        for (QLabel* label : info.findChildren<QLabel*>()) {
            if (!label->text().startsWith("<a href=")) continue;
            const QString href = label->text().section('"', 1, 1);
            Q_EMIT label->linkActivated(href);
            libraries << href;
        }
        for (const char* url :
             {"https://www.qt.io", "https://www.qcustomplot.com", "https://github.com/nlohmann/json",
              "https://github.com/CLIUtils/CLI11", "https://github.com/google/googletest",
              "https://github.com/google/benchmark"})
            QVERIFY2(opened.contains(QUrl(url)), url);
        QVERIFY(opened.contains(QUrl("mailto:" + info.Hosts().mail)));
        QVERIFY(opened.contains(QUrl(WebHosts::HomePage(info.Hosts().german))));
        QVERIFY(info.findChild<QLabel*>("LicenceLink")->text().contains("GPL-3.0-or-later"));

        // The product name stays; the lines follow the language.
        const auto line = [&](int entry) {
            return info.findChild<QLabel*>(QString("InfoLine%1").arg(entry));
        };
        p.ChooseLanguage(0);
        for (int entry : {86, 87, 146, 147, 148, 149, 150, 151, 152, 153, 154, 155, 156, 157})
            QCOMPARE(line(entry)->text(),
                     QString::fromUtf8(WholeList()[entry - 1].data(), WholeList()[entry - 1].size()));
        p.ChooseLanguage(2);
        QCOMPARE(info.findChild<QLabel*>("ProductName")->text(),
                 QString("Zentora  Version ") + zentora::kVersion);
        const std::string_view licence = WholeList()[86];
        const std::string licenceText = p.form1->Language().TranslateList({std::string(licence)})[0];
        QCOMPARE(line(87)->text(), QString::fromStdString(licenceText));

        // The menu shows it modally; OK closes it.
        QTimer::singleShot(0, &info, [&info] {
            QTest::mouseClick(info.findChild<QWidget*>("JvHTButton1"), Qt::LeftButton);
        });
        p.form1->findChild<QAction*>("Info1")->trigger();
        QCOMPARE(info.result(), int(QDialog::Accepted));
    }

    void SplashShowsThePictureOfTheStoredLanguage() {
        for (int stored : {-1, 0, 1, 2, 3}) {
            QSettings settings("Zentora", "Zentora");
            if (stored < 0)
                settings.remove("Sprache");
            else
                settings.setValue("Sprache", stored);
            settings.sync();
            SplashScreen splash(kBin);
            QCOMPARE(splash.windowTitle(), QString("Splashscreen"));
            QVERIFY(!splash.isEnabled());
            QCOMPARE(splash.EnglishPicture()->isVisibleTo(&splash), stored > 1);
            QCOMPARE(splash.GermanPicture()->isVisibleTo(&splash), stored <= 1);
            QVERIFY(!splash.GermanPicture()->pixmap().isNull() &&
                    !splash.EnglishPicture()->pixmap().isNull());
            if (stored < 0) QCOMPARE(QSettings("Zentora", "Zentora").value("Sprache").toInt(), 0);  // created
        }
    }

    // Not a test: with ZENTORA_SCREENSHOTS=<folder> it saves a picture of the about box there.
    void screenshots() {
        const QByteArray folder = qgetenv("ZENTORA_SCREENSHOTS");
        if (folder.isEmpty()) QSKIP("ZENTORA_SCREENSHOTS not set");
        Program p;
        p.parts.info->show();
        QTest::qWait(100);
        QVERIFY(p.parts.info->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("about-box.png")));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
