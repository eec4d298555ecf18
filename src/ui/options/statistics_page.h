// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <optional>

#include "engine/applied_settings.h"
#include "options/window_rules.h"
#include "statistics/statistics.h"
#include "ui/options/chart_page.h"

class QButtonGroup;

namespace zentora {

class StatisticsChart;
class StatisticsWorker;

// The tab "Statistiken": the statistics of one chance group over the permanence, in the chart chosen by the
// kind buttons. A click on a value line takes its value over into the options.
class StatisticsPage : public ChartPage {
    Q_OBJECT
  public:
    StatisticsPage(OptionsModel& model, AppliedSettings& applied, const OptionsWindowHooks& hooks);

    StatisticsChart* View() const { return chart_; }
    bool Pending() const { return !run_.isNull(); }
    // The window closes: a run still busy is dropped and the chart emptied.
    void Clear();

  private:
    QWidget* BuildGroupChoice();
    QWidget* BuildKindChoice();
    // "Berechnen": a run still busy is dropped, so that two runs never fill the chart.
    void StartStatistics();
    void StatisticsDone(StatisticsWorker* run);
    void ShowOrderError(int rateWindow, std::int64_t firstX, const QString& spinWord);
    void TakeOverValue(const ChartLine& clicked, const ChartLine& first, QPoint at);
    GroupId CheckedGroup() const;
    std::optional<StatisticsKind> CheckedKind() const;

    AppliedSettings& applied_;
    StatisticsChart* chart_ = nullptr;
    QButtonGroup* group_choice_ = nullptr;  // RadioButton3..29 by number
    QButtonGroup* kind_choice_ = nullptr;   // RadioButton30..32, 44, 45 by number
    QPointer<StatisticsWorker> run_;
};

}  // namespace zentora
