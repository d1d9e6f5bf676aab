// The headless pass over 2,000,000 characters of prose with the bundled
// dictionaries, once in paragraphs and once as a single paragraph: the pass
// must cost the same per character however long its lines are.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "core/pass.h"
#include "documents/memory_text_buffer.h"

namespace umlo::bench {
namespace {

constexpr std::size_t kChars = 2000000;

void BM_HeadlessPass(benchmark::State& state) {
    const bool oneParagraph = state.range(0) != 0;
    const std::u16string text = ProseText(kChars, oneParagraph);
    Dictionaries& d = BundledDictionaries();
    TOptions options;
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
    state.counters["chars/s"] = benchmark::Counter(static_cast<double>(text.size()) *
                                                       static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["lines"] = buffer.LineCount();
    state.counters["replaced"] = static_cast<double>(engine.ReplacementPositions().size());
}
BENCHMARK(BM_HeadlessPass)
    ->ArgName("one_paragraph")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

} // namespace
} // namespace umlo::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    using Pair = std::pair<std::string, std::string>;
    umlo::bench::RatioReporter reporter(
        {Pair{"BM_HeadlessPass/one_paragraph:1", "BM_HeadlessPass/one_paragraph:0"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
