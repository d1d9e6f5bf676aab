// The editor paints only the part in sight of a long unwrapped line; what it
// paints must be, pixel for pixel, what Qt paints for the whole line.
#include "app/text_edit.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace umlo {
namespace {

class TextEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit.resize(420, 170);
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setUndoRedoEnabled(false);
        edit.show();
    }

    // Lines of "мед и еще " with every 37th character marked as a pass marks
    // it and one word in bold.
    void Fill(const QString& longLine) {
        QString text;
        for (int i = 0; i < 3; ++i) {
            text += (i == 1 ? QStringLiteral("короткая строка") : longLine) + u'\n';
        }
        edit.setPlainText(text);
        QTextCursor c(edit.document());
        c.beginEditBlock(); // laid out once, not for every mark
        QTextCharFormat marks;
        marks.setForeground(Qt::red);
        marks.setBackground(Qt::yellow);
        for (int at = 1; at + 1 < edit.document()->characterCount(); at += 37) {
            c.setPosition(at);
            c.setPosition(at + 1, QTextCursor::KeepAnchor);
            c.mergeCharFormat(marks);
        }
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.setPosition(5004);
        c.setPosition(5010, QTextCursor::KeepAnchor);
        c.mergeCharFormat(bold);
        c.endEditBlock();
        QApplication::processEvents();
    }

    // Scrolls to x and selects from `before` characters left of the view's
    // left edge on the first line to `after` characters past it.
    void ScrollAndSelect(int x, int before, int after) {
        edit.horizontalScrollBar()->setValue(x);
        QApplication::processEvents();
        const int left = edit.cursorForPosition(QPoint(2, 5)).position();
        QTextCursor selection(edit.document());
        selection.setPosition(std::max(0, left - before));
        selection.setPosition(left + after, QTextCursor::KeepAnchor);
        edit.setTextCursor(selection);
        edit.horizontalScrollBar()->setValue(x);
        QApplication::processEvents();
    }

    QImage Painted(bool inPart) {
        edit.SetPaintsVisiblePart(inPart);
        QImage image = edit.viewport()->grab().toImage();
        edit.SetPaintsVisiblePart(true);
        return image;
    }

    // Paints both ways; returns how many lines were painted in part.
    int ExpectSamePixels(const char* what) {
        const int before = edit.PartlyPaintedLines();
        const QImage inPart = Painted(true);
        const int partly = edit.PartlyPaintedLines() - before;
        const QImage whole = Painted(false);
        EXPECT_EQ(edit.PartlyPaintedLines() - before, partly) << what;
        EXPECT_EQ(inPart.size(), whole.size()) << what;
        int differing = 0;
        for (int y = 0; y < std::min(inPart.height(), whole.height()); ++y) {
            for (int x = 0; x < std::min(inPart.width(), whole.width()); ++x) {
                differing += inPart.pixel(x, y) != whole.pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << what;
        return partly;
    }

    TextEdit edit;
};

QString Repeated(const QString& piece, int times) {
    QString text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST_F(TextEditTest, ALongLinePaintedInPartLooksAsQtPaintsItWhole) {
    Fill(Repeated(QStringLiteral("мед и еще "), 2000));
    // In the middle, a selection across the view's left edge (the caret in
    // sight) and the bold word in sight.
    const QTextBlock first = edit.document()->firstBlock();
    edit.document()->documentLayout()->blockBoundingRect(first); // laid out
    const int boldX = static_cast<int>(first.layout()->lineAt(0).cursorToX(5004));
    ScrollAndSelect(boldX - 100, 20, 15);
    EXPECT_EQ(ExpectSamePixels("middle"), 2); // the two long lines; the short one whole

    // At the end, a selection running over the paragraph's end.
    ScrollAndSelect(edit.horizontalScrollBar()->maximum(), 0, 0);
    const int end = edit.document()->firstBlock().length() - 1;
    QTextCursor over(edit.document());
    over.setPosition(end - 12);
    over.setPosition(end + 3, QTextCursor::KeepAnchor);
    edit.setTextCursor(over);
    edit.horizontalScrollBar()->setValue(edit.horizontalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_EQ(ExpectSamePixels("end"), 2);

    // Unwrapped lines as wide as the view are Qt's to paint.
    Fill(QStringLiteral("мед и еще"));
    EXPECT_EQ(ExpectSamePixels("short"), 0);
    // Word wrap on: no line is wider than the view.
    edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Fill(Repeated(QStringLiteral("мед и еще "), 2000));
    EXPECT_EQ(ExpectSamePixels("wrapped"), 0);
}

TEST_F(TextEditTest, TabsRightToLeftAndComposedTextKeepTheirLinesWhole) {
    // A tab stops at a place counted from the line's start; Hebrew runs
    // right to left: in sight, either has its line painted whole.
    for (const QString& piece :
         {QStringLiteral("мед\tи еще "), QStringLiteral("мед שלום и еще ")}) {
        Fill(Repeated(piece, 2000));
        ScrollAndSelect(5000, 10, 10);
        EXPECT_EQ(ExpectSamePixels(qPrintable(piece)), 0);
    }
    // Out of sight, at the start of a left-to-right line, neither changes
    // what is in sight.
    for (const QString& start : {QStringLiteral("\t\t"), QStringLiteral("мед שלום, ")}) {
        Fill(start + Repeated(QStringLiteral("мед и еще "), 2000));
        ScrollAndSelect(5000, 10, 10);
        EXPECT_EQ(ExpectSamePixels(qPrintable(start)), 2);
    }
    // A paragraph that starts in Hebrew runs right to left as a whole.
    Fill(QStringLiteral("שלום, ") + Repeated(QStringLiteral("мед и еще "), 2000));
    ScrollAndSelect(5000, 10, 10);
    EXPECT_EQ(ExpectSamePixels("right to left"), 0);

    // Text an input method is composing in the first line lives only in
    // that line's layout.
    Fill(Repeated(QStringLiteral("мед и еще "), 2000));
    ScrollAndSelect(5000, 0, 10);
    QInputMethodEvent composing(QStringLiteral("ёлка"), {});
    QApplication::sendEvent(&edit, &composing);
    QApplication::processEvents();
    ASSERT_FALSE(edit.document()->firstBlock().layout()->preeditAreaText().isEmpty());
    EXPECT_EQ(ExpectSamePixels("composing"), 1); // the third line only
}

} // namespace
} // namespace umlo
