// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/chart_view.h"

namespace zentora {

ChartView::ChartView(const QString& objectName, QWidget* parent) : QCustomPlot(parent) {
    setObjectName(objectName);
    setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    setNoAntialiasingOnDrag(true);
    setBackground(Qt::white);
    xAxis->grid()->setVisible(true);
    yAxis->grid()->setVisible(true);
}

void ChartView::Clear() {
    clearPlottables();
    clearItems();
    replot(QCustomPlot::rpQueuedReplot);
}

void ChartView::RememberHome() {
    rescaleAxes(true);
    QCPRange x = xAxis->range(), y = yAxis->range();
    if (x.size() <= 0) x = QCPRange(x.lower - 1, x.upper + 1);
    if (y.size() <= 0) y = QCPRange(y.lower - 1, y.upper + 1);
    const double yMargin = y.size() * 0.05;
    homeX_ = x;
    homeY_ = QCPRange(y.lower - yMargin, y.upper + yMargin);
    ResetZoom();
}

void ChartView::Zoom(int percent) {
    if (percent <= 0) return;
    const double factor = 100.0 / percent;
    xAxis->scaleRange(factor, xAxis->range().center());
    yAxis->scaleRange(factor, yAxis->range().center());
    replot(QCustomPlot::rpQueuedReplot);
}

void ChartView::ResetZoom() {
    xAxis->setRange(homeX_);
    yAxis->setRange(homeY_);
    replot(QCustomPlot::rpQueuedReplot);
}

bool ChartView::SaveBitmap(const QString& path) {
    return toPixmap(width(), height()).save(path, "BMP");
}

QCPAbstractPlottable* ChartView::Series(const QString& name) const {
    for (int i = 0; i < plottableCount(); ++i)
        if (QCPAbstractPlottable* p = const_cast<ChartView*>(this)->plottable(i); p->name() == name) return p;
    return nullptr;
}

}  // namespace zentora
