#include "app/qt_text_buffer.h"

#include "app/held_view.h"
#include "app/letter_swap_layout.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

// Letter swaps go straight to the document's text runs (ReplaceLetter).
#include <private/qtextdocument_p.h>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "app/qt_convert.h"

namespace umlo {
namespace {

// Qt separates paragraphs with U+2029; the buffer's line break is CR.
std::u16string FromDocumentText(const QString& text) {
    std::u16string out = ToU16(text);
    std::replace(out.begin(), out.end(), char16_t(0x2029), kLineBreak);
    return out;
}

// QTextCursor turns "\n" into a paragraph break.
QString ToInsertableText(std::u16string_view text) {
    std::u16string normalized = NormalizeLineBreaks(text);
    std::replace(normalized.begin(), normalized.end(), kLineBreak, u'\n');
    return ToQString(normalized);
}

CharFormat FromQtFormat(const QTextCharFormat& f) {
    CharFormat out;
    if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        out.text = FromQColor(f.foreground().color());
    }
    if (f.hasProperty(QTextFormat::BackgroundBrush)) {
        out.back = FromQColor(f.background().color());
    }
    out.bold = f.fontWeight() >= QFont::Bold;
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        out.fontSize = static_cast<int>(std::lround(f.fontPointSize()));
    }
    return out;
}

} // namespace

QtTextBuffer::QtTextBuffer(QPlainTextEdit& edit)
    : edit_(edit), layout_(UseLetterSwapLayout(edit)), heldView_(new HeldView(edit)) {}

QTextDocument& QtTextBuffer::Doc() const {
    return *edit_.document();
}

int QtTextBuffer::TextLength() const {
    // characterCount() counts the final paragraph's separator, which is no text.
    return Doc().characterCount() - 1;
}

int QtTextBuffer::Clamp(int offset) const {
    return std::clamp(offset, 0, TextLength());
}

std::u16string QtTextBuffer::GetAllText() const {
    return FromDocumentText(Doc().toRawText());
}

// Qt lays out and paints a paragraph whole, shaping its text each time; for
// a long one that costs more than the pass's work on it, unless the shaped
// glyphs are kept between layouts.
void QtTextBuffer::KeepLongParagraphsShaped(int from, int to) {
    constexpr int kLongParagraph = 4000;
    for (QTextBlock block = Doc().findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.length() >= kLongParagraph) {
            block.layout()->setCacheEnabled(true);
        }
    }
}

void QtTextBuffer::SetAllText(std::u16string_view text) {
    layout_->NoteOtherEdit();
    BeginUpdate();
    Doc().setPlainText(ToInsertableText(text));
    KeepLongParagraphsShaped(0, TextLength());
    // A fresh cursor forgets a typing format left from the old text.
    SetCursor(QTextCursor(&Doc()));
    EndUpdate();
}

std::u16string QtTextBuffer::TextRange(int from, int to) const {
    const int length = TextLength();
    if (from < 0 || from > length) {
        from = length;
    }
    if (to < 0 || to > length) {
        to = length;
    }
    if (from == to) {
        return {};
    }
    QTextCursor c(&Doc());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    return FromDocumentText(c.selectedText());
}

int QtTextBuffer::LineCount() const {
    return Doc().blockCount();
}

int QtTextBuffer::LineStart(int line) const {
    if (line < 0) {
        return -1;
    }
    const QTextBlock block = Doc().findBlockByNumber(line);
    return block.isValid() ? block.position() : -1;
}

std::u16string QtTextBuffer::LineText(int line) const {
    if (line < 0) {
        return {};
    }
    const QTextBlock block = Doc().findBlockByNumber(line);
    return block.isValid() ? ToU16(block.text()) : std::u16string();
}

int QtTextBuffer::LineOfOffset(int offset) const {
    return Doc().findBlock(Clamp(offset)).blockNumber();
}

