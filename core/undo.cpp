#include "core/undo.h"

#include "core/codepage.h"

namespace umlo {

namespace {
constexpr const char* kUndoItem = "Undo1";
} // namespace

std::string UndoStack::UndoCaption() const {
    std::string caption = Cp("Откат");
    if (records_.empty()) {
        return caption;
    }
    const UndoRecord& r = records_.back();
    caption += " \"";
    caption += r.oldWord;
    caption += " -> ";
    caption += r.newWord;
    caption += '"';
    return caption;
}

void UndoStack::UpdateCommand(PassHost& host) const {
    host.EnableCommand(kUndoItem, UndoAvailable());
    host.SetCommandCaption(kUndoItem, Cp1251ToUtf8(UndoCaption()));
}

void UndoStack::PushUndo(PassHost& host, UndoRecord record) {
    records_.push_back(std::move(record));
    UpdateCommand(host);
}

bool UndoStack::UndoStep(TextBuffer& buffer, PassHost& host) {
    if (records_.empty()) {
        return false;
    }
    const UndoRecord& r = records_.back();
    if (r.letterOffset < 0 || r.letterOffset >= buffer.TextLength()) {
        // The text no longer reaches the letter: nothing can be put back.
        records_.pop_back();
        UpdateCommand(host);
        return false;
    }
    buffer.SetCaret(r.letterOffset);
    buffer.SetSelLength(1);
    buffer.SetSelectionTextColor(r.oldColor);
    buffer.SetSelectionBackColor(kWhite);
    const char16_t letter = Cp1251ToUtf16Char(static_cast<unsigned char>(r.oldByte));
    if (!buffer.ReplaceSelection(std::u16string_view(&letter, 1))) {
        // A read-only editor keeps the letter, so the record must stay too.
        buffer.SetSelLength(0);
        return false;
    }
    buffer.SetCaret(r.wordStart);
    records_.pop_back();
    UpdateCommand(host);
    return true;
}

void UndoStack::ClearUndo(PassHost& host) {
    records_.clear();
    host.SetCommandCaption(kUndoItem, Cp1251ToUtf8(UndoCaption()));
    host.EnableCommand(kUndoItem, false);
}

} // namespace umlo
