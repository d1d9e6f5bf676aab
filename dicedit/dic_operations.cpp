#include "dicedit/dic_operations.h"
#include "core/system_message.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "core/codepage.h"
#include "core/dictionary_file.h"
#include "core/regex_matcher.h"
#include "core/words.h"

namespace umlo {
namespace {

bool ShowsProgress(size_t index) {
    return index % kProgressEvery == 0;
}

LineCheckResult Error(std::string message) {
    return {true, std::move(message)};
}

} // namespace

std::string WordFormsText(int count) {
    return "Словоформ: " + std::to_string(count);
}

int CountEntryLines(const std::vector<std::string>& lines) {
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [](const auto& l) { return !IsCommentLine(l); }));
}

LineCheckResult CheckDicLine(std::string_view line, bool regexMode) {
    if (line.empty()) {
        return Error({});
    }
    if (regexMode) {
        if (!HasAnyE(line)) {
            return Error("Ошибка: строка без Е/Ё");
        }
        // Compiled as the search and the pass compile, case-blind.
        RegexMatcher matcher;
        if (!matcher.Compile(line, true)) {
            const std::string& engine = matcher.ErrorMessage();
            return Error("Ошибка регулярного выражения: " +
                         (IsValidUtf8(engine) ? engine : Cp1251ToUtf8(engine)));
        }
        return {};
    }
    if (!AllLettersOrQuery(line)) {
        return Error("Ошибка: некорректное слово");
    }
    const bool hasYo = HasDiaeresisE(line);
    if (hasYo && HasUpperLetter(line.substr(1))) {
        return Error("Ошибка: неверный регистр");
    }
    if (!hasYo) {
        return Error("Ошибка: строка без Ё");
    }
    return {};
}

int SortDictionary(std::vector<std::string>& lines) {
    const auto headerEnd = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.empty() || l.front() != '#';
    });
    // Comment and empty lines below the header sort before the words by the
    // order itself: "#" and the empty string come before every letter.
    std::stable_sort(headerEnd, lines.end(), [](const std::string& a, const std::string& b) {
        return DicLineCompare(a, b) < 0;
    });
    return CountEntryLines(lines);
}

DuplicateRemoval RemoveDuplicates(std::vector<std::string>& lines, OperationMonitor& monitor) {
    DuplicateRemoval result;
    // Kept lines are packed to the front, so `kept` is the index the line
    // being looked at has once the duplicates before it are gone.
    size_t kept = 0;
    size_t next = 0;
    for (; next < lines.size(); ++next) {
        if (monitor.EscPressed()) {
            result.interrupted = true;
            break;
        }
        if (ShowsProgress(kept)) {
            monitor.ShowProgress(Cp1251ToUtf8(lines[next]));
        }
        if (!IsCommentLine(lines[next])) {
            if (kept > 0 && lines[next] == lines[kept - 1]) {
                ++result.removed;
                continue;
            }
            ++result.wordCount;
        }
        if (kept != next) {
            lines[kept] = std::move(lines[next]);
        }
        ++kept;
    }
    // The lines after an interruption stay as they are.
    const auto rest = std::move(lines.begin() + static_cast<std::ptrdiff_t>(next), lines.end(),
                                lines.begin() + static_cast<std::ptrdiff_t>(kept));
    lines.erase(rest, lines.end());

    result.statusText =
        WordFormsText(result.wordCount) + ", удалено дублей: " + std::to_string(result.removed);
    if (result.interrupted) {
        result.statusText = "Операция прервана. " + result.statusText;
    }
    return result;
}

