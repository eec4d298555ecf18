// SPDX-License-Identifier: GPL-3.0-or-later
// Save and open of a 1,000,000-spin permanence in each of the three file formats.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "files/permanence_flows.h"

using namespace zentora::files;

namespace {

const std::vector<std::uint8_t>& Permanence() {
    static const std::vector<std::uint8_t> spins = [] {
        std::vector<std::uint8_t> v(1'000'000);
        std::mt19937 random(1);
        for (auto& s : v) s = static_cast<std::uint8_t>(random() % 37);
        return v;
    }();
    return spins;
}

std::string BenchPath(const char* extension) {
    const char* dir = std::getenv("ZENTORA_BENCH_DIR");
    return std::string(dir ? dir : "/tmp") + "/zentora-bench-" + std::to_string(::getpid()) + extension;
}

void Save(benchmark::State& state, PermanenceFormat format, const char* extension) {
    const std::string path = BenchPath(extension);
    for (auto _ : state) {
        if (SaveInFormat(format, Permanence(), path).status != FlowStatus::Done)
            state.SkipWithError("save failed");
    }
    ::unlink(path.c_str());
}

void Open(benchmark::State& state, PermanenceFormat format, const char* extension) {
    const std::string path = BenchPath(extension);
    SaveInFormat(format, Permanence(), path);
    for (auto _ : state) {
        LoadFlowResult r = LoadInFormat(format, path);
        if (r.spins.size() != Permanence().size()) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(r.spins.data());
    }
    ::unlink(path.c_str());
}

}  // namespace

BENCHMARK_CAPTURE(Save, prm, PermanenceFormat::Prm, ".prm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, prm, PermanenceFormat::Prm, ".prm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, txt, PermanenceFormat::Text, ".txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, txt, PermanenceFormat::Text, ".txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, xls, PermanenceFormat::Excel, ".xls")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, xls, PermanenceFormat::Excel, ".xls")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
