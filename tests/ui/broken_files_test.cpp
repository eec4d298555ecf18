// SPDX-License-Identifier: GPL-3.0-or-later
// Broken files fed to every open, import and load path of the windows: each says why and leaves what the
// user had (the permanence and its play state, the remembered file name, the settings, every file on disk).
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "file_test_support.h"
#include "ui/main_window.h"
#include "ui/options/options_window.h"

using namespace zentora;
using testing::ReadAll;
using testing::WriteAll;

namespace {

const QString kBin = ZENTORA_BIN_DIR;

// Every file below a folder with its bytes, so that a test sees any file changed, added or removed.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, ReadAll(path));
    }
    return files;
}

// A worksheet whose only cell is no spin and whose last record is cut short.
const QByteArray kBrokenWorksheet = QByteArray("\x09\x00\x04\x00\x05\x00\x10\x00", 8) +
                                    QByteArray("\x02\x00\x09\x00\x00\x00\x00\x00\x00\x00\x00\x63\x00", 13) +
                                    QByteArray("\x02\x00\x09", 3);
// A picture's first bytes: no line of it reads as a number.
const QByteArray kPicture = QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x01\x00", 20);

bool SameSettings(const AppliedSettings& a, const AppliedSettings& b) {
    for (int g = 0; g < kGroupCount; ++g) {
        const GroupSettings &x = a.groups[g], &y = b.groups[g];
        if (x.absenceHigh != y.absenceHigh || x.absenceLow != y.absenceLow ||
            x.absenceSpan != y.absenceSpan || x.initialStake != y.initialStake ||
            x.stakeTechnique != y.stakeTechnique || x.rateFromMilli != y.rateFromMilli ||
            x.rateToMilli != y.rateToMilli || x.rateUntil != y.rateUntil)
            return false;
    }
    return a.minimum1 == b.minimum1 && a.minimum2 == b.minimum2 && a.maximum1 == b.maximum1 &&
           a.maximum2 == b.maximum2 && a.maximum3 == b.maximum3 && a.maximum4 == b.maximum4 &&
           a.maximum6 == b.maximum6 && a.maximum12 == b.maximum12 && a.maximum18 == b.maximum18 &&
           a.optionFlags == b.optionFlags;
}

}  // namespace

class BrokenFilesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void LoadsKeepThePermanenceAndEveryFile() {
        QTemporaryDir dir;
        const QString game = dir.filePath("spiel.prm");
        WriteAll(game, QByteArray("\x00\x11\x05\x11\x20", 5));
        QDir(dir.path()).mkdir("ordner.prm");
        WriteAll(dir.filePath("bild.txt"), kPicture);
        WriteAll(dir.filePath("leer.txt"), QByteArray());
        WriteAll(dir.filePath("kaputt.xls"), kBrokenWorksheet);
        WriteAll(dir.filePath("text.xls"), "17\r\n5\r\n");
        WriteAll(dir.filePath("bild.xls"), kPicture);

