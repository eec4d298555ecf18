// SPDX-License-Identifier: GPL-3.0-or-later
// The risk analysis window, offscreen: a small run fills the summary and the histograms; a cancel stops a
// long one at once and shows the runs completed.
#include "ui/risk/risk_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "ui/charts/qcustomplot_include.h"

using namespace zentora;

namespace {

// The three other even chances staked with 1 right after a miss, doubled after each loss.
RiskSettings EvenChancesAfterAMiss() {
    RiskSettings s;
    for (GroupSettings& g : s.applied.groups) g.rateUntil.fill(1000000);
    GroupSettings& even = s.applied.Of(GroupId::G1837);
    even.absenceHigh = even.absenceSpan = even.absenceLow = 1;
    even.initialStake = 1;
    even.stakeTechnique = 1;
    s.applied.maximum18 = 500;
    s.applied.optionFlags[Group(GroupId::G1837).absenceCheckBox - 1] = 1;
    return s;
}

}  // namespace

class RiskWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RiskWindow> window_;
    QStringList messages_;

    template <typename T>
    T* Child(const char* name) {
        T* child = window_->findChild<T*>(name);
        if (!child) qFatal("no %s", name);
        return child;
    }
    void Set(const char* name, int value) { Child<QSpinBox>(name)->setValue(value); }
    QString Cell(int row, int column) {
        const QTableWidgetItem* item = Child<QTableWidget>("RiskSummary")->item(row, column);
        return item ? item->text() : QString();
    }

  private Q_SLOTS:
    void init() {
        messages_.clear();
        window_ = std::make_unique<RiskWindow>();
        window_->settings = [] { return EvenChancesAfterAMiss(); };
        window_->showMessage = [this](const QString& text) { messages_ << text; };
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void smallRunFillsTheSummaryAndTheHistograms() {
        Set("RiskRuns", 40);
        Set("RiskSpins", 300);
        Set("RiskSeed", 9);
        Set("RiskBankroll", 30);
        QTest::mouseClick(Child<QPushButton>("RiskStart"), Qt::LeftButton);
        QVERIFY(!Child<QPushButton>("RiskStart")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!window_->Running(), 20000);
        QVERIFY(messages_.isEmpty());
        QVERIFY(Child<QPushButton>("RiskStart")->isEnabled());
        QVERIFY(!Child<QPushButton>("RiskCancel")->isEnabled());
        QCOMPARE(Child<QProgressBar>("RiskProgress")->value(),
                 Child<QProgressBar>("RiskProgress")->maximum());

        // The table shows the core's summary of the same runs.
        const RiskSettings s = EvenChancesAfterAMiss();
        const RiskResult want = AnalyseRisk(RandomRuns(9, 0, 40, 300), s.applied, s.live, {.bankroll = 30});
        const RiskSummary summary = Summarise(want.runs);
        QVERIFY(Child<QTableWidget>("RiskSummary")->rowCount() >= 10);
        QCOMPARE(Cell(0, 1), QLocale().toString(40));
        QCOMPARE(Cell(1, 1), QLocale().toString(qlonglong(summary.ruined)));
        QVERIFY(summary.ruined > 0);
        QVERIFY(Cell(0, 0).size() > 0);

        // Every run in the histogram of final balances; the bankroll line at -30.
        auto* finals = Child<QCustomPlot>("RiskFinalHistogram");
        auto* bars = static_cast<QCPBars*>(finals->plottable(0));
        double counted = 0;
        for (auto it = bars->data()->constBegin(); it != bars->data()->constEnd(); ++it) counted += it->value;
        QCOMPARE(counted, 40.0);
        auto* line = static_cast<QCPItemStraightLine*>(finals->item(0));
        QVERIFY(line->visible());
        QCOMPARE(line->point1->coords().x(), -30.0);
        QVERIFY(!Child<QCustomPlot>("RiskFinalHistogram")->accessibleName().isEmpty());
    }

    void cancelStopsALongRun() {
        Set("RiskRuns", 1000000);
        Set("RiskSpins", 20000);
        QTest::mouseClick(Child<QPushButton>("RiskStart"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Child<QProgressBar>("RiskProgress")->value() > 0, 20000);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(Child<QPushButton>("RiskCancel"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window_->Running(), 5000);
        qInfo() << "stopped after" << timer.elapsed() << "ms";
        const int done = QLocale().toInt(Cell(0, 1));
        QVERIFY(done > 0);
        QVERIFY(done < 1000000);
        QVERIFY(Child<QLabel>("RiskStatus")->text().contains(QLocale().toString(1000000)));
        QVERIFY(Child<QPushButton>("RiskStart")->isEnabled());
    }

    void folderWithoutAFolderAsksForOne() {
        window_->findChild<QWidget*>("RiskFromFolder")->setProperty("checked", true);
        QTest::mouseClick(Child<QPushButton>("RiskStart"), Qt::LeftButton);
        QVERIFY(!window_->Running());
        QCOMPARE(messages_.size(), 1);
    }
};

QTEST_MAIN(RiskWindowTest)
#include "risk_window_test.moc"
