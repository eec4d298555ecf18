// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/evaluation_chart.h"

#include "evaluation/chart_data.h"
#include "ui/charts/labelled_graph.h"

namespace zentora {

EvaluationChart::EvaluationChart(QWidget* parent) : ChartView(QStringLiteral("Chart2"), parent) {}

void EvaluationChart::ShowResult(const std::vector<std::int64_t>& balance,
                                 const std::vector<EvaluationMarker>& markers, std::vector<QString> labels,
                                 const QColor& colour1) {
    Clear();

    values_.assign(balance.begin(), balance.end());
    QVector<QCPGraphData> points(static_cast<qsizetype>(values_.size()));
    for (std::size_t i = 0; i < values_.size(); ++i)
        points[static_cast<qsizetype>(i)] = {double(i + 1), values_[i]};
    balance_ = addGraph();
    balance_->setName(QStringLiteral("BalanceSeries"));
    balance_->setPen(QPen(colour1, 1));
    balance_->setAdaptiveSampling(true);
    balance_->data()->set(points, true);

    QVector<QCPGraphData> marks(static_cast<qsizetype>(markers.size()));
    for (std::size_t i = 0; i < markers.size(); ++i)
        marks[static_cast<qsizetype>(i)] = {double(markers[i].spin), double(markers[i].balance)};
    markers_ = new LabelledGraph(xAxis, yAxis);
    markers_->setName(QStringLiteral("MarkerSeries"));
    markers_->setLineStyle(QCPGraph::lsNone);
    markers_->setScatterStyle(QCPScatterStyle::ssNone);
    markers_->data()->set(marks, true);
    labels.resize(markers.size());
    markers_->SetLabels(std::move(labels));

    RememberHome();
}

void EvaluationChart::Clear() {
    balance_ = high_ = low_ = nullptr;
    markers_ = nullptr;
    limitLabels_.clear();
    values_.clear();
    ChartView::Clear();
}

void EvaluationChart::AddLimitLines(int divisor, const QColor& colour2) {
    if (!balance_) return;
    high_ = addGraph();
    high_->setName(QStringLiteral("HighLine"));
    low_ = addGraph();
    low_->setName(QStringLiteral("LowLine"));
    for (QCPGraph* line : {high_, low_}) {
        line->setPen(QPen(colour2, 1));
        line->setLineStyle(QCPGraph::lsStepLeft);
    }
    DrawLimitLines(divisor);
    if (markers_) markers_->SetLabelsVisible(true);
    replot(QCustomPlot::rpQueuedReplot);
}

void EvaluationChart::SetLimitDivisor(int divisor) {
    if (!high_ || !low_) return;
    DrawLimitLines(divisor);
    replot(QCustomPlot::rpQueuedReplot);
}

void EvaluationChart::DrawLimitLines(int divisor) {
    for (QCPItemText* label : limitLabels_) removeItem(label);
    limitLabels_.clear();
    const auto count = static_cast<std::int64_t>(values_.size());
    const auto periods = PeriodExtremes(values_, LimitPeriod(count, divisor));
    for (QCPGraph* line : {high_, low_}) {
        const bool high = line == high_;
        QVector<QCPGraphData> steps;
        for (const PeriodExtreme& p : periods) steps.push_back({double(p.first + 1), high ? p.high : p.low});
        // The last step runs to the last point of the curve.
        if (!periods.empty() && periods.back().count > 1)
            steps.push_back({double(count), high ? periods.back().high : periods.back().low});
        line->data()->set(steps, true);

        for (const PeriodExtreme& p : periods) {
            auto* label = new QCPItemText(this);
            const double value = high ? p.high : p.low;
            label->position->setCoords(double(p.first + 1), value);
            label->setPositionAlignment(Qt::AlignLeft | (high ? Qt::AlignBottom : Qt::AlignTop));
            label->setText(QString::number(value, 'f', 0));
            label->setColor(line->pen().color());
            label->setClipToAxisRect(true);
            limitLabels_.push_back(label);
        }
    }
}

void EvaluationChart::SetMarkersVisible(bool visible) {
    if (!markers_) return;
    markers_->setVisible(visible);
    replot(QCustomPlot::rpQueuedReplot);
}

}  // namespace zentora
