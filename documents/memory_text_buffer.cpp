#include "documents/memory_text_buffer.h"

#include <algorithm>
#include <cassert>

namespace umlo {
namespace {

int Size(const std::u16string& s) {
    return static_cast<int>(s.size());
}

} // namespace

MemoryTextBuffer::MemoryTextBuffer() {
    lineStarts_.push_back(0);
}

int MemoryTextBuffer::TextLength() const {
    return Size(text_);
}

std::u16string MemoryTextBuffer::GetAllText() const {
    return text_;
}

int MemoryTextBuffer::Clamp(int offset) const {
    return std::clamp(offset, 0, TextLength());
}

void MemoryTextBuffer::SetAllText(std::u16string_view text) {
    text_ = NormalizeLineBreaks(text);
    if (textLimit_ >= 0 && Size(text_) > textLimit_) {
        text_.resize(static_cast<size_t>(textLimit_));
    }
    formats_.Reset(Size(text_));
    RebuildLines();
    selStart_ = 0;
    selLength_ = 0;
    caretFormat_.reset();
    Changed();
}

std::u16string MemoryTextBuffer::TextRange(int from, int to) const {
    from = from < 0 ? TextLength() : Clamp(from);
    to = to < 0 ? TextLength() : Clamp(to);
    if (from > to) {
        std::swap(from, to);
    }
    return text_.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

void MemoryTextBuffer::RebuildLines() {
    lineStarts_.assign(1, 0);
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == kLineBreak) {
            lineStarts_.push_back(static_cast<int>(i + 1));
        }
    }
}

// The line index after `removed` characters at `from` were replaced by
// `inserted`: starts inside the removed run go, later ones shift, and every
// line break of the new text adds one. Nothing moves for a same-length
// replacement without line breaks, which is what the pass does.
void MemoryTextBuffer::SpliceLineStarts(int from, int removed, std::u16string_view inserted) {
    const int delta = static_cast<int>(inserted.size()) - removed;
    auto first = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), from);
    auto last = std::upper_bound(first, lineStarts_.end(), from + removed);
    if (delta != 0) {
        for (auto it = last; it != lineStarts_.end(); ++it) {
            *it += delta;
        }
    }
    std::vector<int> added;
    for (size_t i = 0; i < inserted.size(); ++i) {
        if (inserted[i] == kLineBreak) {
            added.push_back(from + static_cast<int>(i) + 1);
        }
    }
    if (first == last && added.empty()) {
        return;
    }
    first = lineStarts_.erase(first, last);
    lineStarts_.insert(first, added.begin(), added.end());
}

int MemoryTextBuffer::LineCount() const {
    return static_cast<int>(lineStarts_.size());
}

int MemoryTextBuffer::LineStart(int line) const {
    if (line < 0 || line >= LineCount()) {
        return -1;
    }
    return lineStarts_[static_cast<size_t>(line)];
}

