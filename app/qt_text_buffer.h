// The text buffer over a QPlainTextEdit: paragraphs are the lines, document
// positions are the offsets (a block separator counts as one character, as a
// line break does), and per-character formats are the widget's char formats.
// QPlainTextEdit rather than QTextEdit: its layout redoes only the changed
// paragraph, where QTextEdit's relays the document after every letter the
// pass changes.
#pragma once

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>

#include <optional>
#include <vector>

#include "documents/text_buffer.h"

class QPlainTextEdit;
class QTextDocument;

namespace umlo {

class HeldView;
class LetterSwapLayout;

class QtTextBuffer : public TextBuffer {
public:
    // The widget is not owned and must outlive the buffer.
    explicit QtTextBuffer(QPlainTextEdit& edit);

    int TextLength() const override;
    std::u16string GetAllText() const override;
    void SetAllText(std::u16string_view text) override;
    std::u16string TextRange(int from, int to) const override;

    int LineCount() const override;
    int LineStart(int line) const override;
    std::u16string LineText(int line) const override;
    int LineOfOffset(int offset) const override;

    int SelStart() const override;
    int SelLength() const override;
    void SetCaret(int offset) override;
    void SetSelLength(int length) override;
    void ScrollToCaret() override;
    std::u16string SelectedText() const override;
    bool ReplaceSelection(std::u16string_view text) override;
    bool ReplaceLetter(int offset, char16_t letter, const LetterColors& colors) override;

    Color SelectionTextColor() const override;
    void SetSelectionTextColor(Color color) override;
    void SetSelectionBackColor(Color color) override;
    void SetSelectionBold(bool on) override;
    int SelectionFontSize() const override;
    void SetSelectionFontSize(int points) override;
    CharFormat FormatAt(int offset) const override;

    void ClearText() override;
    void CutSelection() override;
    void CopySelection() override;
    void PasteClipboard() override;

    bool ReadOnly() const override;
    void SetReadOnly(bool on) override;
    bool LettersOnly() const override { return lettersOnly_; }
    void SetLettersOnly(bool on) override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetBusyCursor(bool on) override;

    QPlainTextEdit& Widget() { return edit_; }
    int UpdateLockCount() const { return updateLock_; }

private:
    QTextDocument& Doc() const;
    int Clamp(int offset) const;
    // The widget's own format of one character; an empty format past the end.
    QTextCharFormat QtFormatAt(int offset) const;
    void MergeIntoSelection(const QTextCharFormat& format);
    const QTextCharFormat& MarksFormat(const LetterColors& colors);
    // Whether a letter is exactly as wide as the one it replaces, in the last
    // swap's formats and the document's font, for the few pairs a pass swaps.
    bool SameWidth(QChar from, char16_t to);
    void KeepLongParagraphsShaped(int from, int to);
    // The selection: the widget's own, or the held one while the lock is taken.
    QTextCursor Cursor() const;
    void SetCursor(const QTextCursor& cursor);
    // The widget takes no typing while read-only or letters-only; letters-only
    // it still shows the caret and lets the keyboard move it.
    void ApplyEditable();

    QPlainTextEdit& edit_;
    LetterSwapLayout* layout_; // the editor's document owns it
    HeldView* heldView_;       // the editor owns it
    bool readOnly_ = false;
    bool lettersOnly_ = false;
    LetterColors marksColors_;
    QTextCharFormat marks_;
    QTextCursor swapCursor_;
    // The last letter format a swap merged its marks into, and the result.
    QTextCharFormat swapFrom_;
    QTextCharFormat swapMarks_;
    QTextCharFormat swapTo_;
    // SameWidth's answers, for the font they were found with.
    QFont swapFont_;
    struct SwapWidth {
        char16_t from;
        char16_t to;
        bool same;
    };
    std::vector<SwapWidth> swapWidths_;
    int updateLock_ = 0;
    // While the update lock is held the document's changes form one edit
    // block, laid out once when the lock goes, and the selection lives here:
    // every caret move of the widget lays out the caret's paragraph to
    // scroll it into view, which over a long paragraph costs more than the
    // change itself.
    std::optional<QTextCursor> held_;
    QTextCursor editBlock_;
};

} // namespace umlo
