// The decision rules, row by row, over the small dictionary, with the forms
// and prompts each kind of question shows.
#include "tests/core/engine_fixture.h"

namespace umlo::testing {
namespace {

using Decision = EngineTest;

const char* const kChoose = "Выберите верный вариант";
const char* const kSuggestE = "Вероятно, здесь должна быть \"Е\"";
const char* const kSuggestYo = "Вероятно, здесь должна быть \"Ё\"";
const char* const kStrange = "Странное расположение \"Ё\"";

TEST_F(Decision, UndoubtedWordsChangeSilentlyInTheWordsCase) {
    EXPECT_EQ(Run("еще Еще ЕЩЕ Киносъемка ФОТОСЪЕМКА"), "ещё Ещё ЕЩЁ Киносъёмка ФОТОСЪЁМКА");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(engine.Counters().Decided, 5);
    EXPECT_EQ(engine.Counters().DecidedChanged, 5);
}

TEST_F(Decision, DoubtfulWordIsAskedWithBothFormsInItsCapitals) {
    Answer({AnswerPlain, AnswerDiaeresis, AnswerPlain});
    EXPECT_EQ(Run("все Все ВСЕ"), "все Всё ВСЕ");
    ASSERT_EQ(host.questions.size(), 3u);
    const std::pair<const char*, const char*> forms[] = {
        {"все", "всё"}, {"Все", "Всё"}, {"ВСЕ", "ВСЁ"}};
    for (size_t i = 0; i < 3; ++i) {
        const AskQuestion& q = host.questions[i];
        EXPECT_EQ(q.plainForm, forms[i].first);
        EXPECT_EQ(q.diaeresisForm, forms[i].second);
        EXPECT_EQ(q.prompt, kChoose);
        EXPECT_FALSE(q.promptWarning);
        EXPECT_TRUE(q.alwaysEnabled);
    }
    EXPECT_EQ(host.questions[0].wordStart, 0);
    EXPECT_EQ(host.questions[1].wordStart, 4);
    EXPECT_EQ(host.questions[1].wordLength, 3);
    EXPECT_EQ(engine.Counters().Asked, 3);
    EXPECT_EQ(engine.Counters().AskedChanged, 1);
    EXPECT_EQ(engine.Counters().AskedKept, 2);
}

// Any count of lines to show below the word, from the settings file or the
// dialog, keeps the question on the word.
TEST_F(Decision, AnyLinesBelowCountShowsTheWord) {
    for (const int below : {0, 1, 5, -7, 2147483647}) {
        options.LinesBelow = below;
        host.questions.clear();
        Answer({AnswerDiaeresis});
        EXPECT_EQ(Run("а\nб\nвсе\nг"), "а\rб\rвсё\rг") << below;
        ASSERT_EQ(host.questions.size(), 1u) << below;
        EXPECT_EQ(host.questions[0].wordStart, 4) << below;
    }
}

TEST_F(Decision, EntriesMatchInTheirOwnCase) {
    Answer({AnswerDiaeresis, AnswerDiaeresis});
    EXPECT_EQ(Run("левин лЕвИн Левин ЛЕВИН"), "левин лЕвИн Лёвин ЛЁВИН");
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"Левин", "ЛЕВИН"}));

    EXPECT_EQ(Run("алеша Алеша АЛЕША аЛеШа"), "алеша Алёша АЛЁША аЛеШа");
    EXPECT_EQ(host.questions.size(), 2u);

    Answer({AnswerPlain});
    EXPECT_EQ(Run("тер Тер"), "тёр Тер");
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[2].plainForm, "Тер");
    EXPECT_EQ(host.questions[2].diaeresisForm, "Тёр");
}

TEST_F(Decision, UnknownWordWithYoIsAskedAndProposedWithoutIt) {
    EXPECT_EQ(Run("привёт"), "привет"); // the default answer takes the proposal
    const AskQuestion& q = OnlyQuestion();
    EXPECT_EQ(q.plainForm, "привет");
    EXPECT_EQ(q.diaeresisForm, "привёт");
    EXPECT_EQ(q.prompt, kSuggestE);
    EXPECT_TRUE(q.promptWarning);
    EXPECT_TRUE(q.proposePlain);
    EXPECT_TRUE(q.misplaced);
    EXPECT_FALSE(q.strange);
    EXPECT_FALSE(q.alwaysEnabled);
    EXPECT_EQ(engine.Counters().MisplacedCount, 1);
}

