// The scan: where it starts and stops, the look-ahead tests, the letters it
// writes and marks, the counters and the summary line.
#include <algorithm>

#include "core/collection.h"
#include "tests/core/engine_fixture.h"

namespace umlo::testing {
namespace {

using Pass = EngineTest;

TEST_F(Pass, StartingInsideAWordSkipsItsRest) {
    SetText("всё все");
    buffer.SetCaret(1); // between «в» and «с»
    Answer({AnswerPlain});
    const LineColumn at = engine.CaretLineColumn();
    EXPECT_EQ(at.line, 0);
    EXPECT_EQ(at.column, 2);
    engine.DoUmloficate(at.line, at.column);
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"все"}));
    EXPECT_EQ(host.questions[0].wordStart, 4);

    buffer.SetCaret(4); // directly before «все»
    Answer({AnswerDiaeresis});
    const LineColumn before = engine.CaretLineColumn();
    engine.DoUmloficate(before.line, before.column);
    EXPECT_EQ(Text(), "всё всё");
}

TEST_F(Pass, StartingInsideAWordAtTheEndOfALineSkipsOnlyThatWord) {
    SetText("ещеее\rеще");
    engine.DoUmloficate(0, 3);
    EXPECT_EQ(Text(), "ещеее\rещё");
}

