// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, driven offscreen like a user: clicks on fields and chips, the menu, the dialogs.
#include "ui/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "ui/table_geometry.h"
#include "ui/widgets/angled_label.h"

using namespace zentora;

namespace {

const QString kBin = ZENTORA_BIN_DIR;

QString Cell(MainWindow& form, int row, int column) {
    auto* grid = form.findChild<QTableWidget*>("StringGrid1");
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QString LabelText(MainWindow& form, const QString& name) {
    return form.findChild<QLabel*>(name)->text();
}

QStringList SignalLines(MainWindow& form) {
    auto* list = form.findChild<QListWidget*>("ListBox1");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
}

void Click(MainWindow& form, const QString& name, QPoint at = {}) {
    QWidget* w = form.findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
}

void Trigger(MainWindow& form, const QString& name) {
    form.findChild<QAction*>(name)->trigger();
}

std::vector<std::uint8_t> NewestFirst(MainWindow& form) {
    return form.Session().GetPermanence().NewestFirst();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void ClickOnFieldsEntersNumbers() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        Click(form, "Image17");
        Click(form, "ZeroButton");
        Click(form, "Image5");
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{5, 0, 17}));
        QCOMPARE(LabelText(form, "Label37"), QString("3"));
        // Black numbers left, zero in the middle, red numbers right; newest on top.
        QCOMPARE(Cell(form, 0, 2), QString("5"));
        QCOMPARE(Cell(form, 1, 1), QString("0"));
        QCOMPARE(Cell(form, 2, 0), QString("17"));
        QCOMPARE(Cell(form, 3, 0), QString());
        // The pressed look is gone after the click.
        QVERIFY(form.findChild<QLabel*>("Image17")->pixmap().isNull());
    }

    void GridKeepsTheNewestTwenty() {
        MainWindow form(kBin, kDesignScreen);
        for (int n = 1; n <= 21; ++n) form.EnterSpin(n);
        QCOMPARE(Cell(form, 0, 2), QString("21"));  // 21 is red
        QCOMPARE(Cell(form, 19, 0), QString("2"));  // the oldest shown; 1 fell off
        QCOMPARE(form.findChild<QTableWidget*>("StringGrid1")->rowCount(), 20);
    }

    void DisplayModes() {
        MainWindow form(kBin, kDesignScreen);
        form.show();  // the labels are filled when the window is first shown
        QCOMPARE(LabelText(form, "Label5"), QString("0%"));  // Prozente is the start mode
        form.EnterSpin(0);
        QCOMPARE(LabelText(form, "Label0"), QString("100%"));
        QCOMPARE(LabelText(form, "Label1"), QString("0%"));
        Trigger(form, "Anzeigetafel");
        QCOMPARE(LabelText(form, "Label0"), QString("1"));
        QCOMPARE(LabelText(form, "Label1"), QString("0"));
        Trigger(form, "Rckstand1");
        QCOMPARE(LabelText(form, "Label0"), QString("0"));
        QCOMPARE(LabelText(form, "Label1"), QString("1"));
        for (int n : {1, 2}) form.EnterSpin(n);
        Trigger(form, "Prozent1");
        QCOMPARE(LabelText(form, "Label0"), QLocale::system().toString(33.33, 'g', 15) + "%");
    }

    void ChipsShowStakesAndPassClicksToTheField() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        auto& state = form.Session().State();
        state.positionStake[17] = 12;
        state.positionStake[151] = 3;
        state.positionStake[20] = -4;
        form.ShowPipelineResult();
        auto* chip17 = form.findChild<QLabel*>("Images17");
        QVERIFY(chip17->isVisible());
        QVERIFY(!chip17->pixmap().isNull());
        QVERIFY(!form.findChild<QLabel*>("Images20")->isVisible());  // a stake below 1 hides the chip
        QVERIFY(!form.findChild<QLabel*>("Images0")->isVisible());
        // The chip lies on its bet: a click on it enters the number beneath.
        QVERIFY(form.findChild<QWidget*>("Image17")->geometry().contains(chip17->geometry().center()));
        Click(form, "Images17");
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{17}));
        // A chip on a dozen lies on no number field: nothing is entered.
        state.positionStake[151] = 3;
        form.ShowPipelineResult();
        Click(form, "Images151");
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(1));
    }

    void OnlyTheLeftButtonPlays_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Qt::MouseButton>("button");
        // A number field, the zero, a chip lying on 17 and "Generieren" (Edit1 empty: one random spin).
        for (const char* target : {"Image17", "ZeroButton", "Images17", "Image37"})
            for (const auto& [button, name] : {std::pair{Qt::LeftButton, "left"},
                                               {Qt::RightButton, "right"},
                                               {Qt::MiddleButton, "middle"}})
                QTest::newRow(qPrintable(QString("%1 %2").arg(target, name))) << QString(target) << button;
    }

    void OnlyTheLeftButtonPlays() {
        QFETCH(QString, target);
        QFETCH(Qt::MouseButton, button);
        MainWindow form(kBin, kDesignScreen);
        form.show();
        form.Session().State().positionStake[17] = 5;
        form.ShowPipelineResult();
        QWidget* w = form.findChild<QWidget*>(target);
        const QPoint before = w->pos();
        const auto pressedLook = [&] {
            return !form.findChild<QLabel*>("Image17")->pixmap().isNull() ||
                   !form.findChild<QLabel*>("ZeroButton")->pixmap().isNull() || w->pos() != before;
        };
        const bool left = button == Qt::LeftButton;
        QTest::mousePress(w, button, {}, w->rect().center());
        QCOMPARE(pressedLook(), left);
        QTest::mouseRelease(w, button, {}, w->rect().center());
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(left ? 1 : 0));
        QCOMPARE(w->pos(), before);
        if (target == "Image17" || target == "ZeroButton") QVERIFY(!pressedLook());
    }

    void SignalListOrderAndLanguage() {
        MainWindow form(kBin, kDesignScreen);
        auto& state = form.Session().State();
        for (int slot : {5, 20, 100, 1412}) state.slotStake[slot] = 1;
        form.ShowPipelineResult();
        QCOMPARE(SignalLines(form), (QStringList{"Nummer 20", "Nummer 5", "Rot", "Chance 2/37"}));
        form.ChooseLanguage(form.findChild<QAction*>("Sprache3"));
        QCOMPARE(SignalLines(form), (QStringList{"Straight up 20", "Straight up 5", "Red", "Split"}));
        QCOMPARE(form.findChild<QMenu*>("Datei2")->title(), QString("&File"));
        QCOMPARE(form.findChild<QAction*>("Speichernunter2")->text(), QString("Save &as..."));
        form.ChooseLanguage(form.findChild<QAction*>("Sprache0"));
        QCOMPARE(form.findChild<QMenu*>("Datei2")->title(), QString("&Datei"));
        state.slotStake.fill(0);
        form.ShowPipelineResult();
        QVERIFY(SignalLines(form).isEmpty());
    }

    void LanguageIsStoredAndMissingTableFallsBack() {
        {
            MainWindow form(kBin, kDesignScreen);
            form.ChooseLanguage(form.findChild<QAction*>("Sprache2"));
        }
        QCOMPARE(QSettings("Zentora", "Zentora").value("Sprache").toInt(), 2);
        {
            MainWindow form(kBin, kDesignScreen);
            form.RestoreLanguage();
            QCOMPARE(form.LanguageIndex(), 2);
            QCOMPARE(form.findChild<QAction*>("Beenden2")->text(), QString("Exit"));
        }
        QTemporaryDir empty;  // no Sprache.csv: the stored language cannot be applied
        MainWindow form(empty.path(), kDesignScreen);
        form.RestoreLanguage();
        QCOMPARE(form.LanguageIndex(), 0);
        QCOMPARE(form.findChild<QAction*>("Beenden2")->text(), QString("Beenden"));
        QSettings("Zentora", "Zentora").setValue("Sprache", 7);  // out of range: language 0
        MainWindow other(kBin, kDesignScreen);
        other.RestoreLanguage();
        QCOMPARE(other.LanguageIndex(), 0);
    }

    void LanguageIsStoredWhenChosen() {
        QSettings("Zentora", "Zentora").setValue("Sprache", 0);
        MainWindow form(kBin, kDesignScreen);
        form.findChild<QAction*>("Sprache3")->trigger();
        // Read from disk while the window still lives, neither closed nor destroyed: as after a kill.
        QFile stored(QSettings("Zentora", "Zentora").fileName());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY2(stored.readAll().contains("Sprache=3"), qPrintable(stored.fileName()));
    }

    void RandomSpins() {
        MainWindow form(kBin, kDesignScreen);
        auto* edit = form.findChild<QLineEdit*>("Edit1");
        for (const char* value : {"", "0", "1"}) {
            const std::size_t before = form.Session().GetPermanence().size();
            edit->setText(value);
            Click(form, "Image37");
            QCOMPARE(form.Session().GetPermanence().size(), before + 1);
            QCOMPARE(edit->text(), QString(value));
        }
        const auto before = NewestFirst(form);
        edit->setText("5");
        form.GenerateRandomSpins();
        const auto after = NewestFirst(form);
        QCOMPARE(after.size(), before.size() + 5);
        QVERIFY(std::equal(before.begin(), before.end(), after.begin() + 5));  // the block is the newest
        QVERIFY(std::all_of(after.begin(), after.end(), [](int n) { return n <= 36; }));
        QCOMPARE(edit->text(), QString());
        QCOMPARE(LabelText(form, "Label37"), QString("8"));
        QCOMPARE(Cell(form, 7, 0) + Cell(form, 7, 1) + Cell(form, 7, 2), QString::number(after[7]));
    }

    void NewAndRemoveLastNumber() {
        MainWindow form(kBin, kDesignScreen);
        form.questionHook = [](const QString&) { return QMessageBox::No; };  // "Neu" gives the spins up
        for (int n : {5, 17, 0}) form.EnterSpin(n);
        Trigger(form, "Zahlentfernen1");
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{17, 5}));
        QCOMPARE(Cell(form, 0, 0), QString("17"));
        QCOMPARE(LabelText(form, "Label37"), QString("2"));
        Trigger(form, "Anzeigetafel");
        QCOMPARE(LabelText(form, "Label0"), QString("0"));  // the counters belong to the shortened permanence
        Trigger(form, "Neu2");
        QVERIFY(form.Session().GetPermanence().empty());
        QCOMPARE(LabelText(form, "Label37"), QString("0"));
        QCOMPARE(Cell(form, 0, 0), QString());
        QCOMPARE(LabelText(form, "Label17"), QString("0"));
        Trigger(form, "Zahlentfernen1");  // nothing to remove
        QVERIFY(form.Session().GetPermanence().empty());
    }

    void OpenReplacesOnlyAfterASuccessfulRead() {
        MainWindow form(kBin, kDesignScreen);
        QStringList messages;
        form.messageHook = [&](const QString& text) { messages << text; };
        form.questionHook = [](const QString&) { return QMessageBox::No; };
        for (int n : {3, 4}) form.EnterSpin(n);
        form.OpenPermanence("/nonexistent/folder/x.prm");
        QCOMPARE(messages.size(), 1);
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{4, 3}));
        QCOMPARE(Cell(form, 0, 0), QString("4"));
        QVERIFY(form.PermanenceFileName().isEmpty());

        QTemporaryDir dir;
        const QString path = dir.filePath("spiel.prm");
        std::ofstream(path.toStdString(), std::ios::binary) << std::string("\x00\x11\x05", 3);
        form.OpenPermanence(path);
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{0, 17, 5}));
        QCOMPARE(Cell(form, 0, 1), QString("0"));
        QCOMPARE(LabelText(form, "Label37"), QString("3"));
        QCOMPARE(form.PermanenceFileName(), path);

        // Text import of a file without numbers: message, permanence and file name stay.
        const QString text = dir.filePath("leer.txt");
        std::ofstream(text.toStdString()) << "keine\n37\n";
        form.fileDialogHook = [&](QFileDialog& dialog) {
            dialog.selectFile(text);
            return true;
        };
        form.ImportText();
        QCOMPARE(messages.last(), QString("Keine Zahlen gefunden"));
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{0, 17, 5}));
        QCOMPARE(form.PermanenceFileName(), path);
    }

    void FileDialogsAreTranslatedAndSaveWritesTheRememberedFile() {
        MainWindow form(kBin, kDesignScreen);
        form.ChooseLanguage(form.findChild<QAction*>("Sprache2"));
        QTemporaryDir dir;
        const QString target = dir.filePath("neu.prm");
        QStringList labels, filters;
        QString folder, title, preset;
        form.fileDialogHook = [&](QFileDialog& dialog) {
            labels = {dialog.labelText(QFileDialog::Accept), dialog.labelText(QFileDialog::Reject),
                      dialog.labelText(QFileDialog::FileType), dialog.labelText(QFileDialog::FileName),
                      dialog.labelText(QFileDialog::LookIn)};
            filters.clear();
            if (auto* box = dialog.findChild<QComboBox*>("fileTypeCombo"))
                for (int i = 0; i < box->count(); ++i) filters << box->itemText(i);
            folder = dialog.directory().path();
            title = dialog.windowTitle();
            preset = dialog.selectedFiles().value(0);
            dialog.selectFile(target);
            return true;
        };
        for (int n : {5, 17, 0}) form.EnterSpin(n);
        Trigger(form, "Speichern2");  // no file yet: asks as "Speichern unter..."
        QCOMPARE(labels, (QStringList{"Save", "Cancel", "File type:", "File name:", "Save in:"}));
        QCOMPARE(title, QString("Save as"));
        QCOMPARE(filters.value(0), QString("Permanence files(*.PRM)"));
        QCOMPARE(QFileInfo(folder).fileName(), QString("Save"));
        QCOMPARE(QFileInfo(preset).fileName(), QString("Permanence.prm"));
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("\x00\x11\x05", 3));
        QCOMPARE(form.PermanenceFileName(), target);

        labels.clear();
        form.EnterSpin(1);
        Trigger(form, "Speichern2");  // a remembered file is written without asking
        QVERIFY(labels.isEmpty());
        QCOMPARE(QFileInfo(target).size(), qint64(4));

        form.fileDialogHook = [&](QFileDialog&) { return false; };  // cancelled open changes nothing
        Trigger(form, "ffnen2");
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(4));
    }

    void MissingLanguageTableFromTheMenu() {
        QTemporaryDir empty;
        MainWindow form(empty.path(), kDesignScreen);
        QStringList messages;
        form.messageHook = [&](const QString& text) { messages << text; };
        form.findChild<QAction*>("Sprache3")->trigger();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(form.findChild<QMenu*>("Datei2")->title(), QString("&Datei"));
    }

    void ClickableImageHitTest() {
        ClickableImage image;
        image.resize(4, 4);
        QVERIFY(image.HitTest({1, 1}));  // no up picture: the whole rectangle
        QImage up(4, 4, QImage::Format_RGB32);
        up.fill(QColor(255, 0, 255));
        up.setPixel(2, 2, qRgb(10, 20, 30));
        image.SetUpPicture(QPixmap::fromImage(up));
        image.SetTransparentColor(0xFFFF00FF);  // only the low 24 bits count
        QVERIFY(image.HitTest({1, 1}));         // not transparent yet
        image.SetTransparent(true);
        QVERIFY(!image.HitTest({1, 1}));
        QVERIFY(image.HitTest({2, 2}));
        QVERIFY(!image.HitTest({5, 5}));
        image.SetDown(true);
        QVERIFY(image.Down() && image.Entered());
    }

    void DozenLabelsFollowTheLayoutAngle() {
        MainWindow form(kBin, kDesignScreen);
        auto* label = form.findChild<QLabel*>("JvLabel1");
        QVERIFY(dynamic_cast<AngledLabel*>(label) != nullptr);
        label->setText("123");
        label->resize(60, 60);
        const QImage flat = label->grab().toImage();
        label->setProperty("angle", 90);
        const QImage upright = label->grab().toImage();
        QVERIFY(flat != upright);
        bool yellow = false;  // the text is still drawn
        for (int y = 0; y < upright.height() && !yellow; ++y)
            for (int x = 0; x < upright.width() && !yellow; ++x) {
                const QColor c = upright.pixelColor(x, y);
                yellow = c.alpha() > 128 && c.red() > 200 && c.green() > 200 && c.blue() < 100;
            }
        QVERIFY(yellow);
    }

    // At the common screens every counter label holds the widest value it can show (hit rates of five
    // characters and five-digit counters), and the window with every control fits the available area.
    void ValuesFitAndTheWindowFits_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("available");
        QTest::newRow("1280x800") << QSize(1280, 800) << QSize(1280, 800);
        QTest::newRow("1280x800 with a panel") << QSize(1280, 800) << QSize(1280, 768);
        QTest::newRow("1600x1000") << QSize(1600, 1000) << QSize(1600, 1000);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1920, 1080);
    }

    void ValuesFitAndTheWindowFits() {
        QFETCH(QSize, screen);
        QFETCH(QSize, available);
        MainWindow form(kBin, {screen.width(), screen.height()}, {available.width(), available.height()});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.width() <= available.width());
        QVERIFY(form.height() + kWindowDecoration.height <= available.height());
        const QRect client = form.Canvas()->rect();
        for (QWidget* w : form.Canvas()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->objectName() != "Hintergrund")
                QVERIFY2(client.contains(w->geometry()), qPrintable(w->objectName()));

        auto& state = form.Session().State();
        for (int i = 0; i < 88888; ++i) form.Session().AppendNewest(0);  // a five-digit spin count
        QList<QLabel*> labels;
        for (int n = 0; n <= 46; ++n) labels << form.findChild<QLabel*>(QString("Label%1").arg(n));
        for (int n = 1; n <= 3; ++n) labels << form.findChild<QLabel*>(QString("JvLabel%1").arg(n));
        const auto check = [&](const char* mode, auto set) {
            Trigger(form, mode);
            for (int slot = 0; slot < kSlotArraySize; ++slot) set(slot);
            form.RefreshDisplay();
            for (QLabel* label : labels)
                QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                             label->contentsRect().width(),
                         qPrintable(label->objectName() + ": " + label->text()));
        };
        check("Prozent1", [&](int s) { state.hitRate[s] = 32440; });
        QCOMPARE(form.findChild<QLabel*>("JvLabel1")->text(), QLocale::system().toString(32.44) + "%");
        check("Prozent1", [&](int s) { state.hitRate[s] = 99990; });
        check("Anzeigetafel", [&](int s) { state.hitCounter[s] = 88888; });
        check("Rckstand1", [&](int s) { state.absenceCounter[s] = 32767; });
    }

    void LayoutForThreeScreens() {
        const QRect design = QRect(162, 85, 103, 51);  // Image1
        {
            MainWindow wide(kBin, {1280, 800});  // the layout file, no scaling
            const auto ini = LayoutIni::Load((kBin + "/Einstellungen/1280x800.ini").toStdString());
            QCOMPARE(wide.findChild<QWidget*>("ZeroButton")->geometry(), QRect(178, 13, 346, 64));
            const QRect chip = wide.findChild<QWidget*>("Images17")->geometry();
            QCOMPARE(chip.left(), ini.ValueOr("ImagesLeft", "Images17", -1));
            QCOMPARE(chip.top(), ini.ValueOr("ImagesTop", "Images17", -1));
            QVERIFY(wide.findChild<QWidget*>("Image17")->geometry().contains(chip.center()));
        }
        {
            MainWindow tall(kBin, {1280, 1024});  // design layout scaled by 1280/1152
            const QRect r = tall.findChild<QWidget*>("Image1")->geometry();
            QCOMPARE(r, QRect(162 * 1280 / 1152, 85 * 1280 / 1152, 103 * 1280 / 1152, 51 * 1280 / 1152));
        }
        {
            // Ratio 1.44: not wide, the file is not read (the window is the same without it).
            QTemporaryDir noFile;
            MainWindow almost(kBin, {1440, 1000}), without(noFile.path(), {1440, 1000});
            const QRect r = almost.findChild<QWidget*>("Image1")->geometry();
            QCOMPARE(r, without.findChild<QWidget*>("Image1")->geometry());
            QVERIFY(r.width() > design.width() && r.left() > design.left());
        }
        MainWindow form(kBin, kDesignScreen);
        auto* grid = form.findChild<QTableWidget*>("StringGrid1");
        QCOMPARE(grid->columnWidth(0), 67 * 37 / 100 - 1);
        QCOMPARE(grid->columnWidth(1), 67 * 20 / 100);
        QCOMPARE(grid->rowHeight(0), 423 / 20);
        // The covers take the mouse from the grid and the list.
        QCOMPARE(form.findChild<QWidget*>("TransparentCover1")->geometry(), grid->geometry());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