TEST_F(Decision, YoInAnotherPlaceIsStrange) {
    Answer({AnswerPlain});
    EXPECT_EQ(Run("Трехвёдёрный трёхведёрный"), "Трёхведёрный трёхведёрный");
    const AskQuestion& q = OnlyQuestion();
    EXPECT_EQ(q.plainForm, "Трёхведёрный");
    EXPECT_EQ(q.diaeresisForm, "Трехвёдёрный");
    EXPECT_EQ(q.prompt, kStrange);
    EXPECT_TRUE(q.promptWarning);
    EXPECT_TRUE(q.strange);
    EXPECT_TRUE(q.proposePlain);
    EXPECT_FALSE(q.alwaysEnabled);
}

TEST_F(Decision, AbbreviationPointMakesAnUndoubtedWordAsked) {
    Answer({AnswerPlain});
    EXPECT_EQ(Run("мед. училище. Мед. Это"), "мед. училище. Мёд. Это");
    const AskQuestion& q = OnlyQuestion();
    EXPECT_EQ(q.plainForm, "мед");
    EXPECT_EQ(q.diaeresisForm, "мёд");
    EXPECT_EQ(q.prompt, kChoose);
    EXPECT_FALSE(q.proposePlain); // ProposeLast: the dictionary's verdict Ё
}

TEST_F(Decision, EllipsisMakesAWordAskedOnlyWithTheOption) {
    Answer({AnswerPlain, AnswerPlain});
    EXPECT_EQ(Run("еще... еще…"), "еще... еще…");
    EXPECT_EQ(host.questions.size(), 2u);

    options.ToConfirmEllipsis = false;
    EXPECT_EQ(Run("еще... еще…"), "ещё... ещё…");
    EXPECT_EQ(host.questions.size(), 2u);
}

TEST_F(Decision, AlwaysAskPutsUndoubtedWordsWithTheSuggestion) {
    options.AlwaysAsk = true;
    options.ProposeLast = false;
    EXPECT_EQ(Run("еще привет"), "еще привет");
    const AskQuestion& q = OnlyQuestion(); // «привет» is not in the dictionary
    EXPECT_EQ(q.plainForm, "еще");
    EXPECT_EQ(q.diaeresisForm, "ещё");
    EXPECT_EQ(q.prompt, kSuggestYo);
    EXPECT_TRUE(q.promptWarning);
    EXPECT_TRUE(q.proposePlain);
}

TEST_F(Decision, CapitalLetterQuestionOnlyForCapitals) {
    options.ToConfirmCap = true;
    Answer({AnswerDiaeresis});
    EXPECT_EQ(Run("Мед мёд"), "Мёд мёд");
    EXPECT_EQ(OnlyQuestion().plainForm, "Мед");
}

TEST_F(Decision, NoVarOnlyLeavesEverythingThatWouldBeAsked) {
    options.NoVarOnly = true;
    EXPECT_EQ(Run("все еще привёт"), "все ещё привёт");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(engine.Counters().Decided, 3);
    EXPECT_EQ(engine.Counters().DecidedKept, 2);
}

TEST_F(Decision, VarOnlyAsksOnlyDoubtfulAndMisplaced) {
    options.VarOnly = true;
    Answer({AnswerDiaeresis, AnswerPlain});
    EXPECT_EQ(Run("еще все привёт"), "еще всё привет");
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"все", "привет"}));
}

TEST_F(Decision, WordsWithYoAreNotExaminedWithoutCheckUmlo) {
    options.CheckUmlo = false;
    EXPECT_EQ(Run("привёт Трехвёдёрный"), "привёт Трехвёдёрный");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(engine.Counters().Decided, 0);
}

TEST_F(Decision, AlwaysAnswerHoldsExceptBeforeAnEllipsisUntilCleared) {
    Answer({AnswerDiaeresisAlways, AnswerPlain});
    EXPECT_EQ(Run("все все все... все"), "всё всё все... всё");
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_TRUE(host.commands.at("Clearusersel1"));
    EXPECT_EQ(dic.AlwaysChoice(dic.FindKey(Cp("все"))), 2);

    dic.ClearAlwaysChoices();
    Answer({AnswerPlain});
    EXPECT_EQ(Run("все"), "все");
    EXPECT_EQ(host.questions.size(), 3u);
}

