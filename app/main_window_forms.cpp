// The commands that reach the program's other windows: the dictionary
// editor, the statistics and file-properties windows, the options dialog, the
// about box and the home page.
#include <QAction>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QUrl>

#include "app/about_form.h"
#include "app/file_prop_form.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/options_form.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "app/stat_form.h"
#include "app/tool_bar.h"
#include "core/codepage.h"
#include "core/collection.h"
#include "core/pass.h"
#include "core/statistics.h"
#include "dicedit/dic_edit_form.h"
#include "documents/about_text.h"
#include "documents/load_save.h"
#include "documents/options_exchange.h"
#include "documents/search.h"
#include "documents/settings_location.h"
#include "documents/update_check.h"

namespace umlo {

void TMainForm::CreateForms() {
    aboutForm_ = new TAboutForm(this);

    DicEditContext context;
    // Its dialogs start where the dictionaries are, not in /usr/bin.
    context.programFolder = DataFolder(start_.programFolder);
    context.workFolder = settingsFolder_;
    context.mainDictionaryPath = [this] { return values_.DictionaryPath; };
    context.regExprDictionaryPath = [this] { return values_.RegExprDictionaryPath; };
    context.wordForms = &morphs_;
    context.openFind = [this](TextBuffer& pane, bool regExpr) {
        // The editor runs modal: the dialog must be its child to take input.
        if (findDialog_->parentWidget() != dicEdit_) {
            findDialog_->setParent(dicEdit_, findDialog_->windowFlags());
        }
        search_->OpenFindForPane(pane, regExpr);
    };
    context.reloadMainDictionary = [this] {
        LoadMainDictionary(dic_, values_.DictionaryPath, *host_);
    };
    context.reloadRegExprDictionary = [this] {
        LoadRegExprDictionary(regExprs_, values_.RegExprDictionaryPath, options_.CurrentOptions,
                              *host_);
    };
    dicEdit_ = new TDicEditForm(
        *host_, std::move(context),
        [](QPlainTextEdit& pane) { return std::make_unique<QtTextBuffer>(pane); }, this);

    // The statistics file is one of the logs: beside the settings, which for
    // an installed program is the user's folder, not /usr/bin.
    statForm_ = new TStatForm(dic_, regExprs_, *host_, settingsFolder_, this);
    filePropForm_ = new TFilePropForm(*host_, this);
    optionsForm_ = new TOptionsForm(this);
}

void TMainForm::ApplyEditorSwitch() {
    const bool on = values_.EditorEnabled;
    EnableCommand(QStringLiteral("EditDic1"), on);
    // A greyed item must say why it is grey and where to switch it on.
    const QString hint = on ? QString()
                            : QStringLiteral("Включается в «Настройки» → «Опции», вкладка "
                                             "«Редактор»: «Включить редактор словарей и сбор "
                                             "новых Ё»");
    for (const QString& name : {QStringLiteral("EditDic1"), QStringLiteral("Umlocollect1")}) {
        if (QAction* item = Action(name)) {
            item->setToolTip(hint);
        }
    }
}

void TMainForm::AppendToWordWindow(std::string_view word) {
    dicEdit_->AppendWord(Utf8ToCp1251(word));
}

void TMainForm::EditDic1Click() {
    if (PassRunning()) {
        return;
    }
    hide();
    SetPassMenus(false);
    dicEdit_->Execute(geometry());
    if (findDialog_->parentWidget() != this) {
        findDialog_->setParent(this, findDialog_->windowFlags());
    }
    SetPassMenus(true);
    show();
}

void TMainForm::Copytodicedit1Click() {
    const std::u16string selected = buffer_->SelectedText();
    if (selected.empty()) {
        return;
    }
    // The word window holds cp1251 lines: what cp1251 lacks becomes "?".
    dicEdit_->AppendWord(Utf16ToCp1251(selected));
}

void TMainForm::Umlocollect1Click() {
    if (PassRunning()) {
        return;
    }
    engine_->RegExprConfig().textPath = files_->CurrentPath();
    host_->SetScanActive(true);
    Umlocollect1(*engine_);
    host_->SetScanActive(false);
    RefreshCommands();
}

void TMainForm::Stat1Click() {
    statForm_->ShowModal();
}

void TMainForm::Fileprop1Click() {
    filePropForm_->ShowFileProperties(*buffer_, files_->CurrentPath(), files_->CurrentFormat());
}

void TMainForm::Options1Click() {
    if (PassRunning()) {
        return;
    }
    OptionsDialogInputs in;
    in.BackColor = FromQColor(editor_->palette().color(QPalette::Base));
    in.PlainText = (files_->CurrentFormat() & FormatRtf) == 0;
    in.RegExprDicLoaded = regExprs_.Count() > 0;
    in.EditorEnabled = values_.EditorEnabled;
    const OptionsResult result = optionsForm_->Execute(options_, in);
    const OptionsChange change = CommitOptionsDialog(options_, result);
    EditorSwitch editor{values_.EditorEnabled, editorEnabledSaved_};
    CommitEditorSwitch(editor, optionsForm_->EditorEnabledTicked(), result);
    if (editor.InForce != values_.EditorEnabled) {
        values_.EditorEnabled = editor.InForce;
        ApplyEditorSwitch();
        RefreshCommands();
    }
    editorEnabledSaved_ = editor.Saved;
    if (change.wordWrapChanged) {
        // Rewrapping is no change of the text.
        const bool wasModified = modified_;
        ApplyWordWrap(options_.CurrentOptions.WordWrap);
        SetModified(wasModified);
    }
    if (change.applied) {
        ApplyEditorFont();
        toolBar_->setVisible(options_.CurrentOptions.ShowToolBar);
    }
}

void TMainForm::About1Click() {
    aboutForm_->ShowAbout(AboutStateOf(dic_, values_.DictionaryPath, regExprs_,
                                       values_.RegExprDictionaryPath, options_.CurrentOptions));
}

void TMainForm::Moreabout1Click() {
    // Without a browser the command must not seem to do nothing.
    if (!QDesktopServices::openUrl(QUrl(Utf8ToQString(HomePageUrl())))) {
        host_->ShowError(HomePageNotOpenedMessage());
    }
}

} // namespace umlo
