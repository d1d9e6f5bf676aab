// The other windows as the main window opens them: the toolbar, the options
// dialog and the rest as they are wired.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/about_form.h"
#include "app/file_prop_form.h"
#include "app/find_dialog.h"
#include "app/options_form.h"
#include "app/stat_form.h"
#include "app/tool_bar.h"
#include "dicedit/dic_edit_form.h"
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

TEST_F(MainWindowFormsTest, StatisticsFilePropertiesAndAboutOpenModally) {
    StartWindow("мёд\n");
    LoadText("мед");
    EXPECT_FALSE(Enabled("Stat1"));
    Trigger("Umlobegin1");
    ASSERT_TRUE(Enabled("Stat1"));
    bool statShown = false;
    OnModal([&](QWidget& modal) {
        statShown = qobject_cast<TStatForm*>(&modal) != nullptr;
        modal.close();
    });
    Trigger("Stat1");
    EXPECT_TRUE(statShown);

    bool propShown = false;
    OnModal([&](QWidget& modal) {
        propShown = qobject_cast<TFilePropForm*>(&modal) != nullptr;
        modal.close();
    });
    Trigger("Fileprop1");
    EXPECT_TRUE(propShown);

    QString mainDictionary;
    OnModal([&](QWidget& modal) {
        if (qobject_cast<TAboutForm*>(&modal) != nullptr) {
            mainDictionary = modal.findChild<QLabel*>(QStringLiteral("MainDictionary"))->text();
        }
        modal.close();
    });
    Trigger("About1");
    EXPECT_TRUE(mainDictionary.contains(QStringLiteral("umlox.dat")))
        << mainDictionary.toStdString();
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowFormsTest, ClearingTheStatisticsAsksAndTakesTheMarksOff) {
    StartWindow("мёд\n");
    LoadText("мед");
    Trigger("Umlobegin1");
    ASSERT_NE(Editor().FormatAt(1), CharFormat{});
    boxAnswers_ = {MessageResult::No};
    Trigger("Clearstat1");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Warning);
    EXPECT_TRUE(Enabled("Clearstat1"));
    boxAnswers_ = {MessageResult::Yes};
    Trigger("Clearstat1");
    EXPECT_FALSE(Enabled("Clearstat1"));
    EXPECT_FALSE(Enabled("Stat1"));
    EXPECT_EQ(Editor().FormatAt(1), CharFormat{});
}

TEST_F(MainWindowFormsTest, DictionaryEditorReplacesTheMainWindowWhileOpen) {
    StartWindow("мёд\n");
    LoadText("мед");
    window_->EnableCommand(QStringLiteral("EditDic1"), true);
    bool editorShown = false;
    bool mainHidden = false;
    bool menusOff = false;
    QRect place;
    OnModal([&](QWidget& modal) {
        editorShown = qobject_cast<TDicEditForm*>(&modal) != nullptr;
        mainHidden = window_->isHidden();
        menusOff = !Enabled("Open1") && !window_->Tools().isEnabled();
        place = modal.geometry();
        modal.close();
    });
    const QRect mainPlace = window_->geometry();
    Trigger("EditDic1");
    EXPECT_TRUE(editorShown);
    EXPECT_TRUE(mainHidden);
    EXPECT_TRUE(menusOff);
    EXPECT_EQ(place.size(), mainPlace.size());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(Enabled("Open1"));
    EXPECT_TRUE(window_->Tools().isEnabled());
}

TEST_F(MainWindowFormsTest, EscStopsACollection) {
    StartWindow("мёд\n");
    constexpr int kWords = 3000;
    std::string text;
    for (int i = 0; i < kWords; ++i) {
        text += "вёдро ";
    }
    LoadText(text);
    window_->Values().EditorEnabled = true;
    window_->RefreshCommands();
    Editor().SetCaret(0);
    // Esc comes while the scan runs, as soon as the first word is collected.
    bool posted = false;
    bool closedUnderTheScan = true;
    auto& wordPane = dynamic_cast<QtTextBuffer&>(window_->DicEdit().WordPane());
    QObject::connect(&wordPane.Widget(), &QPlainTextEdit::textChanged, [&] {
        if (!posted) {
            posted = true;
            closedUnderTheScan = window_->close();
            QCoreApplication::postEvent(
                &Editor().Widget(),
                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
    });
    Trigger("Umlocollect1");
    ASSERT_TRUE(posted);
    EXPECT_FALSE(closedUnderTheScan);
    EXPECT_TRUE(window_->isVisible());
    const size_t collected = WordLines().size();
    EXPECT_GT(collected, 0u);
    EXPECT_LT(collected, static_cast<size_t>(kWords));
    EXPECT_EQ(QStringToUtf8(ToQString(Text())), text);
    // Keys reach the editor again afterwards.
    Editor().Widget().setFocus();
    QTest::keyClick(&Editor().Widget(), Qt::Key_X);
    EXPECT_NE(Text().find(u'x'), std::u16string::npos);
}

TEST_F(MainWindowFormsTest, TheFindDialogSearchesTheDictionaryEditorsPaneWhileItIsOpen) {
    StartWindow("мёд\n");
    window_->EnableCommand(QStringLiteral("EditDic1"), true);
    FindDialog& find = window_->FindBox();
    std::u16string selected;
    bool childOfEditor = false;
    OnModal([&](QWidget& modal) {
        auto* editor = qobject_cast<TDicEditForm*>(&modal);
        ASSERT_NE(editor, nullptr);
        TextBuffer& words = editor->WordPane();
        words.SetAllText(u"ёж\rёлка");
        words.SetCaret(0);
        editor->WordEditorWidget().setFocus();
        editor->Action(QStringLiteral("Find1"))->trigger();
        childOfEditor = find.parentWidget() == editor && find.isVisible();
        find.TextField().setText(QStringLiteral("ёлка"));
        QTest::mouseClick(&find.FindNextButton(), Qt::LeftButton);
        selected = words.SelectedText();
        find.reject();
        modal.close();
    });
    Trigger("EditDic1");
    EXPECT_TRUE(childOfEditor);
    EXPECT_EQ(selected, u"ёлка");
    EXPECT_EQ(find.parentWidget(), window_.get());
    // Back in the main window, "Найти" searches the main editor again.
    LoadText("мед ёлка");
    Editor().SetCaret(0);
    Trigger("Find1");
    QTest::mouseClick(&find.FindNextButton(), Qt::LeftButton);
    EXPECT_EQ(Editor().SelStart(), 4);
    EXPECT_EQ(Editor().SelLength(), 4);
    find.reject();
}

} // namespace
} // namespace umlo
