#include "app/qt_text_buffer.h"

#include <QApplication>
#include <QElapsedTimer>

#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <memory>
#include <vector>

#include "app/letter_swap_layout.h"

#include "tests/support/text_buffer_contract.h"

namespace umlo {
namespace {

// A buffer that owns its widget, for the contract suite.
struct OwnedEdit {
    std::unique_ptr<QPlainTextEdit> edit = std::make_unique<QPlainTextEdit>();
};

class OwningQtTextBuffer : private OwnedEdit, public QtTextBuffer {
public:
    OwningQtTextBuffer() : QtTextBuffer(*edit) {}
};

using umlo::testing::TextBufferContract;
INSTANTIATE_TEST_SUITE_P(QtTextEdit, TextBufferContract,
                         ::testing::Values(umlo::testing::TextBufferFactory([] {
                             return std::make_unique<OwningQtTextBuffer>();
                         })));

class QtTextBufferTest : public ::testing::Test {
protected:
    // The editor shown narrow and wrapping, so a paragraph takes many lines.
    void ShowWrapped() {
        edit.resize(200, 200);
        edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit.show();
    }
    // A paragraph of "мед и еще " repeated: an е at 1, 6 and 8 of every ten.
    static std::u16string Paragraph(int repeats) {
        std::u16string paragraph;
        for (int i = 0; i < repeats; ++i) {
            paragraph += u"мед и еще ";
        }
        return paragraph;
    }

