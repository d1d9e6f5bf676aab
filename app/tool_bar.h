// The main window's toolbar: buttons that stand for menu commands, arranged
// by the user. Every command with a 16×16 picture gets one button, made once
// and kept for the whole run on or off the bar; the button shows the
// command's caption as its tooltip, runs the command and is enabled exactly
// when the command is. A double click on the bar opens the customization
// dialog. The arrangement comes from and goes back to the ToolButton values
// of the settings file.
#pragma once

#include <QPointer>
#include <QString>
#include <QToolBar>

#include <map>
#include <string>
#include <vector>

#include "documents/toolbar_layout.h"

class QAction;
class QMenuBar;
class QMouseEvent;
class QToolButton;

namespace umlo {

class ToolBar : public QToolBar {
    Q_OBJECT

public:
    // commands: the menu commands in menu order (see MenuCommands). Those
    // with a 16×16 picture of their own, or one the program draws for their
    // name, get a button; separators, submenus and nameless items get none.
    // The bar starts empty and hidden.
    explicit ToolBar(const std::vector<QAction*>& commands, QWidget* parent = nullptr);

    // The items of the menu bar's drop-down menus in order, each menu up to
    // its hidden item Openfile0, where the recent files begin.
    static std::vector<QAction*> MenuCommands(const QMenuBar& menuBar);

    // Puts the saved entries on the bar: the ToolButton values in key order.
    // Names of no command with a button are skipped.
    void LoadButtons(const std::vector<std::string>& saved);
    // The entries on the bar in order, "-" for a separator: the values to save.
    std::vector<std::string> SavedButtons() const { return layout_.Bar(); }
    const ToolbarLayout& Layout() const { return layout_; }

    // The button of the named command while it stands on the bar, else nullptr.
    QToolButton* FindButton(const QString& itemName) const;
    // The named command's button action, on the bar or not; nullptr when the
    // command has no button.
    QAction* CommandButton(const QString& itemName) const;

    // Opens the customization dialog; returns true when the user accepted a
    // changed arrangement, which is then on the bar.
    bool Customize();

signals:
    // The bar was rearranged in the customization dialog.
    void Customized();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Puts the layout's entries on the bar afresh.
    void Arrange();

    struct Button {
        QPointer<QAction> command;
        QAction* button = nullptr;
    };
    std::vector<QString> names_; // commands with a button, in menu order
    std::map<QString, Button> buttons_;
    std::vector<QAction*> separators_; // made as needed, reused
    ToolbarLayout layout_;
};

} // namespace umlo
