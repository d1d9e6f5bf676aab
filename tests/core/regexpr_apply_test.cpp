#include "core/regexpr_apply.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/codepage.h"
#include "core/words.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

using testing::RecordingHost;

// The self-test's four lines.
void FillSelfTestSet(TRegExprDic& dic) {
    dic.Clear();
    for (const char* line : {"\\d+ лет", "всё-таки", "о чём", "Тер-[А-Я]"}) {
        ASSERT_TRUE(dic.AddLine(Cp(line))) << line;
    }
}

class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override { FillSelfTestSet(dic); }

    // Text in UTF-8 with "\n" for a line break.
    void SetText(const std::string& utf8) { buffer.SetAllText(Utf8ToUtf16(utf8)); }

    // Offset of the n-th (0-based) occurrence of the word as a whole word.
    int OffsetOf(const std::string& wordUtf8, int n = 0) const {
        const std::string text = Utf16ToCp1251(buffer.GetAllText());
        const std::string word = Cp(wordUtf8);
        for (const WordSpan& span : SplitWords(text)) {
            if (text.compare(span.pos, span.length, word) == 0 && n-- == 0) {
                return static_cast<int>(span.pos);
            }
        }
        ADD_FAILURE() << "no word " << wordUtf8;
        return 0;
    }

    // Consults the dictionary for the n-th occurrence of word, whose ё-form in
    // the dictionary is yoForm (lower case), the way the decision rules do.
    RegExprVerdict Consult(const std::string& wordUtf8, const std::string& yoForm, int n = 0) {
        const std::string word = Cp(wordUtf8);
        RegExprApplication app{buffer, dic, counters, host, wordsBufferLength, log, textPath};
        return ApplyRegExprs(app, word, OffsetOf(wordUtf8, n), EKey(word),
                             TransferCase(Cp(yoForm), word));
    }

    MemoryTextBuffer buffer;
    TRegExprDic dic;
    RunCounters counters;
    RecordingHost host;
    int wordsBufferLength = 5;
    RegExprLog* log = nullptr;
    std::string textPath;
};

TEST_F(ApplyTest, WorkedExampleEndToEnd) {
    SetText("Он спросил о чем-то.");
    const WordContext context = BuildWordContext(buffer, 0, 14, Cp("чем"), 2);
    EXPECT_EQ(context.text, Cp("спросил о чем-то.\r\n"));
    EXPECT_EQ(context.offset, 10);

    const RegExprVerdict v = Consult("чем", "чём");
    EXPECT_TRUE(v.settled);
    EXPECT_EQ(v.verdict, 2);
    EXPECT_EQ(counters.RegExprHits, 1);
    EXPECT_EQ(counters.RegExprMisses, 0);
    EXPECT_EQ(dic.UseCountOf(2), 1); // «о чём»
    EXPECT_EQ(dic.UseCountOf(0) + dic.UseCountOf(1) + dic.UseCountOf(3), 0);

    EXPECT_EQ(RegExprLogLine(0, 14, context.text, context.offset, Cp("чем"), Cp("чём"),
                             dic.Expression(2)),
              Cp("0:14; \"спросил о <чем/чём>-то.\\n\"; \"\\bо\\s+ч([её])м\\b\""));
}

TEST_F(ApplyTest, HyphenatedWordInAnyCaseAndAcrossALineBreak) {
    SetText("все-таки Все-таки ВСЕ-ТАКИ");
    EXPECT_EQ(Consult("все", "всё").verdict, 2);
    EXPECT_EQ(Consult("Все", "всё").verdict, 2);
    EXPECT_EQ(Consult("ВСЕ", "всё").verdict, 2);

    SetText("он все-\nтаки пришёл");
    const RegExprVerdict v = Consult("все", "всё");
    EXPECT_TRUE(v.settled);
    EXPECT_EQ(v.verdict, 2);
    EXPECT_EQ(counters.RegExprHits, 4);
}

TEST_F(ApplyTest, DecidingLetterMustLieInTheWord) {
    SetText("таки лет 125 лет");
    const RegExprVerdict second = Consult("лет", "лёт", 1);
    EXPECT_TRUE(second.settled);
    EXPECT_EQ(second.verdict, 1); // the word stays, and counts as settled
    const RegExprVerdict first = Consult("лет", "лёт", 0);
    EXPECT_FALSE(first.settled);
    EXPECT_EQ(first.verdict, 0);
    EXPECT_EQ(counters.RegExprHits, 1);
    EXPECT_EQ(counters.RegExprMisses, 1);
}

