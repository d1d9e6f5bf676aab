#include "cli/interactive_asker.h"

#include <gtest/gtest.h>
#include <sstream>

#include "cli/question_report.h"
#include "cli/terminal_host.h"
#include "core/codepage.h"
#include "documents/memory_text_buffer.h"

namespace umlo::cli {
namespace {

AskQuestion Question(bool alwaysEnabled = true, bool undoEnabled = false) {
    AskQuestion q;
    q.plainForm = "все";
    q.diaeresisForm = "всё";
    q.proposePlain = true;
    q.prompt = "Выберите верный вариант";
    q.alwaysEnabled = alwaysEnabled;
    q.undoEnabled = undoEnabled;
    q.undoCaption = "Откат \"все -> всё\"";
    return q;
}

TEST(InteractiveAsker, ThePanelKeysGiveTheirAnswers) {
    std::string complaint;
    const AskQuestion q = Question(true, true);
    EXPECT_EQ(ParseTerminalAnswer("1", q, complaint), AnswerPlain);
    EXPECT_EQ(ParseTerminalAnswer(" 2 ", q, complaint), AnswerDiaeresis);
    EXPECT_EQ(ParseTerminalAnswer("3", q, complaint), AnswerPlainAlways);
    EXPECT_EQ(ParseTerminalAnswer("4\r", q, complaint), AnswerDiaeresisAlways);
    EXPECT_EQ(ParseTerminalAnswer("5", q, complaint), AnswerUndo);
    EXPECT_EQ(ParseTerminalAnswer("u", q, complaint), AnswerUndo);
    EXPECT_EQ(ParseTerminalAnswer("\x1b", q, complaint), AnswerCancel);
    EXPECT_EQ(ParseTerminalAnswer("q", q, complaint), AnswerCancel);
    // Enter takes the proposal, whichever it is.
    EXPECT_EQ(ParseTerminalAnswer("", q, complaint), AnswerPlain);
    AskQuestion proposeYo = q;
    proposeYo.proposePlain = false;
    EXPECT_EQ(ParseTerminalAnswer("", proposeYo, complaint), AnswerDiaeresis);
}

TEST(InteractiveAsker, ButtonsThePanelDisablesAreRefused) {
    std::string complaint;
    const AskQuestion q = Question(false, false);
    EXPECT_FALSE(ParseTerminalAnswer("3", q, complaint));
    EXPECT_FALSE(complaint.empty());
    complaint.clear();
    EXPECT_FALSE(ParseTerminalAnswer("4", q, complaint));
    EXPECT_FALSE(complaint.empty());
    complaint.clear();
    EXPECT_FALSE(ParseTerminalAnswer("5", q, complaint));
    EXPECT_FALSE(complaint.empty());
    complaint.clear();
    EXPECT_FALSE(ParseTerminalAnswer("7", q, complaint));
    EXPECT_FALSE(ParseTerminalAnswer("12", q, complaint));
}

TEST(InteractiveAsker, TheSettingsKeysReplaceTheDigits) {
    std::string complaint;
    const AskQuestion q = Question(true, true);
    const AnswerKeys keys = AnswerKeysFrom("ёqж"); // the fourth keeps its digit
    EXPECT_EQ(keys.keys[0], "ё");
    EXPECT_EQ(ParseTerminalAnswer("ё", q, complaint, keys), AnswerPlain);
    // A key the user chose comes before the built-in meaning of "q".
    EXPECT_EQ(ParseTerminalAnswer("q", q, complaint, keys), AnswerDiaeresis);
    EXPECT_EQ(ParseTerminalAnswer("ж", q, complaint, keys), AnswerPlainAlways);
    EXPECT_EQ(ParseTerminalAnswer("4", q, complaint, keys), AnswerDiaeresisAlways);
    EXPECT_FALSE(ParseTerminalAnswer("1", q, complaint, keys));
    EXPECT_EQ(ParseTerminalAnswer("5", q, complaint, keys), AnswerUndo);
    EXPECT_EQ(AnswerKeysFrom("").keys, AnswerKeys{}.keys);
}

class TerminalQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        buffer.SetAllText(u"первая строка\rа тут все и еще");
        const int start = buffer.LineStart(1) + 6;
        question = Question();
        question.wordStart = start;
        question.wordLength = 3;
    }
    MemoryTextBuffer buffer;
    AskQuestion question;
};

