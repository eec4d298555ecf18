// SPDX-License-Identifier: GPL-3.0-or-later
// The file dialogs of the "Datei" menu and the options window: what they propose, where they start, what
// they show.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "file_test_support.h"
#include "ui/main_window.h"
#include "ui/options/options_window.h"
#include "ui/table_geometry.h"

using namespace zentora;
using testing::ReadAll;
using testing::WriteAll;

namespace {

const QString kBin = ZENTORA_BIN_DIR;

void Trigger(MainWindow& form, const QString& name) {
    form.findChild<QAction*>(name)->trigger();
}

QString Canonical(const QString& folder) {
    return QDir(folder).canonicalPath();
}

// The entries of the file type box as the user reads them.
QStringList ShownFilters(QFileDialog& dialog) {
    QStringList shown;
    auto* box = dialog.findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; box && i < box->count(); ++i) shown << box->itemText(i);
    return shown;
}

// The names the dialog lists in its current folder once it has read the folder.
QStringList ListedFiles(QFileDialog& dialog, const QString& expectedAmongThem) {
    auto* view = dialog.findChild<QListView*>("listView");
    QStringList names;
    (void)QTest::qWaitFor(
        [&] {
            names.clear();
            const QModelIndex root = view->rootIndex();
            for (int r = 0; r < view->model()->rowCount(root); ++r)
                names << view->model()->index(r, 0, root).data().toString();
            return names.contains(expectedAmongThem);
        },
        5000);
    return names;
}

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // An export accepted as the dialog proposes it never writes over the game: the proposal is the
    // permanence file's name with the export's extension, and the permanence file stays remembered.
    void ExportAcceptedAsProposedKeepsThePermanenceFile_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("extension");
        QTest::newRow("Exceldatei") << "ExcelDatei1"
                                    << "xls";
        QTest::newRow("Textdatei") << "extDatei2"
                                   << "txt";
    }
    void ExportAcceptedAsProposedKeepsThePermanenceFile() {
        QFETCH(QString, action);
        QFETCH(QString, extension);
        QTemporaryDir dir;
        const QString game = dir.filePath("spiel.prm");
        const QByteArray spins("\x00\x11\x05", 3);
        WriteAll(game, spins);
        MainWindow form(kBin, kDesignScreen);
        form.OpenPermanence(game);
        form.EnterSpin(9);
        bool asksBeforeOverwriting = false;
        QString suffix;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            asksBeforeOverwriting = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
            suffix = dialog.defaultSuffix();
            return true;  // accepted as proposed
        };
        Trigger(form, action);
        QCOMPARE(ReadAll(game), spins);
        const QString exported = dir.filePath("spiel." + extension);
        QVERIFY2(QFile::exists(exported), qPrintable(QDir(dir.path()).entryList().join(' ')));
        QVERIFY(asksBeforeOverwriting);
        QCOMPARE(suffix.toLower(), extension);
        QCOMPARE(form.PermanenceFileName(), game);  // "Speichern" still writes the game
    }

    // "Alle Dateien (*.*)" keeps its caption and lists every file, also one without an extension.
    void AllFilesListsEveryFile() {
        QTemporaryDir dir;
        for (const char* name : {"ohne_endung", "spiel.prm", "spiel.txt"})
            WriteAll(dir.filePath(name), "5\n");
        QStringList seen;
        const auto check = [&](QFileDialog& dialog) {
            const QStringList shown = ShownFilters(dialog);
            seen << shown.first();
            if (shown.last() != QString("Alle Dateien (*.*)")) {
                seen << "caption: " + shown.last();
                return false;
            }
            dialog.setDirectory(dir.path());
            dialog.selectNameFilter(dialog.nameFilters().last());
            const QStringList listed = ListedFiles(dialog, "ohne_endung");
            if (!listed.contains("ohne_endung") || !listed.contains("spiel.prm") ||
                !listed.contains("spiel.txt"))
                seen << "listed: " + listed.join(' ');
            return false;
        };
        MainWindow form(kBin, kDesignScreen);
        form.fileDialogHook = check;
        for (const char* action : {"ffnen2", "Speichernunter2", "extDatei1", "extDatei2"})
            Trigger(form, action);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        AppliedSettings applied;
        OptionsWindow options(root.path(), applied);
        options.showMessage = [](const QString&) {};
        options.fileDialogHook = check;
        options.OpenOptionFile();
        options.SaveOptionFileAs();
        // The first entries keep their captions as well.
        QCOMPARE(seen,
                 (QStringList{"Permanenzdateien(*.prm)", "Permanenzdateien(*.PRM)", "Textdateien (*.TXT)",
                              "Textdateien (*.TXT)", "Optionsdateien(*.opd)", "Optionsdateien(*.opd)"}));
    }

    // Where the dialogs of permanences, text and worksheets start: in "Save" until a permanence file was
    // opened or saved under a name, then in that file's folder, whatever comes after ("Speichern", "Neu",
    // an import or an export).
    void StartFolders_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("folder");  // "Save", or the folder "elsewhere" / "other"
        QTest::newRow("fresh") << QStringList{} << "Save";
        QTest::newRow("opened") << QStringList{"open elsewhere"} << "elsewhere";
        QTest::newRow("opened, Speichern")
            << QStringList{"open elsewhere", "spin", "Speichern"} << "elsewhere";
        QTest::newRow("opened, Neu") << QStringList{"open elsewhere", "Neu"} << "elsewhere";
        QTest::newRow("opened, saved under a name")
            << QStringList{"open elsewhere", "save under other"} << "other";
        QTest::newRow("saved under a name, Speichern")
            << QStringList{"spin", "save under other", "spin", "Speichern"} << "other";
        QTest::newRow("import elsewhere") << QStringList{"import elsewhere"} << "Save";
        QTest::newRow("opened, export elsewhere")
            << QStringList{"open elsewhere", "export other"} << "elsewhere";
    }
    void StartFolders() {
        QFETCH(QStringList, steps);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("elsewhere"));
        QVERIFY(QDir(dir.path()).mkpath("other"));
        WriteAll(dir.filePath("elsewhere/spiel.prm"), QByteArray("\x05", 1));
        WriteAll(dir.filePath("elsewhere/spiel.txt"), "5\n");
        MainWindow form(kBin, kDesignScreen);
        QString chosen;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            dialog.selectFile(chosen);
            return true;
        };
        for (const QString& step : steps) {
            if (step == "open elsewhere") form.OpenPermanence(dir.filePath("elsewhere/spiel.prm"));
            if (step == "spin") form.EnterSpin(7);
            if (step == "Speichern") Trigger(form, "Speichern2");
            if (step == "Neu") Trigger(form, "Neu2");
            chosen = dir.filePath("other/neu.prm");
            if (step == "save under other") Trigger(form, "Speichernunter2");
            chosen = dir.filePath("elsewhere/spiel.txt");
            if (step == "import elsewhere") Trigger(form, "extDatei1");
            chosen = dir.filePath("other/export.xls");
            if (step == "export other") Trigger(form, "ExcelDatei1");
        }
        const QString expected =
            Canonical(folder == "Save" ? QDir(kBin).filePath("Save") : dir.filePath(folder));
        QStringList wrong;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            if (Canonical(dialog.directory().path()) != expected)
                wrong << dialog.windowTitle() + ": " + dialog.directory().path();
            return false;
        };
        for (const char* action :
             {"ffnen2", "Speichernunter2", "extDatei1", "extDatei2", "ExcelDatei2", "ExcelDatei1"})
            Trigger(form, action);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
