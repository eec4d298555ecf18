// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/chart_background.h"

#include "ui/charts/qcustomplot_include.h"

namespace zentora {

namespace {

// A pointer to the protected member, taken legally inside a derived class.
struct PlotAccess : QCustomPlot {
    static QBrush QCustomPlot::*BackgroundBrush() { return &PlotAccess::mBackgroundBrush; }
};

}  // namespace

QBrush ChartBackground(const QCustomPlot* chart) {
    return chart->*PlotAccess::BackgroundBrush();
}

ChartBackgroundGuard::ChartBackgroundGuard(QCustomPlot* chart, const QBrush& brush) : chart_(chart) {
    if (!chart) return;
    plot_brush_ = ChartBackground(chart);
    chart->setBackground(brush);
    for (QCPAxisRect* rect : chart->axisRects()) {
        axis_rects_.emplace_back(rect, rect->backgroundBrush());
        rect->setBackground(brush);
    }
}

ChartBackgroundGuard::~ChartBackgroundGuard() {
    if (!chart_) return;
    chart_->setBackground(plot_brush_);
    for (auto& [rect, brush] : axis_rects_)
        if (rect) rect->setBackground(brush);
}

}  // namespace zentora
