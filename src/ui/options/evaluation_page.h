// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <optional>
#include <vector>

#include "engine/applied_settings.h"
#include "evaluation/chart_data.h"
#include "ui/options/chart_page.h"

class QButtonGroup;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zentora {

class BoundFields;
class EvaluationChart;
class MoneyEvaluationWorker;
struct EvaluationResult;

// The tab "Auswertung": the money evaluation of the settings over the permanence, its balance chart with the
// table limit lines and the marks of big wins and losses, and a summary line.
class EvaluationPage : public ChartPage {
    Q_OBJECT
  public:
    EvaluationPage(BoundFields& fields, AppliedSettings& applied, const OptionsWindowHooks& hooks);

    // The wait panel lies over the chart but belongs to the window, so that its button stays usable while
    // the window is disabled.
    void BuildWaitPanel(QWidget* host);
    EvaluationChart* View() const { return chart_; }
    bool Pending() const { return !run_.isNull(); }
    int LimitDivisor() const { return limit_divisor_; }
    // Every showing of the window starts without a divisor (the button stays as it was).
    void ForgetLimitDivisor() { limit_divisor_ = 0; }
    // The window closes: the chart and the summary are emptied.
    void Clear();
    // CheckBox66 ("Chancen Anzeigen") changed.
    void ApplyMarkerOption();

  public Q_SLOTS:
    // "Berechnen".
    void StartMoneyEvaluation();
    // The wait panel's button.
    void CancelEvaluation();
    // The limit buttons "1".."5": their tag divides the table limit lines.
    void SetLimitDivisor(int tag);

  Q_SIGNALS:
    // True when a run starts, false when it has ended: the window disables everything but the wait panel.
    void EvaluationRunning(bool running);

  private:
    QWidget* BuildLimitButtons();
    QWidget* BuildMarkerOptions(BoundFields& fields);
    void EvaluationDone(MoneyEvaluationWorker* run);
    std::vector<QString> MarkerLabels(const EvaluationResult& result) const;
    void ShowSummary();
    void Retranslate();

    AppliedSettings& applied_;
    EvaluationChart* chart_ = nullptr;
    QLabel* summary_ = nullptr;
    std::optional<EvaluationSummary> summary_data_;  // of the result shown
    QButtonGroup* limit_buttons_ = nullptr;
    QWidget* wait_panel_ = nullptr;  // JvPanel1
    QProgressBar* progress_bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPointer<MoneyEvaluationWorker> run_;
    int limit_divisor_ = 0;
};

}  // namespace zentora
