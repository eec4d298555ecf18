// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "options/window_rules.h"
#include "statistics/statistics.h"
#include "statistics/statistics_lines.h"
#include "ui/charts/chart_view.h"

namespace zentora {

class LabelledGraph;

// Chart1: the statistics curve of one chance group with the lines that let the user read off a value and
// take it over by a click.
class StatisticsChart final : public ChartView {
    Q_OBJECT
  public:
    struct Context {
        QColor high, setValue, signal, bounds;                  // colour buttons 2..5
        std::int32_t abRundeValue = 0;                          // the group's "Ab Runde" now
        std::array<std::int32_t, kRateWindowCount> vonMilli{};  // the group's "von" values now
        QString ab = QStringLiteral("Ab"), runde = QStringLiteral("Runde"), bis = QStringLiteral("Bis");
        QString markerLabel;  // overview: names the slot with the smallest rate at spin 50000
    };
    struct OrderError {
        int window = 0;
        std::int64_t firstX = 0;
    };

    explicit StatisticsChart(QWidget* parent = nullptr);

    void Clear() override;
    // Replaces every series with those of the result. Returns the rate windows whose limit curve would
    // start before spin 1, for the order error message.
    std::vector<OrderError> ShowResult(const StatisticsResult& result, const Context& context);
    // After a run of the longest absence: the stair line of the curve's highest value.
    void AddHighLine(const QColor& colour);
    // Writes `text` 10 pixels right of a click point until the next result.
    void ShowNote(const QPoint& at, const QString& text);

    const std::vector<QCPGraph*>& ValueLines() const { return valueLines_; }
    static ChartLine LineOf(const QCPGraph* line);

  Q_SIGNALS:
    // A click on a value line; `first` is the first value line of the chart.
    void ValueLineClicked(const zentora::ChartLine& clicked, const zentora::ChartLine& first, QPoint at);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QCPGraph* Line(const QString& name, const QColor& colour, double width);
    QCPCurve* Vertical(const QString& name, double x, double height, const QColor& colour, double width);
    void Label(double x, double y, const QString& text, const QColor& colour, Qt::Alignment alignment);
    QCPGraph* StairLine(const QString& name, bool high, const QColor& colour);
    void AddValueLine(int tag, const QString& identifier, double x1, double x2, double y,
                      const QColor& colour);
    void AddMinRateLines(const StatisticsResult& result, const Context& context,
                         std::vector<OrderError>& errors);
    void OnClick(QCPAbstractPlottable* plottable, int dataIndex, QMouseEvent* event);
    // Samples the limit curves anew to the visible spins and the chart's width.
    void SampleLimitCurves();

    QCPGraph* curve_ = nullptr;
    std::vector<QCPGraph*> valueLines_;
    std::vector<std::pair<QCPGraph*, LimitCurve>> limitCurves_;
    QCPItemText* note_ = nullptr;
};

}  // namespace zentora
