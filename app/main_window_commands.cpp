// The main window's menu, the command states and the command handlers.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <filesystem>

#include "app/ask_panel.h"
#include "app/file_dialogs.h"
#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/main_window_states.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "app/tool_bar.h"
#include "app/toolbar_pictures.h"
#include "core/decision.h"
#include "core/pass.h"
#include "core/statistics.h"
#include "documents/load_save.h"
#include "documents/settings_location.h"

namespace umlo {
namespace {

// The commands that stay available while a pass runs.
bool StaysOnDuringPass(const QString& name) {
    return name == QLatin1String("Copytodicedit1") || name == QLatin1String("Undo1");
}

} // namespace

QAction* TMainForm::AddCommand(QMenu* menu, const char* name, const char* caption,
                               const char* shortcut, bool enabledAtFirst,
                               void (TMainForm::*handler)()) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut != nullptr) {
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    }
    action->setEnabled(enabledAtFirst);
    // The same picture as the command's toolbar button.
    action->setIcon(CommandPicture(action->objectName()));
    if (handler != nullptr) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    menu->addAction(action);
    actions_[action->objectName()] = action;
    return action;
}

void TMainForm::CreateMenus() {
    using F = TMainForm;
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    file->setObjectName(QStringLiteral("File1"));
    fileMenu_ = file;
    // The dictionary editor's items tell there how to switch them on.
    file->setToolTipsVisible(true);
    AddCommand(file, "Open1", "Загрузить текст", "Ctrl+L", true, &F::Open1Click);
    AddCommand(file, "Save1", "Сохранить текст", "Ctrl+Alt+S", false, &F::Save1Click);
    AddCommand(file, "Saveas1", "Сохранить текст как", "Ctrl+S", false, &F::Saveas1Click);
    AddCommand(file, "Close1", "Очистить текстовое окно", nullptr, false, &F::Close1Click);
    AddCommand(file, "OpenDic1", "Загрузить основной словарь", nullptr, true, &F::OpenDic1Click);
    AddCommand(file, "OpenRegExprDic1", "Загрузить словарь регулярных выражений", nullptr, true,
               &F::OpenRegExprDic1Click);
    // Settled by the start-up routine from Editor / Enabled.
    AddCommand(file, "EditDic1", "Редактор словарей", "Ctrl+E", false, &F::EditDic1Click);
    AddCommand(file, "Clearfilelist1", "Очистить список последних файлов", nullptr, false,
               &F::Clearfilelist1Click);
    AddCommand(file, "Fileprop1", "Свойства файла", "Ctrl+P", false, &F::Fileprop1Click);
    AddCommand(file, "Exit1", "Выход", nullptr, true, nullptr);
    connect(Action(QStringLiteral("Exit1")), &QAction::triggered, this, &QWidget::close);
    // The recent files follow this hidden item; the toolbar offers nothing after it.
    AddCommand(file, "Openfile0", "", nullptr, true, nullptr)->setVisible(false);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Редактировать"));
    edit->setObjectName(QStringLiteral("Edit1"));
    QAction* cut = AddCommand(edit, "Cut1", "Вырезать", "Ctrl+X", true, nullptr);
    QAction* copy = AddCommand(edit, "Copy1", "Копировать", "Ctrl+C", true, nullptr);
    QAction* paste = AddCommand(edit, "Paste1", "Вставить", "Ctrl+V", true, &F::Paste1Click);
    connect(cut, &QAction::triggered, this, [this] { buffer_->CutSelection(); });
    connect(copy, &QAction::triggered, this, [this] { buffer_->CopySelection(); });
    QAction* selectAll = AddCommand(edit, "Selectall1", "Выделить всё", "Ctrl+A", true, nullptr);
    connect(selectAll, &QAction::triggered, this, [this] { buffer_->SelectAllText(); });
    AddCommand(edit, "Copytodicedit1", "Копировать в редактор словарей", "F8", true,
               &F::Copytodicedit1Click);
    edit->addSeparator();
    AddCommand(edit, "Undo1", "Откат", "Ctrl+Z", false, &F::Undo1Click);
    edit->addSeparator();
    AddCommand(edit, "Find1", "Найти", "Ctrl+F", true, &F::Find1Click);
    AddCommand(edit, "Findreg1", "Найти регулярное выражение", "Ctrl+R", true, &F::Findreg1Click);
    AddCommand(edit, "Findagain1", "Найти снова", "F3", false, &F::Findagain1Click);
    AddCommand(edit, "Findyyfwd1", "Искать замену вперёд", "Ctrl+W", true, &F::Findyyfwd1Click);
    AddCommand(edit, "Findyyback1", "Искать замену назад", "Ctrl+Q", true, &F::Findyyback1Click);
    // The editor's popup menu holds the three clipboard commands.
    editor_->addAction(cut);
    editor_->addAction(copy);
    editor_->addAction(paste);

    QMenu* umlo = menuBar()->addMenu(QStringLiteral("Ёфикация"));
    umlo->setObjectName(QStringLiteral("Umlo1"));
    umlo->setToolTipsVisible(true);
    AddCommand(umlo, "Umlopos1", "Ёфицировать с текущей позиции", "F9", true, &F::Umlopos1Click);
    AddCommand(umlo, "Umlobegin1", "Ёфицировать с начала текста", "Ctrl+F9", true,
               &F::Umlobegin1Click);
    AddCommand(umlo, "Stat1", "Детальная статистика", "Ctrl+T", true, &F::Stat1Click);
    AddCommand(umlo, "Clearstat1", "Обнулить статистику", "Shift+F10", true, &F::Clearstat1Click);
    AddCommand(umlo, "Clearusersel1", "Сбросить \"Всегда Е/Ё\"", nullptr, false,
               &F::Clearusersel1Click);
    AddCommand(umlo, "Umlocollect1", "Сбор новых Ё", nullptr, true, &F::Umlocollect1Click);

    QMenu* settings = menuBar()->addMenu(QStringLiteral("Настройки"));
    settings->setObjectName(QStringLiteral("Settings1"));
    settingsMenu_ = settings;
    AddCommand(settings, "Options1", "Опции", "Ctrl+Alt+O", true, &F::Options1Click);
    // The menu's own shortcut opens it.
    auto* openSettings = new QAction(this);
    openSettings->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    connect(openSettings, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(settingsMenu_->menuAction()); });
    addAction(openSettings);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
    help->setObjectName(QStringLiteral("Help1"));
    AddCommand(help, "About1", "О программе", "F1", true, &F::About1Click);
    AddCommand(help, "Moreabout1", "Ещё о программе", nullptr, true, &F::Moreabout1Click);
}