TEST_F(Pass, WordAtTheEndOfALineIsNeverAnAbbreviation) {
    EXPECT_EQ(Run("мед\r. училище"), "мёд\r. училище");
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(Pass, FictionBookBinaryEndsThePassOnlyWithTheOption) {
    EXPECT_EQ(Run("еще <BINARY ...> еще"), "ещё <BINARY ...> ещё");
    options.FBFormat = true;
    EXPECT_EQ(Run("еще <BINARY ...> еще"), "ещё <BINARY ...> еще");
    EXPECT_EQ(Run("еще <binary>\rеще"), "ещё <binary>\rеще");
    // A word running into the tag ends there.
    EXPECT_EQ(Run("еще<BINARY>"), "ещё<BINARY>");
}

TEST_F(Pass, AbbreviationLookAhead) {
    const auto ahead = [this](const char* text) {
        SetText(text);
        // The word «мед» is at the start of the first line.
        return engine.AbbreviationAhead('.', 0, 4);
    };
    EXPECT_TRUE(ahead("мед. училище"));
    EXPECT_FALSE(ahead("мед. Училище"));
    EXPECT_FALSE(ahead("мед.5"));
    EXPECT_FALSE(ahead("мед."));
    EXPECT_FALSE(ahead("мед.  \r "));
    EXPECT_TRUE(ahead("мед.\r\r  училище"));
    EXPECT_TRUE(ahead("мед.\t\xC2\xA0училище")); // tab and no-break space
    SetText("мед училище");
    EXPECT_FALSE(engine.AbbreviationAhead(' ', 0, 4));
}

TEST_F(Pass, EllipsisLookAhead) {
    const auto ahead = [this](const char* text) {
        SetText(text);
        return engine.EllipsisAhead(0, 3); // after «ещ»
    };
    EXPECT_TRUE(ahead("ещ..."));
    EXPECT_TRUE(ahead("ещ…"));
    EXPECT_TRUE(ahead("ещ.... и"));
    EXPECT_FALSE(ahead("ещ.."));
    EXPECT_FALSE(ahead("ещ ..."));
    EXPECT_FALSE(ahead("ещ"));
}

TEST_F(Pass, OneLetterWordsAndWordsWithoutEAreNotExamined) {
    EXPECT_EQ(Run("е Е ё дом"), "е Е ё дом");
    EXPECT_EQ(engine.Counters().Decided, 0);
}

TEST_F(Pass, CharactersOutsideTheCodePageSplitWordsAndStay) {
    EXPECT_EQ(Run("еще中еще 𝄞еще"), "ещё中ещё 𝄞ещё");
}

TEST_F(Pass, ChangedLettersAreMarkedOnly) {
    options.ColorMark = 255;
    options.ColorBackMark = 65535;
    Run("еще");
    EXPECT_EQ(buffer.FormatAt(2).text, 255u);
    EXPECT_EQ(buffer.FormatAt(2).back, 65535u);
    EXPECT_EQ(buffer.FormatAt(1).text, kBlack);
    EXPECT_EQ(buffer.FormatAt(1).back, kWhite);

    options.ColorBackMark = kWhite; // stands for no background colour
    SetText("еще");
    buffer.SetCaret(0);
    buffer.SetSelLength(3);
    buffer.SetSelectionBackColor(128);
    engine.DoUmloficate(0, 1);
    EXPECT_EQ(buffer.FormatAt(2).text, 255u);
    EXPECT_EQ(buffer.FormatAt(2).back, 128u);

    options.Mark = false;
    Run("еще");
    EXPECT_EQ(buffer.FormatAt(2).text, kBlack);
}

TEST_F(Pass, SilentReplacementsAreRecordedForSearchButNotForUndo) {
    Run("x трехведерный");
    EXPECT_EQ(Text(), "x трёхведёрный");
    EXPECT_EQ(engine.ReplacementPositions(), (std::vector<std::int32_t>{5, 10}));
    EXPECT_FALSE(engine.Undo().UndoAvailable());
}

TEST_F(Pass, ReplacementPositionsStayAscendingAcrossPasses) {
    Answer({AnswerDiaeresis});
    Run("еще все");
    engine.UndoStep(); // «все» back, its letter may change again
    Answer({AnswerDiaeresis});
    engine.DoUmloficate(0, 1);
    EXPECT_EQ(engine.ReplacementPositions(), (std::vector<std::int32_t>{3, 7, 7}));
}

TEST_F(Pass, EscBetweenWordsStopsAfterTheNextExaminedWord) {
    host.escAtPoll = 2;
    EXPECT_EQ(Run("еще дом еще еще"), "ещё дом ещё еще");
    EXPECT_EQ(host.escWaits, 1); // waited for a held Esc to be released first
    EXPECT_EQ(engine.Counters().Decided, 2);
}

TEST_F(Pass, PassStateAroundAQuestion) {
    bool runningWhileAsked = false;
    bool readOnlyWhileAsked = false;
    std::string selectedWhileAsked;
    host.onAsk = [&](const AskQuestion&) {
        runningWhileAsked = engine.Flags().PassRunning;
        readOnlyWhileAsked = buffer.ReadOnly();
        selectedWhileAsked = Utf16ToUtf8(buffer.SelectedText());
    };
    Run("еще\rвсе");
    EXPECT_TRUE(runningWhileAsked);
    EXPECT_TRUE(readOnlyWhileAsked);
    EXPECT_EQ(selectedWhileAsked, "все");
    EXPECT_FALSE(engine.Flags().PassRunning);
    EXPECT_FALSE(buffer.ReadOnly());
    EXPECT_FALSE(buffer.BusyCursor());
    EXPECT_FALSE(host.panelVisible);
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"show panel", "menus off", "menus on", "hide panel"}));
    EXPECT_EQ(host.status.at(0), "2:1 (2)");
}

TEST_F(Pass, CaretPositionIndicator) {
    SetText("0123456789\rabc\rx");
    engine.ShowCaretPosition(12);
    EXPECT_EQ(host.status.at(0), "2:2 (3)");
}

TEST_F(Pass, FastScrollLeavesTheCaretWhereItWas) {
    options.FastScroll = true;
    SetText("дом\rеще\rеще");
    buffer.SetCaret(1);
    engine.DoUmloficate(1, 1);
    EXPECT_EQ(Text(), "дом\rещё\rещё");
    EXPECT_EQ(buffer.ScrollCount(), 0);
}