ErrorSearch FindNextError(const std::vector<std::string>& lines, int startLine, bool regexMode,
                          OperationMonitor& monitor) {
    ErrorSearch result;
    const int count = static_cast<int>(lines.size());
    int i = std::clamp(startLine, 0, count);
    for (; i < count; ++i) {
        if (monitor.EscPressed()) {
            result.interrupted = true;
            break;
        }
        const std::string& line = lines[static_cast<size_t>(i)];
        if (ShowsProgress(static_cast<size_t>(i))) {
            monitor.ShowProgress(Cp1251ToUtf8(line));
        }
        if (IsCommentLine(line)) {
            continue;
        }
        LineCheckResult check = CheckDicLine(line, regexMode);
        if (!check.error && !regexMode && i > 0) {
            const int order = DicLineCompare(lines[static_cast<size_t>(i) - 1], line);
            if (order == 0) {
                check = Error("Ошибка: повторение слова");
            } else if (order > 0) {
                check = Error("Ошибка: нарушен порядок слов");
            }
        }
        if (check.error) {
            result.found = true;
            result.line = i;
            result.statusText = std::move(check.message);
            return result;
        }
    }
    result.line = i;
    result.statusText = result.interrupted ? "Операция прервана" : "Ошибок не найдено";
    return result;
}

int SubtractDictionary(std::vector<std::string>& lines, const std::vector<std::string>& other) {
    // Each line of the other dictionary removes one identical line. Counting
    // them up front finds every such line, where a bisection over the text
    // could miss one next to a line of the same key (все and всё) or in a
    // text that is not quite sorted.
    std::unordered_map<std::string_view, int> toRemove;
    for (const auto& line : other) {
        ++toRemove[line];
    }
    const auto kept = std::remove_if(lines.begin(), lines.end(), [&toRemove](const auto& line) {
        const auto it = toRemove.find(line);
        if (it == toRemove.end() || it->second == 0) {
            return false;
        }
        --it->second;
        return true;
    });
    lines.erase(kept, lines.end());
    return CountEntryLines(lines);
}

int ReadDictionaryLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    errno = 0;
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return errno != 0 ? errno : ENOENT;
    }
    return ReadLines(file.get(), [&lines](std::string_view line) { lines.emplace_back(line); });
}

int SubtractDictionaryFile(std::vector<std::string>& lines, const std::string& path, Host& host) {
    std::vector<std::string> other;
    if (const int error = ReadDictionaryLines(path, other); error != 0) {
        host.ShowError(FileErrorMessage(FileAction::Read, path, error));
        return -1;
    }
    return SubtractDictionary(lines, other);
}

std::string ChangeLineCase(std::string_view line, CaseCommand command) {
    if (command == CaseCommand::Lower) {
        return LowerCase(line);
    }
    std::string result(line);
    if (!result.empty()) {
        result.front() = ToUpperByte(result.front());
    }
    return result;
}

LengthLine WriteLengthLine(std::vector<std::string>& lines, bool regexMode) {
    static const std::string marker = Cp("# Длина:");
    const int count = static_cast<int>(lines.size());
    int comments = 0;
    int lengthLine = -1;
    int firstEntry = count;
    for (int i = 0; i < count; ++i) {
        const std::string& line = lines[static_cast<size_t>(i)];
        if (!IsCommentLine(line)) {
            firstEntry = std::min(firstEntry, i);
            if (!regexMode) {
                break;
            }
            continue;
        }
        ++comments;
        if (lengthLine < 0 && line.find(marker) != std::string::npos) {
            lengthLine = i;
        }
    }
    LengthLine result;
    if (lengthLine < 0) {
        // The third line as a rule. In word mode never below the first word:
        // only the lines above it are searched, and a length line among the
        // words would not be found again, so each run would add one more.
        lengthLine = std::min(2, std::max(count - 1, 0));
        if (!regexMode) {
            lengthLine = std::min(lengthLine, firstEntry);
        }
        lines.insert(lines.begin() + lengthLine, "#");
        ++comments;
        result.inserted = true;
    }
    result.index = lengthLine;
    result.length = static_cast<int>(lines.size()) - comments;
    lines[static_cast<size_t>(lengthLine)] = Cp("# Длина: ") + std::to_string(result.length);
    return result;
}

} // namespace umlo
