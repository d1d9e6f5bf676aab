// The pass in the main window over the Qt editor (offscreen platform unless
// QT_QPA_PLATFORM says otherwise) against the headless pass over the same
// text: 1,000,000 characters in paragraphs and 300,000 in one paragraph,
// Mark on, no questions ("Только бесспорные замены"), FastScroll on and off,
// word wrap on (the default, applied when a text is loaded) and off.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/main_window.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "bench/bench_support.h"
#include "bench/window_bench.h"
#include "core/pass.h"
#include "documents/memory_text_buffer.h"

namespace umlo::bench {
namespace {

const std::u16string& Text(bool oneParagraph) {
    static const std::u16string lined = ProseText(1000000, false);
    static const std::u16string paragraph = ProseText(300000, true);
    return oneParagraph ? paragraph : lined;
}

void SetPassOptions(TOptions& options, bool fastScroll) {
    options.Mark = true;
    options.NoVarOnly = true;
    options.FastScroll = fastScroll;
}

// One main window for the run, in a folder of its own with the bundled data.
TMainForm& Window() {
    static QTemporaryDir folder;
    return KeptBenchWindow(folder.path());
}

// The text in the window's editor, wrapped or not, laid out and painted.
TMainForm& WindowWith(const std::u16string& text, bool wordWrap) {
    TMainForm& window = Window();
    window.ApplyWordWrap(wordWrap);
    window.Editor().SetAllText(text);
    QApplication::processEvents();
    return window;
}

constexpr double kNsPerMs = 1e6;

void BM_WindowPass(benchmark::State& state) {
    const bool oneParagraph = state.range(0) != 0;
    const std::u16string& text = Text(oneParagraph);
    TMainForm& window = Window();
    SetPassOptions(window.CurrentOptions(), state.range(1) != 0);
    const bool wordWrap = state.range(2) != 0;
    qint64 passNs = 0;
    qint64 showNs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WindowWith(text, wordWrap);
        window.ClearPassLists();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        window.Umlobegin1Click();
        passNs += clock.nsecsElapsed();
        clock.restart();
        // The last batch is laid out and painted too.
        QApplication::processEvents();
        showNs += clock.nsecsElapsed();
    }
    const double runs = static_cast<double>(state.iterations());
    // Where the time goes: the pass (its last layout included) and the
    // painting after it.
    state.counters["pass_ms"] = static_cast<double>(passNs) / kNsPerMs / runs;
    state.counters["paint_ms"] = static_cast<double>(showNs) / kNsPerMs / runs;
    state.counters["replaced"] = static_cast<double>(window.Engine().ReplacementPositions().size());
}
BENCHMARK(BM_WindowPass)
    ->ArgNames({"one_paragraph", "fast_scroll", "word_wrap"})
    ->ArgsProduct({{0, 1}, {0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// What the editor alone costs for a text the pass has touched: one letter
// replaced under the update lock, then the paragraph laid out and painted
// again. No pass over that text in the window can take less.
void BM_WindowRelayout(benchmark::State& state) {
    const std::u16string& text = Text(state.range(0) != 0);
    const bool wordWrap = state.range(1) != 0;
    const int at = static_cast<int>(text.find(u'е'));
    for (auto _ : state) {
        state.PauseTiming();
        TMainForm& window = WindowWith(text, wordWrap);
        state.ResumeTiming();
        window.Editor().BeginUpdate();
        window.Editor().ReplaceLetter(at, u'ё',
                                      LetterColors{TOptions{}.ColorMark, TOptions{}.ColorBackMark});
        window.Editor().EndUpdate();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowRelayout)
    ->ArgNames({"one_paragraph", "word_wrap"})
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// Painting the editor again with nothing changed: Qt draws every glyph of a
// line, so an unwrapped paragraph costs what all its glyphs cost.
void BM_WindowRepaint(benchmark::State& state) {
    QWidget& view =
        *WindowWith(Text(state.range(0) != 0), state.range(1) != 0).Editor().Widget().viewport();
    for (auto _ : state) {
        view.repaint();
    }
}
BENCHMARK(BM_WindowRepaint)
    ->ArgNames({"one_paragraph", "word_wrap"})
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

void BM_HeadlessPass(benchmark::State& state) {
    const std::u16string& text = Text(state.range(0) != 0);
    Dictionaries& d = BundledDictionaries();
    TOptions options;
    SetPassOptions(options, true);
    MemoryTextBuffer buffer;
    PolicyHost host;
    PassEngine engine(d.dic, d.regExprs, options, buffer, host);
    for (auto _ : state) {
        state.PauseTiming();
        buffer.SetAllText(text);
        engine.ClearReplacementPositions();
        state.ResumeTiming();
        engine.DoUmloficate(0, 1);
    }
    state.counters["replaced"] = static_cast<double>(engine.ReplacementPositions().size());
}
BENCHMARK(BM_HeadlessPass)
    ->ArgName("one_paragraph")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

} // namespace
} // namespace umlo::bench

int main(int argc, char** argv) {
    using Pair = std::pair<std::string, std::string>;
    return umlo::bench::RunWindowBenchmarks(
        argc, argv,
        {
            Pair{"BM_WindowPass/one_paragraph:0/fast_scroll:1/word_wrap:1",
                 "BM_HeadlessPass/one_paragraph:0"},
            Pair{"BM_WindowPass/one_paragraph:0/fast_scroll:0/word_wrap:1",
                 "BM_HeadlessPass/one_paragraph:0"},
            Pair{"BM_WindowPass/one_paragraph:1/fast_scroll:1/word_wrap:1",
                 "BM_HeadlessPass/one_paragraph:1"},
            Pair{"BM_WindowPass/one_paragraph:1/fast_scroll:0/word_wrap:1",
                 "BM_HeadlessPass/one_paragraph:1"},
            Pair{"BM_WindowPass/one_paragraph:0/fast_scroll:1/word_wrap:0",
                 "BM_HeadlessPass/one_paragraph:0"},
            Pair{"BM_WindowPass/one_paragraph:0/fast_scroll:0/word_wrap:0",
                 "BM_HeadlessPass/one_paragraph:0"},
            Pair{"BM_WindowPass/one_paragraph:1/fast_scroll:1/word_wrap:0",
                 "BM_HeadlessPass/one_paragraph:1"},
            Pair{"BM_WindowPass/one_paragraph:1/fast_scroll:0/word_wrap:0",
                 "BM_HeadlessPass/one_paragraph:1"},
        });
}