TEST_F(ApplyTest, SeparatorsOfAnyKindAndCase) {
    SetText("о  чем");
    EXPECT_EQ(Consult("чем", "чём").verdict, 2);
    SetText("О   ЧЕМ");
    const std::string word = Cp("ЧЕМ");
    const std::string dia = TransferCase(Cp("чём"), word);
    EXPECT_EQ(dia, Cp("ЧЁМ"));
    EXPECT_EQ(Consult("ЧЕМ", "чём").verdict, 2);
    SetText("о\t\u00a0 чем");
    EXPECT_EQ(Consult("чем", "чём").verdict, 2);
    // Across a line break too.
    SetText("о\nчем");
    EXPECT_EQ(Consult("чем", "чём").verdict, 2);
    EXPECT_EQ(Utf16ToUtf8(buffer.GetAllText()), "о\rчем"); // nothing is written to the text
}

TEST_F(ApplyTest, NothingAroundMeansNoVerdict) {
    SetText("лучше чем никогда");
    EXPECT_FALSE(Consult("чем", "чём").settled);
    SetText("чем");
    EXPECT_FALSE(Consult("чем", "чём").settled);
    EXPECT_EQ(counters.RegExprMisses, 2);
    EXPECT_EQ(counters.RegExprHits, 0);
}

TEST_F(ApplyTest, CapitalLinesMatchCaseSensitively) {
    SetText("Тер-Петросян");
    const RegExprVerdict v = Consult("Тер", "тёр");
    EXPECT_TRUE(v.settled);
    EXPECT_EQ(v.verdict, 1);
    EXPECT_EQ(dic.UseCountOf(3), 1);
    SetText("тер-петросян");
    EXPECT_FALSE(Consult("тер", "тёр").settled);
}

TEST_F(ApplyTest, FirstSettlingExpressionWinsAndTheRestAreNotTried) {
    dic.Clear();
    ASSERT_TRUE(dic.AddLine(Cp("о чем")));
    ASSERT_TRUE(dic.AddLine(Cp("о чём")));
    SetText("о чем");
    EXPECT_EQ(Consult("чем", "чём").verdict, 1);
    EXPECT_EQ(dic.UseCountOf(0), 1);
    EXPECT_EQ(dic.UseCountOf(1), 0);
}

TEST_F(ApplyTest, LinesThatCannotSettle) {
    dic.Clear();
    // Letters in brackets are no deciding letters; a line without е or ё and
    // a line whose match misses the word never decide.
    ASSERT_TRUE(dic.AddLine(Cp("вс[её]-таки")));
    ASSERT_TRUE(dic.AddLine(Cp("вс.")));
    ASSERT_TRUE(dic.AddLine(Cp("таки")));
    SetText("все-таки");
    EXPECT_FALSE(Consult("все", "всё").settled);
    EXPECT_EQ(counters.RegExprMisses, 1);
}

TEST_F(ApplyTest, GroupsBeyondTheLinesLettersChangeNothing) {
    dic.Clear();
    // Three one-letter groups, one ё in the line: the first group takes it.
    ASSERT_TRUE(dic.AddLine(Cp("(.)(.)ё")));
    SetText("еее");
    const std::string word = Cp("еее");
    RegExprApplication app{buffer, dic, counters, host, 5};
    EXPECT_EQ(ApplyRegExprs(app, word, 0, word, Cp("ёее")).verdict, 2);
    EXPECT_EQ(ApplyRegExprs(app, word, 0, word, Cp("ёёё")).verdict, 0);
}

TEST_F(ApplyTest, EmptyDictionaryCountsAMiss) {
    dic.Clear();
    SetText("о чем");
    EXPECT_FALSE(Consult("чем", "чём").settled);
    EXPECT_EQ(counters.RegExprMisses, 1);
}

TEST_F(ApplyTest, ShortBufferLengthGivesTheWordAlone) {
    dic.Clear();
    ASSERT_TRUE(dic.AddLine(Cp("о чём")));
    ASSERT_TRUE(dic.AddLine(Cp("всё")));
    SetText("о чем все");
    for (int length : {0, 1, -3}) {
        wordsBufferLength = length;
        EXPECT_FALSE(Consult("чем", "чём").settled) << length;
        EXPECT_EQ(Consult("все", "всё").verdict, 2) << length;
    }
}