    QPlainTextEdit edit;
    QtTextBuffer buffer{edit};
};

TEST_F(QtTextBufferTest, NoBreakSpacesAndLineBreaksSurviveTheWidget) {
    // Qt's plain-text export turns U+00A0 into a space; the pass needs it kept.
    buffer.SetAllText(u"а\u00a0б\r\nв");
    EXPECT_EQ(buffer.GetAllText(), u"а\u00a0б\rв");
    EXPECT_EQ(buffer.LineText(0), u"а\u00a0б");
    EXPECT_EQ(buffer.TextRange(0, -1), u"а\u00a0б\rв");
    buffer.SetCaret(1);
    buffer.SetSelLength(3);
    EXPECT_EQ(buffer.SelectedText(), u"\u00a0б\r");
}

TEST_F(QtTextBufferTest, ColoursReachTheWidgetInRedLowOrder) {
    buffer.SetAllText(u"мед");
    buffer.SetCaret(1);
    buffer.SetSelLength(1);
    buffer.SetSelectionTextColor(16711680); // blue
    buffer.SetSelectionBackColor(65535);    // yellow
    QTextCursor c(edit.document());
    c.setPosition(2);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(c.charFormat().background().color(), QColor(255, 255, 0));
}

TEST_F(QtTextBufferTest, TypingFormatIsForgottenWithNewText) {
    buffer.SetAllText(u"аб");
    buffer.SetCaret(2);
    buffer.SetSelectionTextColor(255);
    EXPECT_EQ(buffer.SelectionTextColor(), 255u);
    buffer.SetAllText(u"вг");
    buffer.SetCaret(2);
    EXPECT_EQ(buffer.SelectionTextColor(), kBlack);
}

TEST_F(QtTextBufferTest, UpdateLockStopsRepaintingUntilTheLastRelease) {
    buffer.BeginUpdate();
    buffer.BeginUpdate();
    EXPECT_FALSE(edit.updatesEnabled());
    buffer.EndUpdate();
    EXPECT_FALSE(edit.updatesEnabled());
    buffer.EndUpdate();
    EXPECT_TRUE(edit.updatesEnabled());
    EXPECT_EQ(buffer.UpdateLockCount(), 0);
}

TEST_F(QtTextBufferTest, ClearTextForgetsTheWidgetsUndoAndModifiedState) {
    buffer.SetAllText(u"текст");
    buffer.SetCaret(5);
    buffer.ReplaceSelection(u"ы");
    EXPECT_TRUE(edit.document()->isUndoAvailable());
    buffer.ClearText();
    EXPECT_FALSE(edit.document()->isUndoAvailable());
    EXPECT_FALSE(edit.document()->isModified());
    EXPECT_EQ(buffer.TextLength(), 0);
}

TEST_F(QtTextBufferTest, BusyCursorOverTheText) {
    buffer.SetBusyCursor(true);
    EXPECT_EQ(edit.viewport()->cursor().shape(), Qt::WaitCursor);
    buffer.SetBusyCursor(false);
    EXPECT_EQ(edit.viewport()->cursor().shape(), Qt::IBeamCursor);
}

TEST(NormalizeLineBreaks, EveryLineEndIsOneBreak) {
    EXPECT_EQ(NormalizeLineBreaks(u"a\r\nb\nc\rd\n\r"), u"a\rb\rc\rd\r\r");
    EXPECT_EQ(NormalizeLineBreaks(u"a\u2029b"), u"a\rb");
    EXPECT_EQ(NormalizeLineBreaks(u""), u"");
}

// The pass holds the lock while it writes: the widget's own caret, whose
// every move lays out its paragraph, moves once when the lock goes, and the
// document's changes reach the layout as one.
TEST_F(QtTextBufferTest, UnderTheLockTheWidgetCaretWaitsAndTheChangesComeAsOne) {
    buffer.SetAllText(u"мед и еще\rмед");
    int changes = 0;
    QObject::connect(edit.document(), &QTextDocument::contentsChange,
                     [&changes](int, int, int) { ++changes; });
    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(1, u'ё', {16711680, 65535}));
    ASSERT_TRUE(buffer.ReplaceLetter(8, u'ё', {16711680, std::nullopt}));
    ASSERT_TRUE(buffer.ReplaceLetter(11, u'ё', {}));
    buffer.SetCaret(5);
    buffer.SetSelLength(3);
    EXPECT_EQ(edit.textCursor().position(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(edit.updatesEnabled());
    buffer.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit.updatesEnabled());
    EXPECT_EQ(edit.textCursor().selectionStart(), 5);
    EXPECT_EQ(edit.textCursor().selectionEnd(), 8);
    EXPECT_EQ(edit.toPlainText(), QString::fromUtf16(u"мёд и ещё\nмёд"));
}

TEST_F(QtTextBufferTest, LongParagraphsKeepTheirShapedText) {
    std::u16string text(5000, u'а');
    text += u"\rкоротко\r";
    buffer.SetAllText(text);
    EXPECT_TRUE(edit.document()->findBlockByNumber(0).layout()->cacheEnabled());
    EXPECT_FALSE(edit.document()->findBlockByNumber(1).layout()->cacheEnabled());
    // A long paragraph pasted later is shaped once too.
    buffer.SetCaret(buffer.TextLength());
    ASSERT_TRUE(buffer.ReplaceSelection(std::u16string(6000, u'б')));
    EXPECT_TRUE(edit.document()->findBlockByNumber(2).layout()->cacheEnabled());
}

TEST(LetterSwapLayout, TheNewDocumentKeepsTheOldOnesSettings) {
    QPlainTextEdit edit;
    edit.setUndoRedoEnabled(false);
    QFont font = edit.document()->defaultFont();
    font.setPointSize(17);
    edit.document()->setDefaultFont(font);
    edit.setPlainText(QStringLiteral("текст"));
    QTextDocument* old = edit.document();
    UseLetterSwapLayout(edit);
    EXPECT_NE(edit.document(), old);
    EXPECT_FALSE(edit.document()->isUndoRedoEnabled());
    EXPECT_EQ(edit.document()->defaultFont().pointSize(), 17);
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("текст"));
}

// The lines of every paragraph as a fresh layout of the same text gives them.
std::vector<int> FreshLineCounts(QPlainTextEdit& edit) {
    std::vector<int> counts;
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next()) {
        b.layout()->clearLayout();
        edit.document()->documentLayout()->blockBoundingRect(b); // lays it out again
        counts.push_back(b.layout()->lineCount());
    }
    return counts;
}

std::vector<int> StoredLineCounts(QPlainTextEdit& edit) {
    std::vector<int> counts;
    for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next()) {
        counts.push_back(b.lineCount());
    }
    return counts;
}