QAction* TMainForm::Action(const QString& itemName) const {
    const auto it = actions_.find(itemName);
    return it == actions_.end() ? nullptr : it->second;
}

void TMainForm::EnableCommand(const QString& itemName, bool enabled) {
    QAction* action = Action(itemName);
    if (action == nullptr) {
        return;
    }
    if (passMenusOff_ && !StaysOnDuringPass(itemName)) {
        // Takes effect when the pass gives the menus back.
        heldStates_[itemName] = enabled;
        return;
    }
    action->setEnabled(enabled);
}

void TMainForm::SetCommandCaption(const QString& itemName, const QString& caption) {
    if (QAction* action = Action(itemName)) {
        action->setText(caption);
    }
}

void TMainForm::SetPassMenus(bool enabled) {
    if (!enabled) {
        if (passMenusOff_) {
            return;
        }
        heldStates_.clear();
        for (const auto& [name, action] : actions_) {
            if (!StaysOnDuringPass(name)) {
                heldStates_[name] = action->isEnabled();
                action->setEnabled(false);
            }
        }
        passMenusOff_ = true;
        // The asked word is selected while the pass waits: it can go to the
        // dictionary editor whatever the selection was when the pass began.
        Action(QStringLiteral("Copytodicedit1"))->setEnabled(true);
        // The recent files would only be refused.
        for (QAction* item : recentItems_) {
            item->setEnabled(false);
        }
        toolBar_->setEnabled(false);
        return;
    }
    if (passMenusOff_) {
        passMenusOff_ = false;
        for (const auto& [name, on] : heldStates_) {
            if (QAction* action = Action(name)) {
                action->setEnabled(on);
            }
        }
        heldStates_.clear();
        for (QAction* item : recentItems_) {
            item->setEnabled(true);
        }
        toolBar_->setEnabled(true);
    }
    RefreshCommands();
}

