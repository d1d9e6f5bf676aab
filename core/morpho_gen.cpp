#include "core/morpho_gen.h"
#include "core/system_message.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/words.h"

namespace umlo {
namespace {

// A decimal integer, 0 or more, within int; blanks around it are allowed.
bool ParseCut(std::string_view text, int& cut) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return false;
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
        if (value > INT_MAX) {
            return false;
        }
    }
    cut = static_cast<int>(value);
    return true;
}

std::string ReadFailure(const std::string& fileName, int error) {
    // The path is the system's own (UTF-8); the message box shows it as is.
    return "Ошибка чтения файла \"" + fileName + "\".\r" + SystemMessage(error);
}

} // namespace

PatternMatch Match(std::string_view word, std::string_view pattern) {
    PatternMatch result;
    while (!pattern.empty() && !word.empty()) {
        std::string_view cls = pattern.substr(pattern.size() - 1);
        pattern.remove_suffix(1);
        ++result.matched;
        if (cls[0] == ']') {
            const size_t open = pattern.rfind('[');
            if (open != std::string_view::npos) {
                cls = pattern.substr(open + 1);
                pattern = pattern.substr(0, open);
            }
        }
        if (!CharInSet(cls, word.back())) {
            return result;
        }
        word.remove_suffix(1);
    }
    result.fits = true;
    return result;
}

std::vector<std::string> MakeForms(std::string_view word, std::string_view endings, int cut) {
    std::string_view stem = word;
    if (cut > 0 && static_cast<size_t>(cut) <= word.size()) {
        stem = word.substr(0, word.size() - static_cast<size_t>(cut));
    }
    std::vector<std::string> forms;
    size_t start = 0;
    while (true) {
        const size_t comma = endings.find(',', start);
        const std::string_view item = endings.substr(start, comma - start);
        std::string form(stem);
        form += item;
        forms.push_back(std::move(form));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return forms;
}

BaseForm SplitDoubtful(std::string_view line) {
    BaseForm base;
    if (!line.empty() && line.back() == '?') {
        line.remove_suffix(1);
        base.doubtful = true;
    }
    base.word = std::string(line);
    return base;
}

std::vector<std::string> MarkForms(std::vector<std::string> forms, bool doubtful) {
    if (doubtful) {
        for (auto& form : forms) {
            form += '?';
        }
    }
    return forms;
}

bool ParseRuleLine(std::string_view line, std::string& section, MorphRule& rule) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '#') {
        return false;
    }
    if (line.front() == '=') {
        section = std::string(line.substr(1));
        return false;
    }
    const size_t c1 = line.find(':');
    if (c1 == std::string_view::npos) {
        return false;
    }
    const size_t c2 = line.find(':', c1 + 1);
    if (c2 == std::string_view::npos) {
        return false;
    }
    const size_t c3 = line.find(':', c2 + 1);
    if (c3 == std::string_view::npos) {
        return false;
    }
    int cut = 0;
    if (!ParseCut(line.substr(c2 + 1, c3 - c2 - 1), cut)) {
        return false;
    }
    rule.label = section + " (" + std::string(line.substr(0, c1)) + ")";
    rule.pattern = std::string(line.substr(c1 + 1, c2 - c1 - 1));
    rule.cut = cut;
    rule.endings = std::string(line.substr(c3 + 1));
    return true;
}

void MorphoGen::LoadRulesFromText(std::string_view text) {
    rules_.clear();
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        // CR LF, LF and a lone CR all end a line; the empty lines between are skipped.
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        MorphRule rule;
        if (ParseRuleLine(text.substr(start, end - start), section, rule)) {
            rules_.push_back(std::move(rule));
        }
        start = end + 1;
    }
    loaded_ = true;
}

bool MorphoGen::LoadRules(const std::string& fileName, Host& host) {
    rules_.clear();
    loaded_ = false;
    std::error_code error;
    if (std::filesystem::is_directory(fileName, error)) {
        host.ShowError(ReadFailure(fileName, EISDIR));
        return false;
    }
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        const int code = errno != 0 ? errno : ENOENT;
        host.ShowError(ReadFailure(fileName, code));
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        host.ShowError(ReadFailure(fileName, EIO));
        return false;
    }
    LoadRulesFromText(content.str());
    return true;
}

bool MorphoGen::LoadRulesIfPresent(const std::string& fileName, Host& host) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) {
        rules_.clear();
        loaded_ = false;
        return false;
    }
    return LoadRules(fileName, host);
}

std::vector<MorphCandidate> MorphoGen::CollectCandidates(std::string_view word) const {
    std::vector<MorphCandidate> candidates;
    for (const auto& rule : rules_) {
        const PatternMatch match = Match(word, rule.pattern);
        if (!match.fits) {
            continue;
        }
        auto at = candidates.begin();
        while (at != candidates.end() && at->cut >= match.matched) {
            ++at;
        }
        candidates.insert(at, MorphCandidate{rule.endings, rule.label, rule.cut});
    }
    return candidates;
}

} // namespace umlo
