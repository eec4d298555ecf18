// SPDX-License-Identifier: GPL-3.0-or-later
// The whole click on a number field as the player sees it: pipeline, chips, labels, grid, signal list and the
// repaint of the window. Target: one frame (16 ms). And opening a 1,000,000-spin permanence (target 0.5 s).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <fstream>
#include <random>

#include "catalogue/catalogue.h"
#include "qt_bench_main.h"
#include "ui/main_window.h"

namespace zentora {
namespace {

// Every group on with both rules and windows wide enough that many chances are due on every spin.
void BusySettings(PlaySession& session) {
    AppliedSettings s;
    for (const ChanceGroup& g : kChanceGroups) {
        s.optionFlags[g.absenceCheckBox - 1] = 1;
        s.optionFlags[g.rateCheckBox - 1] = 1;
        GroupSettings& gs = s.Of(g.id);
        const NumberSet set = NumberSetOfSlot(g.firstSlot);
        int numbers = 0;
        for (unsigned x = 0; x <= 36; ++x) numbers += set.Contains(x) ? 1 : 0;
        gs.absenceHigh = 2 * 37 / numbers;
        gs.absenceSpan = 7;
        gs.absenceLow = gs.absenceHigh - gs.absenceSpan + 1;
        gs.initialStake = 1;
    }
    s.optionFlags[32 - 1] = 1;
    s.maximum1 = 20;
    s.maximum2 = 40;
    s.maximum3 = 60;
    s.maximum4 = 80;
    s.maximum6 = 120;
    s.maximum12 = 240;
    s.maximum18 = 360;
    session.SetAppliedSettings(s);
}

int Chips(const PlayState& state) {
    int chips = 0;
    for (int v : state.positionStake) chips += v > 0 ? 1 : 0;
    return chips;
}

void BM_ClickOnNumberField(benchmark::State& st) {
    MainWindow form(QString(ZENTORA_BIN_DIR), kDesignScreen);
    form.show();
    BusySettings(form.Session());
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) form.EnterSpin(static_cast<int>(rng() % 37));
    long chips = 0, lines = 0;
    for (auto _ : st) {
        form.EnterSpin(static_cast<int>(rng() % 37));
        form.repaint();
        chips += Chips(form.Session().State());
        lines += static_cast<long>(form.Session().State().signalList.size());
    }
    st.counters["chips"] = benchmark::Counter(static_cast<double>(chips), benchmark::Counter::kAvgIterations);
    st.counters["list_lines"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClickOnNumberField)->Unit(benchmark::kMillisecond);

void BM_OpenMillionSpins(benchmark::State& st) {
    QTemporaryDir dir;
    const QString path = dir.filePath("million.prm");
    {
        std::mt19937 rng(11);
        std::string bytes(1'000'000, '\0');
        for (char& b : bytes) b = static_cast<char>(rng() % 37);
        std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    }
    MainWindow form(QString(ZENTORA_BIN_DIR), kDesignScreen);
    form.show();
    BusySettings(form.Session());
    for (auto _ : st) {
        form.OpenPermanence(path);
        form.repaint();
    }
    st.counters["spins"] = static_cast<double>(form.Session().GetPermanence().size());
}
BENCHMARK(BM_OpenMillionSpins)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zentora

ZENTORA_QT_BENCHMARK_MAIN()
