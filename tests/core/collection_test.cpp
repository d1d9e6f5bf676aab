// New-word collection: words written with ё that the dictionary does not know
// in that form go to the word window; nothing in the text changes.
#include "core/collection.h"
#include "tests/core/engine_fixture.h"

namespace umlo::testing {
namespace {

using Collection = EngineTest;

const char* const kCollected2 =
    "Количество новых слов с Ё: 2\rДля их просмотра перейдите в редактор словарей";

TEST_F(Collection, UnknownYoWordsAreAppendedAndCounted) {
    SetText("Ещё ёлка вёдро ещё все");
    buffer.SetCaret(0);
    now = 10.0;
    host.onAsk = [](const AskQuestion&) { ADD_FAILURE() << "collection never asks"; };
    Umlocollect1(engine);
    EXPECT_EQ(Text(), "Ещё ёлка вёдро ещё все");
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"ёлка", "вёдро"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(host.messages[0].text, kCollected2);
    const RunCounters& c = engine.Counters();
    EXPECT_EQ(c.NewWordCount, 2);
    EXPECT_EQ(c.Decided, 4); // «все» has no ё and is not examined
    EXPECT_EQ(c.DecidedKept, 4);
    EXPECT_EQ(c.MisplacedCount, 2);
    EXPECT_EQ(c.RegExprMisses, 0);
    EXPECT_EQ(host.status.at(1), "Найдено новых Ё: 2; время: 0.00 с; скорость: 0 Ё/с");
    // Known words count in the statistics as usual.
    EXPECT_EQ(dic.Counter(dic.FindKey(Cp("еще")), WordCounter::DiaeresisKept), 2);
}

TEST_F(Collection, YoInTheWrongPlaceOfAKnownWordIsCollected) {
    SetText("ёще ещё");
    CollectNewWords(engine);
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"ёще"}));
}

TEST_F(Collection, TextWithoutYoCollectsNothingAndSaysNothing) {
    SetText("еще все дом");
    CollectNewWords(engine);
    EXPECT_TRUE(host.wordWindow.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(engine.Counters().Decided, 0);
}

TEST_F(Collection, StartsAtTheCaretSkippingTheRestOfAWord) {
    SetText("вёдро ёлка");
    buffer.SetCaret(2);
    CollectNewWords(engine);
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"ёлка"}));
}

TEST_F(Collection, OptionsAreRestoredAndThePassStateIsUntouched) {
    options.CheckUmlo = false;
    options.RegExprs = true;
    Answer({AnswerDiaeresis});
    Run("все"); // leaves an undo record
    SetText("вёдро");
    host.events.clear();
    CollectNewWords(engine);
    EXPECT_FALSE(options.CheckUmlo);
    EXPECT_TRUE(options.RegExprs);
    EXPECT_FALSE(engine.Flags().CollectMode);
    EXPECT_FALSE(engine.Flags().PassRunning);
    EXPECT_TRUE(host.events.empty()); // no panel, no menus
    EXPECT_TRUE(engine.Undo().UndoAvailable());
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"вёдро"}));
}

TEST_F(Collection, ASecondCollectionAppendsAndReportsTheRunningTotal) {
    SetText("ёлка вёдро");
    CollectNewWords(engine);
    SetText("ёж");
    CollectNewWords(engine);
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"ёлка", "вёдро", "ёж"}));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text,
              "Количество новых слов с Ё: 3\rДля их просмотра перейдите в редактор словарей");
}

TEST_F(Collection, EscStopsBetweenWords) {
    host.escAtPoll = 1;
    SetText("ёлка вёдро");
    CollectNewWords(engine);
    EXPECT_EQ(host.wordWindow, (std::vector<std::string>{"ёлка"}));
}

} // namespace
} // namespace umlo::testing
