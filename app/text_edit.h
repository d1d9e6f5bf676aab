// The main window's editor: a QPlainTextEdit that paints only the part of a
// long unwrapped line that can be seen.
//
// Qt draws every glyph of a line, wherever the clip is: an unwrapped
// paragraph of hundreds of thousands of characters costs its whole width on
// every repaint (the caret's blink, a scroll, each batch of a pass). With
// word wrap off this editor paints such a line from a small layout of the
// characters in sight, placed where the paragraph's own layout puts them;
// everything else is drawn as Qt draws it.
#pragma once

#include <QPlainTextEdit>

class QTextBlock;

namespace umlo {

class TextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextEdit(QWidget* parent = nullptr);

    // Off: every line is painted whole, by Qt (for the tests to compare).
    void SetPaintsVisiblePart(bool on) { paintsVisiblePart_ = on; }
    // Lines painted from the part in sight since the editor was made.
    int PartlyPaintedLines() const { return partlyPaintedLines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A line this much wider than the view is painted in part.
    static constexpr qreal kLongLineViewWidths = 4;

    bool HasLongLine(const QTextBlock& block) const;
    // Paints the characters of the block's lines that fall in clip.
    void PaintVisibleParts(QPainter& painter, const QTextBlock& block, QPointF offset,
                           const QList<QTextLayout::FormatRange>& selections, const QRect& clip);

    bool paintsVisiblePart_ = true;
    int partlyPaintedLines_ = 0;
};

} // namespace umlo
