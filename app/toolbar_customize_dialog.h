// The toolbar-customization dialog: the offered commands on the left, the
// toolbar's entries on the right; buttons and double-clicks move commands
// and separators between them and reorder the bar. The toolbar changes only
// when the dialog is accepted.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>

#include <vector>

#include "documents/toolbar_layout.h"

class QListWidget;
class QPushButton;

namespace umlo {

// A command that can have a toolbar button, as the dialog shows it.
struct ToolbarCommand {
    QString name;
    QString caption;
    QIcon picture;
};

class ToolbarCustomizeDialog : public QDialog {
    Q_OBJECT

public:
    // commands: the eligible commands in menu order; layout: the bar to start from.
    ToolbarCustomizeDialog(std::vector<ToolbarCommand> commands, ToolbarLayout layout,
                           QWidget* parent = nullptr);

    const ToolbarLayout& Layout() const { return layout_; }

    // What the dialog's buttons do, on the selected rows.
    void AddSelected();
    void RemoveSelected();
    void MoveSelected(int delta);

    QListWidget* OfferedList() const { return offered_; }
    QListWidget* BarList() const { return bar_; }

private:
    const ToolbarCommand* Find(const std::string& name) const;
    // Rebuilds both lists from the layout and selects the given rows.
    void Fill(int offeredRow, int barRow);
    void UpdateButtons();

    std::vector<ToolbarCommand> commands_;
    ToolbarLayout layout_;
    QListWidget* offered_ = nullptr;
    QListWidget* bar_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
};

} // namespace umlo
