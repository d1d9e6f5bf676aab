#include "cli/path_collisions.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <optional>
#include <sys/stat.h>

#include "documents/file_identity.h"

namespace umlo::cli {
namespace {

struct Role {
    std::string what; // "входной файл", "-o", …
    std::string path;
    bool output = false;
    FileIdentity id;
};

std::string Shown(const Role& r) {
    return r.what + " (" +
           (r.path == "-" ? std::string(r.output ? "стандартный вывод" : "стандартный ввод")
                          : r.path) +
           ")";
}

// The first lines of a regular file; nullopt for a missing file or another kind.
std::optional<std::vector<std::string>> FirstLines(const std::string& path, int count) {
    struct stat info {};
    if (path == "-" || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (static_cast<int>(lines.size()) < count && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// "line<TAB>column<TAB>…", or "# path" before a file's block.
bool IsReportLine(const std::string& line) {
    const auto tab = line.find('\t');
    if (line.starts_with("# ")) {
        return true;
    }
    const auto tab2 = tab == std::string::npos ? tab : line.find('\t', tab + 1);
    return tab2 != std::string::npos && AllDigits(std::string_view(line).substr(0, tab)) &&
           AllDigits(std::string_view(line).substr(tab + 1, tab2 - tab - 1));
}

// A word or an expression and its counters, or the line between the two grids.
bool IsStatisticsLine(const std::string& line) {
    if (line == "===") {
        return true;
    }
    const auto last = line.find_last_of(' ');
    return last != std::string::npos && last > 0 &&
           AllDigits(std::string_view(line).substr(last + 1));
}

std::string ForeignTarget(const std::string& option, const std::string& path,
                          bool (*ours)(const std::string&)) {
    const auto lines = FirstLines(path, 5);
    if (!lines || std::all_of(lines->begin(), lines->end(), ours)) {
        return {};
    }
    return option + " " + path +
           ": такой файл уже есть, и это не файл umlo-cli; ничего не записано "
           "(удалите его или выберите другое имя)";
}

} // namespace

std::string FindForeignReportTarget(const CliArguments& args) {
    if (!args.reportPath.empty()) {
        if (std::string m = ForeignTarget("--report", args.reportPath, IsReportLine); !m.empty()) {
            return m;
        }
    }
    if (!args.statsPath.empty()) {
        return ForeignTarget("--stats", args.statsPath, IsStatisticsLine);
    }
    return {};
}

std::string FindPathCollision(const CliArguments& args, const std::vector<std::string>& logs,
                              const std::string& settings) {
    std::vector<Role> roles;
    if (!settings.empty()) {
        roles.push_back({"файл настроек", settings, false, {}});
    }
    for (const std::string& path : args.files) {
        roles.push_back(
            {args.inPlace ? "заменяемый файл" : "входной файл", path, args.inPlace, {}});
    }
    if (!args.output.empty()) {
        roles.push_back({"результат -o", args.output, true, {}});
    }
    if (!args.reportPath.empty()) {
        roles.push_back({"отчёт --report", args.reportPath, true, {}});
    }
    if (!args.statsPath.empty()) {
        roles.push_back({"статистика --stats", args.statsPath, true, {}});
    }
    for (const std::string& log : logs) {
        roles.push_back({"журнал", log, true, {}});
    }
    for (Role& r : roles) {
        r.id = IdentifyPath(r.path, r.output);
    }
    for (std::size_t i = 0; i < roles.size(); ++i) {
        for (std::size_t j = i + 1; j < roles.size(); ++j) {
            const Role& a = roles[i];
            const Role& b = roles[j];
            // Two inputs read from one file hurt nothing; anything written does.
            if (!a.output && !b.output) {
                continue;
            }
            // Standard input and standard output are two streams.
            if (a.path == "-" && b.path == "-" && a.output != b.output) {
                continue;
            }
            if (SameFile(a.id, b.id) || (a.path == "-" && b.path == "-")) {
                std::string message =
                    Shown(a) + " и " + Shown(b) + " - один и тот же файл; ничего не записано";
                if (!a.output && b.what == "результат -o") {
                    message += " (заменить файл результатом: --in-place)";
                }
                return message;
            }
        }
    }
    return {};
}

} // namespace umlo::cli
