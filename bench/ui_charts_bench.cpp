// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation chart with a million spins: from the end of the computation to the chart drawn (balance,
// limit lines, markers), and zooming it. The curve goes to the chart whole and is drawn with adaptive
// sampling.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "evaluation/money_evaluation.h"
#include "qt_bench_main.h"
#include "ui/charts/evaluation_chart.h"
#include "ui/charts/labelled_graph.h"

namespace {

constexpr std::size_t kSpins = 1000000;

// A balance that wanders like a system's, with a marker every `markerEvery` spins.
zentora::EvaluationResult Wandering(std::size_t markerEvery) {
    zentora::EvaluationResult r;
    r.balance.resize(kSpins);
    std::int64_t balance = 0;
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < kSpins; ++i) {
        seed = seed * 1664525u + 1013904223u;
        balance += (seed >> 28) < 7 ? 2 : -1;
        r.balance[i] = balance;
        if (markerEvery && i % markerEvery == 0)
            r.markers.push_back(
                {static_cast<std::int64_t>(i + 1), balance, static_cast<std::int32_t>(seed % 37)});
    }
    return r;
}

// What the event loop does once after the chart changed: one replot, painted at once.
void Draw(zentora::EvaluationChart& chart) {
    chart.replot(QCustomPlot::rpImmediateRefresh);
}

// Argument: spins per marker (0 = none).
void BM_EvaluationChartShowsAMillionSpins(benchmark::State& state) {
    const zentora::EvaluationResult result = Wandering(static_cast<std::size_t>(state.range(0)));
    std::vector<QString> labels(result.markers.size(), QStringLiteral("Plein 17"));
    zentora::EvaluationChart chart;
    chart.resize(740, 420);
    chart.show();
    for (auto _ : state) {
        chart.ShowResult(result.balance, result.markers, labels, Qt::red);
        chart.AddLimitLines(5, Qt::magenta);
        chart.SetMarkersVisible(true);
        Draw(chart);
    }
    state.counters["labels drawn"] = chart.MarkerSeries()->DrawnLabels();
}
BENCHMARK(BM_EvaluationChartShowsAMillionSpins)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_EvaluationChartZoom(benchmark::State& state) {
    const zentora::EvaluationResult result = Wandering(100);
    std::vector<QString> labels(result.markers.size(), QStringLiteral("Plein 17"));
    zentora::EvaluationChart chart;
    chart.resize(740, 420);
    chart.show();
    chart.ShowResult(result.balance, result.markers, labels, Qt::red);
    chart.AddLimitLines(5, Qt::magenta);
    int step = 0;
    for (auto _ : state) {
        if (step++ % 8 == 0) chart.ResetZoom();
        chart.Zoom(120);
        Draw(chart);
    }
}
BENCHMARK(BM_EvaluationChartZoom)->Unit(benchmark::kMillisecond);

}  // namespace

ZENTORA_QT_BENCHMARK_MAIN()
