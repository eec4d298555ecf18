// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

#include "evaluation/money_evaluation.h"
#include "ui/charts/chart_view.h"

namespace zentora {

class LabelledGraph;

// Chart2: the balance of a money evaluation over the spins, its highs and lows per period, and the marks
// where a run of wins or losses passed the threshold.
class EvaluationChart final : public ChartView {
    Q_OBJECT
  public:
    explicit EvaluationChart(QWidget* parent = nullptr);

    void Clear() override;

    // The result of a run: drops every series, then BalanceSeries in colour 1 and MarkerSeries (no
    // symbols; `labels` parallel to the markers, their labels still hidden). The curve is handed over whole.
    void ShowResult(const std::vector<std::int64_t>& balance, const std::vector<EvaluationMarker>& markers,
                    std::vector<QString> labels, const QColor& colour1);
    // The end of a run: HighLine and LowLine in colour 2 for the divisor, marker labels shown.
    void AddLimitLines(int divisor, const QColor& colour2);
    // Divides existing limit lines anew; nothing when there are none.
    void SetLimitDivisor(int divisor);
    // Shows or hides the markers; nothing when there are none.
    void SetMarkersVisible(bool visible);

    QCPGraph* BalanceSeries() const { return balance_; }
    QCPGraph* HighLine() const { return high_; }
    QCPGraph* LowLine() const { return low_; }
    LabelledGraph* MarkerSeries() const { return markers_; }
    // The value labels of the limit lines, high line first.
    const std::vector<QCPItemText*>& LimitLabels() const { return limitLabels_; }

  private:
    void DrawLimitLines(int divisor);

    std::vector<double> values_;
    QCPGraph* balance_ = nullptr;
    QCPGraph* high_ = nullptr;
    QCPGraph* low_ = nullptr;
    LabelledGraph* markers_ = nullptr;
    std::vector<QCPItemText*> limitLabels_;
};

}  // namespace zentora
