// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window benchmarks need a QApplication, drawn offscreen, before any widget exists.
#include <benchmark/benchmark.h>

#include <QApplication>

#define ZENTORA_QT_BENCHMARK_MAIN()              \
    int main(int argc, char** argv) {            \
        qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication app(argc, argv);            \
        benchmark::Initialize(&argc, argv);      \
        benchmark::RunSpecifiedBenchmarks();     \
        benchmark::Shutdown();                   \
        return 0;                                \
    }
