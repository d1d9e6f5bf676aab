// A novel opened, passed and saved in the main window (offscreen unless
// QT_QPA_PLATFORM says otherwise): as plain UTF-8 and as DOCX, FB2 and EPUB.
// The files come from the folder UMLO_BENCH_DOCUMENTS (novel.txt, novel.docx,
// novel.fb2, novel.epub), as bench/documents_bench.sh makes them; each
// document's time is printed against the plain text's.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/main_window.h"
#include "app/qt_convert.h"
#include "bench/bench_support.h"
#include "bench/window_bench.h"
#include "documents/load_save.h"

namespace umlo::bench {
namespace {

// One main window for the run, in a folder of its own with the bundled data.
TMainForm& Window(QTemporaryDir& folder) {
    TMainForm& window = KeptBenchWindow(folder.path());
    // No questions, and the UTF-8 question of the open dialog is not asked
    // of a file loaded directly.
    window.CurrentOptions().NoVarOnly = true;
    window.CurrentOptions().Mark = true;
    return window;
}

void BM_OpenPassSave(benchmark::State& state, const char* name) {
    static QTemporaryDir folder;
    TMainForm& window = Window(folder);
    const QString source = qEnvironmentVariable("UMLO_BENCH_DOCUMENTS") + "/" + name;
    const QString copy = folder.filePath(QString::fromLatin1(name));
    if (!QFile::exists(source)) {
        state.SkipWithError("set UMLO_BENCH_DOCUMENTS to the folder of bench/documents_bench.sh");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(copy);
        QFile::copy(source, copy);
        state.ResumeTiming();
        const std::string path = QStringToUtf8(copy);
        if (!window.Files().LoadText(path, window.Files().ResolveFormat(path, FormatUtf8))) {
            state.SkipWithError("the file did not load");
            return;
        }
        window.Umlobegin1Click();
        QApplication::processEvents();
        if (!window.Files().SaveCurrent()) {
            state.SkipWithError("the file was not saved");
            return;
        }
    }
}
BENCHMARK_CAPTURE(BM_OpenPassSave, plain, "novel.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPassSave, docx, "novel.docx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPassSave, fb2, "novel.fb2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPassSave, epub, "novel.epub")->Unit(benchmark::kMillisecond);

} // namespace
} // namespace umlo::bench

int main(int argc, char** argv) {
    using Pair = std::pair<std::string, std::string>;
    return umlo::bench::RunWindowBenchmarks(
        argc, argv,
        {
            Pair{"BM_OpenPassSave/docx", "BM_OpenPassSave/plain"},
            Pair{"BM_OpenPassSave/fb2", "BM_OpenPassSave/plain"},
            Pair{"BM_OpenPassSave/epub", "BM_OpenPassSave/plain"},
        });
}
