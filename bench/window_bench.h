// What the benchmarks that run the real main window share: the window, in a
// folder of its own with the bundled dictionaries, and the main function (the
// offscreen platform unless QT_QPA_PLATFORM says otherwise, and the ratios of
// pairs of benchmarks printed after the table).
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/qt_convert.h"
#include "bench/bench_support.h"

namespace umlo::bench {

// A shown main window, started, with folder as its program folder.
inline std::unique_ptr<TMainForm> StartBenchWindow(const QString& folder) {
    for (const char* name : {"umlox.dat", "umlo_regexpr.dat"}) {
        QFile::copy(QDir(QString::fromStdString(ProgramFolder())).filePath(name),
                    QDir(folder).filePath(name));
    }
    StartOptions start;
    start.programFolder = QStringToUtf8(folder);
    start.readSettings = false;
    start.writeSettings = false;
    auto window = std::make_unique<TMainForm>(std::move(start));
    window->resize(1000, 700);
    window->show();
    while (!window->Started()) {
        QApplication::processEvents();
    }
    return window;
}

// The window kept for the run; RunWindowBenchmarks closes it while the
// application still runs (a static destroyed after it would crash at exit).
inline std::unique_ptr<TMainForm>& BenchWindowSlot() {
    static std::unique_ptr<TMainForm> window;
    return window;
}

// The kept window, started on the first call with folder as its program folder.
inline TMainForm& KeptBenchWindow(const QString& folder) {
    std::unique_ptr<TMainForm>& window = BenchWindowSlot();
    if (!window) {
        window = StartBenchWindow(folder);
    }
    return *window;
}

inline int RunWindowBenchmarks(int argc, char** argv,
                               std::vector<std::pair<std::string, std::string>> ratios) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::move(ratios));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    BenchWindowSlot().reset();
    return 0;
}

} // namespace umlo::bench
