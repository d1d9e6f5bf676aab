#include "app/tool_bar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

#include "app/toolbar_customize_dialog.h"
#include "app/toolbar_pictures.h"

namespace umlo {
namespace {

constexpr int kBarHeight = 24;
constexpr int kSeparatorWidth = 8;

const QString kRecentFilesMarker = QStringLiteral("Openfile0");

// The command's own picture when it is 16 pixels wide, else the program's one.
QIcon PictureOf(const QAction& command) {
    const QIcon own = command.icon();
    if (!own.isNull() &&
        own.actualSize(QSize(kPictureSize, kPictureSize)).width() == kPictureSize) {
        return own;
    }
    return CommandPicture(command.objectName());
}

std::vector<std::string> ToStd(const std::vector<QString>& names) {
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const QString& name : names) {
        result.push_back(name.toStdString());
    }
    return result;
}

} // namespace

ToolBar::ToolBar(const std::vector<QAction*>& commands, QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("ToolBar1"));
    setWindowTitle(QStringLiteral("Панель инструментов"));
    setToolTip(QStringLiteral("Дважды щёлкните здесь для настройки панели инструментов"));
    setIconSize(QSize(kPictureSize, kPictureSize));
    setFixedHeight(kBarHeight);
    setStyleSheet(
        QStringLiteral("QToolBar::separator:horizontal { width: %1px; }").arg(kSeparatorWidth));
    setMovable(false);
    setFloatable(false);
    // The main window's popup would hide the bar behind ShowToolBar's back.
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setVisible(false);
    setVisible(false);

    for (QAction* command : commands) {
        if (command == nullptr || command->isSeparator() || command->menu() != nullptr) {
            continue;
        }
        const QString name = command->objectName();
        if (name.isEmpty() || name == kRecentFilesMarker || buttons_.count(name) != 0) {
            continue;
        }
        const QIcon picture = PictureOf(*command);
        if (picture.isNull()) {
            continue;
        }
        auto* button = new QAction(picture, command->text(), this);
        button->setObjectName(name);
        button->setToolTip(command->toolTip());
        button->setEnabled(command->isEnabled());
        QPointer<QAction> guarded(command);
        connect(command, &QAction::changed, button, [button, guarded] {
            if (guarded) {
                button->setText(guarded->text());
                button->setToolTip(guarded->toolTip());
                button->setEnabled(guarded->isEnabled());
            }
        });
        connect(button, &QAction::triggered, this, [guarded] {
            if (guarded && guarded->isEnabled()) {
                guarded->trigger();
            }
        });
        buttons_[name] = {guarded, button};
        names_.push_back(name);
    }
    layout_ = ToolbarLayout(ToStd(names_));
}

std::vector<QAction*> ToolBar::MenuCommands(const QMenuBar& menuBar) {
    std::vector<QAction*> commands;
    for (QAction* top : menuBar.actions()) {
        const QMenu* menu = top->menu();
        if (menu == nullptr) {
            continue;
        }
        for (QAction* item : menu->actions()) {
            if (item->objectName() == kRecentFilesMarker) {
                break;
            }
            commands.push_back(item);
        }
    }
    return commands;
}

void ToolBar::LoadButtons(const std::vector<std::string>& saved) {
    layout_.Load(saved);
    Arrange();
}

QToolButton* ToolBar::FindButton(const QString& itemName) const {
    const auto it = buttons_.find(itemName);
    if (it == buttons_.end() || !layout_.OnBar(itemName.toStdString())) {
        return nullptr;
    }
    return qobject_cast<QToolButton*>(widgetForAction(it->second.button));
}

QAction* ToolBar::CommandButton(const QString& itemName) const {
    const auto it = buttons_.find(itemName);
    return it == buttons_.end() ? nullptr : it->second.button;
}

void ToolBar::Arrange() {
    for (QAction* action : actions()) {
        removeAction(action);
    }
    std::size_t separatorsUsed = 0;
    for (const std::string& entry : layout_.Bar()) {
        if (entry == kToolbarSeparator) {
            if (separatorsUsed == separators_.size()) {
                auto* separator = new QAction(this);
                separator->setSeparator(true);
                separators_.push_back(separator);
            }
            addAction(separators_[separatorsUsed++]);
            continue;
        }
        const auto it = buttons_.find(QString::fromStdString(entry));
        if (it == buttons_.end()) {
            continue;
        }
        addAction(it->second.button);
        if (QWidget* widget = widgetForAction(it->second.button)) {
            widget->setObjectName(it->first);
        }
    }
}

bool ToolBar::Customize() {
    std::vector<ToolbarCommand> commands;
    commands.reserve(names_.size());
    for (const QString& name : names_) {
        const QAction* button = buttons_.at(name).button;
        commands.push_back({name, button->text(), button->icon()});
    }
    ToolbarCustomizeDialog dialog(std::move(commands), layout_, window());
    if (dialog.exec() != QDialog::Accepted || dialog.Layout() == layout_) {
        return false;
    }
    layout_ = dialog.Layout();
    Arrange();
    emit Customized();
    return true;
}

void ToolBar::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Customize();
        return;
    }
    QToolBar::mouseDoubleClickEvent(event);
}

} // namespace umlo