        MainWindow form(kBin, kDesignScreen);
        QStringList messages;
        form.messageHook = [&](const QString& text) { messages << text; };
        form.OpenPermanence(game);
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(5));
        QVERIFY(messages.isEmpty());

        const PlayState before = form.Session().State();
        const QString count = form.findChild<QLabel*>("Label37")->text();
        const auto files = Snapshot(dir.path());
        QString chosen;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            dialog.selectFile(chosen);
            return true;
        };
        const std::function<void()> open = [&] { form.OpenPermanence(chosen); };
        const std::function<void()> commandLine = [&] { form.OpenFromCommandLine({chosen}); };
        const std::function<void()> text = [&] { form.ImportText(); };
        const std::function<void()> worksheet = [&] { form.ImportWorksheet(); };
        const struct {
            const std::function<void()>* load;
            QString file;
        } cases[] = {
            {&open, dir.filePath("ordner.prm")},       {&open, dir.filePath("fehlt.prm")},
            {&commandLine, dir.filePath("fehlt.prm")}, {&text, dir.filePath("bild.txt")},
            {&text, dir.filePath("leer.txt")},         {&text, dir.filePath("ordner.prm")},
            {&worksheet, dir.filePath("kaputt.xls")},  {&worksheet, dir.filePath("text.xls")},
            {&worksheet, dir.filePath("bild.xls")},
        };
        for (const auto& c : cases) {
            chosen = c.file;
            const qsizetype shown = messages.size();
            (*c.load)();
            QVERIFY2(messages.size() > shown, qPrintable(c.file));  // the user is told why
            const PlayState& after = form.Session().State();
            QVERIFY2(after.permanence.NewestFirst() == before.permanence.NewestFirst(), qPrintable(c.file));
            QVERIFY2(after.absenceCounter == before.absenceCounter, qPrintable(c.file));
            QVERIFY2(after.hitCounter == before.hitCounter, qPrintable(c.file));
            QVERIFY2(after.positionStake == before.positionStake, qPrintable(c.file));
            QVERIFY2(after.signalList == before.signalList, qPrintable(c.file));
            QCOMPARE(form.findChild<QLabel*>("Label37")->text(), count);
            QCOMPARE(form.PermanenceFileName(), game);
            QCOMPARE(Snapshot(dir.path()), files);
        }
    }

    void OptionFilesKeepTheSettingsAndDataIni() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        AppliedSettings applied;
        OptionsWindow form(root.path(), applied);
        QStringList messages;
        form.showMessage = [&](const QString& text) { messages << text; };
        form.Model().Set("Maximum12", 77);
        form.Model().Set("CheckBox5", 0);
        form.ApplyAndSave();  // applied and written to data.ini
        QVERIFY(messages.isEmpty());
        QVERIFY(QFile::exists(form.DataIniPath()));

        const QString folder = form.OptionsFolder();
        QVERIFY(QDir().mkpath(folder));
        WriteAll(folder + "/bild.opd", kPicture);
        WriteAll(folder + "/spiel.opd", "17\r\n5\r\nCheckbox5=1\r\n");
        QVERIFY(QDir(folder).mkdir("ordner.opd"));

        const OptionsModel model = form.Model();
        const AppliedSettings appliedBefore = applied;
        const auto files = Snapshot(root.path());
        QString chosen;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            dialog.selectFile(chosen);
            return true;
        };
        for (const char* name : {"bild.opd", "spiel.opd", "ordner.opd"}) {
            chosen = folder + "/" + name;
            const qsizetype shown = messages.size();
            form.OpenOptionFile();
            QVERIFY2(messages.size() == shown + 1, name);
            for (FieldId id = 0; id < model.FieldCount(); ++id)
                QVERIFY2(form.Model().Value(id) == model.Value(id), model.Field(id).name.c_str());
            QVERIFY(SameSettings(applied, appliedBefore));
            QCOMPARE(Snapshot(root.path()), files);
        }

        // A broken data.ini at closing time: the message, and the settings of the window stay.
        WriteAll(form.DataIniPath(), kPicture);
        form.done(0);
        QCOMPARE(messages.size(), 4);
        QCOMPARE(form.Model().Value("Maximum12"), 77);
        QCOMPARE(ReadAll(form.DataIniPath()), kPicture);
    }

    // A pipe is refused at once (opening it would wait for a writer), and the messages of the files and the
    // option files come in the chosen language.
    void PipesAndNoOptionFilesAreRefusedInTheChosenLanguage() {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("x.prm");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
        MainWindow main(kBin, kDesignScreen);
        QStringList messages;
        main.messageHook = [&](const QString& text) { messages << text; };
        main.ChooseLanguage(main.findChild<QAction*>("Sprache2"));
        main.OpenPermanence(pipe);
        QCOMPARE(messages, QStringList{"The file " + pipe +
                                       " cannot be read: not a regular file (pipe, device or socket)"});
        QVERIFY(main.Session().GetPermanence().empty());

        QVERIFY(QDir(dir.path()).mkpath("Einstellungen"));
        AppliedSettings applied;
        OptionsWindow options(dir.path(), applied);
        options.showMessage = [&](const QString& text) { messages << text; };
        const QString notOptions = dir.filePath("Einstellungen/spiel.opd");
        WriteAll(notOptions, "17\r\n5\r\n");
        options.fileDialogHook = [&](QFileDialog& dialog) {
            dialog.selectFile(notOptions);
            return true;
        };
        options.OpenOptionFile();
        QCOMPARE(messages.last(), "The file " + notOptions + " is not an option file.");
        main.ChooseLanguage(main.findChild<QAction*>("Sprache0"));
    }

    void LanguageAndLayoutFilesAreOnlyRead() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        const QString table = root.filePath("Einstellungen/Sprache.csv");
        const QString layout = root.filePath("Einstellungen/1280x800.ini");
        // Unsorted, short lines, a NUL, CR-only line ends; layout values beyond any screen and non-numbers.
        WriteAll(table, QByteArray("Zahl;x\rDatei\r&Datei;;\n\x00;;;\r\nBeenden;Quit;Exit\r\n", 44));
        WriteAll(layout,
                 "[ImagesWidth]\r\nImages17=2147483647\r\n[ImagesLeft]\r\nImages17=-99999999\r\n"
                 "[Width]\r\nStringGrid1=1e9\r\nBannerWerbung=x\r\n[Top]\r\n=5\r\n[\r\n");
        const auto files = Snapshot(root.path());

        MainWindow form(root.path(), {2560, 1080});
        QStringList messages;
        form.messageHook = [&](const QString& text) { messages << text; };
        const QRect chip = form.findChild<QWidget*>("Images17")->geometry();
        QCOMPARE(chip.width(), 0);  // out of range: the key's default
        QCOMPARE(chip.left(), 0);
        QCOMPARE(form.findChild<QWidget*>("BannerWerbung")->geometry().width(), 558 * 2560 / 1280);

        form.ChooseLanguage(form.findChild<QAction*>("Sprache2"));
        QCOMPARE(form.LanguageIndex(), 2);
        form.EnterSpin(17);  // the window still plays
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(1));
        QVERIFY(messages.isEmpty());
        QCOMPARE(Snapshot(root.path()), files);
    }
};

QTEST_MAIN(BrokenFilesTest)
#include "broken_files_test.moc"
