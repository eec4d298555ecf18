// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation and statistics charts of the options window, offscreen.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>

#include "evaluation/money_evaluation.h"
#include "statistics/statistics.h"
#include "ui/charts/chart_workers.h"
#include "ui/charts/evaluation_chart.h"
#include "ui/charts/labelled_graph.h"
#include "ui/charts/statistics_chart.h"
#include "ui/options/options_window.h"

using namespace zentora;

namespace {

std::vector<std::uint8_t> NewestFirst(std::vector<std::uint8_t> oldestFirst) {
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    return oldestFirst;
}

std::vector<double> Keys(const QCPGraph* graph) {
    std::vector<double> keys;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
        keys.push_back(it->key);
    return keys;
}

std::vector<double> Values(const QCPGraph* graph) {
    std::vector<double> values;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
        values.push_back(it->value);
    return values;
}

// Holds the worker runs of one kind until released; a cancelled run lets go by itself.
struct Gate {
    std::atomic<bool> holdEvaluation{false}, holdStatistics{false};
    std::atomic<bool> failEvaluation{false};
    void Pass(ChartWorker& thread) {
        const bool evaluation = qobject_cast<MoneyEvaluationWorker*>(&thread) != nullptr;
        if (evaluation && failEvaluation) throw std::runtime_error("Kein Speicher mehr frei");
        std::atomic<bool>& hold = evaluation ? holdEvaluation : holdStatistics;
        while (hold && !thread.CancelRequested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

}  // namespace

class ChartsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> root_;
    AppliedSettings applied_;
    std::unique_ptr<OptionsWindow> form_;
    std::vector<std::uint8_t> permanence_;  // newest first
    QStringList messages_;
    Gate gate_;

    OptionsModel& Model() { return form_->Model(); }
    QAbstractButton* Button(const char* name) { return form_->findChild<QAbstractButton*>(name); }
    void Click(const char* name) {
        QAbstractButton* button = Button(name);
        QVERIFY2(button, name);
        QVERIFY2(button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EvaluationChart* Chart2() { return form_->EvaluationView(); }
    StatisticsChart* Chart1() { return form_->StatisticsView(); }

    // A quiet system: every rule off but the absence rule of the even chances, which plays the three other
    // even chances with 1 right after a miss.
    void EvenChancesAfterAMiss() {
        for (int k = 1; k <= kOptionFlagCount; ++k) Model().Set(Model().CheckBox(k), 0);
        const GroupFields& f = Model().Fields(GroupId::G1837);
        Model().Set(f.absenceSwitch, 1);
        Model().Set(f.abRunde, 1);
        Model().Set(f.soOft, 1);
        Model().Set(f.technique, 0);
        Model().Set(Model().Minimum2(), 1);
        Model().Set(f.stake, 1);
        for (FieldId m : Model().Maxima()) Model().Set(m, 1000);
        form_->ApplySettings();
    }
    void Evaluate() {
        form_->Tabs()->setCurrentIndex(5);
        Click("Button14");
        QTRY_VERIFY_WITH_TIMEOUT(!form_->EvaluationPending(), 20000);
    }
    void Statistics(int groupButton, int kindButton) {
        form_->Tabs()->setCurrentIndex(4);
        Click(qPrintable(QStringLiteral("RadioButton%1").arg(groupButton)));
        Click(qPrintable(QStringLiteral("RadioButton%1").arg(kindButton)));
        Click("Button15");
        QTRY_VERIFY_WITH_TIMEOUT(!form_->StatisticsPending(), 20000);
    }
    StatisticsResult Expected(GroupId group, StatisticsKind kind) {
        return ComputeStatistics(permanence_, group, kind, applied_, TakeLiveSettings(Model()));
    }

  private Q_SLOTS:
    void init() {
        root_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(root_->path()).mkpath("Einstellungen"));
        applied_ = {};
        permanence_.clear();
        messages_.clear();
        gate_.holdEvaluation = gate_.holdStatistics = gate_.failEvaluation = false;
        form_ = std::make_unique<OptionsWindow>(root_->path(), applied_);
        form_->showMessage = [this](const QString& text) { messages_ << text; };
        form_->permanence = [this] { return permanence_; };
        form_->workerHook = [this](ChartWorker& thread) { gate_.Pass(thread); };
        form_->resize(1000, 700);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup() {
        gate_.holdEvaluation = gate_.holdStatistics = false;
        form_.reset();
        root_.reset();
    }

    void evaluationFillsTheBalanceAndTheLimitLines() {
        EvenChancesAfterAMiss();
        permanence_ = NewestFirst({5, 20, 0});
        Evaluate();
        QVERIFY(Chart2()->BalanceSeries());
        QCOMPARE(Keys(Chart2()->BalanceSeries()), (std::vector<double>{1, 2, 3}));
        QCOMPARE(Values(Chart2()->BalanceSeries()), (std::vector<double>{-3, 0, -3}));
        QCOMPARE(Chart2()->BalanceSeries()->pen().color(), QColor(255, 0, 0));  // colour 1
        // Button "1": one period over the whole curve.
        QCOMPARE(Values(Chart2()->HighLine()), (std::vector<double>{0, 0}));
        QCOMPARE(Values(Chart2()->LowLine()), (std::vector<double>{-3, -3}));
        QVERIFY(form_->findChild<QLabel*>("EvaluationSummary")->text().contains("Gesetzt: 9"));
        QVERIFY(form_->WindowEnabled());
        QVERIFY(!form_->findChild<QWidget*>("JvPanel1")->isVisible());

        // 100 spins divided by button "3": periods of 33, 33, 33 and 1 points.
        std::vector<std::uint8_t> spins;
        for (int i = 0; i < 100; ++i) spins.push_back(static_cast<std::uint8_t>((i * 7 + i / 5) % 37));
        permanence_ = NewestFirst(spins);
        Click("Limit100");
        QCOMPARE(form_->LimitDivisor(), 3);
        Evaluate();
        const EvaluationResult expected = EvaluateMoney(permanence_, applied_, TakeLiveSettings(Model()));
        QCOMPARE(Values(Chart2()->BalanceSeries()),
                 std::vector<double>(expected.balance.begin(), expected.balance.end()));
        QCOMPARE(Keys(Chart2()->HighLine()), (std::vector<double>{1, 34, 67, 100}));
        const auto extreme = [&](int first, int count, bool high) {
            const auto begin = expected.balance.begin() + first;
            return double(high ? *std::max_element(begin, begin + count)
                               : *std::min_element(begin, begin + count));
        };
        QCOMPARE(Values(Chart2()->HighLine()),
                 (std::vector<double>{extreme(0, 33, true), extreme(33, 33, true), extreme(66, 33, true),
                                      extreme(99, 1, true)}));
        QCOMPARE(Values(Chart2()->LowLine()).front(), extreme(0, 33, false));
        QCOMPARE(Chart2()->LimitLabels().size(), std::size_t(8));  // each period's value marked, high and low

        Click("Limit1");  // back to one period, without a new run
        QCOMPARE(Keys(Chart2()->HighLine()), (std::vector<double>{1, 100}));
        QCOMPARE(Values(Chart2()->HighLine()).front(), extreme(0, 100, true));
    }

    void markersFollowChancenAnzeigen() {
        EvenChancesAfterAMiss();
        Model().Set(Model().CheckBox(1), 1);  // one chance at a time: markers name it
        Model().Set(Model().SpinSummeMerkField(), -1);
        form_->ApplySettings();
        QVERIFY(Model().Checked(66));
        permanence_ = NewestFirst({5, 20, 0, 7, 9, 11, 13, 0, 2});
        Evaluate();
        LabelledGraph* markers = Chart2()->MarkerSeries();
        QVERIFY(markers);
        QVERIFY(markers->data()->size() > 0);
        QVERIFY(markers->LabelsVisible());
        QVERIFY(std::any_of(markers->Labels().begin(), markers->Labels().end(),
                            [](const QString& l) { return !l.isEmpty(); }));
        QVERIFY(markers->visible());
        Click("CheckBox66");
        QVERIFY(!markers->visible());
        QCOMPARE(applied_.optionFlags[65], std::uint8_t(0));
        Click("CheckBox66");
        QVERIFY(markers->visible());

        // Without a threshold there is nothing to show.
        Model().Set(Model().SpinSummeMerkField(), 0);
        QVERIFY(!Button("CheckBox66")->isEnabled());
        QVERIFY(!markers->visible());
    }

    void maxAbsenceValueLineTakesTheValueOver() {
        // Plein 0 never comes: after 40 spins it has been away 40 spins, longer than any other plein.
        std::vector<std::uint8_t> spins;
        for (int i = 0; i < 40; ++i) spins.push_back(static_cast<std::uint8_t>(1 + i % 36));
        permanence_ = NewestFirst(spins);
        Statistics(3, 31);
        const auto& lines = Chart1()->ValueLines();
        QCOMPARE(lines.size(), std::size_t(1));
        QCOMPARE(Values(lines[0]), (std::vector<double>{40, 40}));
        QCOMPARE(Keys(lines[0]), (std::vector<double>{0, 40}));
        QVERIFY(Chart1()->Graph("StatHighLine"));
        QVERIFY(Chart1()->Graph("SetValueLine"));
        QVERIFY(Chart1()->Graph("SignalLine"));
        QCOMPARE(Chart1()->xAxis->tickLabels(), true);

        Chart1()->replot();
        const QPoint at(int(Chart1()->xAxis->coordToPixel(20)), int(Chart1()->yAxis->coordToPixel(40)));
        QTest::mouseClick(Chart1(), Qt::LeftButton, {}, at);
        QCOMPARE(Model().Value("Chance137blau"), 40);
        bool noted = false;
        for (int i = 0; i < Chart1()->itemCount(); ++i)
            if (auto* text = qobject_cast<QCPItemText*>(Chart1()->item(i)))
                noted |= text->text() == QStringLiteral("Wert übernommen");
        QVERIFY(noted);

        // Another kind has no high line.
        Statistics(3, 32);
        QVERIFY(!Chart1()->Graph("StatHighLine"));
        QVERIFY(Chart1()->ValueLines().empty());
    }

    void minRateDrawsWindowsWithinThePermanence() {
        const GroupFields& f = Model().Fields(GroupId::G137);
        Model().Set(f.rateStart, 37);
        for (int n = 0; n < kRateWindowCount; ++n) Model().Set(f.bisRunde[n], 100 + 50 * n);
        Model().Set(f.soOft, 1);
        form_->ApplySettings();
        std::vector<std::uint8_t> spins;
        for (int i = 0; i < 60; ++i) spins.push_back(static_cast<std::uint8_t>((i * 11) % 37));
        permanence_ = NewestFirst(spins);
        Statistics(3, 45);
        QCOMPARE(Chart1()->ValueLines().size(), std::size_t(1));
        QVERIFY(Chart1()->Series("RateStartLine"));
        QVERIFY(Chart1()->Series("BoundaryLine0"));
        QVERIFY(!Chart1()->Series("BoundaryLine1"));
        QVERIFY(Chart1()->Graph("StatLowLine"));
        const StatisticsResult expected = Expected(GroupId::G137, StatisticsKind::MinRate);
        const double lowest = *std::min_element(expected.y.begin() + 36, expected.y.end());
        QCOMPARE(Keys(Chart1()->ValueLines()[0]), (std::vector<double>{37, 100}));
        QCOMPARE(Values(Chart1()->ValueLines()[0]), (std::vector<double>{lowest, lowest}));
        QVERIFY(messages_.isEmpty());
        // The limit curve runs to the window's end - S, beyond the 60 spins there are.
        const QCPGraph* limit = Chart1()->Graph("LimitCurve0");
        QVERIFY(limit && !limit->data()->isEmpty());
        QCOMPARE((limit->data()->constEnd() - 1)->key, 99.0);

        // A window ending at 9,500,000 holds only the points the view shows, each on the curve, and is
        // sampled again when the view changes.
        Model().Set(f.bisRunde[0], 9500000);
        form_->ApplySettings();
        Statistics(3, 45);
        limit = Chart1()->Graph("LimitCurve0");
        QVERIFY(limit);
        const double v = Model().Value(f.von[0]) / 1000.0;
        const auto onCurve = [&](const QCPGraph* graph) {
            for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it)
                if (it->value != v * (it->key + 1) / it->key) return false;
            return true;
        };
        QCOMPARE((limit->data()->constEnd() - 1)->key, 9499999.0);
        QVERIFY(limit->data()->size() <= std::max(Chart1()->axisRect()->width(), 1000) + 1);
        QVERIFY(onCurve(limit));
        Chart1()->xAxis->setRange(5000000, 5000100);
        QCOMPARE(limit->data()->size(), 101);
        QCOMPARE(limit->data()->constBegin()->key, 5000000.0);
        QVERIFY(onCurve(limit));
        Chart1()->ResetZoom();
        QCOMPARE((limit->data()->constEnd() - 1)->key, 9499999.0);
        Model().Set(f.bisRunde[0], 100);
        form_->ApplySettings();

        // A window starting S spins too early: one message naming the first point.
        Model().Set(f.rateStart, 3);
        Model().Set(f.bisRunde[0], 20);
        Model().Set(f.soOft, 7);
        form_->ApplySettings();
        Statistics(3, 45);
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(messages_[0], QStringLiteral("Fehler von Ab Runde zu Bis Runde(1), der Folgewert muss immer "
                                              "höher sein! (Runde -4)"));
    }

    void emptyPermanenceDrawsEmptyCharts() {
        EvenChancesAfterAMiss();
        Evaluate();
        QVERIFY(Chart2()->BalanceSeries());
        QCOMPARE(Chart2()->BalanceSeries()->data()->size(), 0);
        QCOMPARE(Chart2()->HighLine()->data()->size(), 0);
        QVERIFY(form_->WindowEnabled());
        for (const int kind : {30, 31, 32, 44, 45}) {
            Statistics(3, kind);
            QVERIFY(Chart1()->Graph("StatCurve"));
            QCOMPARE(Chart1()->Graph("StatCurve")->data()->size(), 0);
        }
        QVERIFY(Chart1()->Graph("StatMeanCurve") == nullptr);  // the last run was MinRate
        QVERIFY(messages_.isEmpty());
    }

    void savesTheChartAsABitmapOfItsSize() {
        EvenChancesAfterAMiss();
        permanence_ = NewestFirst({5, 20, 0, 1, 2});
        Evaluate();
        const QString file = QDir(root_->path()).filePath("chart.bmp");
        form_->fileDialogHook = [&](QFileDialog& dialog) {
            [&] { QCOMPARE(dialog.nameFilters(), QStringList{"Bitmap (*.Bmp)"}); }();
            dialog.selectFile(file);
            return true;
        };
        Click("Button13");
        QImageReader reader(file);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QCOMPARE(reader.size(), Chart2()->size());

        form_->fileDialogHook = [](QFileDialog&) { return false; };  // cancelled: nothing written
        QFile::remove(file);
        Click("Button13");
        QVERIFY(!QFile::exists(file));
    }

    void overlappingRunsEndTheirOwnWay() {
        EvenChancesAfterAMiss();
        permanence_ = NewestFirst({5, 20, 0, 7, 9});
        // A statistics run that is still busy when an evaluation starts and ends.
        gate_.holdStatistics = true;
        form_->Tabs()->setCurrentIndex(4);
        Click("Button15");
        QVERIFY(form_->StatisticsPending());
        Evaluate();
        QVERIFY(form_->WindowEnabled());
        QVERIFY(form_->StatisticsPending());
        QVERIFY(!Chart1()->Graph("StatCurve"));
        gate_.holdStatistics = false;
        QTRY_VERIFY(!form_->StatisticsPending());
        QVERIFY(Chart1()->Graph("StatCurve"));
        QCOMPARE(Chart2()->BalanceSeries()->data()->size(), 5);

        // A second "Berechnen" while a run is busy: only the new run fills the chart.
        gate_.holdStatistics = true;
        Click("RadioButton31");
        Click("Button15");
        Click("RadioButton32");
        gate_.holdStatistics = false;
        Click("Button15");
        QTRY_VERIFY(!form_->StatisticsPending());
        QTest::qWait(50);  // the dropped run's end, if it came, must change nothing
        QVERIFY(!Chart1()->Graph("StatHighLine"));
        QVERIFY(Chart1()->ValueLines().empty());
        QCOMPARE(Values(Chart1()->Graph("StatCurve")),
                 Expected(GroupId::G137, StatisticsKind::MeanAbsence).y);
    }

    void cancelAndFailureEnableTheWindowAgain() {
        EvenChancesAfterAMiss();
        permanence_ = NewestFirst({5, 20, 0});
        Evaluate();
        const std::vector<double> before = Values(Chart2()->BalanceSeries());

        permanence_ = NewestFirst({5, 20, 0, 7, 9, 11});
        gate_.holdEvaluation = true;
        form_->Tabs()->setCurrentIndex(5);
        Click("Button14");
        QVERIFY(form_->EvaluationPending());
        QVERIFY(!form_->WindowEnabled());
        QVERIFY(!Button("Button14")->isEnabled());
        QVERIFY(form_->findChild<QWidget*>("JvPanel1")->isVisible());
        form_->reject();  // the window cannot close under a running evaluation
        QVERIFY(form_->isVisible());
        Click("CancelEvaluation");
        QTRY_VERIFY(!form_->EvaluationPending());
        gate_.holdEvaluation = false;
        QVERIFY(form_->WindowEnabled());
        QVERIFY(!form_->findChild<QWidget*>("JvPanel1")->isVisible());
        QCOMPARE(Values(Chart2()->BalanceSeries()), before);
        QVERIFY(messages_.isEmpty());

        gate_.failEvaluation = true;
        Click("Button14");
        QTRY_VERIFY(!form_->EvaluationPending());
        QVERIFY(form_->WindowEnabled());
        QCOMPARE(messages_, QStringList{"Kein Speicher mehr frei"});
        QCOMPARE(Values(Chart2()->BalanceSeries()), before);

        // Closing the window drops every series of both charts.
        form_->reject();
        QVERIFY(!Chart2()->BalanceSeries());
        QCOMPARE(Chart2()->plottableCount(), 0);
        QVERIFY(form_->findChild<QLabel*>("EvaluationSummary")->text().isEmpty());
    }

    void zoomAndReset() {
        EvenChancesAfterAMiss();
        std::vector<std::uint8_t> spins(200);
        for (int i = 0; i < 200; ++i) spins[i] = static_cast<std::uint8_t>((i * 5) % 37);
        permanence_ = NewestFirst(spins);
        Evaluate();
        const QCPRange home = Chart2()->xAxis->range();
        Click("BitBtn3");
        QVERIFY(qAbs(Chart2()->xAxis->range().size() - home.size() / 1.2) < 1e-6);
        Click("BitBtn4");
        QVERIFY(qAbs(Chart2()->xAxis->range().size() - home.size() / 1.2 / 0.8) < 1e-6);
        Click("Button7");
        QCOMPARE(Chart2()->xAxis->range(), home);
    }

    // Not a test: with ZENTORA_SCREENSHOTS=<folder> it photographs both charts on the sample permanence
    // with the shipped settings.
    void screenshots() {
        const QByteArray folder = qgetenv("ZENTORA_SCREENSHOTS");
        if (folder.isEmpty()) QSKIP("ZENTORA_SCREENSHOTS not set");
        const QString bin = QStringLiteral(ZENTORA_BIN_DIR);
        QFile sample(bin + "/Save/Beispiel.prm");
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const QByteArray bytes = sample.readAll();
        permanence_.assign(bytes.begin(), bytes.end());
        QVERIFY(form_->LoadOptions(bin + "/Einstellungen/data.ini"));
        form_->ApplySettings();
        Click("Limit1000");
        Evaluate();
        QTest::qWait(100);
        QVERIFY(form_->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("evaluation-chart.png")));
        Statistics(3, 31);
        QTest::qWait(100);
        QVERIFY(form_->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath("statistics-chart.png")));
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
