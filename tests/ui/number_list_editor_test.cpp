// SPDX-License-Identifier: GPL-3.0-or-later
// The number list editor, offscreen: pages, buttons, keys across grids and pages, deletion and the close.
#include "ui/number_list_editor.h"

#include <QAction>
#include <QLabel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <vector>

#include "app/window_wiring.h"
#include "ui/main_window.h"
#include "ui/table_geometry.h"

using namespace zentora;

namespace {

const QString kBin = ZENTORA_BIN_DIR;

Permanence Spins(std::size_t count) {
    std::vector<std::uint8_t> oldestFirst(count);
    for (std::size_t i = 0; i < count; ++i) oldestFirst[i] = static_cast<std::uint8_t>((i * 7) % 37);
    return Permanence::FromOldestFirst(oldestFirst);
}

QString Cell(NumberListEditor& editor, int grid, int row, int column) {
    QTableView* view = editor.Grid(grid);
    return view->model()->index(row, column).data().toString();
}

bool Shown(NumberListEditor& editor, const QString& name) {
    QWidget* w = editor.findChild<QWidget*>(name);
    return w && w->isVisible();
}

void Click(NumberListEditor& editor, const QString& name) {
    QWidget* w = editor.findChild<QWidget*>(name);
    QVERIFY2(w && w->isVisible(), qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void WritePermanenceFile(const QString& path, const std::vector<std::uint8_t>& newestFirst) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(newestFirst.data()), std::streamsize(newestFirst.size()));
}

}  // namespace

class NumberListEditorTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void FiveSpinsInGridOne() {
        Permanence p = Spins(5);
        NumberListEditor editor(p, kBin);
        editor.show();
        QVERIFY(Shown(editor, "StringGrid1"));
        QVERIFY(Shown(editor, "JvPanel1"));
        for (int g = 2; g <= 7; ++g) QVERIFY(!Shown(editor, QString("StringGrid%1").arg(g)));
        QCOMPARE(editor.Grid(0)->model()->columnCount(), 5);
        for (int c = 0; c < 5; ++c) QCOMPARE(Cell(editor, 0, 0, c), QString::number(c + 1));
        // The most recent spin at the right, the oldest at the left.
        QCOMPARE(Cell(editor, 0, 1, 4), QString::number(p[0]));
        QCOMPARE(Cell(editor, 0, 1, 0), QString::number(p[4]));
        QCOMPARE(editor.Grid(0)->width(), ListGridPixelWidth(25, 5));
        QCOMPARE(editor.findChild<QLabel*>("Label1")->text(), QString("Runde:"));
        QCOMPARE(editor.findChild<QLabel*>("Label8")->text(), QString("Zahl:"));
        for (int b = 1; b <= 8; ++b) QCOMPARE(Shown(editor, QString("JvImage%1").arg(b)), b >= 7);
    }

    void ButtonsShownByLength_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("paging");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("259") << 259 << false << false;
        QTest::newRow("260") << 260 << true << false;
        QTest::newRow("10999") << 10999 << true << false;
        QTest::newRow("11000") << 11000 << true << true;
    }
    void ButtonsShownByLength() {
        QFETCH(int, length);
        QFETCH(bool, paging);
        QFETCH(bool, jumps);
        Permanence p = Spins(length);
        NumberListEditor editor(p, kBin);
        editor.show();
        for (const char* name : {"JvImage1", "JvImage2", "JvImage3", "JvImage4"})
            QCOMPARE(Shown(editor, name), paging);
        QCOMPARE(Shown(editor, "JvImage5"), jumps);
        QCOMPARE(Shown(editor, "JvImage6"), jumps);
        QVERIFY(Shown(editor, "JvImage7"));
        QVERIFY(Shown(editor, "JvImage8"));
    }

    void ThousandSpinsOpenAtTheEnd() {
        Permanence p = Spins(1000);
        NumberListEditor editor(p, kBin);
        editor.show();
        QCOMPARE(editor.Page().columnWidth, 30);
        for (int g = 0; g < 7; ++g) {
            QVERIFY(editor.Grid(g)->isVisible());
            QCOMPARE(editor.Grid(g)->model()->columnCount(), 25);
            QCOMPARE(editor.Grid(g)->width(), ListGridPixelWidth(30, 25));
        }
        QCOMPARE(Cell(editor, 0, 0, 0), QString("826"));
        QCOMPARE(Cell(editor, 6, 0, 24), QString("1000"));
        QCOMPARE(Cell(editor, 6, 1, 24), QString::number(p[0]));

        // Paging with the buttons: to the start, forward, back to the end.
        Click(editor, "JvImage3");
        QCOMPARE(Cell(editor, 0, 0, 0), QString("1"));
        QCOMPARE(Cell(editor, 6, 0, 29), QString("210"));
        Click(editor, "JvImage2");
        QCOMPARE(Cell(editor, 0, 0, 0), QString("211"));
        Click(editor, "JvImage1");
        QCOMPARE(Cell(editor, 6, 0, 29), QString("210"));
        Click(editor, "JvImage4");
        QCOMPARE(Cell(editor, 6, 0, 24), QString("1000"));
    }

    void DeletingTheOnlySpinOfTheLastGridHidesIt() {
        Permanence p = Spins(61);
        const std::uint8_t second = p[1];
        NumberListEditor editor(p, kBin);
        editor.show();
        QVERIFY(Shown(editor, "StringGrid3"));
        editor.SelectCell(2, 0);
        QCOMPARE(editor.SelectedSpin(), 61);
        Click(editor, "JvImage7");
        QCOMPARE(p.size(), 60u);
        QCOMPARE(p[0], second);
        QVERIFY(!Shown(editor, "StringGrid3"));
        QVERIFY(!Shown(editor, "JvPanel3"));
        // The selection moves to the spin before it, the last column of grid 2.
        QCOMPARE(editor.SelectedSpin(), 60);
        QCOMPARE(editor.Grid(1)->currentIndex().column(), 29);
        QVERIFY(editor.Changed());
    }

    // Paging by mouse or by keys on the picture buttons leaves the grid with the selection: the cell shown
    // selected is on the page, and "Zahl entfernen" removes exactly that spin.
    void PagingThenDeletingRemovesTheSpinShownSelected_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("byKeys");
        QTest::addColumn<int>("spin");  // selected after paging
        // 300 spins at width 25: the page at the end shows 91..300, the first page 1..210.
        QTest::newRow("Anfang") << QStringList{"JvImage3"} << false << 210;
        QTest::newRow("Zurück") << QStringList{"JvImage1"} << false << 210;
        QTest::newRow("Anfang, Vorwärts") << QStringList{"JvImage3", "JvImage2"} << false << 300;
        QTest::newRow("Anfang, Ende") << QStringList{"JvImage3", "JvImage4"} << false << 300;
        QTest::newRow("Anfang by keys") << QStringList{"JvImage3"} << true << 210;
    }
    void PagingThenDeletingRemovesTheSpinShownSelected() {
        QFETCH(QStringList, buttons);
        QFETCH(bool, byKeys);
        QFETCH(int, spin);
        Permanence p = Spins(300);
        std::vector<std::uint8_t> expected = p.NewestFirst();
        NumberListEditor editor(p, kBin);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.SelectCell(6, 29);  // spin 300, in the last column of grid 7
        const auto press = [&](const QString& name) {
            QWidget* button = editor.findChild<QWidget*>(name);
            if (!byKeys) {
                Click(editor, name);
                return;
            }
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
        };
        for (const QString& button : buttons) press(button);
        if (!byKeys) QVERIFY(editor.Grid(6)->hasFocus());
        QCOMPARE(editor.SelectedSpin(), spin);
        QCOMPARE(Cell(editor, 6, 0, editor.Grid(6)->currentIndex().column()), QString::number(spin));
        // The selected cell shows its yellow frame down its left edge.
        const QRect cell = editor.Grid(6)->visualRect(editor.Grid(6)->currentIndex());
        const QImage image = editor.Grid(6)->viewport()->grab().toImage();
        int yellow = 0;
        for (int y = cell.top() + 2; y < cell.bottom() - 2; ++y)
            for (int x = cell.left(); x <= cell.left() + 2; ++x)
                if (image.pixelColor(x, y) == QColor(Qt::yellow)) ++yellow;
        QVERIFY2(yellow >= cell.height() / 2, qPrintable(QString::number(yellow)));

        press("JvImage7");
        expected.erase(expected.begin() + (300 - spin));
        QCOMPARE(p.NewestFirst(), expected);
    }

    void EmptyPermanenceShowsOnlyTheMessage() {
        Permanence p = Spins(1);
        NumberListEditor editor(p, kBin);
        editor.show();
        Click(editor, "JvImage7");
        QVERIFY(p.empty());
        for (int g = 1; g <= 7; ++g) QVERIFY(!Shown(editor, QString("StringGrid%1").arg(g)));
        QVERIFY(!Shown(editor, "JvImage7"));
        // Yellow text on the row 40 pixels above the middle.
        const QImage image = editor.grab().toImage();
        const int y = image.height() / 2 - 40;
        int yellow = 0;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::yellow)) ++yellow;
        QVERIFY(yellow > 10);
    }

    void KeysAcrossGridsAndPages() {
        Permanence p = Spins(300);  // width 25: the page at the end shows spins 91..300
        NumberListEditor editor(p, kBin);
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        struct Step {
            int grid, column, key;
            int toGrid, toColumn;
            int spin;  // selected spin afterwards
        };
        const Step steps[] = {
            {1, 0, Qt::Key_Left, 0, 29, 120},    // to the end of the grid above
            {0, 5, Qt::Key_Left, 0, 4, 95},      // within the grid
            {3, 5, Qt::Key_Up, 2, 5, 156},       // same column one grid up
            {0, 5, Qt::Key_Up, 0, 5, 96},        // grid 1 stays
            {2, 29, Qt::Key_Right, 3, 0, 181},   // to the start of the next grid
            {2, 7, Qt::Key_Down, 3, 7, 188},     // same column one grid down
            {6, 7, Qt::Key_Down, 6, 7, 278},     // grid 7 stays
            {6, 29, Qt::Key_Right, 6, 29, 300},  // the last spin: nothing further
            {0, 0, Qt::Key_Left, 6, 29, 210},    // previous page: spins 1..210
            {0, 0, Qt::Key_Left, 0, 0, 1},       // the first spin: nothing further
            {6, 29, Qt::Key_Right, 0, 0, 91},    // next page: spins 91..300 again
        };
        for (const Step& s : steps) {
            editor.SelectCell(s.grid, s.column);
            QTest::keyClick(editor.Grid(s.grid), Qt::Key(s.key));
            const QString where =
                QString("grid %1 column %2 key %3").arg(s.grid + 1).arg(s.column).arg(s.key);
            QVERIFY2(editor.Grid(s.toGrid)->hasFocus(), qPrintable(where));
            QCOMPARE(editor.Grid(s.toGrid)->currentIndex().column(), s.toColumn);
            QCOMPARE(editor.Grid(s.toGrid)->currentIndex().row(), 1);
            QCOMPARE(editor.SelectedSpin(), s.spin);
        }

        // Down stops where the next grid is hidden or too short.
        Permanence shortList = Spins(40);  // grid 1: 30 spins, grid 2: 10
        NumberListEditor small(shortList, kBin);
        small.show();
        QVERIFY(QTest::qWaitForWindowActive(&small));
        small.SelectCell(0, 20);
        QTest::keyClick(small.Grid(0), Qt::Key_Down);
        QVERIFY(small.Grid(0)->hasFocus());
        small.SelectCell(1, 9);
        QTest::keyClick(small.Grid(1), Qt::Key_Right);
        QVERIFY(small.Grid(1)->hasFocus());
        QCOMPARE(small.SelectedSpin(), 40);
    }

    // Closing goes through the main window as the menu opens it.
    void CloseRunsNewOrReplayOnlyAfterADeletion() {
        QTemporaryDir dir;
        const QString file = dir.filePath("spiel.prm");
        WritePermanenceFile(file, {17});
        MainWindow form(kBin, kDesignScreen);
        NumberListEditor editor(form.Session().State().permanence, kBin, &form);
        ConnectNumberListEditor(form, editor);
        form.OpenPermanence(file);
        QCOMPARE(form.PermanenceFileName(), file);
        // A value a replay would recompute: untouched unless the close replays.
        form.Session().State().hitCounter[0] = 12345;

        editor.show();
        Click(editor, "JvImage8");
        QVERIFY(!editor.isVisible());
        QCOMPARE(form.Session().State().hitCounter[0], 12345);
        QCOMPARE(form.PermanenceFileName(), file);
        QCOMPARE(form.findChild<QLabel*>("Label37")->text(), QString("1"));

        editor.show();
        QVERIFY(!editor.Changed());
        Click(editor, "JvImage7");
        QVERIFY(form.Session().GetPermanence().empty());
        Click(editor, "JvImage8");
        // New: the remembered file name is gone, the counters are reset, the labels redrawn.
        QVERIFY(form.PermanenceFileName().isEmpty());
        QCOMPARE(form.Session().State().hitCounter[0], 0);
        QCOMPARE(form.findChild<QLabel*>("Label37")->text(), QString("0"));
    }

    void CloseAfterADeletionReplays() {
        QTemporaryDir dir;
        const QString file = dir.filePath("spiel.prm");
        WritePermanenceFile(file, {5, 0, 17});
        MainWindow form(kBin, kDesignScreen);
        NumberListEditor editor(form.Session().State().permanence, kBin, &form);
        ConnectNumberListEditor(form, editor);
        form.OpenPermanence(file);
        form.Session().State().hitCounter[0] = 12345;

        editor.show();
        editor.SelectCell(0, 1);  // spin 2: the zero
        Click(editor, "JvImage7");
        editor.close();
        QCOMPARE(form.Session().GetPermanence().NewestFirst(), (std::vector<std::uint8_t>{5, 17}));
        PlaySession reference;
        reference.State().settings = form.Session().State().settings;
        reference.ReplacePermanence({5, 17});
        QVERIFY(form.Session().State().hitCounter == reference.State().hitCounter);
        QVERIFY(form.Session().State().absenceCounter == reference.State().absenceCounter);
        QCOMPARE(form.PermanenceFileName(), file);
        QCOMPARE(form.findChild<QLabel*>("Label37")->text(), QString("2"));
        // The page is gone with the close.
        for (int g = 0; g < 7; ++g) QVERIFY(editor.Grid(g)->isHidden());
    }

    void CaptionsFollowTheLanguage() {
        MainWindow form(kBin, kDesignScreen);
        Permanence p;
        NumberListEditor editor(p, kBin, &form);
        ConnectNumberListEditor(form, editor);
        const auto caption = [&](const char* name) {
            return editor.findChild<QLabel*>(name)->property("caption").toString();
        };
        form.ChooseLanguage(form.findChild<QAction*>("Sprache2"));
        QCOMPARE(editor.findChild<QLabel*>("Label8")->text(), QString("Number:"));
        QCOMPARE(caption("JvImage8"), QString("Exit"));
        QVERIFY(caption("JvImage7").startsWith("Number"));
        form.ChooseLanguage(form.findChild<QAction*>("Sprache0"));
        QCOMPARE(editor.findChild<QLabel*>("Label8")->text(), QString("Zahl:"));
        QCOMPARE(caption("JvImage7"), QString("Zahl entfernen"));
        QCOMPARE(caption("JvImage1"), QString::fromUtf8("Zurück"));
        QCOMPARE(caption("JvImage5"), QString("10000"));
    }
};

QTEST_MAIN(NumberListEditorTest)
#include "number_list_editor_test.moc"
