// The main function of a benchmark that runs the real window: the offscreen
// platform unless QT_QPA_PLATFORM says otherwise, and the ratios of pairs of
// benchmarks printed after the table.
#pragma once

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_support.h"

namespace umlo::bench {

// atExit runs before the application goes: windows kept for the run close there.
inline int RunWindowBenchmarks(int argc, char** argv,
                               std::vector<std::pair<std::string, std::string>> ratios,
                               const std::function<void()>& atExit = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (atExit) {
        atExit();
    }
    return 0;
}

} // namespace umlo::bench
