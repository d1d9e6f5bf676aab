#include "core/self_test.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/codepage.h"
#include "core/self_test_notation.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/scripted_host.h"

namespace umlo {
namespace {

using testing::ScriptedHost;

std::string Utf8(std::string_view cp1251) {
    return Cp1251ToUtf8(cp1251);
}

TEST(SelfTestNotation, BracketsSplitInputExpectedAndQuestions) {
    struct Case {
        const char* notation;
        const char* input;
        const char* expected;
        std::vector<std::int8_t> answers;
        std::vector<std::string> asked;
    };
    const std::vector<Case> cases = {
        {"вс[её1]", "все", "всё", {1}, {"все"}},
        {"пол[ее0]т", "полет", "полет", {0}, {"полет"}},
        {"ещ[её]", "еще", "ещё", {}, {}},
        {"прив[ёе0]т", "привёт", "привет", {0}, {"привёт"}},
        // Any third character but «0» answers Ё; the word ends at a non-letter.
        {"x вс[еёx]-таки, Л[её1]вин.",
         "x все-таки, Левин.",
         "x всё-таки, Лёвин.",
         {1, 1},
         {"все", "Левин"}},
        // Separators of every kind leave both texts alike.
        {"о\t\u00A0 ч[её]м", "о\t\u00A0 чем", "о\t\u00A0 чём", {}, {}},
    };
    for (const auto& c : cases) {
        const TestLine line = ParseTestLine(Cp(c.notation));
        EXPECT_EQ(Utf8(line.input), c.input) << c.notation;
        EXPECT_EQ(Utf8(line.expected), c.expected) << c.notation;
        EXPECT_EQ(line.answers, c.answers) << c.notation;
        std::vector<std::string> asked;
        for (const auto& w : line.askedWords) {
            asked.push_back(Utf8(w));
        }
        EXPECT_EQ(asked, c.asked) << c.notation;
    }
}

class SelfTestTest : public ::testing::Test {
protected:
    SelfTestTest() : options(TestingModeOptions()), engine(dic, regExprs, options, buffer, host) {
        logDir = std::filesystem::temp_directory_path() /
                 ("umlo_self_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(logDir);
        engine.RegExprConfig().logPath = (logDir / "regexpr.log").string();
        engine.SetClock([] { return 1.0; });
    }
    ~SelfTestTest() override { std::filesystem::remove_all(logDir); }

    // Start-up in testing mode.
    void Arm() {
        test.SetTestingMode(true);
        LoadTestDictionary(dic, host);
        LoadTestRegExprDictionary(regExprs, regExprPath);
        test.BuildTestText(engine);
    }
    std::string Line(int i) const { return Utf16ToUtf8(buffer.LineText(i)); }
    std::string Selected() const { return Utf16ToUtf8(buffer.SelectedText()); }
    // The built-in text with one notation line replaced.
    static TestText WithLine(int index, const std::string& notation) {
        TestText text = BuiltInTestText();
        if (index < static_cast<int>(text.mainSection.size())) {
            text.mainSection[static_cast<size_t>(index)] = notation;
        } else {
            text.oneLineSections[index - text.mainSection.size()] = notation;
        }
        return text;
    }

    TDic dic;
    TRegExprDic regExprs;
    std::string regExprPath;
    TOptions options;
    MemoryTextBuffer buffer;
    ScriptedHost host;
    PassEngine engine;
    SelfTest test;
    std::filesystem::path logDir;
};

TEST_F(SelfTestTest, StartUpLoadsTheTestDictionariesAndText) {
    Arm();
    EXPECT_TRUE(host.messages.empty()); // the entries are in dictionary order
    EXPECT_EQ(dic.Count(), 18);
    EXPECT_EQ(dic.Path(), "***");
    EXPECT_EQ(regExprs.Count(), 4);
    EXPECT_EQ(regExprPath, "***");
    EXPECT_TRUE(host.commands["Umlobegin1"]);
    EXPECT_TRUE(host.commands["Umlopos1"]);
    EXPECT_FALSE(host.commands["Clearusersel1"]);
    // Exact-case entries: «Тёр» is doubtful, «тёр» is not.
    EXPECT_TRUE(dic.IsVariant(dic.FindKey(Cp("Тер"))));
    EXPECT_FALSE(dic.IsVariant(dic.FindKey(Cp("тер"))));

    ASSERT_EQ(buffer.LineCount(), 26);
    EXPECT_EQ(test.ExpectedLines().size(), 26u);
    EXPECT_EQ(test.MainSectionLines(), 15);
    EXPECT_EQ(Line(1), "все все Все ВСЕ все");
    EXPECT_EQ(Utf8(test.ExpectedLines()[1]), "всё все Всё ВСЁ всё");
    EXPECT_EQ(Line(10), "чем о  чем  О   ЧЕМ о\t\u00A0 чем");
    const std::vector<std::int8_t> ends = {15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    EXPECT_EQ(test.SectionEnds(), ends);
    EXPECT_EQ(test.SectionStop(), 15);
    EXPECT_EQ(test.ExpectedAnswers().size(), test.ExpectedAskedWords().size());

    // «Еще» on line 15 is green, 30 points and bold; its neighbours are not.
    const int word = buffer.LineStart(15) + 14;
    EXPECT_EQ(Utf16ToUtf8(buffer.TextRange(word, word + 3)), "Еще");
    for (int i = word; i < word + 3; ++i) {
        EXPECT_EQ(buffer.FormatAt(i).text, 32768u);
        EXPECT_EQ(buffer.FormatAt(i).fontSize, 30);
        EXPECT_TRUE(buffer.FormatAt(i).bold);
    }
    EXPECT_FALSE(buffer.FormatAt(word - 1).bold);

    EXPECT_TRUE(buffer.ReadOnly());
    EXPECT_EQ(buffer.SelStart(), 0);
    EXPECT_TRUE(options.ToConfirmAbbr);
    EXPECT_TRUE(options.ToConfirmEllipsis);
    EXPECT_FALSE(options.ProposeLast);
    EXPECT_TRUE(engine.RegExprConfig().log);
}

TEST_F(SelfTestTest, TheBuiltInTestPassesWithoutAQuestionOrAMessage) {
    Arm();
    const SelfTestOutcome outcome = test.RunSelfTest(engine);
    EXPECT_EQ(outcome.kind, SelfTestOutcome::Kind::Compared);
    EXPECT_TRUE(outcome.failedLines.empty()) << Line(outcome.failedLines.front());
    EXPECT_EQ(outcome.linesCompared, 26);
    EXPECT_EQ(outcome.questionsShown, 0);
    EXPECT_GT(outcome.answersExpected, 20);
    EXPECT_EQ(outcome.answersGiven, outcome.answersExpected);
    EXPECT_TRUE(outcome.Passed());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.messages.empty());

    // What some runs must and must not have done.
    EXPECT_EQ(Line(1), "всё все Всё ВСЁ всё");
    EXPECT_EQ(Line(16), "Без проверки Ё: привёт");
    EXPECT_EQ(Line(22), "Без формата FB: <BINARY ...> ещё");
    EXPECT_EQ(Line(23), "С форматом FB: <BINARY ...> еще");
    // The replaced letter of the formatted word kept its size and boldness and
    // took the mark colours.
    const int yo = buffer.LineStart(15) + 16;
    EXPECT_EQ(Utf16ToUtf8(buffer.TextRange(yo, yo + 1)), "ё");
    EXPECT_EQ(buffer.FormatAt(yo).fontSize, 30);
    EXPECT_TRUE(buffer.FormatAt(yo).bold);
    EXPECT_EQ(buffer.FormatAt(yo).text, options.ColorMark);
    EXPECT_EQ(buffer.FormatAt(yo).back, options.ColorBackMark);

    EXPECT_TRUE(test.ExpectedLines().empty());
    EXPECT_EQ(host.captions["Testing1"], "Сброс теста");
    EXPECT_TRUE(buffer.ReadOnly());
}

TEST_F(SelfTestTest, OneChangedExpectedCharacterFailsAtItsLine) {
    // «ещ[её]» on line 2 changed to «ещ[ее]»: the pass still writes «ещё».
    test.SetTestText(WithLine(2, "ещ[ее] ещ[её] Ещ[её] ЕЩ[ЕЁ] ещ[её]"));
    Arm();
    const SelfTestOutcome outcome = test.RunSelfTest(engine);
    EXPECT_EQ(outcome.kind, SelfTestOutcome::Kind::Compared);
    EXPECT_EQ(outcome.failedLines, std::vector<int>{2});
    EXPECT_FALSE(outcome.Passed());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Plain);
    EXPECT_EQ(host.messages[0].text, "Тест не прошёл !");
    // The whole failed line is selected.
    EXPECT_EQ(buffer.SelStart(), buffer.LineStart(2));
    EXPECT_EQ(Selected(), "ещё ещё Ещё ЕЩЁ ещё");

