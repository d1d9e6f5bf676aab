// The word window's side of the editor: adding its words to the dictionary at
// their sorted places, finding their places, the sweep, word forms and the
// words that arrive from the main window.
#include "dicedit/dic_editor.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/words.h"
#include "dicedit/dic_operations.h"
#include "dicedit/editor_wait.h"
#include "dicedit/insert_place.h"
#include "dicedit/pane_lines.h"

namespace umlo {

void DicEditor::AppendWord(std::string_view word) {
    // Line by line rather than by replacing the whole text: a collection
    // appends every word it meets, and the colours of the forms stay.
    const int selStart = words_.SelStart();
    const int selLength = words_.SelLength();
    const int index = PaneLineCount(words_);
    InsertPaneLine(words_, index, word);
    ColorPaneLine(words_, index, kBlack);
    words_.SetCaret(selStart);
    words_.SetSelLength(selLength);
}

void DicEditor::AddToDic1Click() {
    PlaceWords(true);
}

void DicEditor::FindInDic1Click() {
    PlaceWords(false);
}

void DicEditor::PlaceWords(bool adding) {
    if (words_.TextLength() == 0) {
        return;
    }
    std::optional<WaitMessage> wait;
    if (!adding) {
        wait.emplace(host_, busy_);
    }
    const int first = CaretLine(words_);
    const int last = adding ? SelectionEndLine(words_) : first;
    int index = first;
    for (int n = first; n <= last; ++n) {
        const std::string w = PaneLine(words_, index);
        if (w.empty()) {
            ++index;
            continue;
        }
        std::string rejection;
        if (adding) {
            const LineCheckResult check = CheckDicLine(w, regExprMode_);
            if (check.error) {
                rejection = check.message;
            }
        }
        const bool placed = PlaceWord(w, adding && rejection.empty());
        if (placed) {
            // The next word moves up into this line.
            DeletePaneLine(words_, index);
            ShowWordCount();
        } else {
            ++index;
        }
        // Shown after the word's place: the caret move there rewrites the
        // status field with the caret position.
        if (!rejection.empty()) {
            host_.SetStatusText(0, rejection);
        }
    }
}

bool DicEditor::PlaceWord(const std::string& w, bool add) {
    dictionary_.SetSelLength(0);
    const int count = PaneLineCount(dictionary_);
    const LineAt lineAt = [this](int i) { return Utf16ToCp1251(dictionary_.LineText(i)); };
    int p = InsertPlace(count, lineAt, 0, count - 1, DicLineCompare, w);
    if (p >= count || DicLineCompareNoCase(lineAt(p), w) != 0) {
        p = InsertPlace(count, lineAt, 0, count - 1, DicLineCompareNoCase, w);
    }
    GotoPaneLine(dictionary_, p);
    const std::string line = p < count ? lineAt(p) : std::string();
    if (p >= count || DicLineCompareNoCase(line, w) != 0) {
        if (add) {
            InsertWordLine(p, w);
        }
        return add;
    }
    SelectPaneLine(dictionary_, p, static_cast<int>(w.size()));
    if (!add || line == w) {
        return false;
    }
    const std::string question =
        "Изменить \"" + Cp1251ToUtf8(line) + "\" на \"" + Cp1251ToUtf8(w) + "\" ?";
    const int order = DicLineCompare(line, w);
    if (order != 0) {
        // Only the letter case differs: the word may also stand beside the line.
        switch (host_.ShowMessage(MessageKind::Warning, question, MessageButtons::YesNoCancel,
                                  MessageResult::Yes)) {
        case MessageResult::Yes:
            break;
        case MessageResult::No: {
            InsertWordLine(order < 0 ? p + 1 : p, w);
            return true;
        }
        default:
            return false;
        }
    } else if (host_.ShowMessage(MessageKind::Warning, question, MessageButtons::OkCancel,
                                 MessageResult::Ok) != MessageResult::Ok) {
        return false;
    }
    ReplacePaneLine(dictionary_, p, w);
    if (log_.Enabled()) {
        std::string error;
        LogResult(log_.Replaced(line, w, error), error);
    }
    AddedLine(p, false);
    return true;
}

void DicEditor::InsertWordLine(int index, const std::string& w) {
    InsertPaneLine(dictionary_, index, w);
    if (log_.Enabled()) {
        std::string error;
        LogResult(log_.Inserted(w, error), error);
    }
    AddedLine(index, true);
}

void DicEditor::AddedLine(int index, bool inserted) {
    ColorPaneLine(dictionary_, index, kRed);
    dictionary_.SetCaret(dictionary_.LineStart(index));
    dictionary_.SetSelectionTextColor(kBlack);
    if (inserted) {
        ++wordCount_;
    }
    SetModified(true);
}

void DicEditor::LogResult(bool written, const std::string& error) {
    if (!written) {
        // One message per fault: the log goes off until the user turns it on.
        log_.SetEnabled(false);
        host_.ShowError(error);
    }
}

void DicEditor::DelFromDic1Click() {
    TextBuffer* pane = FocusedBuffer();
    if (pane == nullptr) {
        return;
    }
    const int index = CaretLine(*pane);
    const std::string line = PaneLine(*pane, index);
    if (line.empty()) {
        return;
    }
    DeletePaneLine(*pane, index);
    if (pane == &dictionary_) {
        if (log_.Enabled()) {
            std::string error;
            LogResult(log_.Deleted(line, error), error);
        }
        SetModified(true);
    }
}

void DicEditor::SweepWordEditor1Click() {
    int removed = 0;
    {
        Hourglass hourglass(host_, busy_);
        const std::vector<std::string> dic = PaneLines(dictionary_);
        int index = 0;
        while (index < PaneLineCount(words_) && !ui_.EscPressed()) {
            const std::string w = PaneLine(words_, index);
            host_.SetStatusText(0, Cp1251ToUtf8(w));
            const int found = SortedFind(dic, w, DicKeyCompare);
            if (found >= 0 && dic[static_cast<size_t>(found)] == w) {
                DeletePaneLine(words_, index);
                ++removed;
            } else {
                ++index;
            }
        }
        GotoPaneLine(words_, std::min(index, std::max(PaneLineCount(words_) - 1, 0)));
    }
    host_.SetStatusText(0, std::to_string(removed) + " слов" +
                               Cp1251ToUtf8(PluralEnding(removed, 2)) + " убрано из окна слов");
}

void DicEditor::InsertWordForms(int baseLine, const std::vector<std::string>& forms) {
    int at = baseLine + 1;
    for (const std::string& form : forms) {
        InsertPaneLine(words_, at, form);
        ColorPaneLine(words_, at, kBlue);
        ++at;
    }
    words_.SetCaret(std::max(words_.LineStart(baseLine), 0));
    words_.SetSelectionTextColor(kBlack);
}
} // namespace umlo
