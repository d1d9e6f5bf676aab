// A whole pass over a text of 1,000,000 characters with a dictionary of
// 300,000 entries, through the in-memory buffer, every question answered with
// the proposal. Prints characters and replacements per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/codepage.h"
#include "core/main_dictionary.h"
#include "core/options.h"
#include "core/pass.h"
#include "core/regexpr_dictionary.h"
#include "core/words.h"
#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

constexpr int kDictionarySize = 300000;
constexpr size_t kTextLength = 1000000;

using bench::PolicyHost;

// Letters without е and ё, cp1251.
const std::string& PlainLetters() {
    static const std::string letters = [] {
        std::string s;
        for (char c : Cp("абвгджзийклмнопрстуфхцчшщъыьэюя")) {
            s += c;
        }
        return s;
    }();
    return letters;
}

std::string RandomWord(std::mt19937& rng, size_t length) {
    std::uniform_int_distribution<size_t> pick(0, PlainLetters().size() - 1);
    std::string w;
    for (size_t i = 0; i < length; ++i) {
        w += PlainLetters()[pick(rng)];
    }
    return w;
}

struct Corpus {
    TDic dic;
    TRegExprDic regExprs;
    std::u16string text;
};

void FillCorpus(Corpus* c) {
    {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<size_t> length(4, 11);
        std::vector<std::string> words;
        words.reserve(kDictionarySize + kDictionarySize / 10);
        while (words.size() < kDictionarySize + kDictionarySize / 10) {
            std::string w = RandomWord(rng, length(rng));
            w[std::uniform_int_distribution<size_t>(0, w.size() - 1)(rng)] = '\xB8'; // ё
            words.push_back(std::move(w));
        }
        std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
            return DicCompare(EKey(a), EKey(b)) < 0;
        });
        words.erase(std::unique(words.begin(), words.end(),
                                [](const std::string& a, const std::string& b) {
                                    return DicCompare(EKey(a), EKey(b)) == 0;
                                }),
                    words.end());
        words.resize(std::min<size_t>(words.size(), kDictionarySize));
        std::uniform_int_distribution<int> percent(0, 99);
        c->dic.Reserve(static_cast<int>(words.size()));
        for (const auto& w : words) {
            c->dic.AddEntry(w, percent(rng) < 5);
        }
        for (const char* line : {"\\d+ лет", "всё-таки", "о чём", "Тер-[А-Я]"}) {
            c->regExprs.AddLine(Cp(line));
        }
        // A fifth of the words come from the dictionary in their е-form, some
        // capitalised; the rest are other words, with and without е.
        std::string text;
        std::uniform_int_distribution<size_t> entry(0, words.size() - 1);
        size_t lineLength = 0;
        while (text.size() < kTextLength) {
            const int kind = percent(rng);
            std::string w;
            if (kind < 20) {
                w = EKey(words[entry(rng)]);
                if (percent(rng) < 10) {
                    w[0] = ToUpperByte(w[0]);
                }
            } else {
                w = RandomWord(rng, length(rng));
                if (kind < 50) {
                    w[w.size() / 2] = '\xE5'; // е
                }
            }
            text += w;
            lineLength += w.size() + 1;
            const int sep = percent(rng);
            if (lineLength > 70) {
                text += '\r';
                lineLength = 0;
            } else {
                text += sep < 8 ? ", " : sep < 12 ? ". " : " ";
            }
        }
        text.resize(kTextLength);
        c->text = Cp1251ToUtf16(text);
    }
}

const Corpus& BuildCorpus() {
    static Corpus corpus;
    static const bool filled = (FillCorpus(&corpus), true);
    (void)filled;
    return corpus;
}

void BM_FullPass(benchmark::State& state) {
    const Corpus& corpus = BuildCorpus();
    TDic& dic = const_cast<TDic&>(corpus.dic);
    TRegExprDic& regExprs = const_cast<TRegExprDic&>(corpus.regExprs);
    TOptions options;
    options.FastScroll = true;
    MemoryTextBuffer buffer;
    PolicyHost host;
    PassEngine engine(dic, regExprs, options, buffer, host);
    long long chars = 0;
    long long replacements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        buffer.SetAllText(corpus.text);
        engine.ClearReplacementPositions(); // as loading a text does
        const int before = engine.Counters().DecidedChanged;
        state.ResumeTiming();
        engine.DoUmloficate(0, 1);
        chars += static_cast<long long>(corpus.text.size());
        replacements += engine.Counters().DecidedChanged - before;
    }
    state.counters["chars/s"] =
        benchmark::Counter(static_cast<double>(chars), benchmark::Counter::kIsRate);
    state.counters["replacements/s"] =
        benchmark::Counter(static_cast<double>(replacements), benchmark::Counter::kIsRate);
    state.counters["questions"] = static_cast<double>(host.questions);
    state.counters["entries"] = dic.Count();
}
BENCHMARK(BM_FullPass)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace umlo

BENCHMARK_MAIN();
