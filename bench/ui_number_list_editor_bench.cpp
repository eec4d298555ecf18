// SPDX-License-Identifier: GPL-3.0-or-later
// The number list editor on a permanence of a million spins: opening, every paging button and deleting a
// spin, each with the whole window drawn afterwards. Only the page shown is filled, so none depends on the
// length.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <vector>

#include "core/number_list_pages.h"
#include "qt_bench_main.h"
#include "ui/number_list_editor.h"

namespace {

constexpr std::size_t kSpins = 1000000;

zentora::Permanence MillionSpins() {
    std::vector<std::uint8_t> spins(kSpins);
    for (std::size_t i = 0; i < kSpins; ++i) spins[i] = static_cast<std::uint8_t>((i * 7919) % 37);
    return zentora::Permanence::FromOldestFirst(spins);
}

void BM_NumberListOpen(benchmark::State& state) {
    zentora::Permanence p = MillionSpins();
    zentora::NumberListEditor editor(p, QString(ZENTORA_BIN_DIR));
    for (auto _ : state) {
        editor.show();
        benchmark::DoNotOptimize(editor.grab());
        state.PauseTiming();
        editor.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_NumberListOpen)->Unit(benchmark::kMillisecond);

// Arguments: the button (1..6 = JvImage1..JvImage6).
void BM_NumberListPaging(benchmark::State& state) {
    zentora::Permanence p = MillionSpins();
    zentora::NumberListEditor editor(p, QString(ZENTORA_BIN_DIR));
    editor.show();
    const int button = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        editor.ShowPageEndingAt(500000);  // a page in the middle, so every button moves
        state.ResumeTiming();
        switch (button) {
            case 1:
                editor.PreviousPage();
                break;
            case 2:
                editor.NextPage();
                break;
            case 3:
                editor.FirstPage();
                break;
            case 4:
                editor.LastPage();
                break;
            case 5:
                editor.BackTenThousand();
                break;
            default:
                editor.ForwardTenThousand();
                break;
        }
        benchmark::DoNotOptimize(editor.grab());
    }
}
BENCHMARK(BM_NumberListPaging)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

// Deleting a spin in the middle of the permanence: the later spins move down by one.
void BM_NumberListDelete(benchmark::State& state) {
    zentora::Permanence p = MillionSpins();
    zentora::NumberListEditor editor(p, QString(ZENTORA_BIN_DIR));
    editor.show();
    editor.ShowPageEndingAt(500000);
    for (auto _ : state) {
        editor.SelectCell(3, 5);
        editor.RemoveSelectedSpin();
        benchmark::DoNotOptimize(editor.grab());
    }
    state.counters["spins_left"] = static_cast<double>(p.size());
}
BENCHMARK(BM_NumberListDelete)->Unit(benchmark::kMillisecond);

// The page arithmetic alone.
void BM_NumberListPageArithmetic(benchmark::State& state) {
    std::int64_t n = 0;
    for (auto _ : state) {
        n = zentora::NextPageEnd(n, kSpins);
        if (n == static_cast<std::int64_t>(kSpins)) n = 0;
        benchmark::DoNotOptimize(zentora::NumberListPage(n, kSpins));
    }
}
BENCHMARK(BM_NumberListPageArithmetic);

}  // namespace

ZENTORA_QT_BENCHMARK_MAIN()