TEST_F(ApplyTest, ContextAtTheEdgesOfTheText) {
    SetText("чем тут");
    WordContext c = BuildWordContext(buffer, 0, 1, Cp("чем"), 2);
    EXPECT_EQ(c.offset, 0);
    EXPECT_EQ(c.text, Cp("чем тут\r\n"));

    // Words are found across any number of lines; the blank before the
    // farthest word is trimmed, as is the blank after the farthest one.
    SetText("раз два\n\n\nтри, чем четыре пять шесть");
    c = BuildWordContext(buffer, 3, 6, Cp("чем"), 2);
    EXPECT_EQ(c.text, Cp("два\r\n\r\n\r\nтри, чем четыре пять"));
    EXPECT_EQ(c.offset, 14);
    c = BuildWordContext(buffer, 3, 6, Cp("чем"), 10);
    EXPECT_EQ(c.text, Cp("раз два\r\n\r\n\r\nтри, чем четыре пять шесть\r\n"));

    // A single-letter word on either side still counts as a word.
    SetText("а б в чем г д е");
    c = BuildWordContext(buffer, 0, 7, Cp("чем"), 2);
    EXPECT_EQ(c.text, Cp("б в чем г д"));
    EXPECT_EQ(c.offset, 4);

    // A character the code page lacks becomes "?" and is no letter.
    SetText("日 чем");
    c = BuildWordContext(buffer, 0, 3, Cp("чем"), 2);
    EXPECT_EQ(c.text, Cp("? чем\r\n"));
}

class LogTest : public ApplyTest {
protected:
    void SetUp() override {
        ApplyTest::SetUp();
        dir_ = umlo::testing::FreshTestFolder("umlo_regexpr_log");
        logFile_.emplace((dir_ / "regexpr.log").string());
        log = &*logFile_;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string LogText() const {
        std::ifstream in(dir_ / "regexpr.log", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
    std::optional<RegExprLog> logFile_;
};

TEST_F(LogTest, SettledWordsAreLoggedWithTheirTextPath) {
    textPath = "/texts/a.txt";
    SetText("Он спросил о чем-то.");
    Consult("чем", "чём");
    SetText("таки лет 125 лет");
    Consult("лет", "лёт", 0); // not settled: nothing written
    Consult("лет", "лёт", 1);
    textPath = "";
    SetText("все-таки");
    Consult("все", "всё");
    textPath = "/texts/a.txt";
    Consult("все", "всё");
    EXPECT_EQ(LogText(), Cp(" *** /texts/a.txt\r\n"
                            "0:14; \"спросил о <чем/чём>-то.\\n\"; \"\\bо\\s+ч([её])м\\b\"\r\n"
                            "0:14; \"таки лет 125 <лет>\\n\"; \"\\d+\\s+л([её])т\\b\"\r\n"
                            "0:1; \"<все/всё>-таки\\n\"; "
                            "\"\\bвс([её])-(\\r\\n){0,1}таки\\b\"\r\n"
                            " *** /texts/a.txt\r\n"
                            "0:1; \"<все/всё>-таки\\n\"; "
                            "\"\\bвс([её])-(\\r\\n){0,1}таки\\b\"\r\n"));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(LogTest, AnUnwritableLogIsReportedOnce) {
    logFile_.emplace((dir_ / "missing" / "regexpr.log").string());
    SetText("о чем, о чем");
    EXPECT_EQ(Consult("чем", "чём").verdict, 2);
    EXPECT_EQ(Consult("чем", "чём", 1).verdict, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(logFile_->Suspended());
}

TEST(RegExprLogLine, MarksTheWordAndFlattensLineBreaks) {
    EXPECT_EQ(RegExprLogLine(2, 5, Cp("о\r\nчем"), 3, Cp("чем"), Cp("чем"), "x"),
              Cp("2:5; \"о\\n<чем>\"; \"x\""));
}

TEST(RegExprApply, RunawayExpressionDoesNotHang) {
    TRegExprDic dic;
    ASSERT_TRUE(dic.AddLine(Cp("(а+)+б всё")));
    ASSERT_TRUE(dic.AddLine(Cp("всё")));
    MemoryTextBuffer buffer;
    std::string text = std::string(40, '\xE0') + Cp(" все");
    buffer.SetAllText(Cp1251ToUtf16(text));
    RunCounters counters;
    RecordingHost host;
    RegExprApplication app{buffer, dic, counters, host, 5};
    const RegExprVerdict v = ApplyRegExprs(app, Cp("все"), 41, Cp("все"), Cp("всё"));
    // The runaway line gives no match; the next line decides.
    EXPECT_TRUE(v.settled);
    EXPECT_EQ(v.verdict, 2);
    EXPECT_EQ(dic.UseCountOf(1), 1);
}

} // namespace
} // namespace umlo
