// TDicEditForm's logic without the window: loading and saving dictionary
// files in the dictionary pane, adding the word window's words at their
// sorted places, the insert log, the maintenance operations, the command
// states and putting an edited dictionary back into use.
//
// The panes are text buffers (one dictionary line, one word per line); every
// message, status text, busy state and command state goes through the host.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "dicedit/insert_log.h"
#include "documents/text_buffer.h"

namespace umlo {

class MorphoGen;
class TempDictionaryFile;

enum class DicPane { None, Dictionary, Words };

// What the editor needs of the rest of the program. Paths are UTF-8.
struct DicEditContext {
    std::string programFolder;
    // Where "insert.log" and the temporary file go: the folder of the settings
    // and the logs (SettingsFolder); the program folder when empty.
    std::string workFolder;
    // The dictionaries' paths in force; empty when there is none.
    std::function<std::string()> mainDictionaryPath;
    std::function<std::string()> regExprDictionaryPath;
    // The word-form rules; generation is unavailable without loaded rules.
    const MorphoGen* wordForms = nullptr;
    // The main window's find dialog, searching the given pane.
    std::function<void(TextBuffer& pane, bool regExpr)> openFind;
    // Put the saved file of a dictionary in use back into the pass.
    std::function<void()> reloadMainDictionary;
    std::function<void()> reloadRegExprDictionary;
};

// What the editor needs of its window.
class DicEditUi {
public:
    virtual ~DicEditUi() = default;
    // File dialogs for dictionary files (*.dat), the open dialog titled like
    // the command that asks (UTF-8); nullopt on Cancel.
    virtual std::optional<std::string> AskOpenPath(const std::string& folder,
                                                   std::string_view title) = 0;
    virtual std::optional<std::string> AskSavePath(const std::string& folder,
                                                   const std::string& fileName) = 0;
    virtual void SetCaption(std::string_view caption) = 0; // UTF-8
    virtual DicPane FocusedPane() const = 0;
    virtual void FocusPane(DicPane pane) = 0;
    // Whether Esc was pressed since the last poll.
    virtual bool EscPressed() = 0;
};

class DicEditor {
public:
    DicEditor(TextBuffer& dictionary, TextBuffer& words, Host& host, DicEditUi& ui,
              DicEditContext context);

    // Each opening of the window.
    void Opened();
    // The close query: false keeps the window open.
    bool CanClose();
    // After the window closed: the pane is emptied (the words stay) and an
    // edited dictionary in use is offered for reloading.
    void Closed();

    // A word (cp1251) at the end of the word window, open or not.
    void AppendWord(std::string_view word);

    // The menu.
    void Open1Click();
    void OpenCurrDic1Click();
    void OpenCurrRegExprDic1Click();
    void Save1Click();
    void Subtract1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Selectall1Click();
    void Sort1Click();
    void DelDoubles1Click();
    void CheckDic1Click();
    void AddToDic1Click();
    void DelFromDic1Click();
    void Lower1Click();
    void Upper1Click();
    void Find1Click();
    void FindRegExp1Click();
    void FindInDic1Click();
    void SweepWordEditor1Click();
    void InsertDicSize1Click();
    void IsCombiWords1Click() { regExprMode_ = !regExprMode_; }
    void InsertLog1Click() { log_.SetEnabled(!log_.Enabled()); }

    // "Создать формы слова" accepted: the forms after the base word's line,
    // coloured blue, and the caret back at the base word.
    void InsertWordForms(int baseLine, const std::vector<std::string>& forms);

    // The loading behind the three load commands; a given path shows no dialog.
    void LoadDictionary(const std::optional<std::string>& path, bool orderCheck);

    // Notifications from the panes.
    void DictionaryChanged();
    void WordsChanged() { RefreshCommands(); }
    void PaneFocused() { RefreshCommands(); }
    void DictionaryCaretMoved();
    void RefreshCommands();

    bool Modified() const { return modified_; }
    int WordCount() const { return wordCount_; }
    bool RegExprMode() const { return regExprMode_; }
    void SetRegExprMode(bool on) { regExprMode_ = on; }
    bool InsertLogOn() const { return log_.Enabled(); }
    void SetInsertLogOn(bool on) { log_.SetEnabled(on); }
    bool MainDictionarySaved() const { return mainSaved_; }
    bool RegExprDictionarySaved() const { return regExprSaved_; }
    const std::string& CaptionName() const { return captionName_; }
    const std::string& InsertLogPath() const { return log_.Path(); }
    bool WordFormsAvailable() const;
    TextBuffer* FocusedBuffer();

private:
    // Finds w's place in the pane and, when adding, inserts it or replaces
    // the line there. True when the pane got w.
    bool PlaceWord(const std::string& w, bool add);
    // The lines written to the temporary file and read back, as the operations
    // work on the dictionary; false (reported) on a file error.
    bool PassThrough(TempDictionaryFile& temp, std::vector<std::string>& lines);
    // Inserts the word as line index, logs it and marks it as added.
    void InsertWordLine(int index, const std::string& w);
    void AddedLine(int index, bool inserted);
    void PlaceWords(bool adding);
    void ChangeCaretLineCase(bool lower);
    void LoadPane(const std::vector<std::string>& lines);
    void SetModified(bool on);
    void UpdateCaption();
    void ShowWordCount();
    void LogResult(bool written, const std::string& error);
    std::string PathOrEmpty(const std::function<std::string()>& path) const;
    const std::string& WorkFolder() const;

    TextBuffer& dictionary_;
    TextBuffer& words_;
    Host& host_;
    DicEditUi& ui_;
    DicEditContext context_;
    InsertLog log_;

    bool modified_ = false;
    int wordCount_ = 0;
    bool mainSaved_ = false;
    bool regExprSaved_ = false;
    bool regExprMode_ = false;
    // Operations in progress: the caret display waits until they end.
    int busy_ = 0;
    std::string captionName_; // the loaded or saved file as shown
    std::string saveName_;    // the save dialog's file name
};

} // namespace umlo
