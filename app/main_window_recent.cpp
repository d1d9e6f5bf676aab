// The recent files at the end of the "Файл" menu: a separator and one item per
// entry, Ctrl+1 to Ctrl+9 by place, rebuilt whenever the list changes.
#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/pass.h"
#include "documents/load_save.h"

namespace umlo {

void TMainForm::RebuildRecentMenu() {
    // An item may be the one whose command runs now: delete it later.
    for (QAction* item : recentItems_) {
        fileMenu_->removeAction(item);
        item->deleteLater();
    }
    recentItems_.clear();
    const std::vector<RecentEntry>& entries = recent_->Entries();
    if (entries.empty()) {
        if (recentSeparator_ != nullptr) {
            fileMenu_->removeAction(recentSeparator_);
            recentSeparator_->deleteLater();
            recentSeparator_ = nullptr;
        }
        return;
    }
    if (recentSeparator_ == nullptr) {
        recentSeparator_ = fileMenu_->addSeparator();
    }
    const QAction* marker = Action(QStringLiteral("Openfile0"));
    for (size_t i = 0; i < entries.size(); ++i) {
        const int place = static_cast<int>(i) + 1;
        auto* item = new QAction(Utf8ToQString(entries[i].Path), this);
        item->setObjectName(QStringLiteral("Openfile%1").arg(place));
        item->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(place)));
        item->setEnabled(!passMenusOff_);
        if (marker != nullptr) {
            item->setIcon(marker->icon());
        }
        // The place, not the path: the entries scroll under the items.
        connect(item, &QAction::triggered, this, [this, place] { OpenRecentClick(place); });
        fileMenu_->addAction(item);
        recentItems_.push_back(item);
    }
}

void TMainForm::OpenRecentClick(int place) {
    if (PassRunning()) {
        return;
    }
    OpenRecent(
        *recent_, place, files_->CurrentPath(), *buffer_,
        [this] { return files_->AskSaveChanges(); },
        [this](const std::string& path, TextFormat format) {
            return files_->LoadText(path, format);
        });
}

void TMainForm::Clearfilelist1Click() {
    recent_->ClearRecent(*host_);
}

} // namespace umlo
