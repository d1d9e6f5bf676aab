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

std::optional<int> ParseTerminalAnswer(std::string_view input, const AskQuestion& question,
                                       std::string& complaint) {
    const std::string_view key = Trim(input);
    if (key.empty()) {
        return question.proposePlain ? AnswerPlain : AnswerDiaeresis;
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
    if (key.size() == 1) {
        const auto at = kAnswerKeys.find(key[0]);
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
    }
    complaint = "неизвестный ответ \"" + std::string(key) + "\"";
    return std::nullopt;
}

int AskOnTerminal(const AskQuestion& question, const TextBuffer& buffer, std::istream& in,
                  std::ostream& out, bool color, int width) {
    const LineColumn at = buffer.LineAndColumn(question.wordStart);
    out << "\nстрока " << at.line + 1 << ", столбец " << at.column << ":\n  "
        << ContextExcerpt(buffer, question.wordStart, question.wordLength, width, color) << "\n";
    if (color) {
        out << (question.promptWarning ? "\033[31m" : "\033[34m") << question.prompt << "\033[0m\n";
    } else {
        out << question.prompt << "\n";
    }
    out << "  " << kAnswerKeys[0] << ") " << question.plainForm << "   " << kAnswerKeys[1] << ") "
        << question.diaeresisForm;
    if (question.alwaysEnabled) {
        out << "   " << kAnswerKeys[2] << ") Всегда Е   " << kAnswerKeys[3] << ") Всегда Ё";
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
        if (const auto answer = ParseTerminalAnswer(line, question, complaint)) {
            return *answer;
        }
        out << complaint << "\n";
    }
}

} // namespace umlo::cli
