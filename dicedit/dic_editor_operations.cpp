// The maintenance operations of the "Операции" and "Файл" menus, run on the
// dictionary pane's lines and put back into it.
#include "core/system_message.h"
#include "dicedit/dic_editor.h"

#include <algorithm>

#include "dicedit/dic_operations.h"
#include "dicedit/dictionary_text.h"
#include "dicedit/editor_wait.h"
#include "dicedit/pane_lines.h"

namespace umlo {

namespace {

// Progress in the status field, Esc from the window.
class StatusMonitor : public OperationMonitor {
public:
    StatusMonitor(Host& host, DicEditUi& ui) : host_(host), ui_(ui) {}
    void ShowProgress(std::string_view text) override { host_.SetStatusText(0, text); }
    bool EscPressed() override { return ui_.EscPressed(); }

private:
    Host& host_;
    DicEditUi& ui_;
};

} // namespace

bool DicEditor::PassThrough(TempDictionaryFile& temp, std::vector<std::string>& lines) {
    if (const int error = temp.Write(lines); error != 0) {
        host_.ShowError(FileErrorMessage(FileAction::Write, temp.Path(), error));
        return false;
    }
    if (const int error = temp.Read(lines); error != 0) {
        host_.ShowError(FileErrorMessage(FileAction::Read, temp.Path(), error));
        return false;
    }
    return true;
}

void DicEditor::Sort1Click() {
    {
        WaitMessage wait(host_, busy_);
        TempDictionaryFile temp(WorkFolder());
        std::vector<std::string> lines = PaneLines(dictionary_);
        if (!PassThrough(temp, lines)) {
            return;
        }
        wordCount_ = SortDictionary(lines);
        if (!PassThrough(temp, lines)) {
            return;
        }
        LoadPane(lines);
        SetModified(true);
    }
    ShowWordCount();
}

void DicEditor::DelDoubles1Click() {
    DuplicateRemoval result;
    {
        WaitMessage wait(host_, busy_);
        const int caret = dictionary_.SelStart();
        std::vector<std::string> lines = PaneLines(dictionary_);
        StatusMonitor monitor(host_, ui_);
        result = RemoveDuplicates(lines, monitor);
        if (result.removed > 0) {
            LoadPane(lines);
            SetModified(true);
        }
        dictionary_.SetCaret(std::min(caret, dictionary_.TextLength()));
    }
    wordCount_ = result.wordCount;
    host_.SetStatusText(0, result.statusText);
}

void DicEditor::CheckDic1Click() {
    ErrorSearch result;
    {
        WaitMessage wait(host_, busy_);
        const std::vector<std::string> lines = PaneLines(dictionary_);
        StatusMonitor monitor(host_, ui_);
        result = FindNextError(lines, CaretLine(dictionary_), regExprMode_, monitor);
        if (result.found) {
            SelectPaneLine(dictionary_, result.line);
            dictionary_.ScrollToCaret();
        } else {
            ui_.FocusPane(DicPane::Dictionary);
            GotoPaneLine(dictionary_, result.line);
        }
    }
    host_.SetStatusText(0, result.statusText);
}

void DicEditor::Subtract1Click() {
    if (PaneLineCount(dictionary_) == 0) {
        return;
    }
    const auto chosen = ui_.AskOpenPath(context_.programFolder, "Вычесть словарь");
    if (!chosen) {
        return;
    }
    {
        Hourglass hourglass(host_, busy_);
        TempDictionaryFile temp(WorkFolder());
        std::vector<std::string> lines = PaneLines(dictionary_);
        if (!PassThrough(temp, lines)) {
            return;
        }
        const int count = SubtractDictionaryFile(lines, *chosen, host_);
        if (count < 0) {
            return;
        }
        wordCount_ = count;
        if (!PassThrough(temp, lines)) {
            return;
        }
        LoadPane(lines);
        SetModified(true);
    }
    ShowWordCount();
    ui_.FocusPane(DicPane::Dictionary);
    dictionary_.SetCaret(0);
}

void DicEditor::Lower1Click() {
    ChangeCaretLineCase(true);
}

void DicEditor::Upper1Click() {
    ChangeCaretLineCase(false);
}

void DicEditor::ChangeCaretLineCase(bool lower) {
    TextBuffer* pane = FocusedBuffer();
    if (pane == nullptr) {
        return;
    }
    const int caret = pane->SelStart();
    const int index = CaretLine(*pane);
    const std::string line = PaneLine(*pane, index);
    const std::string changed =
        ChangeLineCase(line, lower ? CaseCommand::Lower : CaseCommand::Capitalize);
    const bool inDictionary = pane == &dictionary_;
    if (inDictionary && log_.Enabled() && changed != line) {
        std::string error;
        LogResult(log_.Replaced(line, changed, error), error);
    }
    ReplacePaneLine(*pane, index, changed);
    if (inDictionary) {
        ColorPaneLine(*pane, index, kRed);
        SetModified(true);
    }
    pane->SetCaret(caret);
}

void DicEditor::InsertDicSize1Click() {
    const std::string saved = host_.StatusText(0);
    host_.SetStatusText(0, kComputingLengthText);
    std::vector<std::string> lines = PaneLines(dictionary_);
    const LengthLine result = WriteLengthLine(lines, regExprMode_);
    const std::string& line = lines[static_cast<size_t>(result.index)];
    // Only the one line changes, so the colours of the others stay.
    if (result.inserted) {
        InsertPaneLine(dictionary_, result.index, line);
    } else {
        ReplacePaneLine(dictionary_, result.index, line);
    }
    SetModified(true);
    host_.SetStatusText(0, saved);
}
} // namespace umlo
