// TMainForm: the main window with its editor, menu, confirmation panel and
// status bar; start-up, the deferred start and the close sequence.
#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/main_dictionary.h"
#include "core/morpho_gen.h"
#include "core/options.h"
#include "core/regexpr_dictionary.h"
#include "documents/recent_files.h"
#include "documents/settings_file.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace umlo {

class AskPanel;
class FindDialog;
class MainWindowHost;
class PassEngine;
class QtTextBuffer;
class SelfTest;
class TextFiles;
class TextIoWindowHost;
class TextSearch;
class TAboutForm;
class TDicEditForm;
class TFilePropForm;
class TOptionsForm;
class TStatForm;
class ToolBar;

struct StartOptions {
    std::string programFolder; // UTF-8
    // The first command-line argument, if any (UTF-8).
    std::string argument;
    // The folder the program was started in, against which a relative
    // argument is resolved; empty: the current folder when the window is made.
    std::string startFolder;
    // Tests keep the settings file out of the way.
    bool readSettings = true;
    bool writeSettings = true;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    using MessageAnswerer =
        std::function<MessageResult(MessageKind, std::string_view, MessageButtons, MessageResult)>;

    explicit TMainForm(StartOptions start);
    ~TMainForm() override;

    // The window's state, for the hosts.
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    MessageResult Message(MessageKind kind, std::string_view text, MessageButtons buttons,
                          MessageResult defaultButton);
    void EnableCommand(const QString& itemName, bool enabled);
    void SetCommandCaption(const QString& itemName, const QString& caption);
    void SetPassMenus(bool enabled);
    void SetCaptionPath(const QString& path);
    bool Modified() const { return modified_; }
    void SetModified(bool on);
    void ApplyWordWrap(bool on);
    void ShowCaretPosition(int offset);
    void ClearPassLists();
    void RefreshCommands();

    // The deferred start; runs once, from the event loop after the first show.
    void DeferredStart();
    bool Started() const { return started_; }

    // Commands of the menu.
    void Open1Click();
    void Save1Click();
    void Saveas1Click();
    void Close1Click();
    void Undo1Click();
    void Paste1Click();
    void Umlobegin1Click();
    void Umlopos1Click();
    void Clearstat1Click();
    void Clearusersel1Click();
    void OpenDic1Click();
    void OpenRegExprDic1Click();
    void EditDic1Click();
    void Copytodicedit1Click();
    void Clearfilelist1Click();
    void Fileprop1Click();
    void Find1Click();
    void Findreg1Click();
    void Findagain1Click();
    void Findyyfwd1Click();
    void Findyyback1Click();
    void Stat1Click();
    void Umlocollect1Click();
    void Options1Click();
    void About1Click();
    void Moreabout1Click();
    void Testing1Click();
    // The recent-file entry at a 1-based place.
    void OpenRecentClick(int place);
    // A main dictionary chosen by the user: a missing file is reported and
    // the dictionary in force stays.
    void LoadChosenMainDictionary(const std::string& path);
    // Files dropped on the window: the first one is loaded.
    void LoadDroppedFiles(const std::vector<std::string>& paths);

    QAction* Action(const QString& itemName) const;
    QMenu* FileMenu() const { return fileMenu_; }
    // The entry items of the recent list, in menu order.
    const std::vector<QAction*>& RecentItems() const { return recentItems_; }
    FindDialog& FindBox() { return *findDialog_; }
    ToolBar& Tools() { return *toolBar_; }
    TOptionsForm& OptionsForm() { return *optionsForm_; }
    TAboutForm& AboutForm() { return *aboutForm_; }
    TDicEditForm& DicEdit() { return *dicEdit_; }
    TStatForm& StatForm() { return *statForm_; }
    TFilePropForm& FilePropForm() { return *filePropForm_; }
    const MorphoGen& WordForms() const { return morphs_; }
    TextSearch& Search() { return *search_; }
    // Started with "/t"; stays true for the run (the test itself may end its
    // own testing mode).
    bool StartedForTesting() const { return startedForTesting_; }
    SelfTest* Testing() { return selfTest_.get(); }
    // One line for the dictionary editor's word window (UTF-8).
    void AppendToWordWindow(std::string_view word);
    QtTextBuffer& Editor() { return *buffer_; }
    AskPanel& Panel() { return *panel_; }
    PassEngine& Engine() { return *engine_; }
    TextFiles& Files() { return *files_; }
    TDic& Dictionary() { return dic_; }
    TOptions& CurrentOptions() { return options_.CurrentOptions; }
    SettingsValues& Values() { return values_; }
    // Tests answer message boxes here instead of on screen.
    void SetMessageAnswerer(MessageAnswerer answerer) { answerer_ = std::move(answerer); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Typed characters in the editor end the undo history of the pass.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenus();
    void CreateSearch();
    void CreateForms();
    void RebuildRecentMenu();
    void StartTestingMode();
    // BuildTestText and what the window adds to it.
    void PrepareTestText();
    void TestTextBuilt();
    QAction* AddCommand(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                        bool enabledAtFirst, void (TMainForm::*handler)());
    // "Редактор словарей" and "Сбор новых Ё" after Editor / Enabled: the
    // editor's item enabled, both items telling how to switch them on.
    void ApplyEditorSwitch();
    void ReadCommandLine();
    void LoadSettings();
    void ApplyEditorFont();
    void OnTextChanged();
    void OnSelectionMoved();
    // A pass or a collection is scanning the text.
    bool PassRunning() const;

    StartOptions start_;
    QPlainTextEdit* editor_ = nullptr;
    std::unique_ptr<QtTextBuffer> buffer_;
    AskPanel* panel_ = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    std::map<QString, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentItems_;
    FindDialog* findDialog_ = nullptr;
    ToolBar* toolBar_ = nullptr;
    TOptionsForm* optionsForm_ = nullptr;
    TAboutForm* aboutForm_ = nullptr;
    TDicEditForm* dicEdit_ = nullptr;
    TStatForm* statForm_ = nullptr;
    TFilePropForm* filePropForm_ = nullptr;
    MorphoGen morphs_;
    std::unique_ptr<TextSearch> search_;
    std::unique_ptr<SelfTest> selfTest_;
    bool startedForTesting_ = false;
    // While the pass holds the menus: the states to restore afterwards.
    bool passMenusOff_ = false;
    std::map<QString, bool> heldStates_;

    TDic dic_;
    TRegExprDic regExprs_;
    OptionCopies options_;
    SettingsValues values_;
    std::unique_ptr<MainWindowHost> host_;
    std::unique_ptr<TextIoWindowHost> ioHost_;
    std::unique_ptr<RecentFiles> recent_;
    std::unique_ptr<SettingsFile> settingsFile_;
    std::unique_ptr<PassEngine> engine_;
    std::unique_ptr<TextFiles> files_;
    MessageAnswerer answerer_;

    std::string settingsFolder_;
    std::string startPath_;
    TextFormat startFormat_ = 0;
    bool textOnCommandLine_ = false;
    // Editor / Enabled as it goes back to the settings file; the value in
    // force is values_.EditorEnabled.
    bool editorEnabledSaved_ = false;
    QString captionPath_;
    bool modified_ = false;
    bool shown_ = false;
    bool started_ = false;
};

} // namespace umlo
