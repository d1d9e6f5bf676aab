// Undo of the replacements the user chose on the confirmation panel: one
// changed letter per record, newest first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/pass_host.h"
#include "documents/text_buffer.h"

namespace umlo {

struct UndoRecord {
    std::int32_t wordStart = 0;    // where the changed word begins
    std::int32_t letterOffset = 0; // the changed letter
    Color oldColor = kBlack;       // text colour at the selection before the change
    char oldByte = 0;              // cp1251 letter before the change
    std::string oldWord;           // cp1251
    std::string newWord;           // cp1251
};

class UndoStack {
public:
    // Appends the record and updates the command "Откат" (Undo1).
    void PushUndo(PassHost& host, UndoRecord record);
    // Reverts the newest record and leaves the caret at its word's start.
    // Returns false when nothing was reverted: an empty stack, or an editor that
    // refused the change (read-only), in which case the record stays.
    bool UndoStep(TextBuffer& buffer, PassHost& host);
    void ClearUndo(PassHost& host);

    // "Откат", or Откат "old -> new" for the newest record (cp1251).
    std::string UndoCaption() const;
    bool UndoAvailable() const { return !records_.empty(); }
    const std::vector<UndoRecord>& Records() const { return records_; }

private:
    void UpdateCommand(PassHost& host) const;

    std::vector<UndoRecord> records_;
};

} // namespace umlo