TEST_F(TerminalQuestion, ShowsPlaceContextPromptAndFormsThenRetriesUntilAnswered) {
    std::istringstream in("x\n5\n2\n");
    std::ostringstream out;
    EXPECT_EQ(AskOnTerminal(question, buffer, in, out, false, 80), AnswerDiaeresis);
    const std::string shown = out.str();
    EXPECT_NE(shown.find("строка 2, столбец 7"), std::string::npos) << shown;
    EXPECT_NE(shown.find("первая строка а тут »все« и еще"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Выберите верный вариант"), std::string::npos);
    EXPECT_NE(shown.find("1) все"), std::string::npos);
    EXPECT_NE(shown.find("2) всё"), std::string::npos);
    EXPECT_NE(shown.find("неизвестный ответ \"x\""), std::string::npos);
    EXPECT_NE(shown.find("откатывать нечего"), std::string::npos);
    EXPECT_NE(shown.find("[Enter = все]"), std::string::npos);
}

TEST_F(TerminalQuestion, TheEndOfTheInputStopsThePass) {
    std::istringstream in("");
    std::ostringstream out;
    EXPECT_EQ(AskOnTerminal(question, buffer, in, out, false, 80), AnswerCancel);
}

TEST_F(TerminalQuestion, TheExcerptIsCutAroundTheWord) {
    // 5 characters of width: one character on each side of the word.
    EXPECT_EQ(ContextExcerpt(buffer, question.wordStart, 3, 5, false), " »все« ");
    EXPECT_EQ(ContextExcerpt(buffer, 0, 6, 6, false), "»первая«");
    EXPECT_EQ(ContextExcerpt(buffer, question.wordStart, 3, 80, true).find("\033[1;31mвсе\033[0m"),
              std::string("первая строка а тут ").size());
}

TEST_F(TerminalQuestion, TheReportHasOneTabSeparatedLinePerQuestion) {
    QuestionReport report;
    report.BeginFile("a.txt", false);
    report.Add(buffer, question, AnswerDiaeresis);
    AskQuestion misplaced = question;
    misplaced.prompt = "Вероятно, здесь должна быть \"Е\"";
    report.Add(buffer, misplaced, AnswerCancel);
    EXPECT_EQ(report.Text(), "2\t7\tвсе\tвсе\tвсё\tВыберите верный вариант\tЁ\n"
                             "2\t7\tвсе\tвсе\tвсё\tВероятно, здесь должна быть \"Е\"\tПрервать\n");
    QuestionReport several;
    several.BeginFile("b.txt", true);
    EXPECT_EQ(several.Text(), "# b.txt\n");
    for (const int a : {AnswerPlain, AnswerDiaeresis, AnswerPlainAlways, AnswerDiaeresisAlways,
                        AnswerUndo, AnswerCancel}) {
        EXPECT_FALSE(AnswerName(a).empty());
    }
    EXPECT_EQ(AnswerName(AnswerPlainAlways), "Всегда Е");
}

TEST(TerminalHostTest, MessagesGoToStderrWithTheirCaptionAndDefaultAnswer) {
    std::ostringstream err;
    TerminalHost host(err, false);
    host.ShowError("Файл \"x\" не найден");
    EXPECT_TRUE(host.AskYesNo("Обнулить?\rТочно?") == false);
    host.ShowMessage(MessageKind::Plain, "Тест не прошёл !", MessageButtons::Ok, MessageResult::Ok);
    EXPECT_EQ(err.str(), "umlo-cli: Ошибка: Файл \"x\" не найден\n"
                         "umlo-cli: Внимание: Обнулить?\nТочно? [Нет]\n"
                         "umlo-cli: Тест не прошёл !\n");
    EXPECT_EQ(host.ErrorCount(), 1);
    // Without an answerer a question stops the pass rather than guess.
    EXPECT_EQ(host.AskUser(AskQuestion{}), AnswerCancel);
    host.SetStatusText(1, "summary");
    EXPECT_EQ(host.StatusText(1), "summary");
    EXPECT_EQ(err.str().find("summary"), std::string::npos); // no progress asked for
}

TEST(TerminalHostTest, TheProgressLineIsDrawnOnlyEveryQuarterSecond) {
    std::ostringstream err;
    auto now = std::chrono::steady_clock::time_point{};
    TerminalHost host(err, true, [&now] { return now; });
    host.SetStatusText(0, "1:1 (9)");
    host.SetStatusText(1, "first"); // a short text never shows progress
    EXPECT_EQ(err.str(), "");
    now += std::chrono::milliseconds(300);
    host.SetStatusText(1, "second");
    EXPECT_EQ(err.str(), "\r\033[K1:1 (9)  second");
    now += std::chrono::milliseconds(100);
    host.SetStatusText(1, "third");
    EXPECT_EQ(err.str(), "\r\033[K1:1 (9)  second");
    // A message first clears the progress line.
    host.ShowInfo("done");
    EXPECT_EQ(err.str(), "\r\033[K1:1 (9)  second\r\033[Kumlo-cli: Информация: done\n");
    host.EndProgress(); // nothing left to clear
    EXPECT_EQ(err.str().size(),
              std::string("\r\033[K1:1 (9)  second\r\033[Kumlo-cli: Информация: done\n").size());
}

} // namespace
} // namespace umlo::cli