TEST_F(QtTextBufferTest, SwappedLettersKeepTheLayoutRightAndOtherEditsTakeQtsPath) {
    ShowWrapped();
    const std::u16string paragraph = Paragraph(200);
    buffer.SetAllText(paragraph + u"\r" + paragraph);
    QApplication::processEvents();
    auto* layout = qobject_cast<LetterSwapLayout*>(edit.document()->documentLayout());
    ASSERT_NE(layout, nullptr);
    const int before = layout->LetterSwapUpdates();
    const auto linesBefore = StoredLineCounts(edit);
    ASSERT_GT(linesBefore[0], 10); // wrapped into many lines

    buffer.BeginUpdate();
    for (int at : {1, 8, 11, static_cast<int>(paragraph.size()) + 2}) {
        ASSERT_TRUE(buffer.ReplaceLetter(at, u'ё', {16711680, 65535}));
    }
    buffer.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(layout->LetterSwapUpdates(), before + 1);
    EXPECT_EQ(StoredLineCounts(edit), linesBefore);
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
    EXPECT_EQ(buffer.TextRange(0, 4), u"мёд ");

    // A letter swap in the same batch as a real edit is an ordinary change:
    // the new paragraph is counted.
    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(1, u'е', {}));
    buffer.SetCaret(5);
    ASSERT_TRUE(buffer.ReplaceSelection(u"\r"));
    buffer.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(layout->LetterSwapUpdates(), before + 1);
    EXPECT_EQ(edit.document()->blockCount(), 3);
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
    // Bold widens the letters: never the short path.
    buffer.SetCaret(0);
    buffer.SetSelLength(static_cast<int>(paragraph.size()) - 10);
    buffer.SetSelectionBold(true);
    QApplication::processEvents();
    EXPECT_EQ(layout->LetterSwapUpdates(), before + 1);
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
}

// A pass swaps thousands of letters under the lock, most with the same own
// format and the same marks: each letter still gets exactly its own format
// with the marks over it, and the held caret follows every swap.
TEST_F(QtTextBufferTest, SwapsUnderTheLockMergeTheMarksIntoEachLettersOwnFormat) {
    buffer.SetAllText(u"мед мед мед мед");
    buffer.SetCaret(4);
    buffer.SetSelLength(3);
    buffer.SetSelectionBold(true);
    const LetterColors marks{16711680, 65535};
    buffer.BeginUpdate();
    for (int at : {1, 5, 9}) {
        ASSERT_TRUE(buffer.ReplaceLetter(at, u'ё', marks));
        EXPECT_EQ(buffer.SelStart(), at + 1);
        EXPECT_EQ(buffer.SelLength(), 0);
    }
    ASSERT_TRUE(buffer.ReplaceLetter(13, u'ё', {255, std::nullopt}));
    buffer.EndUpdate();
    EXPECT_EQ(buffer.GetAllText(), u"мёд мёд мёд мёд");
    for (int at : {1, 5, 9}) {
        EXPECT_EQ(buffer.FormatAt(at).text, Color{16711680}) << at;
        EXPECT_EQ(buffer.FormatAt(at).back, Color{65535}) << at;
        EXPECT_EQ(buffer.FormatAt(at).bold, at == 5) << at;
    }
    EXPECT_EQ(buffer.FormatAt(13).text, Color{255});
    EXPECT_EQ(buffer.FormatAt(13).back, kWhite);
    EXPECT_FALSE(buffer.FormatAt(13).bold);
    EXPECT_EQ(buffer.FormatAt(4), (CharFormat{kBlack, kWhite, true, 0}));
    EXPECT_EQ(edit.textCursor().position(), 14);
}

// Where each line of a paragraph starts and how long it is.
std::vector<std::pair<int, int>> LineRanges(const QTextBlock& block) {
    std::vector<std::pair<int, int>> ranges;
    const QTextLayout* layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        ranges.emplace_back(layout->lineAt(i).textStart(), layout->lineAt(i).textLength());
    }
    return ranges;
}

std::vector<std::pair<int, int>> FreshLineRanges(QPlainTextEdit& edit, const QTextBlock& block) {
    block.layout()->clearLayout();
    edit.document()->documentLayout()->blockBoundingRect(block);
    return LineRanges(block);
}