TEST_F(Pass, EmptyTextOrStartPastTheEndOnlyRefreshesTheSummary) {
    Run("");
    EXPECT_EQ(host.status.at(1), "0=0+0  A:0=0+0  RE:0=0+0  REQ:0.0%  E:0  T:0.00  S:0");
    SetText("еще");
    engine.DoUmloficate(5, 1);
    EXPECT_EQ(Text(), "еще");
    EXPECT_EQ(engine.Counters().Decided, 0);
}

TEST_F(Pass, SummaryCountsEveryKindOfDecision) {
    Answer({AnswerDiaeresis, AnswerPlain});
    host.onAsk = [this](const AskQuestion&) { now += 1.0; };
    EXPECT_EQ(Run("еще все-таки все привёт"), "ещё всё-таки всё привет");
    EXPECT_EQ(host.status.at(1), "4=4+0  A:2=2+0  RE:1=1+0  REQ:50.0%  E:1  T:2.00  S:2");
    // Counters accumulate over passes; T and S are measured from the new start.
    Answer({AnswerPlain});
    EXPECT_EQ(Run("все"), "все");
    EXPECT_EQ(host.status.at(1), "5=4+1  A:3=2+1  RE:1=1+0  REQ:33.3%  E:1  T:1.00  S:4");
}

TEST_F(Pass, SummarySpeedRoundsHalfToEven) {
    engine.TakeStartTime();
    now += 2.0;
    const auto speed = [this](int changed) {
        engine.Counters().DecidedChanged = changed;
        const std::string s = engine.RunSummary();
        return s.substr(s.find("S:"));
    };
    EXPECT_EQ(speed(5), "S:2");
    EXPECT_EQ(speed(3), "S:2");
    EXPECT_EQ(speed(7), "S:4");
    EXPECT_EQ(speed(8), "S:4");
}

TEST_F(Pass, CollectionSummaryLine) {
    engine.TakeStartTime();
    now += 0.5;
    engine.Flags().CollectMode = true;
    engine.Counters().NewWordCount = 3;
    EXPECT_EQ(engine.RunSummary(), "Найдено новых Ё: 3; время: 0.50 с; скорость: 6 Ё/с");
}

class StopAtLine1 : public TestingHooks {
public:
    int AutoAnswer(std::string_view, std::string_view, bool) override { return 0; }
    void AnswerShown(int answer) override { shown.push_back(answer); }
    int SectionStop() const override { return 1; }
    std::vector<int> shown;
};

class AutoAnswers : public StopAtLine1 {
public:
    int AutoAnswer(std::string_view plainForm, std::string_view, bool) override {
        asked.emplace_back(plainForm);
        return plainForm == Cp("все") ? AnswerDiaeresis : 0;
    }
    int SectionStop() const override { return -1; }
    std::vector<std::string> asked;
};

TEST_F(Pass, TestingHooksStopAtTheSectionEndAndAnswerQuestions) {
    StopAtLine1 stop;
    engine.SetTestingHooks(&stop);
    EXPECT_EQ(Run("еще\rеще\rеще"), "ещё\rещё\rеще");
    engine.DoUmloficate(2, 1); // a later run covers its own line
    EXPECT_EQ(Text(), "ещё\rещё\rещё");

    AutoAnswers answers;
    engine.SetTestingHooks(&answers);
    Answer({AnswerPlain});
    EXPECT_EQ(Run("все лет"), "всё лет");
    EXPECT_EQ(answers.asked, (std::vector<std::string>{Cp("все"), Cp("лет")}));
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"лет"}));
    EXPECT_EQ(answers.shown, (std::vector<int>{AnswerPlain}));
}

} // namespace
} // namespace umlo::testing

