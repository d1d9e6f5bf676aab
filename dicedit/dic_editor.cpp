#include "dicedit/dic_editor.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/codepage.h"
#include "core/dictionary_file.h"
#include "core/morpho_gen.h"
#include "core/words.h"
#include "dicedit/dic_operations.h"
#include "dicedit/dictionary_text.h"
#include "dicedit/insert_place.h"
#include "dicedit/pane_lines.h"
#include "documents/load_save.h"

namespace umlo {

namespace {

constexpr std::string_view kLossQuestion =
    "Результаты редактирования будут потеряны. Продолжить операцию?";
constexpr std::string_view kWaitText = "Подождите...";
constexpr std::string_view kUseMainQuestion =
    "Вы отредактировали текущий словарь. Использовать его сейчас?";
constexpr std::string_view kUseRegExprQuestion =
    "Вы отредактировали текущий СРВ. Использовать его сейчас?";

std::string FileError(const std::string& path, int error) {
    return PathForMessage(path) + ": " + std::strerror(error);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

// The hourglass over both panes for the length of an operation; the caret
// display waits meanwhile.
class Hourglass {
public:
    Hourglass(Host& host, int& depth) : host_(host), depth_(depth) {
        ++depth_;
        host_.SetBusy(true);
    }
    ~Hourglass() {
        host_.SetBusy(false);
        --depth_;
    }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Host& host_;
    int& depth_;
};

// The wait message "Подождите..." with the hourglass; the status text put
// aside comes back at the end.
class WaitMessage {
public:
    WaitMessage(Host& host, int& depth) : hourglass_(host, depth), status_(host, kWaitText) {}

private:
    Hourglass hourglass_;
    BusyStatus status_;
};

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

DicEditor::DicEditor(TextBuffer& dictionary, TextBuffer& words, Host& host, DicEditUi& ui,
                     DicEditContext context)
    : dictionary_(dictionary), words_(words), host_(host), ui_(ui), context_(std::move(context)),
      log_(context_.programFolder) {}

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
        auto chosen = ui_.AskOpenPath(context_.programFolder);
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
            host_.ShowError(FileError(path, error));
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
        host_.ShowError(FileError(path, error));
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

// --- Words into the dictionary ---

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
        bool valid = true;
        if (adding) {
            const LineCheckResult check = CheckDicLine(w, regExprMode_);
            if (check.error) {
                host_.SetStatusText(0, check.message);
                valid = false;
            }
        }
        if (PlaceWord(w, adding && valid)) {
            // The next word moves up into this line.
            DeletePaneLine(words_, index);
            ShowWordCount();
        } else {
            ++index;
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
    if (p >= count) {
        if (!add) {
            return false;
        }
        InsertPaneLine(dictionary_, p, w);
        if (log_.Enabled()) {
            std::string error;
            LogResult(log_.Inserted(w, error), error);
        }
        AddedLine(p, true);
        return true;
    }
    const std::string line = lineAt(p);
    if (DicLineCompareNoCase(line, w) != 0) {
        if (!add) {
            return false;
        }
        InsertPaneLine(dictionary_, p, w);
        if (log_.Enabled()) {
            std::string error;
            LogResult(log_.Inserted(w, error), error);
        }
        AddedLine(p, true);
        return true;
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
            const int at = order < 0 ? p + 1 : p;
            InsertPaneLine(dictionary_, at, w);
            if (log_.Enabled()) {
                std::string error;
                LogResult(log_.Inserted(w, error), error);
            }
            AddedLine(at, true);
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

// --- The maintenance operations ---

void DicEditor::Sort1Click() {
    {
        WaitMessage wait(host_, busy_);
        TempDictionaryFile temp(context_.programFolder);
        std::vector<std::string> lines = PaneLines(dictionary_);
        if (int error = temp.Write(lines); error != 0 || (error = temp.Read(lines)) != 0) {
            host_.ShowError(FileError(temp.Path(), error));
            return;
        }
        wordCount_ = SortDictionary(lines);
        if (int error = temp.Write(lines); error != 0 || (error = temp.Read(lines)) != 0) {
            host_.ShowError(FileError(temp.Path(), error));
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
    const auto chosen = ui_.AskOpenPath(context_.programFolder);
    if (!chosen) {
        return;
    }
    {
        Hourglass hourglass(host_, busy_);
        TempDictionaryFile temp(context_.programFolder);
        std::vector<std::string> lines = PaneLines(dictionary_);
        if (int error = temp.Write(lines); error != 0 || (error = temp.Read(lines)) != 0) {
            host_.ShowError(FileError(temp.Path(), error));
            return;
        }
        const int count = SubtractDictionaryFile(lines, *chosen, host_);
        if (count < 0) {
            return;
        }
        wordCount_ = count;
        if (int error = temp.Write(lines); error != 0 || (error = temp.Read(lines)) != 0) {
            host_.ShowError(FileError(temp.Path(), error));
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
    // The modified marker " *" goes on once and comes off with the save.
    std::string caption = captionName_;
    const bool marked = !caption.empty() && caption.back() == '*';
    if (modified_ && !marked) {
        caption += " *";
    }
    ui_.SetCaption(caption);
}

void DicEditor::ShowWordCount() {
    host_.SetStatusText(0, WordFormsText(wordCount_));
}

std::string DicEditor::PathOrEmpty(const std::function<std::string()>& path) const {
    return path ? path() : std::string();
}

} // namespace umlo
