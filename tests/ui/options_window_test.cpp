// SPDX-License-Identifier: GPL-3.0-or-later
// The options window through its widgets, offscreen.
#include "ui/options/options_window.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ui/charts/evaluation_chart.h"
#include "ui/charts/statistics_chart.h"
#include "ui/options/option_fields.h"

using namespace zentora;

class OptionsWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> root_;
    AppliedSettings applied_;
    std::unique_ptr<OptionsWindow> form_;

    OptionsModel& Model() { return form_->Model(); }
    FieldSpinBox* Spin(const char* name) { return form_->findChild<FieldSpinBox*>(name); }
    QAbstractButton* Button(const char* name) { return form_->findChild<QAbstractButton*>(name); }
    int Value(const char* name) { return Model().Value(name); }
    QString Text(const char* name) { return Spin(name)->findChild<QLineEdit*>()->text(); }

    // Types into a field as the user does: focus, replace the text, keys one by one.
    void Type(const char* name, const QString& text) {
        FieldSpinBox* spin = Spin(name);
        QVERIFY2(spin, name);
        QVERIFY(spin->isVisible());
        spin->setFocus(Qt::TabFocusReason);
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Backspace);
        QTest::keyClicks(spin, text);
    }
    // Leaves the focused field by moving the focus on, as a click elsewhere does.
    void LeaveField() { form_->Tabs()->setFocus(Qt::MouseFocusReason); }
    void ShowRateBlocks() {
        if (!Model().RateBlocksShown()) QTest::mouseClick(Button("SpeedButton1"), Qt::LeftButton);
        QVERIFY(Model().RateBlocksShown());
    }
    void OpenForm() {
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

  private Q_SLOTS:
    void init() {
        root_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(root_->path()).mkpath("Einstellungen"));
        applied_ = {};
        form_ = std::make_unique<OptionsWindow>(root_->path(), applied_);
        form_->showMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        OpenForm();
    }
    void cleanup() {
        form_.reset();
        root_.reset();
    }

    void everyFieldHasItsWidget() {
        for (FieldId id = 0; id < Model().FieldCount(); ++id) {
            const QString name = QString::fromStdString(Model().Field(id).name);
            QVERIFY2(form_->findChild<QWidget*>(name), qPrintable(name));
        }
        QCOMPARE(form_->Tabs()->count(), 6);
        QCOMPARE(form_->size(), QSize(757, 645));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Zentora Optionsfenster"));
    }

    void tabChangeApplies() {
        Type("A137", "5");
        LeaveField();
        QCOMPARE(applied_.Of(GroupId::G137).initialStake, 1);  // not yet applied
        form_->Tabs()->setCurrentIndex(2);
        QCOMPARE(applied_.Of(GroupId::G137).initialStake, 5);
        QCOMPARE(form_->Tabs()->property("helpContext").toInt(), 32);
        QVERIFY(!Button("SpeedButton1")->isVisible());
    }

    void okWithoutUebernehmenReopensWithDataIni() {
        Type("A137", "4");
        QTest::mouseClick(Button("Button1"), Qt::LeftButton);  // Übernehmen: applied and saved
        QVERIFY(QFile::exists(form_->DataIniPath()));
        Type("A137", "6");
        QTest::mouseClick(Button("Button8"), Qt::LeftButton);  // OK: applied, not saved
        QVERIFY(!form_->isVisible());
        QCOMPARE(applied_.Of(GroupId::G137).initialStake, 6);
        OpenForm();
        QCOMPARE(Text("A137"), QStringLiteral("4"));
        QCOMPARE(Value("A137"), 4);
    }

    void abbrechenKeepsWhatATabChangeApplied() {
        Type("Chance137blau", "12");
        form_->Tabs()->setCurrentIndex(1);
        form_->Tabs()->setCurrentIndex(0);
        Type("Chance137blau", "20");
        QTest::mouseClick(Button("Button2"), Qt::LeftButton);  // Abbrechen
        QVERIFY(!form_->isVisible());
        QCOMPARE(applied_.Of(GroupId::G137).absenceHigh, 12);
        QCOMPARE(Value("Chance137blau"), 1);  // no data.ini: the lower bound
    }

    void switchesEnableAndDisableTheirFields() {
        ShowRateBlocks();
        struct Case {
            bool absence, rate;
            bool abRunde, row, block;
        };
        const Case cases[] = {{true, true, true, true, true},
                              {true, false, true, true, false},
                              {false, true, false, true, true},
                              {false, false, false, false, false}};
        for (const Case& c : cases) {
            for (auto [name, on] : {std::pair{"CheckBox7", c.absence}, std::pair{"CheckBox41", c.rate}}) {
                QAbstractButton* sw = Button(name);
                if (sw->isChecked() != on) sw->click();
                QCOMPARE(Model().Checked(sw == Button("CheckBox7") ? 7 : 41), on);
            }
            QCOMPARE(Spin("Chance637blau")->isEnabled(), c.abRunde);
            QCOMPARE(Spin("Chance637pink")->isEnabled(), c.row);
            QCOMPARE(form_->findChild<QWidget*>("E637")->isEnabled(), c.row);
            QCOMPARE(Spin("A637")->isEnabled(), c.row);
            QCOMPARE(Spin("AbRunde637")->isEnabled(), c.block);
            QCOMPARE(Spin("BisRunde63712")->isEnabled(), c.block);
            QCOMPARE(Spin("V6371")->isEnabled(), c.block);
            QVERIFY(!Spin("B6371")->isEnabled());
        }
        // The split choices follow CheckBox32; a disabled check box keeps its tick.
        QAbstractButton* split = Button("CheckBox32");
        QVERIFY(split->isChecked() && Button("CheckBox31")->isEnabled());
        split->click();
        QVERIFY(!Button("CheckBox31")->isEnabled());
        QVERIFY(Button("CheckBox31")->isChecked());
    }

    void rateBlocksToggleWithCaption() {
        QVERIFY(Spin("Chance137blau")->isVisible());
        QVERIFY(!Spin("BisRunde1371")->isVisible());
        QCOMPARE(Button("SpeedButton1")->text(), QStringLiteral("Permanenzeinstellung"));
        ShowRateBlocks();
        QVERIFY(Spin("BisRunde1371")->isVisible());
        QVERIFY(!Spin("Chance137blau")->isVisible());
        QCOMPARE(Button("SpeedButton1")->text(), QStringLiteral("Prozenteinstellung"));
        QCOMPARE(form_->findChild<QLabel*>("Label178")->text(), QStringLiteral("Bis Runde(1):"));
        QCOMPARE(form_->findChild<QLabel*>("Label237")->text(), QStringLiteral("Bis Runde(12):"));
    }

    void leavingBisRundeRepairsTheOrder() {
        ShowRateBlocks();
        const int bis[12] = {5, 6, 7, 20, 21, 22, 23, 24, 25, 26, 27, 28};
        Model().Set("AbRunde237", 3);
        for (int n = 12; n >= 1; --n) Model().Set("BisRunde237" + std::to_string(n), bis[n - 1]);
        Type("BisRunde2371", "10");
        QCOMPARE(Value("BisRunde2372"), 6);  // nothing runs before the field is left
        LeaveField();
        QCOMPARE(Value("BisRunde2372"), 11);
        QCOMPARE(Value("BisRunde2373"), 12);
        QCOMPARE(Value("BisRunde2374"), 20);
        QCOMPARE(Value("AbRunde237"), 3);
        QCOMPARE(Text("BisRunde2373"), QStringLiteral("12"));
    }

    // The leave rule sees the typed value; the field is clamped only afterwards.
    void outOfRangeValueClampedAfterTheLeaveRule() {
        Type("Chance237pink", "0");
        QCOMPARE(Value("Chance237pink"), 0);  // typed, not clamped
        LeaveField();
        QCOMPARE(Model().Field(Model().Find("AbRunde237")).lower, 2);  // start minimum rule with h = 0
        QCOMPARE(Value("Chance237pink"), 1);
        QCOMPARE(Text("Chance237pink"), QStringLiteral("1"));
    }

    void digitFilterDropsLetters() {
        Type("Chance137blau", "1a2-b");
        QCOMPARE(Text("Chance137blau"), QStringLiteral("12"));
        // No filter on Chance537blau: letters stay and read as the lower bound.
        Type("Chance537blau", "7x");
        QCOMPARE(Text("Chance537blau"), QStringLiteral("7x"));
        QCOMPARE(Value("Chance537blau"), 1);
    }

    void startKeyFilterOfFirstRows() {
        ShowRateBlocks();
        Type("AbRunde137", "37");
        QTest::keyClick(Spin("AbRunde137"), Qt::Key_Left);  // dropped: the cursor stays at the end
        QTest::keyClick(Spin("AbRunde137"), Qt::Key_5);
        QCOMPARE(Text("AbRunde137"), QStringLiteral("375"));
        QTest::keyClick(Spin("AbRunde137"), Qt::Key_Up);  // stepping still works
        QCOMPARE(Value("AbRunde137"), 376);
        // Other rows keep their navigation keys.
        Type("AbRunde237", "37");
        QTest::keyClick(Spin("AbRunde237"), Qt::Key_Left);
        QTest::keyClick(Spin("AbRunde237"), Qt::Key_5);
        QCOMPARE(Text("AbRunde237"), QStringLiteral("357"));
    }

    void minimum1SetsTheStakeLowerBounds() {
        form_->Tabs()->setCurrentIndex(2);
        Type("Minimum1", "5");
        QCOMPARE(Model().Field(Model().Find("A137")).lower, 5);
        QCOMPARE(Model().Field(Model().Find("AN11")).lower, 5);
        QCOMPARE(Model().Field(Model().Find("A1837")).lower, 1);  // Minimum2's
        QCOMPARE(Value("A137"), 1);                               // only the bound moved
        LeaveField();
        form_->Tabs()->setCurrentIndex(0);
        Type("A137", "2");
        LeaveField();
        QCOMPARE(Value("A137"), 5);
        form_->Tabs()->setCurrentIndex(2);
        QTest::mouseClick(Button("Button9"), Qt::LeftButton);  // every stake to its minimum
        QCOMPARE(Value("A437P"), 5);
    }

    void optionFileDialogs() {
        const QString file = QDir(root_->path()).filePath("Einstellungen/meine.opd");
        bool sawSave = false;
        form_->fileDialogHook = [&](QFileDialog& dialog) {
            const bool save = dialog.acceptMode() == QFileDialog::AcceptSave;
            sawSave |= save;
            if (dialog.directory().absolutePath() != QDir(form_->OptionsFolder()).absolutePath())
                return false;
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            if (!types || types->count() != 2 || types->itemText(0) != "Optionsdateien(*.opd)" ||
                types->itemText(1) != "Alle Dateien (*.*)")
                return false;
            if (dialog.defaultSuffix() != "opd") return false;
            if (!dialog.testOption(QFileDialog::DontUseNativeDialog)) return false;
            if (save && (dialog.testOption(QFileDialog::DontConfirmOverwrite) ||
                         dialog.findChild<QLineEdit*>("fileNameEdit")->text() != "Optionsdateie.opd"))
                return false;
            dialog.selectFile(file);
            return true;
        };
        form_->Tabs()->setCurrentIndex(3);
        const int applied = applied_.maximum12;
        Model().Set("Maximum12", 77);
        QTest::mouseClick(Button("Button16"), Qt::LeftButton);
        QVERIFY(sawSave);
        QVERIFY(QFile::exists(file));
        Model().Set("Maximum12", 5);
        QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        QCOMPARE(Value("Maximum12"), 77);
        QCOMPARE(applied_.maximum12, applied);  // loading does not apply

        form_->fileDialogHook = [](QFileDialog&) { return false; };  // cancelled: nothing changes
        Model().Set("Maximum12", 9);
        QTest::mouseClick(Button("Button3"), Qt::LeftButton);
        QCOMPARE(Value("Maximum12"), 9);
    }

    // Both chart tabs carry the same tools; each tool acts on its own tab's chart only.
    void chartToolsActOnTheirOwnChart() {
        struct Tools {
            int tab;
            ChartView* chart;
            ChartView* other;
            const char *zoomIn, *zoomOut, *reset, *picture;
        };
        const Tools tabs[] = {{4, form_->StatisticsView(), form_->EvaluationView(), "BitBtn1", "BitBtn2",
                               "Button5", "Button12"},
                              {5, form_->EvaluationView(), form_->StatisticsView(), "BitBtn3", "BitBtn4",
                               "Button7", "Button13"}};
        for (const Tools& t : tabs) {
            form_->Tabs()->setCurrentIndex(t.tab);
            QTest::mouseClick(Button(t.reset), Qt::LeftButton);
            const QCPRange home = t.chart->xAxis->range();
            const QCPRange other = t.other->xAxis->range();
            QTest::mouseClick(Button(t.zoomIn), Qt::LeftButton);
            QVERIFY(qAbs(t.chart->xAxis->range().size() - home.size() / 1.2) < 1e-9);
            QTest::mouseClick(Button(t.zoomOut), Qt::LeftButton);
            QVERIFY(qAbs(t.chart->xAxis->range().size() - home.size() / 1.2 / 0.8) < 1e-9);
            QCOMPARE(t.other->xAxis->range(), other);
            QTest::mouseClick(Button(t.reset), Qt::LeftButton);
            QCOMPARE(t.chart->xAxis->range(), home);

            const QString file = QDir(root_->path()).filePath(QStringLiteral("chart%1.bmp").arg(t.tab));
            form_->fileDialogHook = [&](QFileDialog& dialog) {
                dialog.selectFile(file);
                return true;
            };
            QTest::mouseClick(Button(t.picture), Qt::LeftButton);
            QCOMPARE(QImageReader(file).size(), t.chart->size());
        }
    }

    // Not a test: with ZENTORA_SCREENSHOTS=<folder> it saves a picture of every tab there.
    void screenshots() {
        const QByteArray folder = qgetenv("ZENTORA_SCREENSHOTS");
        if (folder.isEmpty()) QSKIP("ZENTORA_SCREENSHOTS not set");
        for (int t = 0; t < 6; ++t) {
            form_->Tabs()->setCurrentIndex(t);
            QTest::qWait(50);
            QVERIFY(form_->grab().save(QDir(QString::fromLocal8Bit(folder))
                                           .filePath(QStringLiteral("options-tab%1.png").arg(t + 1))));
        }
        ShowRateBlocks();
        for (int t = 0; t < 2; ++t) {
            form_->Tabs()->setCurrentIndex(t);
            QTest::qWait(50);
            QVERIFY(form_->grab().save(QDir(QString::fromLocal8Bit(folder))
                                           .filePath(QStringLiteral("options-tab%1-rates.png").arg(t + 1))));
        }
    }
};

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