    // A changed expectation in a one-line section is found there, past the
    // lines that agree.
    SelfTest second;
    second.SetTestText(WithLine(20, "Всегда спрашивать: ещ[ее0] ещ[ее1]"));
    second.SetTestingMode(true);
    host.messages.clear();
    options = TestingModeOptions();
    second.BuildTestText(engine);
    const SelfTestOutcome late = second.RunSelfTest(engine);
    EXPECT_EQ(late.failedLines, std::vector<int>{20});
    EXPECT_EQ(Selected(), "Всегда спрашивать: еще ещё");
    ASSERT_EQ(host.messages.size(), 1u);
    engine.SetTestingHooks(nullptr);
}

TEST_F(SelfTestTest, AnUnexpectedQuestionIsShownAndItsAnswerUsed) {
    // The notation no longer expects the question about the first «все».
    test.SetTestText(WithLine(1, "вс[её] вс[ее0] Вс[её1] ВС[ЕЁ1] вс[её1]"));
    Arm();
    host.answers = {AnswerPlain};
    const SelfTestOutcome outcome = test.RunSelfTest(engine);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].plainForm, "все");
    EXPECT_EQ(outcome.questionsShown, 1);
    EXPECT_EQ(test.LastShownAnswer(), AnswerPlain);
    // The shown answer kept «все» where «всё» was expected. The auto-answers then
    // met their words one place early: the rest of the line differs too.
    ASSERT_FALSE(outcome.failedLines.empty());
    EXPECT_EQ(outcome.failedLines.front(), 1);
    EXPECT_FALSE(outcome.Passed());
    ASSERT_EQ(host.messages.size(), 1u);
}