QTextCursor QtTextBuffer::Cursor() const {
    return held_ ? *held_ : edit_.textCursor();
}

void QtTextBuffer::SetCursor(const QTextCursor& cursor) {
    if (held_) {
        *held_ = cursor;
    } else {
        edit_.setTextCursor(cursor);
    }
}

int QtTextBuffer::SelStart() const {
    return Cursor().selectionStart();
}

int QtTextBuffer::SelLength() const {
    const QTextCursor c = Cursor();
    return c.selectionEnd() - c.selectionStart();
}

void QtTextBuffer::SetCaret(int offset) {
    if (held_) {
        // Moved in place: a copy would register a new cursor with the
        // document for every word a slow-scrolling pass shows.
        held_->setPosition(Clamp(offset));
        return;
    }
    QTextCursor c = Cursor();
    c.setPosition(Clamp(offset));
    SetCursor(c);
}

void QtTextBuffer::SetSelLength(int length) {
    const int start = SelStart();
    QTextCursor c = Cursor();
    c.setPosition(start);
    const long long end = static_cast<long long>(start) + std::max(length, 0);
    c.setPosition(static_cast<int>(std::min<long long>(end, TextLength())),
                  QTextCursor::KeepAnchor);
    SetCursor(c);
}

void QtTextBuffer::ScrollToCaret() {
    // A held caret is scrolled into view when the lock goes.
    if (!held_) {
        edit_.ensureCursorVisible();
    }
}

std::u16string QtTextBuffer::SelectedText() const {
    return FromDocumentText(Cursor().selectedText());
}

QTextCharFormat QtTextBuffer::QtFormatAt(int offset) const {
    if (offset < 0 || offset >= TextLength()) {
        return {};
    }
    const QTextBlock block = Doc().findBlock(offset);
    if (offset == block.position() + block.length() - 1) {
        // A block's char format is that of the separator in front of it.
        return block.next().charFormat();
    }
    // A cursor after the character reads its fragment from the document's
    // tree, without walking the paragraph.
    QTextCursor after(&Doc());
    after.setPosition(offset + 1);
    return after.charFormat();
}

bool QtTextBuffer::ReplaceSelection(std::u16string_view text) {
    layout_->NoteOtherEdit();
    const std::u16string normalized = NormalizeLineBreaks(text);
    const long long after = static_cast<long long>(TextLength()) - SelLength() +
                            static_cast<long long>(normalized.size());
    QTextCursor c = Cursor();
    const bool exchange =
        c.selectionEnd() - c.selectionStart() == 1 && normalized.size() == 1 &&
        IsLetterExchange(TextRange(c.selectionStart(), c.selectionEnd())[0], normalized[0]);
    if (readOnly_ || after > kTextLimit || (lettersOnly_ && !exchange)) {
        QApplication::beep();
        return false;
    }
    const int start = c.selectionStart();
    // The new text takes the format of the replaced text, or of the
    // character before the caret.
    const QTextCharFormat format = QtFormatAt(c.hasSelection() ? start : start - 1);
    c.insertText(ToInsertableText(normalized), format);
    KeepLongParagraphsShaped(start, c.position());
    SetCursor(c);
    return true;
}

