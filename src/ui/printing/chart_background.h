// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBrush>
#include <QPointer>
#include <vector>

class QCustomPlot;
class QCPAxisRect;

namespace zentora {

// Paints a chart's backgrounds in one brush for as long as it lives and gives the chart its own brushes back
// when it ends, also when printing fails or throws half-way.
class ChartBackgroundGuard {
  public:
    ChartBackgroundGuard(QCustomPlot* chart, const QBrush& brush);
    ~ChartBackgroundGuard();
    ChartBackgroundGuard(const ChartBackgroundGuard&) = delete;
    ChartBackgroundGuard& operator=(const ChartBackgroundGuard&) = delete;

  private:
    QPointer<QCustomPlot> chart_;
    QBrush plot_brush_;
    std::vector<std::pair<QPointer<QCPAxisRect>, QBrush>> axis_rects_;
};

// The brush the chart fills its whole area with (QCustomPlot offers no getter for it).
QBrush ChartBackground(const QCustomPlot* chart);

}  // namespace zentora
