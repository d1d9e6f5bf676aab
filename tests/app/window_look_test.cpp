// What the main window shows: the confirmation panel's sample line and its
// proposed answer, the caret panel, the commands' states and pictures, the
// caption, the caret after a font change and the messages of its commands.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <deque>
#include <functional>

#include "app/ask_panel.h"
#include "app/find_dialog.h"
#include "app/options_form.h"
#include "app/tool_bar.h"
#include "app/toolbar_pictures.h"
#include "documents/update_check.h"
#include "tests/app/main_window_fixture.h"

namespace umlo {
namespace {

class WindowLookTest : public MainWindowFixture {
protected:
    void Start() {
        StartWindow("всё?\nёлка\nмёд\n");
        AnswerQuestionsFromScript();
    }
    AskPanel& Panel() { return window_->Panel(); }
    QLabel& CaretPanel() { return *window_->findChild<QLabel*>(QStringLiteral("StatusPanel0")); }
    // Runs step on the next modal window the command opens.
    void OnModal(std::function<void(QWidget&)> step) {
        QTimer::singleShot(0, [step = std::move(step)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            step(*modal);
        });
    }
};

// The sample line shows the excerpt whole: a line of its font fits between
// its margins, so descenders and commas are not cut.
void ExpectWholeLine(const QPlainTextEdit& line) {
    const QFontMetrics metrics(line.font());
    const int margins = 2 * static_cast<int>(line.document()->documentMargin());
    EXPECT_GE(line.viewport()->height(), metrics.lineSpacing() + margins)
        << line.font().family().toStdString();
    EXPECT_LE(line.cursorRect().bottom(), line.viewport()->height());
}

TEST_F(WindowLookTest, TheSampleLineFitsItsFontAndTheProposalLooksProposed) {
    Start();
    LoadText("Все, кто рядом, - все пришли.\nЛюди у дороги. Все ли здесь?");
    std::vector<bool> defaults;
    script_.push_back([&](AskPanel& panel) {
        ExpectWholeLine(panel.ContextWidget());
        // The line sits inside the panel, above the buttons.
        EXPECT_LE(panel.ContextWidget().geometry().bottom(),
                  panel.Button(AskPanel::TagYe).mapTo(&panel, QPoint(0, 0)).y());
        QPushButton& plain = panel.Button(AskPanel::TagYe);
        QPushButton& diaeresis = panel.Button(AskPanel::TagUmlo);
        defaults = {plain.isDefault(), diaeresis.isDefault()};
        EXPECT_TRUE(plain.font().bold());
        EXPECT_FALSE(diaeresis.font().bold());
        EXPECT_TRUE(plain.hasFocus() || QApplication::focusWidget() == &plain);
        // The focus frame is drawn as after a Tab, not only after one.
        EXPECT_TRUE(panel.window()->testAttribute(Qt::WA_KeyboardFocusChange));
        QTest::keyClick(panel.window(), Qt::Key_Return);
    });
    // With ProposeLast the е-form answered first is proposed again: the
    // second question proposes it, the third shows the ё-form proposed.
    script_.push_back([&](AskPanel& panel) {
        QTest::mouseClick(&panel.Button(AskPanel::TagUmlo), Qt::LeftButton);
    });
    script_.push_back([&](AskPanel& panel) {
        defaults.push_back(panel.Button(AskPanel::TagYe).isDefault());
        defaults.push_back(panel.Button(AskPanel::TagUmlo).isDefault());
        QTest::keyClick(panel.window(), Qt::Key_Return);
    });
    Trigger("Umlobegin1");
    EXPECT_TRUE(script_.empty());
    ASSERT_EQ(defaults.size(), 4u);
    EXPECT_TRUE(defaults[0]);
    EXPECT_FALSE(defaults[1]);
    EXPECT_FALSE(defaults[2]);
    EXPECT_TRUE(defaults[3]);
    // Enter took the proposal each time: е first, ё last.
    EXPECT_EQ(Text(), u"Все, кто рядом, - всё пришли.\rЛюди у дороги. Всё ли здесь?");
    // Not asking: no button claims Enter.
    EXPECT_FALSE(Panel().Button(AskPanel::TagYe).isDefault());
    EXPECT_FALSE(Panel().Button(AskPanel::TagUmlo).isDefault());
}

TEST_F(WindowLookTest, TheSampleLineFollowsALargerEditorFont) {
    Start();
    LoadText("Все пришли, уйдя.");
    script_.push_back([&](AskPanel& panel) {
        ExpectWholeLine(panel.ContextWidget());
        QTest::keyClick(panel.window(), Qt::Key_Escape);
    });
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPointSize(40);
    window_->Editor().Widget().setFont(serif);
    Trigger("Umlobegin1");
    EXPECT_TRUE(script_.empty());
}

TEST_F(WindowLookTest, DuringAPassTheAskedWordCanGoToTheDictionaryEditorButNoRecentFile) {
    Start();
    LoadText("ёлка", QStringLiteral("first.txt"));
    LoadText("и все.");
    ASSERT_EQ(window_->RecentItems().size(), 2u);
    // The caret stands alone: nothing is selected when the pass begins.
    Editor().SetCaret(0);
    ASSERT_FALSE(Enabled("Copytodicedit1"));
    bool copyOn = false;
    std::vector<bool> recentOn;
    script_.push_back([&](AskPanel& panel) {
        copyOn = Enabled("Copytodicedit1");
        for (QAction* item : window_->RecentItems()) {
            recentOn.push_back(item->isEnabled());
        }
        Trigger("Copytodicedit1");
        QTest::keyClick(panel.window(), Qt::Key_Escape);
    });
    Trigger("Umlobegin1");
    EXPECT_TRUE(copyOn);
    EXPECT_EQ(recentOn, (std::vector<bool>{false, false}));
    EXPECT_EQ(WordLines(), std::vector<std::string>{"все"});
    for (QAction* item : window_->RecentItems()) {
        EXPECT_TRUE(item->isEnabled());
    }
    // Back to the selection rule after the pass.
    Editor().SetCaret(0);
    EXPECT_FALSE(Enabled("Copytodicedit1"));
}

TEST_F(WindowLookTest, TheCaretPanelHoldsLongNumbersWithoutRunningIntoTheSummary) {
    Start();
    std::string many;
    for (int i = 0; i < 12345; ++i) {
        many += "строка\n";
    }
    LoadText(many + "последняя строка текста");
    Editor().SetCaret(Editor().TextLength());
    QApplication::processEvents();
    QLabel& caret = CaretPanel();
    ASSERT_EQ(caret.text(), QStringLiteral("12346:24 (12346)"));
    EXPECT_GE(caret.width(), 75);
    EXPECT_GE(caret.contentsRect().width(), caret.fontMetrics().horizontalAdvance(caret.text()));
    const QLabel& summary = *window_->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    EXPECT_LE(caret.geometry().right(), summary.geometry().left());
    // Short positions keep the width: the summary does not jump about.
    const int wide = caret.width();
    Editor().SetCaret(0);
    EXPECT_EQ(caret.width(), wide);
}

TEST_F(WindowLookTest, TheStatusTooltipExplainsTheSummaryWithoutTypos) {
    Start();
    const QString tip = window_->statusBar()->toolTip();
    EXPECT_EQ(tip.count(QStringLiteral("без замены")), 3) << tip.toStdString();
    EXPECT_FALSE(tip.contains(QStringLiteral("земены")));
}

TEST_F(WindowLookTest, MenuItemsCarryTheToolbarPictures) {
    Start();
    for (QAction* command : ToolBar::MenuCommands(*window_->menuBar())) {
        if (command->isSeparator() || CommandPicture(command->objectName()).isNull()) {
            continue;
        }
        EXPECT_FALSE(command->icon().isNull()) << command->objectName().toStdString();
    }
    LoadText("мед");
    ASSERT_EQ(window_->RecentItems().size(), 1u);
    const QIcon recent = window_->RecentItems()[0]->icon();
    EXPECT_FALSE(recent.isNull());
    EXPECT_EQ(recent.cacheKey(), Item("Openfile0")->icon().cacheKey());
}

TEST_F(WindowLookTest, WithoutATextTheCaptionIsEmptyOnScreenToo) {
    Start();
    EXPECT_TRUE(window_->windowTitle().isEmpty());
    ASSERT_NE(window_->windowHandle(), nullptr);
    // The window system gets a blank: for an empty title Qt would send it
    // the program's name instead.
    EXPECT_FALSE(window_->windowHandle()->title().isEmpty());
    EXPECT_TRUE(window_->windowHandle()->title().trimmed().isEmpty());
    LoadText("мед\nи ещё");
    EXPECT_EQ(window_->windowHandle()->title(), QString::fromStdString(Path("text.txt")));
    Editor().SetCaret(Editor().TextLength());
    EXPECT_EQ(window_->StatusText(0), QStringLiteral("2:6 (2)"));
    Trigger("Close1");
    EXPECT_FALSE(window_->windowHandle()->title().isEmpty());
    EXPECT_TRUE(window_->windowHandle()->title().trimmed().isEmpty());
    // The caret panel speaks of the empty window, not of the text that was.
    EXPECT_EQ(window_->StatusText(0), QStringLiteral("1:1 (1)"));
    Editor().SetAllText(u"новый");
    EXPECT_EQ(window_->windowTitle(), QStringLiteral(" *"));
}

TEST_F(WindowLookTest, MoreAboutWithoutABrowserSaysSo) {
    Start();
    // The offscreen platform opens no web pages.
    Trigger("Moreabout1");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Error);
    EXPECT_NE(messages_[0].text.find(HomePageUrl()), std::string::npos) << messages_[0].text;
}

TEST_F(WindowLookTest, AFontChangeKeepsTheCaretAtTheEndInSight) {
    Start();
    std::string lines;
    for (int i = 0; i < 300; ++i) {
        lines += "строка " + std::to_string(i) + "\n";
    }
    LoadText(lines + "конец");
    QPlainTextEdit& editor = window_->Editor().Widget();
    Editor().SetCaret(Editor().TextLength());
    editor.ensureCursorVisible();
    QApplication::processEvents();
    ASSERT_TRUE(editor.viewport()->rect().contains(editor.cursorRect()));
    OnModal([](QWidget& modal) {
        auto& form = dynamic_cast<TOptionsForm&>(modal);
        form.SetFontChooser([](const FontChoice& preset) {
            FontChoice larger = preset;
            larger.Size = 24;
            return std::optional<FontChoice>(larger);
        });
        modal.findChild<QPushButton*>(QStringLiteral("bFont"))->click();
        modal.findChild<QPushButton*>(QStringLiteral("bOK"))->click();
    });
    Trigger("Options1");
    QApplication::processEvents();
    EXPECT_EQ(editor.font().pointSize(), 24);
    EXPECT_TRUE(editor.viewport()->rect().contains(editor.cursorRect()));
    // And back to a small font.
    OnModal([](QWidget& modal) {
        auto& form = dynamic_cast<TOptionsForm&>(modal);
        form.SetFontChooser([](const FontChoice& preset) {
            FontChoice smaller = preset;
            smaller.Size = 8;
            return std::optional<FontChoice>(smaller);
        });
        modal.findChild<QPushButton*>(QStringLiteral("bFont"))->click();
        modal.findChild<QPushButton*>(QStringLiteral("bOK"))->click();
    });
    Trigger("Options1");
    QApplication::processEvents();
    EXPECT_TRUE(editor.viewport()->rect().contains(editor.cursorRect()));
}

TEST_F(WindowLookTest, EnterInTheFindDialogSearchesEvenAfterCancel) {
    Start();
    LoadText("ещё еще и еще");
    Editor().SetCaret(0);
    Trigger("Find1");
    FindDialog& find = window_->FindBox();
    find.TextField().setText(QStringLiteral("еще"));
    auto* cancel = find.findChild<QPushButton*>(QStringLiteral("FindCancel"));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(find.isVisible());

    Trigger("Find1");
    ASSERT_TRUE(find.isVisible());
    // Enter wherever the focus was left, the cancel button included.
    QTest::keyClick(cancel, Qt::Key_Return);
    EXPECT_TRUE(find.isVisible());
    EXPECT_EQ(Editor().SelStart(), 4);
    EXPECT_EQ(Editor().SelLength(), 3);
    QTest::keyClick(&find.TextField(), Qt::Key_Return);
    EXPECT_TRUE(find.isVisible());
    EXPECT_EQ(Editor().SelStart(), 10);
    QTest::keyClick(&find.MatchCaseBox(), Qt::Key_Enter);
    EXPECT_TRUE(find.isVisible());
    // Nothing further: the selection collapses, the dialog stays.
    EXPECT_EQ(Editor().SelLength(), 0);
    find.close();
}

TEST_F(WindowLookTest, TheDictionaryEditorIsSwitchedOnFromTheOptions) {
    Start();
    LoadText("мед");
    ASSERT_FALSE(window_->Values().EditorEnabled);
    for (const char* name : {"EditDic1", "Umlocollect1"}) {
        EXPECT_FALSE(Enabled(name));
        EXPECT_TRUE(Item(name)->toolTip().contains(QStringLiteral("Опции"))) << name;
        EXPECT_TRUE(Item(name)->toolTip().contains(QStringLiteral("Включить редактор словарей")));
    }
    EXPECT_TRUE(window_->FileMenu()->toolTipsVisible());

    bool shownTicked = true;
    OnModal([&](QWidget& modal) {
        auto* box = modal.findChild<QCheckBox*>(QStringLiteral("cbEditorEnabled"));
        ASSERT_NE(box, nullptr);
        shownTicked = box->isChecked();
        box->setChecked(true);
        modal.findChild<QPushButton*>(QStringLiteral("bOK"))->click();
    });
    Trigger("Options1");
    EXPECT_FALSE(shownTicked);
    EXPECT_TRUE(window_->Values().EditorEnabled);
    for (const char* name : {"EditDic1", "Umlocollect1"}) {
        EXPECT_TRUE(Enabled(name)) << name;
        // The tooltip is the caption again.
        EXPECT_EQ(Item(name)->toolTip(), Item(name)->text()) << name;
    }
    // The toolbar's button says the same as its item.
    EXPECT_TRUE(window_->Tools().CommandButton(QStringLiteral("EditDic1"))->isEnabled());

    // Cancel leaves it as it is; unticking switches both off again.
    OnModal([](QWidget& modal) {
        modal.findChild<QCheckBox*>(QStringLiteral("cbEditorEnabled"))->setChecked(false);
        modal.findChild<QPushButton*>(QStringLiteral("bCancel"))->click();
    });
    Trigger("Options1");
    EXPECT_TRUE(Enabled("EditDic1"));
    OnModal([](QWidget& modal) {
        auto* box = modal.findChild<QCheckBox*>(QStringLiteral("cbEditorEnabled"));
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        modal.findChild<QPushButton*>(QStringLiteral("bOKSave"))->click();
    });
    Trigger("Options1");
    EXPECT_FALSE(Enabled("EditDic1"));
    EXPECT_FALSE(Enabled("Umlocollect1"));
    EXPECT_FALSE(window_->Tools().CommandButton(QStringLiteral("EditDic1"))->isEnabled());
}

} // namespace
} // namespace umlo
