#include "dicedit/pane_lines.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/codepage.h"
#include "dicedit/dictionary_text.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/cp_lines.h"

namespace umlo {
namespace {

using testing::Lines;

TEST(PaneLines, ATrailingLineBreakEndsTheLastLineAndAddsNone) {
    MemoryTextBuffer pane;
    EXPECT_EQ(PaneLineCount(pane), 0);
    EXPECT_TRUE(PaneLines(pane).empty());
    pane.SetAllText(u"ёж\r");
    EXPECT_EQ(PaneLineCount(pane), 1);
    pane.SetAllText(u"ёж\r\r");
    EXPECT_EQ(PaneLines(pane), Lines({"ёж", ""}));
    EXPECT_EQ(PaneLine(pane, 5), "");
}

TEST(PaneLines, InsertingAtTheStartTheMiddleAndBothKindsOfEnd) {
    MemoryTextBuffer pane;
    InsertPaneLine(pane, 0, Cp("ёрш"));
    InsertPaneLine(pane, 0, Cp("ёж"));
    InsertPaneLine(pane, 1, Cp("ёлка"));
    InsertPaneLine(pane, 3, Cp("щётка"));
    EXPECT_EQ(PaneLines(pane), Lines({"ёж", "ёлка", "ёрш", "щётка"}));
    // After a final line break the new line goes before it, not after it.
    pane.SetAllText(u"ёж\r");
    InsertPaneLine(pane, PaneLineCount(pane), Cp("ёрш"));
    EXPECT_EQ(PaneLines(pane), Lines({"ёж", "ёрш"}));
}

TEST(PaneLines, DeletingTakesOneLineAndOneBreakWherePossible) {
    MemoryTextBuffer pane;
    SetPaneLines(pane, Lines({"a", "b", "c"}));
    DeletePaneLine(pane, 1);
    EXPECT_EQ(pane.GetAllText(), u"a\rc");
    DeletePaneLine(pane, 1);
    EXPECT_EQ(pane.GetAllText(), u"a");
    DeletePaneLine(pane, 3); // no such line
    DeletePaneLine(pane, 0);
    EXPECT_EQ(pane.TextLength(), 0);
}

TEST(PaneLines, ReplaceColourAndSelect) {
    MemoryTextBuffer pane;
    SetPaneLines(pane, Lines({"ёж", "ёлка"}));
    ReplacePaneLine(pane, 1, Cp("Ёлочка"));
    EXPECT_EQ(PaneLines(pane), Lines({"ёж", "Ёлочка"}));
    ColorPaneLine(pane, 1, kRed);
    EXPECT_EQ(pane.FormatAt(3).text, kRed);
    EXPECT_EQ(pane.FormatAt(8).text, kRed);
    EXPECT_EQ(pane.FormatAt(0).text, kBlack);
    SelectPaneLine(pane, 1, 3);
    EXPECT_EQ(pane.SelectedText(), u"Ёло");
    SelectPaneLine(pane, 0, 10);
    EXPECT_EQ(pane.SelectedText(), u"ёж");
    GotoPaneLine(pane, 7);
    EXPECT_EQ(pane.SelStart(), pane.TextLength());
}

TEST(PaneLines, TheSelectionsLinesEndAtItsLastCharacter) {
    MemoryTextBuffer pane;
    SetPaneLines(pane, Lines({"a", "b", "c"}));
    pane.SetCaret(0);
    pane.SetSelLength(2); // "a" and the break: the last character is on line 0
    EXPECT_EQ(CaretLine(pane), 0);
    EXPECT_EQ(SelectionEndLine(pane), 0);
    pane.SetSelLength(3);
    EXPECT_EQ(SelectionEndLine(pane), 1);
    pane.SetCaret(4);
    EXPECT_EQ(SelectionEndLine(pane), 2);
}

TEST(DictionaryText, WordCountAndTheFirstOrderBreak) {
    const auto lines = Lines({"# x", "ёлка", "", "ёж", "ёрш", "ёж", "ёлка?", "ёлка"});
    const LoadedText checked = ScanLoadedLines(lines, true);
    EXPECT_EQ(checked.wordCount, 6);
    // The comment between is passed over; equal neighbours are no break.
    EXPECT_EQ(checked.orderBreak, 3);
    EXPECT_EQ(ScanLoadedLines(lines, false).orderBreak, -1);
    EXPECT_EQ(ScanLoadedLines(Lines({"все", "всё", "Ёлка", "ёлка", "ёлка?"}), true).orderBreak, -1);
}

TEST(DictionaryText, RegularExpressionDictionariesAreToldByTheirFirstHundredLines) {
    EXPECT_FALSE(LooksLikeRegExprDictionary(Lines({"# a b", "ёлка?", "Ёж"})));
    EXPECT_TRUE(LooksLikeRegExprDictionary(Lines({"ёлка", "всё равно"})));
    EXPECT_TRUE(LooksLikeRegExprDictionary(Lines({"ёлка", "ёлкa"}))); // Latin a
    std::vector<std::string> late(100, Cp("ёж"));
    late.push_back(Cp("всё равно"));
    EXPECT_FALSE(LooksLikeRegExprDictionary(late));
}

TEST(DictionaryText, TheNameShownIsBareOnlyInTheProgramFolder) {
    EXPECT_EQ(DisplayName("/opt/umlo/umlox.dat", "/opt/umlo"), "umlox.dat");
    EXPECT_EQ(DisplayName("/opt/umlo/umlox.dat", "/opt/umlo/"), "umlox.dat");
    EXPECT_EQ(DisplayName("/opt/umlo/sub/umlox.dat", "/opt/umlo"), "/opt/umlo/sub/umlox.dat");
    EXPECT_EQ(DisplayName("/opt/umlox.dat", "/opt/umlo"), "/opt/umlox.dat");
    EXPECT_EQ(FolderOf("umlox.dat"), "");
    EXPECT_EQ(FolderOf("/a/b.dat"), "/a");
}

} // namespace
} // namespace umlo
