// The text buffer held in memory: UTF-16 text, its formats as runs (a plain
// text costs no more than its characters) and an index of line starts. It backs the command-line
// tool and the tests, and any view that draws from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/format_runs.h"
#include "documents/text_buffer.h"

namespace umlo {

class MemoryTextBuffer : public TextBuffer {
public:
    MemoryTextBuffer();

    int TextLength() const override;
    std::u16string GetAllText() const override;
    void SetAllText(std::u16string_view text) override;
    std::u16string TextRange(int from, int to) const override;

    int LineCount() const override;
    int LineStart(int line) const override;
    std::u16string LineText(int line) const override;
    int LineOfOffset(int offset) const override;

    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void SetCaret(int offset) override;
    void SetSelLength(int length) override;
    void ScrollToCaret() override { ++scrollCount_; }
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

    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool on) override { readOnly_ = on; }
    bool LettersOnly() const override { return lettersOnly_; }
    void SetLettersOnly(bool on) override { lettersOnly_ = on; }
    void BeginUpdate() override;
    void EndUpdate() override;
    void SetBusyCursor(bool on) override { busyCursor_ = on; }

    // The whole text without a copy, valid until the next change.
    std::u16string_view Text() const { return text_; }
    const std::vector<FormatRun>& Formats() const { return formats_.Runs(); }

    // Observable state for views and tests.
    const std::u16string& Clipboard() const { return clipboard_; }
    void SetClipboard(std::u16string text) { clipboard_ = std::move(text); }
    int UpdateLockCount() const { return updateLock_; }
    int RepaintCount() const { return repaintCount_; }
    int BeepCount() const { return beepCount_; }
    int ScrollCount() const { return scrollCount_; }
    int ChangeCount() const { return changeCount_; }
    bool BusyCursor() const { return busyCursor_; }
    // The text limit; lowered by tests to reach it.
    void SetTextLimit(int limit) { textLimit_ = limit; }

private:
    int Clamp(int offset) const;
    void RebuildLines();
    template <typename Apply> void ApplyToSelection(Apply apply);
    CharFormat TypingFormat() const;
    void SpliceLineStarts(int from, int removed, std::u16string_view inserted);
    void Changed();
    void Repaint();

    std::u16string text_;
    FormatRuns formats_;
    std::vector<int> lineStarts_; // starts of lines; lineStarts_[0] == 0
    // Set by a format change with an empty selection: what the next character
    // typed at the caret gets; forgotten when the caret moves.
    std::optional<CharFormat> caretFormat_;
    std::u16string clipboard_;
    int selStart_ = 0;
    int selLength_ = 0;
    bool lettersOnly_ = false;
    bool readOnly_ = false;
    bool busyCursor_ = false;
    int updateLock_ = 0;
    int repaintCount_ = 0;
    int beepCount_ = 0;
    int scrollCount_ = 0;
    int changeCount_ = 0;
    int textLimit_ = kTextLimit;
};

} // namespace umlo
