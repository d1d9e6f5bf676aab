#include "cli/question_report.h"

#include "core/codepage.h"

namespace umlo::cli {

std::string_view AnswerName(int answer) {
    switch (answer) {
    case AnswerPlain:
        return "Е";
    case AnswerDiaeresis:
        return "Ё";
    case AnswerPlainAlways:
        return "Всегда Е";
    case AnswerDiaeresisAlways:
        return "Всегда Ё";
    case AnswerUndo:
        return "Откат";
    default:
        return "Прервать";
    }
}

void QuestionReport::BeginFile(std::string_view path, bool severalFiles) {
    if (severalFiles) {
        text_ += "# ";
        text_ += path;
        text_ += '\n';
    }
}

void QuestionReport::Add(const TextBuffer& buffer, const AskQuestion& question, int answer) {
    const LineColumn at = buffer.LineAndColumn(question.wordStart);
    const std::string word =
        Utf16ToUtf8(buffer.TextRange(question.wordStart, question.wordStart + question.wordLength));
    text_ += std::to_string(at.line + 1) + '\t' + std::to_string(at.column) + '\t' + word + '\t' +
             question.plainForm + '\t' + question.diaeresisForm + '\t' + question.prompt + '\t' +
             std::string(AnswerName(answer)) + '\n';
}

} // namespace umlo::cli
