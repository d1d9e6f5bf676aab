// The toolbar on the offscreen platform: built from the menu and the saved
// values, kept in step with the commands, rearranged in the customization
// dialog and saved back.
#include "app/tool_bar.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/toolbar_customize_dialog.h"
#include "core/options.h"
#include "documents/profile_file.h"
#include "documents/recent_files.h"
#include "documents/settings_file.h"

namespace umlo {
namespace {

using Names = std::vector<std::string>;

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QMainWindow>();
        QMenu* file = window_->menuBar()->addMenu(QStringLiteral("Файл"));
        Add(file, "Open1", "Загрузить текст");
        Add(file, "Save1", "Сохранить текст")->setEnabled(false);
        file->addSeparator();
        Add(file, "Exit1", "Выход");
        Add(file, "Openfile0", "")->setVisible(false);
        // A recent file after the marker, named like a command with a picture.
        Add(file, "Stat1", "/t/a.txt");
        QMenu* edit = window_->menuBar()->addMenu(QStringLiteral("Редактировать"));
        Add(edit, "Cut1", "Вырезать");
        edit->addSeparator();
        Add(edit, "Nopicture1", "Без картинки");
        Add(edit, "", "Без имени");
        edit->addMenu(QStringLiteral("Подменю"))->menuAction()->setObjectName("Sub1");
        QMenu* umlo = window_->menuBar()->addMenu(QStringLiteral("Ёфикация"));
        Add(umlo, "Umlopos1", "Ёфицировать с текущей позиции");
        Add(umlo, "Umlobegin1", "Ёфицировать с начала текста");

        bar_ = new ToolBar(ToolBar::MenuCommands(*window_->menuBar()), window_.get());
        window_->addToolBar(bar_);
        window_->resize(640, 400);
    }

    QAction* Add(QMenu* menu, const char* name, const char* caption) {
        auto* action = new QAction(QString::fromUtf8(caption), window_.get());
        action->setObjectName(QString::fromLatin1(name));
        menu->addAction(action);
        return action;
    }

    QAction* Command(const char* name, int nth = 0) {
        QList<QAction*> found;
        for (QAction* a : window_->findChildren<QAction*>(QString::fromLatin1(name))) {
            if (a->parent() == window_.get()) {
                found.push_back(a);
            }
        }
        return found.value(nth);
    }

    // What stands on the bar: item names, "-" for a separator.
    Names Shown() const {
        Names shown;
        for (QAction* action : bar_->actions()) {
            shown.push_back(action->isSeparator() ? "-" : action->objectName().toStdString());
        }
        return shown;
    }

    // Works the dialog once it is open, then closes it with OK or Cancel.
    void WhenDialogOpens(std::function<void(ToolbarCustomizeDialog&)> work, bool accept) {
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [this, work, accept, poll] {
            auto* dialog = window_->findChild<ToolbarCustomizeDialog*>();
            if (dialog == nullptr || !dialog->isVisible()) {
                QTimer::singleShot(10, *poll);
                return;
            }
            work(*dialog);
            if (accept) {
                dialog->accept();
            } else {
                dialog->reject();
            }
        };
        QTimer::singleShot(0, *poll);
    }

    static void Select(QListWidget* list, const QString& caption) {
        const auto items = list->findItems(caption, Qt::MatchExactly);
        ASSERT_FALSE(items.isEmpty()) << caption.toStdString();
        list->setCurrentItem(items.front());
    }

    static void Click(ToolbarCustomizeDialog& dialog, const char* button) {
        auto* push = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(push, nullptr);
        ASSERT_TRUE(push->isEnabled()) << button;
        QTest::mouseClick(push, Qt::LeftButton);
    }

    std::unique_ptr<QMainWindow> window_;
    ToolBar* bar_ = nullptr;
};

TEST_F(ToolBarTest, StartsEmptyAndHiddenWithItsTooltip) {
    window_->show();
    EXPECT_FALSE(bar_->isVisible());
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(bar_->toolTip(),
              QStringLiteral("Дважды щёлкните здесь для настройки панели инструментов"));
    EXPECT_EQ(bar_->height(), 24);
    EXPECT_EQ(bar_->iconSize(), QSize(16, 16));
}

