// The behaviour every TextBuffer must show, as a parametrised GoogleTest suite.
// An implementation runs it with
//   INSTANTIATE_TEST_SUITE_P(Name, TextBufferContract,
//                            ::testing::Values(TextBufferFactory(...)));
// Include this header in one source file per test program.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "documents/text_buffer.h"

namespace umlo::testing {

using TextBufferFactory = std::function<std::unique_ptr<TextBuffer>()>;

constexpr Color kBlue = 16711680;
constexpr Color kYellow = 65535;

class TextBufferContract : public ::testing::TestWithParam<TextBufferFactory> {
public:
    void SetUp() override { buffer_ = GetParam()(); }
    TextBuffer& B() { return *buffer_; }
    void Select(int start, int length) {
        B().SetCaret(start);
        B().SetSelLength(length);
    }
    // Line facts recomputed from the whole text, to check the buffer's index.
    void ExpectLinesMatchText() {
        const std::u16string all = B().GetAllText();
        int line = 0;
        int start = 0;
        for (int i = 0; i <= static_cast<int>(all.size()); ++i) {
            ASSERT_EQ(B().LineOfOffset(i), line) << "offset " << i;
            if (i == static_cast<int>(all.size()) || all[static_cast<size_t>(i)] == kLineBreak) {
                ASSERT_EQ(B().LineStart(line), start);
                ASSERT_EQ(B().LineText(line),
                          all.substr(static_cast<size_t>(start), static_cast<size_t>(i - start)));
                ++line;
                start = i + 1;
            }
        }
        ASSERT_EQ(B().LineCount(), line);
        ASSERT_EQ(B().LineStart(line), -1);
    }

protected:
    std::unique_ptr<TextBuffer> buffer_;
};

TEST_P(TextBufferContract, EmptyTextHasOneEmptyLine) {
    EXPECT_EQ(B().TextLength(), 0);
    EXPECT_EQ(B().LineCount(), 1);
    EXPECT_EQ(B().LineText(0), u"");
    EXPECT_EQ(B().LineStart(0), 0);
    EXPECT_EQ(B().LineStart(1), -1);
    EXPECT_EQ(B().LineStart(-1), -1);
    EXPECT_EQ(B().LineAndColumn(0).line, 0);
    EXPECT_EQ(B().LineAndColumn(0).column, 1);
    EXPECT_EQ(B().TextRange(0, -1), u"");
    EXPECT_EQ(B().SelectedText(), u"");
    B().SetAllText(u"x");
    B().ClearText();
    EXPECT_EQ(B().TextLength(), 0);
    EXPECT_EQ(B().LineCount(), 1);
}

TEST_P(TextBufferContract, LinesOffsetsAndColumns) {
    B().SetAllText(u"ab\rcd");
    EXPECT_EQ(B().TextLength(), 5);
    EXPECT_EQ(B().LineCount(), 2);
    EXPECT_EQ(B().LineStart(1), 3);
    EXPECT_EQ(B().LineText(0), u"ab");
    EXPECT_EQ(B().LineText(1), u"cd");
    EXPECT_EQ(B().LineText(2), u"");
    EXPECT_EQ(B().LineAndColumn(4).line, 1);
    EXPECT_EQ(B().LineAndColumn(4).column, 2);
    EXPECT_EQ(B().LineOfOffset(2), 0); // the line break belongs to its line
    EXPECT_EQ(B().LineOfOffset(3), 1);
    EXPECT_EQ(B().LineOfOffset(5), 1);

    // Ten characters on the first line: offset 12 is line 2, column 2.
    B().SetAllText(u"0123456789\rabcdef\rxyz");
    EXPECT_EQ(B().LineAndColumn(12).line, 1);
    EXPECT_EQ(B().LineAndColumn(12).column, 2);
    EXPECT_EQ(B().LineCount(), 3);

    // A final line break opens an empty last line.
    B().SetAllText(u"ab\r");
    EXPECT_EQ(B().LineCount(), 2);
    EXPECT_EQ(B().LineStart(1), 3);
    EXPECT_EQ(B().LineText(1), u"");
    ExpectLinesMatchText();
}

TEST_P(TextBufferContract, EveryLineEndBecomesOneLineBreak) {
    B().SetAllText(u"a\r\nb\nc\rd\n\r\n");
    EXPECT_EQ(B().GetAllText(), u"a\rb\rc\rd\r\r");
    EXPECT_EQ(B().TextLength(), 9);
    EXPECT_EQ(B().LineCount(), 6);
    ExpectLinesMatchText();
    // Replacement text is normalised the same way.
    B().SetCaret(1);
    ASSERT_TRUE(B().ReplaceSelection(u"x\r\ny"));
    EXPECT_EQ(B().GetAllText(), u"ax\ry\rb\rc\rd\r\r");
    ExpectLinesMatchText();
}

TEST_P(TextBufferContract, TextRangeTakesOffsetsInEitherOrder) {
    B().SetAllText(u"ab\rcd");
    EXPECT_EQ(B().TextRange(1, 4), u"b\rc");
    EXPECT_EQ(B().TextRange(4, 1), u"b\rc");
    EXPECT_EQ(B().TextRange(3, -1), u"cd");
    EXPECT_EQ(B().TextRange(-1, 3), u"cd");
    EXPECT_EQ(B().TextRange(-7, -1), u"");
    EXPECT_EQ(B().TextRange(2, 2), u"");
    EXPECT_EQ(B().TextRange(0, 99), u"ab\rcd");
    EXPECT_EQ(B().TextRange(99, 98), u"");
}

TEST_P(TextBufferContract, SelectionStaysInsideTheText) {
    B().SetAllText(u"ab\rcd");
    Select(3, 100);
    EXPECT_EQ(B().SelStart(), 3);
    EXPECT_EQ(B().SelLength(), 2);
    EXPECT_EQ(B().SelectedText(), u"cd");
    B().SetCaret(50);
    EXPECT_EQ(B().SelStart(), 5);
    EXPECT_EQ(B().SelLength(), 0);
    B().GotoOffset(1);
    EXPECT_EQ(B().SelStart(), 1);
    B().GotoOffset(-1); // ignored
    EXPECT_EQ(B().SelStart(), 1);
    B().SelectAllText();
    EXPECT_EQ(B().SelStart(), 0);
    EXPECT_EQ(B().SelectedText(), u"ab\rcd");
}

TEST_P(TextBufferContract, ReplacementKeepsTheFormatOfTheReplacedLetter) {
    B().SetAllText(u"мед и мед");
    Select(1, 1);
    B().SetSelectionTextColor(kBlue);
    B().SetSelectionBackColor(kYellow);
    Select(1, 1);
    ASSERT_TRUE(B().ReplaceSelection(u"ё"));
    EXPECT_EQ(B().GetAllText(), u"мёд и мед");
    EXPECT_EQ(B().FormatAt(1).text, kBlue);
    EXPECT_EQ(B().FormatAt(1).back, kYellow);
    EXPECT_EQ(B().FormatAt(0), CharFormat{});
    EXPECT_EQ(B().FormatAt(2), CharFormat{});
    Select(1, 1);
    EXPECT_EQ(B().SelectionTextColor(), kBlue);

    // An uncoloured letter replaced stays uncoloured.
    Select(7, 1);
    ASSERT_TRUE(B().ReplaceSelection(u"ё"));
    EXPECT_EQ(B().FormatAt(7), CharFormat{});

    // Text inserted at a caret takes the format of the character before it.
    B().SetCaret(2);
    ASSERT_TRUE(B().ReplaceSelection(u"zz"));
    EXPECT_EQ(B().GetAllText(), u"мёzzд и мёд");
    EXPECT_EQ(B().FormatAt(2).text, kBlue);
    EXPECT_EQ(B().FormatAt(3).text, kBlue);
    EXPECT_EQ(B().FormatAt(4), CharFormat{});

    // New text gets the default format.
    B().SetAllText(B().GetAllText());
    EXPECT_EQ(B().FormatAt(1), CharFormat{});
    EXPECT_EQ(B().FormatAt(-1), CharFormat{});
    EXPECT_EQ(B().FormatAt(1000), CharFormat{});
}

// Random replacements checked against a model of the text and its colours.
inline void RandomReplacementsKeepLinesAndColours(TextBufferContract& t, TextBuffer& b,
                                                  unsigned seed) {
    b.SetAllText(u"первая\rвторая\r\rчетвёртая");
    // Every character its own colour; the model follows the format rule.
    std::vector<Color> colours;
    for (int i = 0; i < b.TextLength(); ++i) {
        b.SetCaret(i);
        b.SetSelLength(1);
        b.SetSelectionTextColor(static_cast<Color>(i + 1));
        colours.push_back(static_cast<Color>(i + 1));
    }
    std::mt19937 random(seed);
    const std::u16string pieces[] = {u"", u"е", u"ё", u"\r", u"аб\rв", u"\r\r", u"длинный кусок"};
    for (int step = 0; step < 200; ++step) {
        const int length = b.TextLength();
        if (step % 5 == 4 && length > 0) {
            // The pass's own step: one letter and its colours.
            const int at = static_cast<int>(random() % static_cast<unsigned>(length));
            ASSERT_TRUE(b.ReplaceLetter(at, u'ё', {Color(9), std::nullopt}));
            ASSERT_EQ(b.SelStart(), at + 1);
            ASSERT_EQ(b.SelLength(), 0);
            ASSERT_EQ(b.TextRange(at, at + 1), u"ё");
            colours[static_cast<size_t>(at)] = Color(9);
            ASSERT_EQ(b.FormatAt(at).text, Color(9));
            t.ExpectLinesMatchText();
            continue;
        }
        int count = static_cast<int>(random() % 4);
        // An insertion takes the format before the caret, so it needs one.
        const int lowest = count == 0 ? 1 : 0;
        if (length < lowest) {
            count = 1;
        }
        const int start = std::min(
            lowest + static_cast<int>(random() % static_cast<unsigned>(length + 1)), length);
        b.SetCaret(start);
        b.SetSelLength(count);
        const std::u16string before = b.GetAllText();
        const auto at = static_cast<size_t>(start);
        const size_t removed = b.SelectedText().size();
        const std::u16string& piece = pieces[random() % std::size(pieces)];
        Color format = kBlack;
        if (removed > 0) {
            format = colours[at];
        } else if (start > 0) {
            format = colours[at - 1];
        }
        ASSERT_TRUE(b.ReplaceSelection(piece));
        ASSERT_EQ(b.GetAllText(), before.substr(0, at) + piece + before.substr(at + removed));
        colours.erase(colours.begin() + start, colours.begin() + start + static_cast<int>(removed));
        colours.insert(colours.begin() + start, piece.size(), format);
        for (int i = 0; i < b.TextLength(); ++i) {
            ASSERT_EQ(b.FormatAt(i).text, colours[static_cast<size_t>(i)]) << "offset " << i;
        }
        t.ExpectLinesMatchText();
    }
}

TEST_P(TextBufferContract, ReplacementsKeepLinesAndColoursInStep) {
    RandomReplacementsKeepLinesAndColours(*this, B(), 7);
}

// The pass writes under the update lock: what it reads back must be the
// text as changed, though the editor shows it only when the lock goes.
TEST_P(TextBufferContract, UnderTheUpdateLockEveryChangeReadsBackAtOnce) {
    B().BeginUpdate();
    RandomReplacementsKeepLinesAndColours(*this, B(), 11);
    B().SetCaret(3);
    B().SetSelLength(2);
    const std::u16string selected = B().SelectedText();
    B().EndUpdate();
    EXPECT_EQ(B().SelStart(), 3);
    EXPECT_EQ(B().SelLength(), 2);
    EXPECT_EQ(B().SelectedText(), selected);
    ExpectLinesMatchText();

    // A typing format set at a held caret stays with the caret.
    B().SetAllText(u"аб");
    B().BeginUpdate();
    B().SetCaret(1);
    B().SetSelectionTextColor(kBlue);
    EXPECT_EQ(B().SelectionTextColor(), kBlue);
    B().EndUpdate();
    EXPECT_EQ(B().SelStart(), 1);
    EXPECT_EQ(B().SelectionTextColor(), kBlue);
    EXPECT_EQ(B().FormatAt(0).text, kBlack);
}

TEST_P(TextBufferContract, ReplaceLetterIsThePassesStepInOne) {
    B().SetAllText(u"мед и мед\rеще");
    Select(0, 3);
    B().SetSelectionBold(true);
    ASSERT_TRUE(B().ReplaceLetter(1, u'ё', {kBlue, kYellow}));
    EXPECT_EQ(B().GetAllText(), u"мёд и мед\rеще");
    EXPECT_EQ(B().FormatAt(1).text, kBlue);
    EXPECT_EQ(B().FormatAt(1).back, kYellow);
    EXPECT_TRUE(B().FormatAt(1).bold) << "the rest of the format stays";
    EXPECT_EQ(B().FormatAt(0).text, kBlack);
    EXPECT_EQ(B().FormatAt(2).back, kWhite);
    EXPECT_EQ(B().SelStart(), 2);
    EXPECT_EQ(B().SelLength(), 0);

    // Without colours the letter keeps its own.
    ASSERT_TRUE(B().ReplaceLetter(7, u'ё', {}));
    EXPECT_EQ(B().FormatAt(7), CharFormat{});
    ASSERT_TRUE(B().ReplaceLetter(12, u'ё', {kBlue, std::nullopt}));
    EXPECT_EQ(B().LineText(1), u"ещё");
    EXPECT_EQ(B().FormatAt(12).text, kBlue);
    EXPECT_EQ(B().FormatAt(12).back, kWhite);
    ExpectLinesMatchText();

    // Read-only: the letter stays, the colours come, the caret is at the letter.
    B().SetReadOnly(true);
    EXPECT_FALSE(B().ReplaceLetter(10, u'Ё', {kYellow, std::nullopt}));
    EXPECT_EQ(B().GetAllText(), u"мёд и мёд\rещё");
    EXPECT_EQ(B().FormatAt(10).text, kYellow);
    EXPECT_EQ(B().SelStart(), 10);
    EXPECT_EQ(B().SelLength(), 0);
    B().SetReadOnly(false);

    // Past the text nothing happens.
    EXPECT_FALSE(B().ReplaceLetter(-1, u'ё', {}));
    EXPECT_FALSE(B().ReplaceLetter(B().TextLength(), u'ё', {}));
    EXPECT_EQ(B().GetAllText(), u"мёд и мёд\rещё");

    // A line break given or replaced keeps the line index true.
    ASSERT_TRUE(B().ReplaceLetter(9, u' ', {}));
    EXPECT_EQ(B().LineCount(), 1);
    ASSERT_TRUE(B().ReplaceLetter(3, kLineBreak, {}));
    EXPECT_EQ(B().LineCount(), 2);
    EXPECT_EQ(B().LineText(1), u"и мёд ещё");
    ExpectLinesMatchText();
}

TEST_P(TextBufferContract, AppendLineAddsALastLine) {
    B().AppendLine(u"один");
    EXPECT_EQ(B().GetAllText(), u"один");
    B().AppendLine(u"два");
    EXPECT_EQ(B().GetAllText(), u"один\rдва");
    B().AppendLine(u"");
    EXPECT_EQ(B().LineCount(), 3);
    EXPECT_EQ(B().LineText(1), u"два");
    EXPECT_EQ(B().LineText(2), u"");
}

TEST_P(TextBufferContract, ReadOnlyRefusesEditsButNotFormatOrNewText) {
    B().SetAllText(u"мед");
    B().SetReadOnly(true);
    EXPECT_TRUE(B().ReadOnly());
    Select(1, 1);
    EXPECT_FALSE(B().ReplaceSelection(u"ё"));
    EXPECT_EQ(B().GetAllText(), u"мед");
    B().CutSelection();
    EXPECT_EQ(B().GetAllText(), u"мед");
    B().PasteClipboard();
    EXPECT_EQ(B().GetAllText(), u"мед");
    B().SetSelectionTextColor(kBlue);
    EXPECT_EQ(B().FormatAt(1).text, kBlue);
    B().SetAllText(u"другой");
    EXPECT_EQ(B().GetAllText(), u"другой");
    B().SetReadOnly(false);
    Select(0, 1);
    EXPECT_TRUE(B().ReplaceSelection(u"Д"));
    EXPECT_EQ(B().GetAllText(), u"Другой");
}

TEST_P(TextBufferContract, ClipboardCutCopyPaste) {
    B().SetAllText(u"раз два");
    Select(0, 3);
    B().CopySelection();
    EXPECT_EQ(B().GetAllText(), u"раз два");
    B().SetCaret(7);
    B().PasteClipboard();
    EXPECT_EQ(B().GetAllText(), u"раз двараз");
    Select(0, 4);
    B().CutSelection();
    EXPECT_EQ(B().GetAllText(), u"двараз");
    B().SetCaret(3);
    B().PasteClipboard();
    EXPECT_EQ(B().GetAllText(), u"двараз раз");
    ExpectLinesMatchText();
}

TEST_P(TextBufferContract, BoldAndFontSizeOfTheSelection) {
    B().SetAllText(u"абв");
    Select(1, 2);
    B().SetSelectionBold(true);
    B().SetSelectionFontSize(14);
    EXPECT_TRUE(B().FormatAt(1).bold);
    EXPECT_TRUE(B().FormatAt(2).bold);
    EXPECT_FALSE(B().FormatAt(0).bold);
    EXPECT_EQ(B().FormatAt(2).fontSize, 14);
    EXPECT_EQ(B().SelectionFontSize(), 14);
    Select(0, 1);
    EXPECT_NE(B().SelectionFontSize(), 14);
}

TEST_P(TextBufferContract, UpdateLockNests) {
    B().BeginUpdate();
    B().BeginUpdate();
    B().SetAllText(u"текст");
    B().EndUpdate();
    B().EndUpdate();
    EXPECT_EQ(B().GetAllText(), u"текст");
}

} // namespace umlo::testing