TEST_F(SelfTestTest, CancellingAShownQuestionEndsTheRunsWithoutComparing) {
    test.SetTestText(WithLine(1, "вс[её] вс[ее0] Вс[её1] ВС[ЕЁ1] вс[её1]"));
    Arm();
    host.answers = {AnswerCancel};
    const SelfTestOutcome outcome = test.RunSelfTest(engine);
    EXPECT_EQ(outcome.kind, SelfTestOutcome::Kind::Cancelled);
    EXPECT_FALSE(outcome.Passed());
    EXPECT_TRUE(host.messages.empty());
    // Run 0 stopped at once: the later sections are untouched.
    EXPECT_EQ(Line(17), "Безусловные: все еще");
    EXPECT_EQ(host.captions["Testing1"], "Сброс теста");
}

TEST_F(SelfTestTest, TheSecondRunResetsToFreeTesting) {
    Arm();
    ASSERT_TRUE(test.RunSelfTest(engine).Passed());
    const SelfTestOutcome reset = test.RunSelfTest(engine);
    EXPECT_EQ(reset.kind, SelfTestOutcome::Kind::Reset);
    EXPECT_FALSE(test.TestingMode());
    EXPECT_FALSE(host.commands["Testing1"]);
    EXPECT_FALSE(buffer.ReadOnly());
    EXPECT_EQ(buffer.SelStart(), 0);
    EXPECT_EQ(Line(1), "все все Все ВСЕ все"); // the test text again
    EXPECT_EQ(test.SectionStop(), -1);

    // Without testing mode the questions reach the panel and nothing stops the
    // scan after line 15.
    host.policy = [](const AskQuestion&) { return AnswerDiaeresis; };
    engine.DoUmloficate(0, 1);
    EXPECT_FALSE(host.questions.empty());
    EXPECT_EQ(host.questions[0].plainForm, "все");
    EXPECT_EQ(Line(17), "Безусловные: всё ещё");
}

TEST_F(SelfTestTest, SectionEndsHoldOnlyWhatFitsASignedByte) {
    SelfTest t;
    for (int i = 0; i < 128; ++i) {
        t.AddTestLine("x", buffer);
    }
    EXPECT_TRUE(t.EndTestSection(buffer)); // line 127
    t.AddTestLine("x", buffer);
    EXPECT_FALSE(t.EndTestSection(buffer)); // line 128
    EXPECT_EQ(t.SectionEnds(), std::vector<std::int8_t>{127});
}

} // namespace
} // namespace umlo