TEST_F(ToolBarTest, OnlyMenuCommandsWithAPictureBeforeTheRecentFilesAreOffered) {
    EXPECT_EQ(bar_->Layout().Eligible(),
              (Names{"Open1", "Save1", "Exit1", "Cut1", "Umlopos1", "Umlobegin1"}));
    EXPECT_EQ(bar_->CommandButton("Nopicture1"), nullptr);
    EXPECT_EQ(bar_->CommandButton("Openfile0"), nullptr);
    EXPECT_EQ(bar_->CommandButton("Sub1"), nullptr);
    EXPECT_EQ(bar_->CommandButton("Stat1"), nullptr); // after the marker
    ASSERT_NE(bar_->CommandButton("Umlobegin1"), nullptr);
    EXPECT_EQ(bar_->CommandButton("Umlobegin1")->text(),
              QStringLiteral("Ёфицировать с начала текста"));
}

TEST_F(ToolBarTest, SavedValuesBuildTheBarInKeyOrder) {
    bar_->LoadButtons({"Open1", "-", "Umlopos1"});
    EXPECT_EQ(Shown(), (Names{"Open1", "-", "Umlopos1"}));
    QToolButton* open = bar_->FindButton("Open1");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->objectName(), QStringLiteral("Open1"));
    EXPECT_EQ(open->toolTip(), QStringLiteral("Загрузить текст"));
    EXPECT_EQ(open->defaultAction()->icon().actualSize(QSize(16, 16)), QSize(16, 16));
    EXPECT_EQ(bar_->FindButton("Save1"), nullptr); // has a button, not on the bar
    EXPECT_EQ(bar_->SavedButtons(), (Names{"Open1", "-", "Umlopos1"}));
    window_->show();
    bar_->show();
    QWidget* separator = bar_->widgetForAction(bar_->actions().at(1));
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(separator->width(), 8);
}

TEST_F(ToolBarTest, BadSavedValuesAreSkipped) {
    bar_->LoadButtons({"Bogus", "Openfile0", "Nopicture1", "open1", "Cut1", "Sub1", "Cut1", "-"});
    EXPECT_EQ(Shown(), (Names{"Cut1", "-"}));
    bar_->LoadButtons({});
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ToolBarTest, ButtonsFollowTheirCommands) {
    bar_->LoadButtons({"Save1", "Open1"});
    QAction* save = Command("Save1");
    QToolButton* button = bar_->FindButton("Save1");
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->isEnabled());
    save->setEnabled(true);
    EXPECT_TRUE(button->isEnabled());

    int runs = 0;
    QObject::connect(save, &QAction::triggered, [&runs] { ++runs; });
    window_->show();
    bar_->show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    save->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    bar_->CommandButton("Save1")->trigger();
    EXPECT_EQ(runs, 1);

    // A button off the bar keeps following, so it is right when put back.
    save->setText(QStringLiteral("Сохранить"));
    save->setEnabled(true);
    bar_->LoadButtons({"Open1"});
    EXPECT_TRUE(bar_->CommandButton("Save1")->isEnabled());
    EXPECT_EQ(bar_->CommandButton("Save1")->toolTip(), QStringLiteral("Сохранить"));
}

TEST_F(ToolBarTest, DoubleClickCustomizesAddRemoveAndReorder) {
    bar_->LoadButtons({"Open1", "Cut1"});
    window_->show();
    bar_->show();
    QSignalSpy customized(bar_, &ToolBar::Customized);
    WhenDialogOpens(
        [this](ToolbarCustomizeDialog& dialog) {
            QListWidget* offered = dialog.OfferedList();
            QListWidget* onBar = dialog.BarList();
            ASSERT_EQ(offered->count(), 5); // the separator, Save1, Exit1, Umlopos1, Umlobegin1
            EXPECT_EQ(offered->item(0)->text(), QStringLiteral("Разделитель"));
            EXPECT_EQ(onBar->count(), 2);
            // After "Загрузить текст": a separator, then "Ёфицировать…".
            Select(onBar, QStringLiteral("Загрузить текст"));
            Select(offered, QStringLiteral("Разделитель"));
            Click(dialog, "AddButton");
            Select(offered, QStringLiteral("Ёфицировать с текущей позиции"));
            Click(dialog, "AddButton");
            // "Вырезать" off the bar and back among the offered ones.
            Select(onBar, QStringLiteral("Вырезать"));
            Click(dialog, "RemoveButton");
            EXPECT_EQ(offered->findItems(QStringLiteral("Вырезать"), Qt::MatchExactly).size(), 1);
            // "Загрузить текст" down to the end.
            Select(onBar, QStringLiteral("Загрузить текст"));
            Click(dialog, "DownButton");
            Click(dialog, "DownButton");
            EXPECT_FALSE(dialog.findChild<QPushButton*>("DownButton")->isEnabled());
        },
        true);
    QTest::mouseDClick(bar_, Qt::LeftButton, Qt::NoModifier, QPoint(bar_->width() - 5, 12));
    EXPECT_EQ(Shown(), (Names{"-", "Umlopos1", "Open1"}));
    EXPECT_EQ(bar_->SavedButtons(), (Names{"-", "Umlopos1", "Open1"}));
    EXPECT_EQ(customized.count(), 1);
    EXPECT_EQ(bar_->FindButton("Cut1"), nullptr);
}

