// The main window's search commands: the find dialog, "Найти снова" and the
// jumps between the letters the pass changed.
#include <QPlainTextEdit>

#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/pass.h"
#include "documents/search.h"

namespace umlo {

void TMainForm::CreateSearch() {
    findDialog_ = new FindDialog(this);
    findDialog_->SetFocusHandler([](TextBuffer& target) {
        // The main editor and the dictionary editor's panes are all Qt buffers.
        if (auto* qt = dynamic_cast<QtTextBuffer*>(&target)) {
            qt->Widget().setFocus();
        }
    });
    findDialog_->SetCaptionHandler([this](std::string_view caption) {
        SetCommandCaption(QStringLiteral("Findagain1"), Utf8ToQString(caption));
    });
    search_ = std::make_unique<TextSearch>(*buffer_, *findDialog_, *host_);
    connect(findDialog_, &FindDialog::findNextClicked, this, [this] {
        if (!PassRunning()) {
            search_->FindNextClicked();
        }
    });
    connect(findDialog_, &FindDialog::closed, this, [this] { search_->FindDialogClosed(); });
}

void TMainForm::Find1Click() {
    search_->OpenFind(false);
}

void TMainForm::Findreg1Click() {
    search_->OpenFind(true);
}

void TMainForm::Findagain1Click() {
    search_->FindAgain();
}

void TMainForm::Findyyfwd1Click() {
    search_->NextReplacement(engine_->ReplacementPositions());
}

void TMainForm::Findyyback1Click() {
    search_->PreviousReplacement(engine_->ReplacementPositions());
}

} // namespace umlo