std::u16string MemoryTextBuffer::LineText(int line) const {
    const int start = LineStart(line);
    if (start < 0) {
        return {};
    }
    // The next line starts after this line's break; the last line runs to the end.
    const int end = line + 1 < LineCount() ? LineStart(line + 1) - 1 : TextLength();
    return text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

int MemoryTextBuffer::LineOfOffset(int offset) const {
    offset = Clamp(offset);
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    return static_cast<int>(it - lineStarts_.begin()) - 1;
}

void MemoryTextBuffer::SetCaret(int offset) {
    selStart_ = Clamp(offset);
    selLength_ = 0;
    caretFormat_.reset();
}

void MemoryTextBuffer::SetSelLength(int length) {
    selLength_ = std::clamp(length, 0, TextLength() - selStart_);
    caretFormat_.reset();
}

std::u16string MemoryTextBuffer::SelectedText() const {
    return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

CharFormat MemoryTextBuffer::TypingFormat() const {
    if (caretFormat_) {
        return *caretFormat_;
    }
    if (selStart_ > 0) {
        return formats_.At(selStart_ - 1);
    }
    return text_.empty() ? CharFormat{} : formats_.At(0);
}

bool MemoryTextBuffer::ReplaceSelection(std::u16string_view text) {
    const std::u16string inserted = NormalizeLineBreaks(text);
    const long long newLength =
        static_cast<long long>(TextLength()) - selLength_ + static_cast<long long>(inserted.size());
    const bool exchange = selLength_ == 1 && inserted.size() == 1 &&
                          IsLetterExchange(text_[static_cast<size_t>(selStart_)], inserted[0]);
    if (readOnly_ || newLength > textLimit_ || (lettersOnly_ && !exchange)) {
        ++beepCount_;
        return false;
    }
    const CharFormat format = selLength_ > 0 ? formats_.At(selStart_) : TypingFormat();
    const auto at = static_cast<size_t>(selStart_);
    text_.replace(at, static_cast<size_t>(selLength_), inserted);
    // The common part takes the format in place; only the difference in
    // length is erased or inserted.
    const int common = std::min(selLength_, Size(inserted));
    formats_.Modify(selStart_, selStart_ + common, [&format](CharFormat& f) { f = format; });
    formats_.Splice(selStart_ + common, selLength_ - common, Size(inserted) - common, format);
    SpliceLineStarts(selStart_, selLength_, inserted);
    selStart_ += Size(inserted);
    selLength_ = 0;
    caretFormat_.reset();
    Changed();
    return true;
}

bool MemoryTextBuffer::ReplaceLetter(int offset, char16_t letter, const LetterColors& colors) {
    if (offset < 0 || offset >= TextLength()) {
        return false;
    }
    formats_.Modify(offset, offset + 1, [&colors](CharFormat& f) {
        f.text = colors.text.value_or(f.text);
        f.back = colors.back.value_or(f.back);
    });
    caretFormat_.reset();
    selLength_ = 0;
    selStart_ = offset;
    char16_t& at = text_[static_cast<size_t>(offset)];
    if (at == kLineBreak || letter == kLineBreak) {
        // Not a letter: lines join or split, which the general path handles.
        selLength_ = 1;
        const bool replaced = ReplaceSelection(std::u16string_view(&letter, 1));
        selLength_ = 0;
        return replaced;
    }
    if (readOnly_ || (lettersOnly_ && !IsLetterExchange(at, letter))) {
        ++beepCount_;
        return false;
    }
    at = letter;
    selStart_ = offset + 1;
    Changed();
    return true;
}

template <typename Apply> void MemoryTextBuffer::ApplyToSelection(Apply apply) {
    if (selLength_ == 0) {
        CharFormat f = TypingFormat();
        apply(f);
        caretFormat_ = f;
        return;
    }
    formats_.Modify(selStart_, selStart_ + selLength_, apply);
    if (updateLock_ == 0) {
        ++repaintCount_;
    }
}

Color MemoryTextBuffer::SelectionTextColor() const {
    return selLength_ > 0 ? formats_.At(selStart_).text : TypingFormat().text;
}

void MemoryTextBuffer::SetSelectionTextColor(Color color) {
    ApplyToSelection([color](CharFormat& f) { f.text = color; });
}

void MemoryTextBuffer::SetSelectionBackColor(Color color) {
    ApplyToSelection([color](CharFormat& f) { f.back = color; });
}

void MemoryTextBuffer::SetSelectionBold(bool on) {
    ApplyToSelection([on](CharFormat& f) { f.bold = on; });
}

int MemoryTextBuffer::SelectionFontSize() const {
    return selLength_ > 0 ? formats_.At(selStart_).fontSize : TypingFormat().fontSize;
}

void MemoryTextBuffer::SetSelectionFontSize(int points) {
    ApplyToSelection([points](CharFormat& f) { f.fontSize = points; });
}

CharFormat MemoryTextBuffer::FormatAt(int offset) const {
    if (offset < 0 || offset >= TextLength()) {
        return {};
    }
    return formats_.At(offset);
}

void MemoryTextBuffer::ClearText() {
    SetAllText(u"");
}

void MemoryTextBuffer::CutSelection() {
    if (selLength_ == 0) {
        return;
    }
    if (readOnly_ || lettersOnly_) {
        ++beepCount_;
        return;
    }
    clipboard_ = SelectedText();
    ReplaceSelection(u"");
}

void MemoryTextBuffer::CopySelection() {
    if (selLength_ > 0) {
        clipboard_ = SelectedText();
    }
}

void MemoryTextBuffer::PasteClipboard() {
    if (clipboard_.empty()) {
        return;
    }
    ReplaceSelection(clipboard_);
}

void MemoryTextBuffer::BeginUpdate() {
    ++updateLock_;
}

void MemoryTextBuffer::EndUpdate() {
    assert(updateLock_ > 0 && "EndUpdate without BeginUpdate");
    if (updateLock_ <= 0) {
        return;
    }
    if (--updateLock_ == 0) {
        Repaint();
    }
}

void MemoryTextBuffer::Changed() {
    ++changeCount_;
    if (updateLock_ == 0) {
        Repaint();
    }
}

void MemoryTextBuffer::Repaint() {
    ++repaintCount_;
}

} // namespace umlo
