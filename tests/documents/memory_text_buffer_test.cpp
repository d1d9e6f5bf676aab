#include "documents/memory_text_buffer.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/text_buffer_contract.h"

using namespace umlo;
using umlo::testing::kBlue;
using umlo::testing::TextBufferContract;
using umlo::testing::TextBufferFactory;

INSTANTIATE_TEST_SUITE_P(Memory, TextBufferContract, ::testing::Values(TextBufferFactory([] {
                             return std::make_unique<MemoryTextBuffer>();
                         })),
                         [](const auto&) { return std::string("InMemory"); });

TEST(MemoryTextBuffer, RefusalsBeep) {
    MemoryTextBuffer b;
    b.SetAllText(u"abc");
    b.SetReadOnly(true);
    EXPECT_FALSE(b.ReplaceSelection(u"x"));
    b.SetCaret(0);
    b.SetSelLength(1);
    b.CutSelection();
    EXPECT_EQ(b.BeepCount(), 2);
    EXPECT_TRUE(b.Clipboard().empty()); // nothing was cut
    b.SetReadOnly(false);

    // Past the text limit the text stays as it was.
    b.SetTextLimit(4);
    b.SetCaret(3);
    EXPECT_TRUE(b.ReplaceSelection(u"d"));
    EXPECT_FALSE(b.ReplaceSelection(u"e"));
    EXPECT_EQ(b.GetAllText(), u"abcd");
    EXPECT_EQ(b.BeepCount(), 3);
    // Replacing within the limit still works at the limit.
    b.SetCaret(0);
    b.SetSelLength(2);
    EXPECT_TRUE(b.ReplaceSelection(u"xy"));
    EXPECT_EQ(b.GetAllText(), u"xycd");
    // New text longer than the limit is cut at the limit, as an editor does.
    b.SetAllText(u"123456");
    EXPECT_EQ(b.GetAllText(), u"1234");
}

TEST(MemoryTextBuffer, RepaintsOnceWhenTheLockIsReleased) {
    MemoryTextBuffer b;
    b.SetAllText(u"a");
    const int before = b.RepaintCount();
    b.BeginUpdate();
    b.BeginUpdate();
    b.SetAllText(u"ab");
    b.SetCaret(1);
    b.ReplaceSelection(u"c");
    b.EndUpdate();
    EXPECT_EQ(b.RepaintCount(), before);
    EXPECT_EQ(b.UpdateLockCount(), 1);
    b.EndUpdate();
    EXPECT_EQ(b.RepaintCount(), before + 1);
    EXPECT_EQ(b.UpdateLockCount(), 0);
    EXPECT_EQ(b.ChangeCount(), 3);
}

#ifdef NDEBUG
TEST(MemoryTextBuffer, ReleasingAnUnheldLockIsIgnored) {
    MemoryTextBuffer b;
    b.EndUpdate();
    EXPECT_EQ(b.UpdateLockCount(), 0);
    b.BeginUpdate();
    EXPECT_EQ(b.UpdateLockCount(), 1);
}
#else
TEST(MemoryTextBufferDeathTest, ReleasingAnUnheldLockIsAProgrammingError) {
    MemoryTextBuffer b;
    EXPECT_DEATH(b.EndUpdate(), "EndUpdate");
}
#endif

TEST(MemoryTextBuffer, ColourChosenAtTheCaretColoursTheNextTypedText) {
    MemoryTextBuffer b;
    b.SetAllText(u"ab");
    b.SetCaret(1);
    b.SetSelectionTextColor(kBlue);
    EXPECT_EQ(b.SelectionTextColor(), kBlue);
    EXPECT_EQ(b.FormatAt(0).text, kBlack); // no character changed
    ASSERT_TRUE(b.ReplaceSelection(u"x"));
    EXPECT_EQ(b.FormatAt(1).text, kBlue);
    EXPECT_EQ(b.FormatAt(2).text, kBlack);
    // Moving the caret forgets the chosen colour.
    b.SetCaret(1);
    EXPECT_EQ(b.SelectionTextColor(), kBlack);
}

TEST(MemoryTextBuffer, ClipboardAndCursorState) {
    MemoryTextBuffer b;
    b.SetAllText(u"abc");
    b.SetCaret(1);
    b.CopySelection(); // an empty selection leaves the clipboard alone
    EXPECT_TRUE(b.Clipboard().empty());
    b.PasteClipboard();
    EXPECT_EQ(b.GetAllText(), u"abc");
    b.SetClipboard(u"x\r\ny");
    b.PasteClipboard();
    EXPECT_EQ(b.GetAllText(), u"ax\rybc");
    EXPECT_EQ(b.LineCount(), 2);
    b.SetBusyCursor(true);
    EXPECT_TRUE(b.BusyCursor());
    b.GotoOffset(2);
    EXPECT_EQ(b.ScrollCount(), 1);
}