bool QtTextBuffer::ReplaceLetter(int offset, char16_t letter, const LetterColors& colors) {
    if (offset < 0 || offset >= TextLength()) {
        return false;
    }
    // One cursor serves every swap: a new one registers with the document.
    if (swapCursor_.isNull() || swapCursor_.document() != &Doc()) {
        swapCursor_ = QTextCursor(&Doc());
    }
    QTextCursor& c = swapCursor_;
    const QTextCharFormat& marks = MarksFormat(colors);
    // The document's text run holding the letter gives both the letter and
    // its format. A pass swaps thousands of letters, so the swap itself also
    // goes to the runs, as QTextCursor::insertText would, without its cursor
    // work.
    QTextDocumentPrivate* doc = QTextDocumentPrivate::get(&Doc());
    const QTextDocumentPrivate::FragmentIterator run = doc->find(offset);
    const QChar old = doc->buffer().at(run->stringPosition + (offset - run.position()));
    const bool lineBreak = letter == kLineBreak || old == QChar(QChar::ParagraphSeparator);
    const bool refused = readOnly_ || (lettersOnly_ && !IsLetterExchange(old.unicode(), letter));
    if (lineBreak || refused) {
        c.setPosition(offset);
        c.setPosition(offset + 1, QTextCursor::KeepAnchor);
        if (!marks.properties().isEmpty()) {
            c.mergeCharFormat(marks);
        }
    }
    if (lineBreak) {
        // Not a letter: the general path joins or splits the lines.
        SetCursor(c);
        const bool replaced = ReplaceSelection(std::u16string_view(&letter, 1));
        SetSelLength(0);
        return replaced;
    }
    if (refused) {
        QApplication::beep();
        c.setPosition(offset);
        SetCursor(c);
        return false;
    }
    // One change of the document: the letter with its new colours, the
    // letter's own format with the marks merged in; most letters share one.
    QTextFormatCollection& formats = *doc->formatCollection();
    const QTextCharFormat own = formats.charFormat(run->format);
    if (own != swapFrom_ || marks != swapMarks_) {
        swapFrom_ = own;
        swapMarks_ = marks;
        swapTo_ = own;
        swapTo_.merge(marks);
        swapTo_.clearProperty(QTextFormat::ObjectIndex);
        swapWidths_.clear();
    }
    // Looked up each time: a document cleared numbers its formats anew.
    const int to = formats.indexForFormat(swapTo_);
    layout_->ExpectLetterSwapAt(offset, SameWidth(old, letter));
    doc->beginEditBlock();
    doc->remove(offset, 1);
    doc->insert(offset, QString(QChar(letter)), to);
    doc->endEditBlock();
    if (held_) {
        held_->setPosition(offset + 1);
    } else {
        c.setPosition(offset + 1);
        SetCursor(c);
    }
    return true;
}

bool QtTextBuffer::SameWidth(QChar from, char16_t to) {
    const QFont font = Doc().defaultFont();
    if (font != swapFont_) {
        swapFont_ = font;
        swapWidths_.clear();
    }
    for (const SwapWidth& known : swapWidths_) {
        if (known.from == from.unicode() && known.to == to) {
            return known.same;
        }
    }
    const QFontMetricsF before(swapFrom_.font().resolve(font));
    const QFontMetricsF after(swapTo_.font().resolve(font));
    const bool same = before.horizontalAdvance(from) == after.horizontalAdvance(QChar(to));
    swapWidths_.push_back({from.unicode(), to, same});
    return same;
}

// A pass marks thousands of letters with the same two colours.
const QTextCharFormat& QtTextBuffer::MarksFormat(const LetterColors& colors) {
    if (marksColors_.text != colors.text || marksColors_.back != colors.back) {
        marksColors_ = colors;
        marks_ = QTextCharFormat();
        if (colors.text) {
            marks_.setForeground(ToQColor(*colors.text));
        }
        if (colors.back) {
            marks_.setBackground(ToQColor(*colors.back));
        }
    }
    return marks_;
}

CharFormat QtTextBuffer::FormatAt(int offset) const {
    return FromQtFormat(QtFormatAt(offset));
}

Color QtTextBuffer::SelectionTextColor() const {
    const QTextCursor c = Cursor();
    if (c.hasSelection()) {
        return FormatAt(c.selectionStart()).text;
    }
    // What a character typed at the caret would get.
    return FromQtFormat(c.charFormat()).text;
}

void QtTextBuffer::MergeIntoSelection(const QTextCharFormat& format) {
    // Bold and sizes move the lines of a paragraph.
    layout_->NoteOtherEdit();
    // With a selection the characters change; without one, the typing format.
    if (held_) {
        held_->mergeCharFormat(format);
    } else {
        edit_.mergeCurrentCharFormat(format);
    }
}