void TMainForm::RefreshCommands() {
    CommandInputs in;
    in.text = buffer_->TextLength() > 0;
    in.selection = buffer_->SelLength() > 0;
    in.dictionary = dic_.Count() > 0;
    in.currentPath = !files_->CurrentPath().empty();
    in.editorEnabled = values_.EditorEnabled;
    in.recentFiles = recent_->Count() > 0;
    in.replacements = !engine_->ReplacementPositions().empty();
    in.decided = engine_->Counters().Decided > 0;
    for (const auto& [name, on] : RefreshedCommandStates(in)) {
        EnableCommand(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())), on);
    }
    if (!PassRunning()) {
        unsetCursor();
    }
}

void TMainForm::Open1Click() {
    files_->OpenText();
}

void TMainForm::Save1Click() {
    files_->SaveCurrent();
}

void TMainForm::Saveas1Click() {
    files_->SaveAs();
}

void TMainForm::Close1Click() {
    if (!files_->AskSaveChanges()) {
        return;
    }
    recent_->RememberPosition(files_->CurrentPath(), *buffer_);
    buffer_->ClearText();
    ShowCaretPosition(0);
    SetModified(false);
    ClearPassLists();
    SetCaptionPath(QString());
    files_->ForgetCurrentPath();
    RefreshCommands();
}

void TMainForm::Undo1Click() {
    // While a question waits, "Откат" is the panel's own answer: the pass
    // takes the change back and asks again from there.
    if (panel_->Waiting()) {
        panel_->SetAnswer(AnswerUndo);
        return;
    }
    if (PassRunning()) {
        return;
    }
    engine_->UndoStep();
}

void TMainForm::Paste1Click() {
    buffer_->PasteClipboard();
    ApplyWordWrap(options_.CurrentOptions.WordWrap);
}

void TMainForm::Umlobegin1Click() {
    if (PassRunning()) {
        return;
    }
    engine_->RegExprConfig().textPath = files_->CurrentPath();
    engine_->DoUmloficate(0, 1);
}

void TMainForm::Umlopos1Click() {
    if (PassRunning()) {
        return;
    }
    engine_->RegExprConfig().textPath = files_->CurrentPath();
    const LineColumn at = engine_->CaretLineColumn();
    engine_->DoUmloficate(at.line, at.column);
}

void TMainForm::Clearstat1Click() {
    // Asks first; the reset also takes the colour marks off the text.
    umlo::Clearstat1Click(engine_->Counters(), dic_, regExprs_, *buffer_,
                          FromQColor(editor_->palette().color(QPalette::Text)), *host_);
    RefreshCommands();
}

void TMainForm::Clearusersel1Click() {
    umlo::Clearusersel1Click(dic_, *host_);
}

void TMainForm::OpenDic1Click() {
    if (auto path = RunDictionaryDialog(this, Action(QStringLiteral("OpenDic1"))->text(),
                                        DataFolder(start_.programFolder), values_.DictionaryPath)) {
        LoadChosenMainDictionary(*path);
    }
}

void TMainForm::LoadChosenMainDictionary(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        host_->ShowError("Файл \"" + path + "\" не найден");
        return;
    }
    values_.DictionaryPath = path;
    LoadMainDictionary(dic_, values_.DictionaryPath, *host_);
    RefreshCommands();
}

void TMainForm::OpenRegExprDic1Click() {
    if (auto path =
            RunDictionaryDialog(this, Action(QStringLiteral("OpenRegExprDic1"))->text(),
                                DataFolder(start_.programFolder), values_.RegExprDictionaryPath)) {
        LoadChosenRegExprDictionary(regExprs_, *path, values_.RegExprDictionaryPath,
                                    options_.CurrentOptions, *host_);
        RefreshCommands();
    }
}

void TMainForm::LoadDroppedFiles(const std::vector<std::string>& paths) {
    if (PassRunning()) {
        return;
    }
    files_->LoadDropped(paths);
}

} // namespace umlo
