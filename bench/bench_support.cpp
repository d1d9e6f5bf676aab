#include "bench/bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codepage.h"
#include "documents/settings_location.h"

namespace umlo::bench {

std::string ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

Dictionaries& BundledDictionaries() {
    static Dictionaries* loaded = [] {
        static Dictionaries d;
        PolicyHost host;
        TOptions options;
        std::string main = BundledDataFile(ProgramFolder(), "umlox.dat");
        std::string regExprs = BundledDataFile(ProgramFolder(), "umlo_regexpr.dat");
        if (!LoadMainDictionary(d.dic, main, host) ||
            !LoadRegExprDictionary(d.regExprs, regExprs, options, host)) {
            std::fprintf(stderr, "the bundled dictionaries are missing beside the benchmark\n");
            std::exit(2);
        }
        return &d;
    }();
    return *loaded;
}

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

} // namespace

std::u16string ProseText(std::size_t chars, bool oneParagraph) {
    std::string source;
    if (const char* named = std::getenv("UMLO_BENCH_TEXT")) {
        source = ReadFile(named);
    }
    if (source.empty()) {
        for (const char* name :
             {"quality_check_text.txt", "quality_check_text_2.txt", "quality_check_text_3.txt"}) {
            source += ReadFile(std::string(UMLO_SOURCE_DIR) + "/tests/data/" + name) + "\n";
        }
    }
    std::u16string prose;
    for (const char16_t c : Utf8ToUtf16(source)) {
        if (c == u'\r') {
            continue;
        }
        prose += c == u'ё' ? u'е' : c == u'Ё' ? u'Е' : c == u'\n' && oneParagraph ? u' ' : c;
    }
    std::u16string text;
    text.reserve(chars);
    while (text.size() < chars && !prose.empty()) {
        text += prose.substr(0, chars - text.size());
    }
    return text;
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto [it, added] = seconds_.emplace(run.benchmark_name(), seconds);
            if (!added && seconds < it->second) {
                it->second = seconds;
            }
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    // The first run whose name starts so.
    const auto find = [this](const std::string& prefix) {
        for (auto it = seconds_.begin(); it != seconds_.end(); ++it) {
            if (it->first.rfind(prefix, 0) == 0) {
                return it;
            }
        }
        return seconds_.end();
    };
    for (const auto& [name, base] : pairs_) {
        const auto a = find(name);
        const auto b = find(base);
        if (a != seconds_.end() && b != seconds_.end() && b->second > 0) {
            std::printf("%s / %s: %.2f\n", name.c_str(), base.c_str(), a->second / b->second);
        }
    }
}

} // namespace umlo::bench