TEST_F(Decision, ProposalFollowsTheLastAnswer) {
    Answer({AnswerPlain, AnswerDiaeresis, AnswerDiaeresis});
    Run("все все все");
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_TRUE(host.questions[0].proposePlain);
    EXPECT_TRUE(host.questions[1].proposePlain);
    EXPECT_FALSE(host.questions[2].proposePlain);
    EXPECT_EQ(dic.LastAnswer(dic.FindKey(Cp("все"))), 2);
}

TEST_F(Decision, RegularExpressionsSettleDoubtfulWordsWithoutAQuestion) {
    Answer({AnswerPlain});
    EXPECT_EQ(Run("все-таки таки лет 125 лет о  чем ЧЕМ"), "всё-таки таки лет 125 лет о  чём ЧЕМ");
    // Only the first «лет» (its match lies outside it) and the lone «ЧЕМ» remain.
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"лет", "ЧЕМ"}));
    const RunCounters& c = engine.Counters();
    EXPECT_EQ(c.RegExprHits, 3);
    EXPECT_EQ(c.RegExprHitsChanged, 2);
    EXPECT_EQ(c.RegExprHitsKept, 1);
    EXPECT_EQ(c.RegExprMisses, 2);
}

TEST_F(Decision, WithoutRegularExpressionsTheWordIsAsked) {
    options.RegExprs = false;
    Answer({AnswerDiaeresis});
    EXPECT_EQ(Run("все-таки"), "всё-таки");
    EXPECT_EQ(OnlyQuestion().plainForm, "все");
    EXPECT_EQ(engine.Counters().RegExprMisses, 0);
}

TEST_F(Decision, CancelStopsBeforeTheWordWithoutCountingIt) {
    Answer({AnswerCancel});
    EXPECT_EQ(Run("еще все еще"), "ещё все еще");
    EXPECT_EQ(engine.Counters().Decided, 1);
    EXPECT_EQ(engine.Counters().Asked, 0);
    EXPECT_FALSE(engine.Flags().PassRunning);
}

TEST_F(Decision, AnswersThePanelCannotGiveStopThePass) {
    // "always" is not offered for a misplaced ё; an unknown code is no answer.
    Answer({AnswerDiaeresisAlways});
    EXPECT_EQ(Run("привёт еще"), "привёт еще");
    Answer({12345});
    EXPECT_EQ(Run("все еще"), "все еще");
    EXPECT_EQ(engine.Counters().Decided, 0);
}

TEST(AskPromptTest, FirstMatchingRowWins) {
    EXPECT_EQ(AskPrompt(true, true, false), kStrange);
    EXPECT_EQ(AskPrompt(true, false, true), kSuggestE);
    EXPECT_EQ(AskPrompt(false, false, true), kSuggestYo);
    EXPECT_EQ(AskPrompt(false, false, false), kChoose);
}

} // namespace
} // namespace umlo::testing

namespace umlo::testing {
namespace {

TEST_F(Decision, ClearingUserChoicesBringsTheQuestionBack) {
    Answer({AnswerPlainAlways});
    EXPECT_EQ(Run("все все"), "все все");
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_TRUE(host.commands.at("Clearusersel1"));
    Clearusersel1Click(dic, host);
    EXPECT_FALSE(host.commands.at("Clearusersel1"));
    Answer({AnswerDiaeresis});
    EXPECT_EQ(Run("все"), "всё");
    EXPECT_EQ(host.questions.size(), 2u);
}

} // namespace
} // namespace umlo::testing

namespace umlo::testing {
namespace {

TEST_F(Decision, DoubtfulWordWrittenWithYoIsAskedKeepingItAsProposal) {
    EXPECT_EQ(Run("Всё"), "Всё");
    const AskQuestion& q = OnlyQuestion();
    EXPECT_EQ(q.plainForm, "Все");
    EXPECT_EQ(q.diaeresisForm, "Всё");
    EXPECT_EQ(q.prompt, "Выберите верный вариант");
    EXPECT_FALSE(q.proposePlain);
    EXPECT_FALSE(q.misplaced);
    EXPECT_TRUE(q.alwaysEnabled);
}

} // namespace
} // namespace umlo::testing
