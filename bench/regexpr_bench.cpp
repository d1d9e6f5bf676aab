// Consultations of a 500-line regular-expression dictionary per second, over
// 100,000 doubtful words of a generated text: each consultation builds the
// word's context from the buffer and runs the expressions until one settles
// the word.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/regexpr_apply.h"
#include "core/words.h"
#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

constexpr int kDictionaryLines = 500;
constexpr int kDoubtfulWords = 100000;

// Pronounceable filler words from a fixed seed, so every run sees the same text.
class WordMaker {
public:
    // A cp1251 word.
    std::string Next() {
        static const std::vector<std::string> syllables =
            Syllables({"ка", "ло", "ми", "ра", "ту", "но", "вы", "сп", "да", "бо", "ри", "ст",
                       "пе", "жи", "ку", "ша", "ни", "зо", "го", "ля", "до", "ре", "мо", "ти"});
        std::uniform_int_distribution<size_t> count(1, 4);
        std::uniform_int_distribution<size_t> pick(0, syllables.size() - 1);
        std::string word;
        for (size_t n = count(rng_); n > 0; --n) {
            word += syllables[pick(rng_)];
        }
        return word;
    }
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

private:
    static std::vector<std::string> Syllables(std::initializer_list<const char*> utf8) {
        std::vector<std::string> out;
        for (const char* s : utf8) {
            out.push_back(Cp(s));
        }
        return out;
    }
    std::mt19937 rng_{20240601};
};

// The lines of the sort a real dictionary holds: a doubtful word with a fixed
// neighbour, hyphenated combinations, numbers. Cp1251.
std::vector<std::string> DictionaryLines(WordMaker& maker) {
    std::vector<std::string> lines;
    for (const char* line : {"\\d+ лет", "всё-таки", "о чём", "Тер-[А-Я]", "при всём", "всё равно",
                             "всё же", "ни о чём", "за всё", "всё ещё"}) {
        lines.push_back(Cp(line));
    }
    while (static_cast<int>(lines.size()) < kDictionaryLines) {
        const std::string w = maker.Next();
        switch (maker.Below(5)) {
        case 0:
            lines.push_back(w + Cp(" всё"));
            break;
        case 1:
            lines.push_back(Cp("всё ") + w);
            break;
        case 2:
            lines.push_back(w + Cp(" чём"));
            break;
        case 3:
            lines.push_back("\\d+ " + w + Cp(" лет"));
            break;
        default:
            lines.push_back(w + Cp("[а-я]* (все|всех) ") + maker.Next());
            break;
        }
    }
    return lines;
}

struct Fixture {
    MemoryTextBuffer buffer;
    TRegExprDic dic;
    std::vector<int> positions;
    std::vector<std::string> words;
    std::vector<std::string> diaeresis;

    Fixture() {
        WordMaker maker;
        for (const std::string& line : DictionaryLines(maker)) {
            dic.AddLine(line);
        }
        const std::vector<std::pair<std::string, std::string>> doubtful = {{Cp("все"), Cp("всё")},
                                                                           {Cp("чем"), Cp("чём")},
                                                                           {Cp("лет"), Cp("лёт")},
                                                                           {Cp("Все"), Cp("Всё")}};
        std::string text;
        std::string line;
        for (int i = 0; i < kDoubtfulWords; ++i) {
            for (size_t n = maker.Below(6); n > 0; --n) {
                line += maker.Next() + " ";
            }
            if (maker.Below(4) == 0) {
                line += std::to_string(maker.Below(100)) + " ";
            }
            const auto& [plain, yo] = doubtful[maker.Below(doubtful.size())];
            positions.push_back(static_cast<int>(text.size() + line.size()));
            words.push_back(plain);
            diaeresis.push_back(yo);
            line += plain + (maker.Below(3) == 0 ? ", " : " ");
            if (line.size() > 70) {
                line.back() = '\n';
                text += line;
                line.clear();
            }
        }
        text += line + Cp("конец");
        // One line break is one character in the buffer, as it is here.
        buffer.SetAllText(Cp1251ToUtf16(text));
    }
};

void BM_ApplyRegExprs(benchmark::State& state) {
    static Fixture fixture;
    RunCounters counters;
    struct NoHost : Host {
        void SetStatusText(int, std::string_view) override {}
        std::string StatusText(int) const override { return {}; }
        void SetBusy(bool) override {}
        MessageResult ShowMessage(MessageKind, std::string_view, MessageButtons,
                                  MessageResult r) override {
            return r;
        }
        void EnableCommand(std::string_view, bool) override {}
    } host;
    RegExprApplication app{fixture.buffer, fixture.dic, counters, host, 5};
    for (auto _ : state) {
        for (size_t i = 0; i < fixture.positions.size(); ++i) {
            const RegExprVerdict v = ApplyRegExprs(app, fixture.words[i], fixture.positions[i],
                                                   EKey(fixture.words[i]), fixture.diaeresis[i]);
            benchmark::DoNotOptimize(v);
        }
    }
    const auto consultations = static_cast<double>(state.iterations()) * kDoubtfulWords;
    state.counters["consultations_per_second"] =
        benchmark::Counter(consultations, benchmark::Counter::kIsRate);
    state.counters["expressions"] = fixture.dic.Count();
    state.counters["settled_share"] =
        static_cast<double>(counters.RegExprHits) /
        static_cast<double>(counters.RegExprHits + counters.RegExprMisses);
}
BENCHMARK(BM_ApplyRegExprs)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace umlo

BENCHMARK_MAIN();