void QtTextBuffer::SetSelectionTextColor(Color color) {
    QTextCharFormat f;
    f.setForeground(ToQColor(color));
    MergeIntoSelection(f);
}

void QtTextBuffer::SetSelectionBackColor(Color color) {
    QTextCharFormat f;
    f.setBackground(ToQColor(color));
    MergeIntoSelection(f);
}

void QtTextBuffer::SetSelectionBold(bool on) {
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeIntoSelection(f);
}

int QtTextBuffer::SelectionFontSize() const {
    const QTextCursor c = Cursor();
    const QTextCharFormat f = c.hasSelection() ? QtFormatAt(c.selectionStart()) : c.charFormat();
    if (f.hasProperty(QTextFormat::FontPointSize)) {
        return static_cast<int>(std::lround(f.fontPointSize()));
    }
    const QFont font = Doc().defaultFont();
    return font.pointSize() > 0 ? font.pointSize() : edit_.font().pointSize();
}

void QtTextBuffer::SetSelectionFontSize(int points) {
    if (points <= 0) {
        return;
    }
    QTextCharFormat f;
    f.setFontPointSize(points);
    MergeIntoSelection(f);
}

void QtTextBuffer::ClearText() {
    SetAllText(u"");
    Doc().clearUndoRedoStacks();
    Doc().setModified(false);
}

void QtTextBuffer::CutSelection() {
    if (edit_.isReadOnly() || SelLength() == 0) {
        return;
    }
    CopySelection();
    ReplaceSelection(u"");
}

void QtTextBuffer::CopySelection() {
    if (SelLength() == 0) {
        return;
    }
    std::u16string text = SelectedText();
    // Other programs expect line feeds on the clipboard.
    std::replace(text.begin(), text.end(), kLineBreak, u'\n');
    QApplication::clipboard()->setText(ToQString(text));
}

void QtTextBuffer::PasteClipboard() {
    layout_->NoteOtherEdit();
    if (edit_.isReadOnly()) {
        return;
    }
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty()) {
        ReplaceSelection(ToU16(text));
    }
}

bool QtTextBuffer::ReadOnly() const {
    return readOnly_;
}

void QtTextBuffer::SetReadOnly(bool on) {
    readOnly_ = on;
    ApplyEditable();
}

void QtTextBuffer::SetLettersOnly(bool on) {
    lettersOnly_ = on;
    ApplyEditable();
}

void QtTextBuffer::ApplyEditable() {
    edit_.setReadOnly(readOnly_ || lettersOnly_);
    if (lettersOnly_ && !readOnly_) {
        edit_.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
}

void QtTextBuffer::BeginUpdate() {
    if (updateLock_++ == 0) {
        heldView_->Hold(true);
        edit_.setUpdatesEnabled(false);
        held_ = edit_.textCursor();
        editBlock_ = QTextCursor(&Doc());
        editBlock_.beginEditBlock();
    }
}

void QtTextBuffer::EndUpdate() {
    assert(updateLock_ > 0 && "EndUpdate without BeginUpdate");
    if (updateLock_ <= 0) {
        return;
    }
    if (--updateLock_ == 0) {
        editBlock_.endEditBlock();
        editBlock_ = QTextCursor();
        const QTextCursor held = *held_;
        held_.reset();
        edit_.setTextCursor(held);
        heldView_->Hold(false);
        edit_.setUpdatesEnabled(true);
        edit_.viewport()->update();
    }
}

void QtTextBuffer::SetBusyCursor(bool on) {
    if (on) {
        edit_.viewport()->setCursor(Qt::WaitCursor);
    } else {
        edit_.viewport()->setCursor(Qt::IBeamCursor);
    }
}

} // namespace umlo