// Qt walks every line of a paragraph on each change of its text, so a
// paragraph of many lines lends its lines out at the first swap: letters as
// wide as the ones they replace get them back untouched, a letter of another
// width has the paragraph laid out again when shown. A short paragraph keeps
// its lines throughout.
TEST_F(QtTextBufferTest, AParagraphOfManyLinesKeepsItsLinesThroughSwapsOfTheSameWidth) {
    ShowWrapped();
    const std::u16string paragraph = Paragraph(400);
    buffer.SetAllText(paragraph + u"\rмед");
    QApplication::processEvents();
    const QTextBlock first = edit.document()->firstBlock();
    const QTextBlock last = edit.document()->lastBlock();
    const int lines = first.layout()->lineCount();
    ASSERT_GT(lines, 64);
    ASSERT_EQ(last.layout()->lineCount(), 1);
    const auto rangesBefore = LineRanges(first);
    auto* layout = qobject_cast<LetterSwapLayout*>(edit.document()->documentLayout());
    ASSERT_NE(layout, nullptr);
    const int before = layout->LetterSwapUpdates();
    const int keptBefore = layout->KeptParagraphs();

    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(1, u'ё', {16711680, 65535}));
    EXPECT_EQ(first.layout()->lineCount(), 0);
    ASSERT_TRUE(buffer.ReplaceLetter(11 * 10 + 8, u'ё', {16711680, 65535}));
    ASSERT_TRUE(buffer.ReplaceLetter(static_cast<int>(paragraph.size()) + 2, u'ё', {}));
    EXPECT_EQ(last.layout()->lineCount(), 1);
    buffer.EndUpdate();
    EXPECT_EQ(layout->KeptParagraphs(), keptBefore + 1);
    EXPECT_EQ(LineRanges(first), rangesBefore);
    QApplication::processEvents();
    EXPECT_EQ(layout->LetterSwapUpdates(), before + 1);
    EXPECT_EQ(first.layout()->lineCount(), lines);
    EXPECT_EQ(first.lineCount(), lines);
    EXPECT_EQ(LineRanges(first), FreshLineRanges(edit, first));
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
    EXPECT_EQ(buffer.TextRange(0, 4), u"мёд ");
    EXPECT_EQ(buffer.TextRange(11 * 10 + 6, 11 * 10 + 9), u"ещё");
    EXPECT_EQ(buffer.LineText(1), u"мёд");
    // The caret stands where the last swap left it, in sight.
    EXPECT_EQ(edit.textCursor().position(), static_cast<int>(paragraph.size()) + 3);
    EXPECT_TRUE(edit.viewport()->rect().intersects(edit.cursorRect()));

    // A wider letter, even after letters of the same width in the same
    // batch, and in the short paragraph too: the lines are laid out afresh.
    ASSERT_GT(QFontMetricsF(edit.document()->defaultFont()).horizontalAdvance(u'Ш'),
              QFontMetricsF(edit.document()->defaultFont()).horizontalAdvance(u'м'));
    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(11, u'ё', {}));
    for (int at = 0; at < 10 * 40; at += 10) {
        ASSERT_TRUE(buffer.ReplaceLetter(at, u'Ш', {}));
    }
    ASSERT_TRUE(buffer.ReplaceLetter(static_cast<int>(paragraph.size()) + 1, u'Ш', {}));
    buffer.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(layout->KeptParagraphs(), keptBefore + 1);
    EXPECT_EQ(layout->LetterSwapUpdates(), before + 2);
    EXPECT_EQ(LineRanges(first), FreshLineRanges(edit, first));
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
    EXPECT_EQ(buffer.LineText(1), u"Шёд");

    // A real edit in the batch after a swap: Qt's own path, nothing kept.
    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(6, u'ё', {}));
    buffer.SetCaret(20);
    ASSERT_TRUE(buffer.ReplaceSelection(u"длинное слово "));
    buffer.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(layout->KeptParagraphs(), keptBefore + 1);
    EXPECT_EQ(LineRanges(first), FreshLineRanges(edit, first));
    EXPECT_EQ(StoredLineCounts(edit), FreshLineCounts(edit));
}

// Under the lock nothing lays out a paragraph whose lines were dropped: a
// repaint queued before the lock and the caret's blink wait for its end.
TEST_F(QtTextBufferTest, UnderTheLockADroppedParagraphIsNotLaidOut) {
    QApplication::setCursorFlashTime(20);
    ShowWrapped();
    edit.activateWindow();
    edit.setFocus();
    const std::u16string paragraph = Paragraph(400);
    buffer.SetAllText(paragraph);
    QApplication::processEvents();
    const QTextBlock block = edit.document()->firstBlock();
    const int lines = block.layout()->lineCount();
    ASSERT_GT(lines, 64);

    edit.viewport()->update();
    buffer.BeginUpdate();
    ASSERT_TRUE(buffer.ReplaceLetter(1, u'ё', {16711680, 65535}));
    ASSERT_EQ(block.layout()->lineCount(), 0);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 100) {
        QApplication::processEvents();
    }
    EXPECT_EQ(block.layout()->lineCount(), 0);
    buffer.EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(block.layout()->lineCount(), lines);
    EXPECT_EQ(buffer.TextRange(0, 4), u"мёд ");
    QApplication::setCursorFlashTime(1000);
}

} // namespace
} // namespace umlo
