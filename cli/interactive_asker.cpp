#include "cli/interactive_asker.h"

#include <algorithm>

#include "core/codepage.h"

namespace umlo::cli {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::u16string Flattened(std::u16string text) {
    std::replace(text.begin(), text.end(), u'\r', u' ');
    std::replace(text.begin(), text.end(), u'\n', u' ');
    return text;
}

} // namespace

std::string ContextExcerpt(const TextBuffer& buffer, int wordStart, int wordLength, int width,
                           bool color) {
    const int side = std::max(0, (width - wordLength) / 2);
    const int first = std::max(0, wordStart - side);
    const int last = std::min(buffer.TextLength(), wordStart + wordLength + side);
    const std::string before = Utf16ToUtf8(Flattened(buffer.TextRange(first, wordStart)));
    const std::string word =
        Utf16ToUtf8(Flattened(buffer.TextRange(wordStart, wordStart + wordLength)));
    const std::string after =
        Utf16ToUtf8(Flattened(buffer.TextRange(wordStart + wordLength, last)));
    if (color) {
        return before + "\033[1;31m" + word + "\033[0m" + after;
    }
    return before + "»" + word + "«" + after;
}

AnswerKeys AnswerKeysFrom(std::string_view hotKeys) {
    AnswerKeys result;
    std::size_t at = 0;
    for (std::string& key : result.keys) {
        if (at >= hotKeys.size()) {
            break;
        }
        // One UTF-8 character: its lead byte and the continuation bytes after it.
        std::size_t end = at + 1;
        while (end < hotKeys.size() && (static_cast<unsigned char>(hotKeys[end]) & 0xC0) == 0x80) {
            ++end;
        }
        if (hotKeys[at] != ' ') {
            key = std::string(hotKeys.substr(at, end - at));
        }
        at = end;
    }
    return result;
}

std::optional<int> ParseTerminalAnswer(std::string_view input, const AskQuestion& question,
                                       std::string& complaint, const AnswerKeys& keys) {
    const std::string_view key = Trim(input);
    if (key.empty()) {
        return question.proposePlain ? AnswerPlain : AnswerDiaeresis;
    }
    // The user's own keys come first: they may have taken a letter below.
    const auto at = static_cast<std::size_t>(std::find(keys.keys.begin(), keys.keys.end(), key) -
                                             keys.keys.begin());
    if (at == 0) {
        return AnswerPlain;
    }
    if (at == 1) {
        return AnswerDiaeresis;
    }
    if (at == 2 || at == 3) {
        if (!question.alwaysEnabled) {
            complaint = "для этого слова \"Всегда Е/Ё\" недоступны";
            return std::nullopt;
        }
        return at == 2 ? AnswerPlainAlways : AnswerDiaeresisAlways;
    }
    if (key.find('\x1b') != std::string_view::npos || key == "q" || key == "Q" || key == "esc") {
        return AnswerCancel;
    }
    if (key == "5" || key == "u" || key == "U" || key == "откат" || key == "Откат") {
        if (!question.undoEnabled) {
            complaint = "откатывать нечего";
            return std::nullopt;
        }
        return AnswerUndo;
    }
    complaint = "неизвестный ответ \"" + std::string(key) + "\"";
    return std::nullopt;
}

int AskOnTerminal(const AskQuestion& question, const TextBuffer& buffer, std::istream& in,
                  std::ostream& out, bool color, int width, const AnswerKeys& keys) {
    const LineColumn at = buffer.LineAndColumn(question.wordStart);
    out << "\nстрока " << at.line + 1 << ", столбец " << at.column << ":\n  "
        << ContextExcerpt(buffer, question.wordStart, question.wordLength, width, color) << "\n";
    if (color) {
        out << (question.promptWarning ? "\033[31m" : "\033[34m") << question.prompt << "\033[0m\n";
    } else {
        out << question.prompt << "\n";
    }
    const auto& k = keys.keys;
    out << "  " << k[0] << ") " << question.plainForm << "   " << k[1] << ") "
        << question.diaeresisForm;
    if (question.alwaysEnabled) {
        out << "   " << k[2] << ") Всегда Е   " << k[3] << ") Всегда Ё";
    }
    if (question.undoEnabled) {
        out << "   5) " << question.undoCaption;
    }
    out << "   q) Прервать\n";
    const std::string proposed =
        question.proposePlain ? question.plainForm : question.diaeresisForm;
    for (;;) {
        out << "[Enter = " << proposed << "]> " << std::flush;
        std::string line;
        if (!std::getline(in, line)) {
            out << "\n";
            return AnswerCancel;
        }
        std::string complaint;
        if (const auto answer = ParseTerminalAnswer(line, question, complaint, keys)) {
            return *answer;
        }
        out << complaint << "\n";
    }
}

} // namespace umlo::cli
