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
#include "app/qt_text_buffer.h"
#include "core/decision.h"
#include "core/pass.h"
#include "core/statistics.h"
#include "documents/load_save.h"

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
    if (handler != nullptr) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    menu->addAction(action);
    actions_[action->objectName()] = action;
    return action;
}

void TMainForm::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
    AddCommand(file, "Open1", "Загрузить текст", "Ctrl+L", true, &TMainForm::Open1Click);
    AddCommand(file, "Save1", "Сохранить текст", "Ctrl+Alt+S", false, &TMainForm::Save1Click);
    AddCommand(file, "Saveas1", "Сохранить текст как", "Ctrl+S", false, &TMainForm::Saveas1Click);
    AddCommand(file, "Close1", "Очистить текстовое окно", nullptr, false, &TMainForm::Close1Click);
    AddCommand(file, "OpenDic1", "Загрузить основной словарь", nullptr, true,
               &TMainForm::OpenDic1Click);
    AddCommand(file, "OpenRegExprDic1", "Загрузить словарь регулярных выражений", nullptr, true,
               &TMainForm::OpenRegExprDic1Click);
    file->addSeparator();
    auto* exit = new QAction(QStringLiteral("Выход"), this);
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    file->addAction(exit);
    actions_[exit->objectName()] = exit;

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Редактировать"));
    QAction* cut = AddCommand(edit, "Cut1", "Вырезать", "Ctrl+X", true, nullptr);
    QAction* copy = AddCommand(edit, "Copy1", "Копировать", "Ctrl+C", true, nullptr);
    QAction* paste =
        AddCommand(edit, "Paste1", "Вставить", "Ctrl+V", true, &TMainForm::Paste1Click);
    connect(cut, &QAction::triggered, this, [this] { buffer_->CutSelection(); });
    connect(copy, &QAction::triggered, this, [this] { buffer_->CopySelection(); });
    QAction* selectAll = AddCommand(edit, "Selectall1", "Выделить всё", "Ctrl+A", true, nullptr);
    connect(selectAll, &QAction::triggered, this, [this] { buffer_->SelectAllText(); });
    edit->addSeparator();
    AddCommand(edit, "Undo1", "Откат", "Ctrl+Z", false, &TMainForm::Undo1Click);
    // The editor's popup menu holds the three clipboard commands.
    editor_->addAction(cut);
    editor_->addAction(copy);
    editor_->addAction(paste);

    QMenu* umlo = menuBar()->addMenu(QStringLiteral("Ёфикация"));
    AddCommand(umlo, "Umlopos1", "Ёфицировать с текущей позиции", "F9", true,
               &TMainForm::Umlopos1Click);
    AddCommand(umlo, "Umlobegin1", "Ёфицировать с начала текста", "Ctrl+F9", true,
               &TMainForm::Umlobegin1Click);
    AddCommand(umlo, "Clearstat1", "Обнулить статистику", "Shift+F10", true,
               &TMainForm::Clearstat1Click);
    AddCommand(umlo, "Clearusersel1", "Сбросить \"Всегда Е/Ё\"", nullptr, false,
               &TMainForm::Clearusersel1Click);
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
    }
    RefreshCommands();
}

void TMainForm::RefreshCommands() {
    const bool t = buffer_->TextLength() > 0;
    const bool s = buffer_->SelLength() > 0;
    const bool d = dic_.Count() > 0;
    for (const char* name : {"Saveas1", "Close1", "Selectall1", "Find1", "Findreg1", "Fileprop1"}) {
        EnableCommand(QString::fromLatin1(name), t);
    }
    EnableCommand(QStringLiteral("Save1"), files_->CanSaveCurrent());
    for (const char* name : {"Cut1", "Copy1", "Copytodicedit1"}) {
        EnableCommand(QString::fromLatin1(name), t && s);
    }
    EnableCommand(QStringLiteral("Umlobegin1"), t && d);
    EnableCommand(QStringLiteral("Umlopos1"), t && d);
    EnableCommand(QStringLiteral("Umlocollect1"), t && d && values_.EditorEnabled);
    EnableCommand(QStringLiteral("Clearfilelist1"), recent_->Count() > 0);
    const bool places = !engine_->ReplacementPositions().empty();
    EnableCommand(QStringLiteral("Findyyfwd1"), places);
    EnableCommand(QStringLiteral("Findyyback1"), places);
    const bool decided = engine_->Counters().Decided > 0;
    EnableCommand(QStringLiteral("Clearstat1"), decided);
    EnableCommand(QStringLiteral("Stat1"), decided);
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
    ResetStatistics(engine_->Counters(), dic_, regExprs_, *host_);
    RefreshCommands();
}

void TMainForm::Clearusersel1Click() {
    umlo::Clearusersel1Click(dic_, *host_);
}

void TMainForm::OpenDic1Click() {
    if (auto path = RunDictionaryDialog(this, start_.programFolder, values_.DictionaryPath)) {
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
            RunDictionaryDialog(this, start_.programFolder, values_.RegExprDictionaryPath)) {
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