TEST_F(ToolBarTest, CancelledCustomizationChangesNothing) {
    bar_->LoadButtons({"Open1", "-"});
    QSignalSpy customized(bar_, &ToolBar::Customized);
    WhenDialogOpens(
        [](ToolbarCustomizeDialog& dialog) {
            dialog.BarList()->setCurrentRow(0);
            dialog.RemoveSelected();
            dialog.RemoveSelected();
            EXPECT_EQ(dialog.BarList()->count(), 0);
        },
        false);
    EXPECT_FALSE(bar_->Customize());
    EXPECT_EQ(Shown(), (Names{"Open1", "-"}));
    EXPECT_EQ(customized.count(), 0);
}

TEST_F(ToolBarTest, ArrangementSurvivesTheSettingsFile) {
    bar_->LoadButtons({"Save1", "-", "Open1", "-", "Exit1"});
    ProfileFile file;
    file.SetText("[ToolBar]\nToolButton6=Old\nToolButton50=Old\n");
    OptionCopies options;
    SettingsValues values;
    values.ToolButtons = bar_->SavedButtons();
    WriteSettings(file, options, values, RecentFiles(), "");
    EXPECT_EQ(file.ReadString("ToolBar", "ToolButton2", ""), "-");
    EXPECT_FALSE(file.HasKey("ToolBar", "ToolButton6"));
    EXPECT_FALSE(file.HasKey("ToolBar", "ToolButton50"));

    SettingsValues read;
    RecentFiles recent;
    ReadSettings(file, SettingsContext(), options, read, recent);
    ToolBar again(ToolBar::MenuCommands(*window_->menuBar()));
    again.LoadButtons(read.ToolButtons);
    EXPECT_EQ(again.SavedButtons(), (Names{"Save1", "-", "Open1", "-", "Exit1"}));

    // An empty bar deletes every ToolButton key.
    values.ToolButtons = ToolBar(ToolBar::MenuCommands(*window_->menuBar())).SavedButtons();
    WriteSettings(file, options, values, RecentFiles(), "");
    EXPECT_FALSE(file.HasKey("ToolBar", "ToolButton1"));
}

TEST(ToolbarCustomizeDialogTest, AddsAfterTheSelectionAndStopsAtAFullBar) {
    std::vector<ToolbarCommand> commands = {{"A1", "А", QIcon()}, {"B1", "Б", QIcon()}};
    ToolbarLayout layout({"A1", "B1"});
    ToolbarCustomizeDialog dialog(commands, layout);
    QListWidget* offered = dialog.OfferedList();
    QListWidget* onBar = dialog.BarList();
    EXPECT_EQ(onBar->currentRow(), -1);
    // Nothing selected on the bar: appended; each new entry becomes the selection.
    offered->setCurrentRow(1); // "А"
    dialog.AddSelected();
    EXPECT_EQ(offered->currentItem()->text(), QStringLiteral("Б"));
    dialog.AddSelected();
    EXPECT_EQ(dialog.Layout().Bar(), (Names{"A1", "B1"}));
    EXPECT_EQ(offered->count(), 1); // only the separator is left
    onBar->setCurrentRow(0);
    dialog.MoveSelected(-1); // already at the top
    dialog.MoveSelected(1);
    EXPECT_EQ(dialog.Layout().Bar(), (Names{"B1", "A1"}));

    offered->setCurrentRow(0);
    auto* add = dialog.findChild<QPushButton*>("AddButton");
    while (!dialog.Layout().Full()) {
        dialog.AddSelected();
    }
    EXPECT_EQ(dialog.Layout().Bar().size(), kMaxToolbarEntries);
    EXPECT_FALSE(add->isEnabled());
    dialog.AddSelected();
    EXPECT_EQ(dialog.Layout().Bar().size(), kMaxToolbarEntries);
}

} // namespace
} // namespace umlo
