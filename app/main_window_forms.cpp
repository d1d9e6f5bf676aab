// The commands that reach the program's other windows: the dictionary
// editor, the statistics and file-properties windows, the options dialog, the
// about box and the home page.
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QUrl>

#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/main_window_states.h"
#include "app/options_form.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "app/tool_bar.h"
#include "core/codepage.h"
#include "core/collection.h"
#include "core/pass.h"
#include "documents/load_save.h"

namespace umlo {
namespace {

constexpr std::string_view kUpdateHost = "umlo.narod.ru";

} // namespace

void TMainForm::AppendToWordWindow(std::string_view word) {
    pendingWords_.emplace_back(word);
}

void TMainForm::EditDic1Click() {}

void TMainForm::Copytodicedit1Click() {
    const std::u16string selected = buffer_->SelectedText();
    if (selected.empty()) {
        return;
    }
    // The word window holds cp1251 lines: what cp1251 lacks becomes "?".
    AppendToWordWindow(Cp1251ToUtf8(Utf16ToCp1251(selected)));
}

void TMainForm::Umlocollect1Click() {
    if (PassRunning()) {
        return;
    }
    engine_->RegExprConfig().textPath = files_->CurrentPath();
    Umlocollect1(*engine_);
    RefreshCommands();
}

void TMainForm::Stat1Click() {}

void TMainForm::Fileprop1Click() {}

void TMainForm::Options1Click() {
    if (PassRunning()) {
        return;
    }
    OptionsDialogInputs in;
    in.BackColor = FromQColor(editor_->palette().color(QPalette::Base));
    in.PlainText = (files_->CurrentFormat() & FormatRtf) == 0;
    in.RegExprDicLoaded = regExprs_.Count() > 0;
    const OptionsResult result = optionsForm_->Execute(options_, in);
    const OptionsChange change = CommitOptionsDialog(options_, result);
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

void TMainForm::About1Click() {}

void TMainForm::Moreabout1Click() {
    QDesktopServices::openUrl(QUrl(Utf8ToQString(HomePageAddress(kUpdateHost))));
}

} // namespace umlo
