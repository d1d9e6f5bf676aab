// Loading a 300,000-entry main dictionary and looking words up in it.
// Targets: a load under 150 ms, over 2 million lookups per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/codepage.h"
#include "core/host.h"
#include "core/main_dictionary.h"
#include "core/words.h"

using namespace umlo;
namespace fs = std::filesystem;

namespace {

constexpr int kEntries = 300000;
constexpr int kLookups = 1000000;

class SilentHost : public Host {
public:
    void SetStatusText(int panel, std::string_view text) override {
        status_[panel & 1].assign(text);
    }
    std::string StatusText(int panel) const override { return status_[panel & 1]; }
    void SetBusy(bool) override {}
    MessageResult ShowMessage(MessageKind, std::string_view, MessageButtons,
                              MessageResult defaultButton) override {
        ++messages;
        return defaultButton;
    }
    void EnableCommand(std::string_view, bool) override {}
    int messages = 0;

private:
    std::string status_[2];
};

// Distinct lower-case words with one ё each, some doubtful, in dictionary order.
std::vector<std::string> MakeWords() {
    const std::string letters = Cp("абвгдежзийклмнопрстуфхцчшщъыьэюя");
    const char yo = Cp("ё")[0];
    std::mt19937 random(1251);
    std::vector<std::string> words;
    words.reserve(kEntries + kEntries / 10);
    while (static_cast<int>(words.size()) < kEntries + kEntries / 10) {
        const size_t length = 4 + random() % 9;
        std::string w;
        for (size_t i = 0; i < length; ++i) {
            w += letters[random() % letters.size()];
        }
        w[random() % length] = yo;
        words.push_back(w);
    }
    std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        return DicCompare(EKey(a), EKey(b)) < 0;
    });
    words.erase(
        std::unique(words.begin(), words.end(),
                    [](const std::string& a, const std::string& b) { return EKey(a) == EKey(b); }),
        words.end());
    words.resize(std::min<size_t>(words.size(), kEntries));
    return words;
}

struct Fixture {
    Fixture() {
        words = MakeWords();
        path = (fs::temp_directory_path() / ("umlo_bench_" + std::to_string(getpid()) + ".dat"))
                   .string();
        std::ofstream out(path, std::ios::binary);
        out << Cp("# Версия: 1.0\r\n# Длина: ") << words.size() << "\r\n";
        for (size_t i = 0; i < words.size(); ++i) {
            out << words[i] << (i % 7 == 0 ? "?" : "") << "\r\n";
        }
    }
    ~Fixture() {
        std::error_code ec;
        fs::remove(path, ec);
    }
    std::vector<std::string> words;
    std::string path;
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void BM_LoadMainDictionary(benchmark::State& state) {
    SilentHost host;
    TDic dic;
    const std::string generated = Data().path; // generated before timing starts
    for (auto _ : state) {
        std::string path = generated;
        LoadMainDictionary(dic, path, host);
        benchmark::DoNotOptimize(dic.Count());
    }
    state.counters["entries"] = dic.Count();
    state.counters["entries/s"] = benchmark::Counter(static_cast<double>(dic.Count()) *
                                                         static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
    if (host.messages != 0) {
        state.SkipWithError("the generated dictionary was reported faulty");
    }
}
BENCHMARK(BM_LoadMainDictionary)->Unit(benchmark::kMillisecond);

// Text words as the pass meets them: found, capitalized, upper case and unknown
// in equal shares (mixed), or only lower-case dictionary words, the common case.
std::vector<std::string> MakeQueries(bool mixed) {
    std::mt19937 random(7);
    std::vector<std::string> queries;
    const auto& words = Data().words;
    for (int i = 0; i < 8192; ++i) {
        std::string key = EKey(words[random() % words.size()]);
        switch (mixed ? i % 4 : 0) {
        case 1:
            key[0] = ToUpperByte(key[0]);
            break;
        case 2:
            key = UpperCase(key);
            break;
        case 3:
            key.back() = ToLowerByte(Cp("ы")[0]);
            break;
        default:
            break;
        }
        queries.push_back(key);
    }
    return queries;
}

void BM_LookupWord(benchmark::State& state) {
    SilentHost host;
    TDic dic;
    std::string path = Data().path;
    LoadMainDictionary(dic, path, host);
    const std::vector<std::string> queries = MakeQueries(state.range(0) != 0);
    long long found = 0;
    for (auto _ : state) {
        for (int i = 0; i < kLookups; ++i) {
            const LookupResult r = dic.LookupWord(queries[static_cast<size_t>(i) & 8191]);
            found += r.index >= 0;
        }
    }
    benchmark::DoNotOptimize(found);
    state.counters["found share"] =
        static_cast<double>(found) / (static_cast<double>(kLookups) * state.iterations());
    state.counters["lookups/s"] =
        benchmark::Counter(static_cast<double>(kLookups) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LookupWord)->ArgName("mixed")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
