// Undo of answered replacements: the panel's "Откат" with its restart, and
// Ctrl+Z after a pass.
#include "tests/core/engine_fixture.h"

namespace umlo::testing {
namespace {

using Undo = EngineTest;

TEST_F(Undo, PanelUndoRevertsTheLetterAndAsksThatWordAgain) {
    options.ColorBackMark = 65535;
    std::vector<CharFormat> formatsWhenReasked;
    host.policy = [&](const AskQuestion&) {
        formatsWhenReasked = {buffer.FormatAt(0), buffer.FormatAt(2)};
        return AnswerPlain;
    };
    Answer({AnswerDiaeresis, AnswerUndo});
    EXPECT_EQ(Run("все все"), "все все");
    ASSERT_EQ(host.questions.size(), 4u);
    EXPECT_FALSE(host.questions[0].undoEnabled);
    EXPECT_EQ(host.questions[0].undoCaption, "Откат");
    EXPECT_TRUE(host.questions[1].undoEnabled);
    EXPECT_EQ(host.questions[1].undoCaption, "Откат \"все -> всё\"");
    // The restart begins with the reverted word.
    EXPECT_EQ(host.questions[2].wordStart, 0);
    EXPECT_FALSE(host.questions[2].undoEnabled);
    EXPECT_EQ(host.questions[3].wordStart, 4);
    // Back in its previous colour on the editor's background.
    ASSERT_EQ(formatsWhenReasked.size(), 2u);
    EXPECT_EQ(formatsWhenReasked[1].text, kBlack);
    EXPECT_EQ(formatsWhenReasked[1].back, kWhite);
    // Undo touches neither counters nor the positions of replacements.
    EXPECT_EQ(engine.Counters().Decided, 3);
    EXPECT_EQ(engine.ReplacementPositions(), (std::vector<std::int32_t>{3}));
}

TEST_F(Undo, AlwaysAnswerSurvivesTheUndo) {
    Answer({AnswerDiaeresisAlways, AnswerUndo, AnswerPlain});
    EXPECT_EQ(Run("все лет все"), "всё лет всё");
    // «все» is changed again without a question; «лет» is asked again.
    EXPECT_EQ(host.AskedPlainForms(), (std::vector<std::string>{"все", "лет", "лет"}));
}

TEST_F(Undo, MenuUndoRevertsNewestFirstWithTheNextCaption) {
    Answer({AnswerDiaeresis, AnswerDiaeresis, AnswerDiaeresis});
    EXPECT_EQ(Run("все Все ВСЕ"), "всё Всё ВСЁ");
    EXPECT_TRUE(host.commands.at("Undo1"));
    EXPECT_EQ(host.captions.at("Undo1"), "Откат \"ВСЕ -> ВСЁ\"");

    EXPECT_TRUE(engine.UndoStep());
    EXPECT_EQ(Text(), "всё Всё ВСЕ");
    EXPECT_EQ(buffer.SelStart(), 8);
    EXPECT_EQ(host.captions.at("Undo1"), "Откат \"Все -> Всё\"");
    EXPECT_TRUE(engine.UndoStep());
    EXPECT_TRUE(engine.UndoStep());
    EXPECT_EQ(Text(), "все Все ВСЕ");
    EXPECT_EQ(host.captions.at("Undo1"), "Откат");
    EXPECT_FALSE(host.commands.at("Undo1"));
    EXPECT_FALSE(engine.UndoStep());
}

TEST_F(Undo, WordWithTwoLettersNeedsTwoStepsAndComesBackStrange) {
    options.AlwaysAsk = true;
    Answer({AnswerDiaeresis, AnswerUndo, AnswerCancel});
    EXPECT_EQ(Run("трехведерный еще"), "трёхведерный еще");
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[1].undoCaption, "Откат \"трехведерный -> трёхведёрный\"");
    const AskQuestion& again = host.questions[2];
    EXPECT_EQ(again.prompt, "Странное расположение \"Ё\"");
    EXPECT_EQ(again.plainForm, "трёхведёрный");
    EXPECT_EQ(again.diaeresisForm, "трёхведерный");
    EXPECT_EQ(engine.Undo().Records().size(), 1u);
    EXPECT_EQ(engine.Undo().Records()[0].letterOffset, 2);
}

TEST_F(Undo, EveryPassStartsWithAnEmptyStack) {
    Answer({AnswerDiaeresis});
    Run("все");
    EXPECT_TRUE(engine.Undo().UndoAvailable());
    Run("дом");
    EXPECT_FALSE(engine.Undo().UndoAvailable());
    EXPECT_FALSE(host.commands.at("Undo1"));
}

TEST_F(Undo, UndoWithoutAnAnsweredChangeEndsThePass) {
    Answer({AnswerUndo});
    EXPECT_EQ(Run("все еще"), "все еще");
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_FALSE(engine.Flags().PassRunning);
}

TEST_F(Undo, ARecordStaysUntilItsLetterIsBack) {
    Answer({AnswerDiaeresis});
    Run("все");
    buffer.SetReadOnly(true);
    EXPECT_FALSE(engine.UndoStep());
    EXPECT_EQ(Text(), "всё");
    EXPECT_TRUE(engine.Undo().UndoAvailable());
    buffer.SetReadOnly(false);
    EXPECT_TRUE(engine.UndoStep());
    EXPECT_EQ(Text(), "все");
}

TEST_F(Undo, ARecordBeyondTheTextIsDropped) {
    Answer({AnswerDiaeresis});
    Run("все");
    SetText("x");
    EXPECT_FALSE(engine.UndoStep());
    EXPECT_EQ(Text(), "x");
    EXPECT_FALSE(engine.Undo().UndoAvailable());
}

} // namespace
} // namespace umlo::testing
