// The other windows as the main window opens them: the toolbar, the options
// dialog and the rest as they are wired.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include "app/options_form.h"
#include "app/tool_bar.h"
#include "tests/app/main_window_fixture.h"

namespace umlo {
namespace {

class MainWindowFormsTest : public MainWindowFixture {
protected:
    // Runs step on the next modal window the command opens.
    void OnModal(std::function<void(QWidget&)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            step(*modal);
        });
    }
};

TEST_F(MainWindowFormsTest, ToolbarButtonsFollowTheirCommandsAndThePassMenus) {
    StartWindow("мёд\n");
    ToolBar& bar = window_->Tools();
    EXPECT_TRUE(bar.isHidden()); // ShowToolBar is off
    EXPECT_TRUE(bar.isEnabled());
    QAction* save = bar.CommandButton(QStringLiteral("Save1"));
    ASSERT_NE(save, nullptr);
    EXPECT_FALSE(save->isEnabled());
    LoadText("мед");
    EXPECT_TRUE(save->isEnabled());
    // Nothing after the marker is offered: the recent files are no commands.
    EXPECT_EQ(bar.CommandButton(QStringLiteral("Openfile1")), nullptr);
    window_->SetPassMenus(false);
    EXPECT_FALSE(bar.isEnabled());
    window_->SetPassMenus(true);
    EXPECT_TRUE(bar.isEnabled());
}

TEST_F(MainWindowFormsTest, OptionsApplyShowsTheToolbarAndCancelChangesNothing) {
    StartWindow("мёд\n");
    OnModal([](QWidget& modal) {
        EXPECT_NE(qobject_cast<TOptionsForm*>(&modal), nullptr);
        modal.findChild<QCheckBox*>(QStringLiteral("cbShowToolbar"))->setChecked(true);
        modal.findChild<QPushButton*>(QStringLiteral("bCancel"))->click();
    });
    Trigger("Options1");
    EXPECT_FALSE(window_->CurrentOptions().ShowToolBar);
    EXPECT_TRUE(window_->Tools().isHidden());

    OnModal([](QWidget& modal) {
        modal.findChild<QCheckBox*>(QStringLiteral("cbShowToolbar"))->setChecked(true);
        modal.findChild<QCheckBox*>(QStringLiteral("cbWordWrap"))->setChecked(true);
        modal.findChild<QPushButton*>(QStringLiteral("bOK"))->click();
    });
    LoadText("мед");
    Trigger("Options1");
    EXPECT_TRUE(window_->CurrentOptions().ShowToolBar);
    EXPECT_FALSE(window_->Tools().isHidden());
    EXPECT_NE(Editor().Widget().lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(window_->Modified()); // rewrapping is no change of the text
}

} // namespace
} // namespace umlo
