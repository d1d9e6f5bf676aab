#include "app/text_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

// The document's own map of its text runs (see PartText).
#include <private/qtextdocument_p.h>

#include <algorithm>
#include <vector>

namespace umlo {
namespace {

using FormatRanges = QList<QTextLayout::FormatRange>;

// The selections (and the overwrite caret) that fall in the block, in its
// own positions, as QPlainTextEdit gives them to the block's layout.
FormatRanges BlockSelections(const QAbstractTextDocumentLayout::PaintContext& context,
                             const QTextBlock& block, int overwriteAt, const QPalette& palette) {
    FormatRanges ranges;
    const int start = block.position();
    const int length = block.length();
    for (const QAbstractTextDocumentLayout::Selection& range : context.selections) {
        const int from = range.cursor.selectionStart() - start;
        const int to = range.cursor.selectionEnd() - start;
        if (from < length && to > 0 && to > from) {
            ranges.append({from, to - from, range.format});
        } else if (!range.cursor.hasSelection() &&
                   range.format.hasProperty(QTextFormat::FullWidthSelection) &&
                   block.contains(range.cursor.position())) {
            const QTextLine line =
                block.layout()->lineForTextPosition(range.cursor.position() - start);
            int lineLength = line.textLength();
            if (line.textStart() + lineLength == length - 1) {
                ++lineLength; // the paragraph's end too
            }
            ranges.append({line.textStart(), lineLength, range.format});
        }
    }
    if (overwriteAt >= 0) {
        QTextCharFormat caret;
        caret.setForeground(palette.base());
        caret.setBackground(palette.text());
        ranges.append({overwriteAt, 1, caret});
    }
    return ranges;
}

bool HasRightToLeft(QStringView text) {
    for (QChar c : text) {
        if (c.unicode() >= 0x0590 &&
            (c.direction() == QChar::DirR || c.direction() == QChar::DirAL ||
             c.direction() == QChar::DirRLE || c.direction() == QChar::DirRLO ||
             c.direction() == QChar::DirRLI)) {
            return true;
        }
    }
    return false;
}

// The block's characters from..to with their formats, counted from there.
// QTextBlock's fragments can only be walked from the paragraph's start,
// thousands of runs away in a long marked paragraph; the document's own map
// finds the first one at once.
QString PartText(const QTextBlock& block, int from, int to, FormatRanges& formats) {
    const QTextDocumentPrivate* doc = QTextDocumentPrivate::get(block);
    const QString buffer = doc->buffer();
    const int start = block.position() + from;
    const int end = block.position() + to;
    QString text;
    text.reserve(to - from);
    for (auto it = doc->find(start); !it.atEnd() && it.position() < end; ++it) {
        const int begin = std::max(it.position(), start);
        const int length = std::min(it.position() + it.size(), end) - begin;
        formats.append({begin - start, length, doc->formatCollection()->charFormat(it->format)});
        text += QStringView(buffer).mid(it->stringPosition + (begin - it.position()), length);
    }
    return text;
}

// The selections of the block moved to a part starting at from, of length
// characters, ending the paragraph or not.
FormatRanges PartSelections(const FormatRanges& selections, int from, int length, bool endsBlock) {
    FormatRanges part;
    for (const QTextLayout::FormatRange& range : selections) {
        const int begin = std::max(range.start, from);
        // A selection over the paragraph's end keeps going past the part's end.
        const int end = endsBlock ? range.start + range.length
                                  : std::min(range.start + range.length, from + length);
        if (end > begin) {
            part.append({begin - from, end - begin, range.format});
        }
    }
    return part;
}

} // namespace

TextEdit::TextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

bool TextEdit::HasLongLine(const QTextBlock& block) const {
    const QTextLayout* layout = block.layout();
    const qreal longWidth = kLongLineViewWidths * std::max(1, viewport()->width());
    for (int i = 0; i < layout->lineCount(); ++i) {
        if (layout->lineAt(i).naturalTextWidth() > longWidth) {
            return true;
        }
    }
    return false;
}

void TextEdit::paintEvent(QPaintEvent* event) {
    // Wrapped lines are never wider than the view.
    if (!paintsVisiblePart_ || lineWrapMode() != NoWrap || document()->isEmpty()) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    // The steps of QPlainTextEdit's own painting, one block at a time.
    QPainter painter(viewport());
    QPointF offset = contentOffset();
    QRect clip = event->rect();
    const QRect view = viewport()->rect();
    const qreal widest = document()->documentLayout()->documentSize().width();
    painter.setBrushOrigin(offset);
    // The right margin stays clean of selections drawn to the full width.
    const qreal right = offset.x() + std::max(qreal(view.width()), widest) -
                        document()->documentMargin() + cursorWidth();
    clip.setRight(std::min(clip.right(), int(right)));
    painter.setClipRect(clip);

    const QAbstractTextDocumentLayout::PaintContext context = getPaintContext();
    painter.setPen(context.palette.text().color());
    const bool showsCaret =
        !isReadOnly() || (textInteractionFlags() & Qt::TextSelectableByKeyboard);
    QTextBlock block = firstVisibleBlock();
    for (; block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingRect(block).translated(offset);
        if (!block.isVisible()) {
            offset.ry() += bounds.height();
            continue;
        }
        if (bounds.bottom() >= clip.top() && bounds.top() <= clip.bottom()) {
            QTextLayout* layout = block.layout();
            const QBrush back = block.blockFormat().background();
            if (back != Qt::NoBrush) {
                QRectF all = bounds;
                all.setWidth(std::max(bounds.width(), widest));
                painter.fillRect(all, back);
            }
            const int at = context.cursorPosition - block.position();
            const bool caret = showsCaret && at >= 0 && at < block.length();
            const bool caretAsBlock = caret && overwriteMode() && at != block.length() - 1;
            const FormatRanges selections =
                BlockSelections(context, block, caretAsBlock ? at : -1, palette());
            if (HasLongLine(block)) {
                PaintVisibleParts(painter, block, offset, selections, clip);
            } else {
                layout->draw(&painter, offset, selections, clip);
            }
            if (caret && !caretAsBlock) {
                layout->drawCursor(&painter, offset, at, cursorWidth());
            } else if (!isReadOnly() && context.cursorPosition < -1 &&
                       !layout->preeditAreaText().isEmpty()) {
                layout->drawCursor(&painter, offset,
                                   layout->preeditAreaPosition() - (context.cursorPosition + 2),
                                   cursorWidth());
            }
        }
        offset.ry() += bounds.height();
        if (offset.y() > view.height()) {
            break;
        }
    }
    if (backgroundVisible() && !block.isValid() && offset.y() <= clip.bottom() &&
        (centerOnScroll() || verticalScrollBar()->maximum() == verticalScrollBar()->minimum())) {
        painter.fillRect(QRect(QPoint(clip.left(), int(offset.y())), clip.bottomRight()),
                         palette().window());
    }
}

void TextEdit::PaintVisibleParts(QPainter& painter, const QTextBlock& block, QPointF offset,
                                 const FormatRanges& selections, const QRect& clip) {
    QTextLayout* layout = block.layout();
    // A glyph may reach past its own cell (italics, accents): a few
    // characters either side of the view are painted too.
    constexpr int kSpare = 4;
    struct Part {
        QTextLine line;
        int from;
        int to;
        qreal x;
        QString text;
        FormatRanges formats;
    };
    std::vector<Part> parts;
    // A right-to-left paragraph is laid out from the right; text being
    // composed by an input method, or formats laid over the paragraph's own,
    // live only in its layout, where the document's text does not show them.
    bool whole = block.textDirection() == Qt::RightToLeft || !layout->preeditAreaText().isEmpty() ||
                 !layout->formats().isEmpty();
    const QTextDocument* doc = document();
    for (int i = 0; i < layout->lineCount() && !whole; ++i) {
        const QTextLine line = layout->lineAt(i);
        const QRectF lineRect = line.rect().translated(offset);
        if (lineRect.bottom() < clip.top() || lineRect.top() > clip.bottom()) {
            continue;
        }
        const int lineStart = line.textStart();
        const int lineEnd = lineStart + line.textLength();
        int from = std::max(lineStart, line.xToCursor(clip.left() - offset.x()) - kSpare);
        const int to = std::min(lineEnd, line.xToCursor(clip.right() + 1 - offset.x()) + kSpare);
        // The part starts where a character does (not inside a pair or an
        // accented letter); its place on the paragraph's line is Qt's own.
        const qreal x = line.cursorToX(&from);
        if (to <= from) {
            continue;
        }
        FormatRanges formats;
        QString text = PartText(block, from, to, formats);
        // A tab stops at a place counted from the line's start, which a part
        // does not know; right-to-left text is not laid out in the order of
        // its characters. Either in sight: the line is painted whole.
        whole = text.contains(u'\t') || HasRightToLeft(text);
        parts.push_back({line, from, to, x, std::move(text), std::move(formats)});
    }
    if (whole) {
        layout->draw(&painter, offset, selections, clip);
        return;
    }
    const int textEnd = block.length() - 1;
    QTextOption option = doc->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    for (const Part& p : parts) {
        QTextLayout part(p.text, doc->defaultFont(), doc->documentLayout()->paintDevice());
        part.setTextOption(option);
        part.setFormats(p.formats);
        part.beginLayout();
        QTextLine only = part.createLine();
        only.setLeadingIncluded(true);
        only.setLineWidth(std::max(p.line.width(), p.line.naturalTextWidth()));
        part.endLayout();
        // Baseline on baseline.
        const auto base = [](const QTextLine& l) {
            return l.ascent() + std::max(0.0, l.leading());
        };
        const QPointF at(offset.x() + p.x, offset.y() + p.line.y() + base(p.line) - base(only));
        part.draw(&painter, at, PartSelections(selections, p.from, p.to - p.from, p.to == textEnd),
                  clip);
        ++partlyPaintedLines_;
    }
}

} // namespace umlo
