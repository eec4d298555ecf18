// SPDX-License-Identifier: GPL-3.0-or-later
// Every lookup reads the language table file afresh; this shows what that costs.
#include <benchmark/benchmark.h>

#include "lang/language_table.h"

namespace {

zentora::LanguageTable ShippedTable(int language) {
    zentora::LanguageTable table(std::filesystem::path(ZENTORA_BIN_DIR) / "Einstellungen/Sprache.csv");
    table.SetLanguageIndex(language);
    return table;
}

void BM_TranslateText(benchmark::State& state) {
    const auto table = ShippedTable(3);
    for (auto _ : state) benchmark::DoNotOptimize(table.TranslateText("Chance 2/37"));
}
BENCHMARK(BM_TranslateText);

// A full signal list: 60 group-named entries in one list lookup and 40 word-wise entries.
void BM_SignalListTranslation(benchmark::State& state) {
    const auto table = ShippedTable(3);
    std::vector<std::string> grouped(60, "Chance 2/37"), named;
    for (int n = 0; n < 40; ++n) named.push_back("Nummer " + std::to_string(n % 37));
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.TranslateList(grouped));
        benchmark::DoNotOptimize(table.TranslateWords(named));
    }
}
BENCHMARK(BM_SignalListTranslation);

void BM_LanguageZero(benchmark::State& state) {
    const auto table = ShippedTable(0);
    for (auto _ : state) benchmark::DoNotOptimize(table.TranslateText("Chance 2/37"));
}
BENCHMARK(BM_LanguageZero);

}  // namespace

BENCHMARK_MAIN();
