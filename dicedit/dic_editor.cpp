#include "dicedit/dic_editor.h"
#include "core/system_message.h"

#include <cstring>
#include <filesystem>

#include "core/codepage.h"
#include "core/dictionary_file.h"
#include "core/morpho_gen.h"
#include "dicedit/dic_operations.h"
#include "dicedit/dictionary_text.h"
#include "dicedit/editor_wait.h"
#include "dicedit/pane_lines.h"
#include "documents/load_save.h"
#include "documents/window_caption.h"

namespace umlo {

namespace {

constexpr std::string_view kLossQuestion =
    "Результаты редактирования будут потеряны. Продолжить операцию?";
constexpr std::string_view kUseMainQuestion =
    "Вы отредактировали текущий словарь. Использовать его сейчас?";
constexpr std::string_view kUseRegExprQuestion =
    "Вы отредактировали текущий СРВ. Использовать его сейчас?";

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

} // namespace

DicEditor::DicEditor(TextBuffer& dictionary, TextBuffer& words, Host& host, DicEditUi& ui,
                     DicEditContext context)
    : dictionary_(dictionary), words_(words), host_(host), ui_(ui), context_(std::move(context)),
      log_(context_.workFolder.empty() ? context_.programFolder : context_.workFolder) {}

void DicEditor::Opened() {
    SetModified(false);
    mainSaved_ = false;
    regExprSaved_ = false;
    RefreshCommands();
    // The word-form command waits for the first refresh after the opening.
    host_.EnableCommand("Morph1", false);
    ui_.FocusPane(DicPane::Words);
    words_.SetCaret(0);
}

bool DicEditor::CanClose() {
    return !modified_ || host_.AskYesNo(kLossQuestion);
}

void DicEditor::Closed() {
    {
        Hourglass hourglass(host_, busy_);
        dictionary_.ClearText();
        SetModified(false);
    }
    if (mainSaved_ &&
        host_.ShowMessage(MessageKind::Warning, kUseMainQuestion, MessageButtons::YesNo,
                          MessageResult::Yes) == MessageResult::Yes) {
        if (context_.reloadMainDictionary) {
            context_.reloadMainDictionary();
        }
    }
    if (regExprSaved_ &&
        host_.ShowMessage(MessageKind::Warning, kUseRegExprQuestion, MessageButtons::YesNo,
                          MessageResult::Yes) == MessageResult::Yes) {
        if (context_.reloadRegExprDictionary) {
            context_.reloadRegExprDictionary();
        }
    }
}

// --- Loading and saving ---

void DicEditor::Open1Click() {
    LoadDictionary(std::nullopt, true);
}

void DicEditor::OpenCurrDic1Click() {
    LoadDictionary(PathOrEmpty(context_.mainDictionaryPath), true);
}

void DicEditor::OpenCurrRegExprDic1Click() {
    LoadDictionary(PathOrEmpty(context_.regExprDictionaryPath), false);
}

void DicEditor::LoadDictionary(const std::optional<std::string>& given, bool orderCheck) {
    if (modified_ && !host_.AskYesNo(kLossQuestion)) {
        return;
    }
    std::string path;
    if (given) {
        path = *given;
    } else {
        auto chosen = ui_.AskOpenPath(context_.programFolder, "Загрузить словарь");
        if (!chosen) {
            return;
        }
        path = std::move(*chosen);
    }
    if (path.empty() || !FileExists(path)) {
        return;
    }
    LoadedText scan;
    std::vector<std::string> lines;
    {
        Hourglass hourglass(host_, busy_);
        // Read before the pane is cleared: a file that cannot be read leaves
        // the text there.
        if (const int error = ReadDictionaryLines(path, lines); error != 0) {
            host_.ShowError(FileErrorMessage(FileAction::Read, path, error));
            return;
        }
        LoadPane(lines);
        captionName_ = DisplayName(path, context_.programFolder);
        saveName_ = captionName_;
        scan = ScanLoadedLines(lines, orderCheck);
        wordCount_ = scan.wordCount;
        if (scan.orderBreak >= 0) {
            host_.ShowError(OrderBreakMessage(lines[static_cast<size_t>(scan.orderBreak)]));
            SelectPaneLine(dictionary_, scan.orderBreak);
            dictionary_.ScrollToCaret();
        }
        SetModified(false);
    }
    ShowWordCount();
    regExprMode_ = LooksLikeRegExprDictionary(lines);
    RefreshCommands();
}

void DicEditor::Save1Click() {
    std::string folder = FolderOf(saveName_);
    if (folder.empty()) {
        folder = context_.programFolder;
    }
    const auto chosen = ui_.AskSavePath(folder, saveName_);
    if (!chosen || chosen->empty()) {
        return;
    }
    const std::string& path = *chosen;
    if (FileExists(path) && !ConfirmOverwrite(host_, PathForMessage(path))) {
        return;
    }
    if (const int error = WriteDictionaryFile(path, PaneLines(dictionary_)); error != 0) {
        // The text stays modified: nothing was saved.
        host_.ShowError(FileErrorMessage(FileAction::Write, path, error));
        return;
    }
    captionName_ = path;
    saveName_ = path;
    if (modified_) {
        mainSaved_ = mainSaved_ || path == PathOrEmpty(context_.mainDictionaryPath);
        regExprSaved_ = regExprSaved_ || path == PathOrEmpty(context_.regExprDictionaryPath);
    }
    SetModified(false);
}

// --- The clipboard and the find dialog ---

TextBuffer* DicEditor::FocusedBuffer() {
    switch (ui_.FocusedPane()) {
    case DicPane::Dictionary:
        return &dictionary_;
    case DicPane::Words:
        return &words_;
    case DicPane::None:
        break;
    }
    return nullptr;
}

void DicEditor::Cut1Click() {
    if (TextBuffer* pane = FocusedBuffer()) {
        pane->CutSelection();
    }
}

void DicEditor::Copy1Click() {
    if (TextBuffer* pane = FocusedBuffer()) {
        pane->CopySelection();
    }
}

void DicEditor::Paste1Click() {
    if (TextBuffer* pane = FocusedBuffer()) {
        pane->PasteClipboard();
    }
}

void DicEditor::Selectall1Click() {
    if (TextBuffer* pane = FocusedBuffer()) {
        pane->SelectAllText();
    }
}

void DicEditor::Find1Click() {
    TextBuffer* pane = FocusedBuffer();
    if (context_.openFind) {
        context_.openFind(pane != nullptr ? *pane : dictionary_, false);
    }
}

void DicEditor::FindRegExp1Click() {
    TextBuffer* pane = FocusedBuffer();
    if (context_.openFind) {
        context_.openFind(pane != nullptr ? *pane : dictionary_, true);
    }
}
// --- States ---

void DicEditor::DictionaryChanged() {
    SetModified(true);
    host_.SetStatusText(0, "");
    RefreshCommands();
}

void DicEditor::DictionaryCaretMoved() {
    if (busy_ > 0) {
        return;
    }
    const LineColumn at = dictionary_.LineAndColumn(dictionary_.SelStart());
    host_.SetStatusText(0, std::to_string(at.line + 1) + ":" + std::to_string(at.column) + " (" +
                               std::to_string(PaneLineCount(dictionary_)) + ")");
}

bool DicEditor::WordFormsAvailable() const {
    return context_.wordForms != nullptr && context_.wordForms->Loaded();
}

void DicEditor::RefreshCommands() {
    const bool dictionaryLines = PaneLineCount(dictionary_) > 0;
    const bool wordLines = PaneLineCount(words_) > 0;
    if (const TextBuffer* pane = FocusedBuffer()) {
        const bool focusedLines = PaneLineCount(*pane) > 0;
        for (const char* name : {"Cut1", "Copy1", "Selectall1", "Find1", "Upper1"}) {
            host_.EnableCommand(name, focusedLines);
        }
    }
    for (const char* name : {"Save1", "Sort1", "DelDoubles1", "Subtract1", "CheckDic1"}) {
        host_.EnableCommand(name, dictionaryLines);
    }
    for (const char* name : {"AddToDic1", "Lower1", "FindInDic1", "SweepWordEditor1"}) {
        host_.EnableCommand(name, wordLines);
    }
    host_.EnableCommand("Morph1", wordLines && WordFormsAvailable());
    host_.EnableCommand("OpenCurrDic1", !PathOrEmpty(context_.mainDictionaryPath).empty());
    host_.EnableCommand("OpenCurrRegExprDic1",
                        !PathOrEmpty(context_.regExprDictionaryPath).empty());
}

// --- Helpers ---

void DicEditor::LoadPane(const std::vector<std::string>& lines) {
    dictionary_.ClearText();
    SetPaneLines(dictionary_, lines);
}

void DicEditor::SetModified(bool on) {
    modified_ = on;
    UpdateCaption();
}

void DicEditor::UpdateCaption() {
    // The marker is rebuilt from the bare name, so it comes off with the save.
    ui_.SetCaption(modified_ ? WithModifiedMarker(captionName_, true) : captionName_);
}

void DicEditor::ShowWordCount() {
    host_.SetStatusText(0, WordFormsText(wordCount_));
}

const std::string& DicEditor::WorkFolder() const {
    return context_.workFolder.empty() ? context_.programFolder : context_.workFolder;
}

std::string DicEditor::PathOrEmpty(const std::function<std::string()>& path) const {
    return path ? path() : std::string();
}

} // namespace umlo