namespace umlo::testing {
namespace {

TEST_F(Pass, NoSecondPassStartsWhileOneIsAsking) {
    host.onAsk = [this](const AskQuestion&) {
        engine.DoUmloficate(0, 1);
        CollectNewWords(engine);
    };
    Answer({AnswerDiaeresis});
    EXPECT_EQ(Run("все ёлка еще"), "всё елка ещё"); // «ёлка» takes the proposal
    EXPECT_EQ(host.questions.size(), 2u);           // «все» and the unknown «ёлка»
    EXPECT_TRUE(host.wordWindow.empty());
    EXPECT_EQ(engine.Counters().Decided, 3);
}

TEST_F(Pass, TypingForgetsTheChangedLetters) {
    Answer({AnswerDiaeresis});
    Run("все");
    engine.ForgetReplacements();
    EXPECT_TRUE(engine.ReplacementPositions().empty());
    EXPECT_FALSE(engine.Undo().UndoAvailable());
    EXPECT_FALSE(host.commands.at("Undo1"));
}

// An editor lays out and paints the letters once a batch: the scan holds the
// buffer's update lock, lets it go for every question and at the end, and
// shows what it has done at least every tenth of a second.
TEST_F(Pass, LettersReachTheEditorInBatches) {
    std::vector<int> locksAtQuestions;
    host.onAsk = [&](const AskQuestion&) { locksAtQuestions.push_back(buffer.UpdateLockCount()); };
    std::vector<int> locksAtShowings;
    std::vector<std::string> summariesShown;
    int statusUpdatesBefore = 0;
    host.onProgress = [&] {
        locksAtShowings.push_back(buffer.UpdateLockCount());
        summariesShown.push_back(host.status[1]);
    };
    std::vector<int> locksAtPolls;
    host.onEscPoll = [&] {
        locksAtPolls.push_back(buffer.UpdateLockCount());
        now += 0.04; // every word takes a while
    };
    std::string text;
    for (int i = 0; i < 20; ++i) {
        text += "мед еще ";
    }
    text += "все";
    statusUpdatesBefore = host.statusUpdates;
    EXPECT_EQ(Run(text).substr(0, 13), "мёд ещё");
    EXPECT_EQ(locksAtQuestions, std::vector<int>{0});
    // The status bar is written when a batch is shown, not for every word,
    // and what it shows then is the count so far.
    EXPECT_LT(host.statusUpdates - statusUpdatesBefore, 3 * host.progressShown + 8);
    ASSERT_GE(summariesShown.size(), 2u);
    EXPECT_NE(summariesShown.front(), summariesShown.back());
    EXPECT_EQ(host.status[1], engine.RunSummary());
    ASSERT_FALSE(locksAtShowings.empty());
    EXPECT_EQ(locksAtShowings, std::vector<int>(locksAtShowings.size(), 0));
    // 41 words at 0.04 s: a showing after about every third word.
    EXPECT_GE(host.progressShown, 12);
    EXPECT_LE(host.progressShown, 16);
    EXPECT_EQ(std::count(locksAtPolls.begin(), locksAtPolls.end(), 1),
              static_cast<long>(locksAtPolls.size()));
    EXPECT_EQ(buffer.UpdateLockCount(), 0);
}

// The pass reads each line once, so a text in one paragraph must come out
// exactly as the same text in lines; the look-arounds see letters changed
// before them in the same line.
TEST_F(Pass, OneLongLineGivesWhatTheSameTextInLinesGives) {
    std::string unit = "Мед. училище, еще... еще… о чем-то лет 5 лет, все-таки мед; ";
    std::string lined;
    std::string oneLine;
    for (int i = 0; i < 300; ++i) {
        lined += unit + "\r";
        oneLine += unit + " ";
    }
    options.ToConfirmAbbr = true;
    options.ToConfirmEllipsis = true;
    const std::string a = Run(lined);
    const size_t askedLined = host.questions.size();
    host.questions.clear();
    const std::string b = Run(oneLine);
    EXPECT_EQ(host.questions.size(), askedLined);
    std::string expected = b;
    std::replace(expected.begin(), expected.end(), ' ', '\r');
    std::string got = a;
    std::replace(got.begin(), got.end(), ' ', '\r');
    EXPECT_EQ(got, expected);
    EXPECT_NE(a.find("ещё"), std::string::npos);
}

} // namespace
} // namespace umlo::testing
