// The dictionary editor's window on the offscreen platform: its menu, its
// keys, the modal run with the close query, and the panes' notifications.
#include "dicedit/dic_edit_form.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/qt_text_buffer.h"
#include "core/codepage.h"
#include "core/morpho_gen.h"
#include "dicedit/morph_form.h"
#include "dicedit/pane_lines.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

std::unique_ptr<TextBuffer> QtBuffer(QPlainTextEdit& pane) {
    return std::make_unique<QtTextBuffer>(pane);
}

class DicEditFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = umlo::testing::FreshTestFolder("umlo_dicform");
        mainPath = (folder / "umlox.dat").string();
        testing::WriteBytes(mainPath, Cp("ёж\r\nёлка\r\nёрш\r\n"));
        DicEditContext context;
        context.programFolder = folder.string();
        context.mainDictionaryPath = [this] { return mainPath; };
        context.regExprDictionaryPath = [] { return std::string(); };
        rules.LoadRulesFromText(Cp("=Существительное\r\nж.р.:[кг]а:1:а,и,е\r\n"));
        context.wordForms = &rules;
        context.openFind = [this](TextBuffer& pane, bool regExpr) {
            findPane = &pane;
            findRegExpr = regExpr;
        };
        form = std::make_unique<TDicEditForm>(host, std::move(context), QtBuffer);
        form->SetPathAnswerer([this](bool save) {
            asked.push_back(save);
            return std::optional<std::string>(mainPath);
        });
    }
    void TearDown() override {
        form.reset();
        fs::remove_all(folder);
    }

    // Runs `steps` inside the modal loop of Execute; the window must close.
    void RunOpen(const std::function<void()>& steps) {
        bool ran = false;
        QTimer::singleShot(0, form.get(), [&] {
            // Keys reach the menu's shortcuts only in the active window.
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
            steps();
            ran = true;
            if (form->isVisible()) {
                host.answers = {MessageResult::Yes};
                form->close();
            }
        });
        form->Execute(QRect(10, 20, 640, 400));
        EXPECT_TRUE(ran);
        EXPECT_FALSE(form->isVisible());
    }

    fs::path folder;
    std::string mainPath;
    MorphoGen rules;
    testing::RecordingHost host;
    std::unique_ptr<TDicEditForm> form;
    std::vector<bool> asked;
    TextBuffer* findPane = nullptr;
    bool findRegExpr = false;
};

TEST_F(DicEditFormTest, MenuItemsCarryTheirCaptionsAndKeys) {
    QAction* open = form->Action("Open1");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QStringLiteral("Загрузить словарь"));
    EXPECT_EQ(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
    EXPECT_EQ(form->Action("AddToDic1")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(form->Action("Morph1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Ins")));
    // Ctrl+L belongs to "Загрузить словарь": the later item only shows it.
    QAction* lower = form->Action("Lower1");
    EXPECT_TRUE(lower->shortcut().isEmpty());
    EXPECT_TRUE(lower->text().startsWith(QStringLiteral("В нижний регистр\t")));
    EXPECT_TRUE(form->Action("IsCombiWords1")->isCheckable());
    EXPECT_TRUE(form->Action("InsertLog1")->isCheckable());
    for (const char* name :
         {"OpenCurrRegExprDic1", "Save1", "Subtract1", "Exit1", "Cut1", "Copy1", "Paste1",
          "Selectall1", "Sort1", "DelDoubles1", "CheckDic1", "DelFromDic1", "Upper1", "Find1",
          "FindRegExp1", "FindInDic1", "SweepWordEditor1", "InsertDicSize1"}) {
        EXPECT_NE(form->Action(name), nullptr) << name;
    }
}

TEST_F(DicEditFormTest, WithoutADictionaryTheCaptionIsEmptyOnScreen) {
    QString onScreen = QStringLiteral("unset");
    RunOpen([&] {
        EXPECT_TRUE(form->windowTitle().isEmpty());
        onScreen = form->windowHandle()->title();
    });
    // The window system gets a blank: for an empty title Qt would send it
    // the program's name instead.
    EXPECT_FALSE(onScreen.isEmpty());
    EXPECT_TRUE(onScreen.trimmed().isEmpty()) << onScreen.toStdString();
}

TEST_F(DicEditFormTest, PanesAreNamedAndSetUpForDictionaryLines) {
    QPlainTextEdit& dic = form->DicEditorWidget();
    EXPECT_EQ(dic.objectName(), QStringLiteral("DicEditor"));
    EXPECT_EQ(form->WordEditorWidget().objectName(), QStringLiteral("WordEditor"));
    EXPECT_EQ(dic.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(dic.font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(dic.font().pixelSize(), 13);
    EXPECT_EQ(form->SplitSize(), 90);
}

TEST_F(DicEditFormTest, WordsArriveWhileTheWindowIsClosed) {
    form->AppendWord(Cp("ёлочка"));
    form->AppendWord(Cp("щётка"));
    EXPECT_EQ(PaneLines(form->WordPane()), (std::vector<std::string>{Cp("ёлочка"), Cp("щётка")}));
}

TEST_F(DicEditFormTest, AModalRunLoadsEditsAsksOnCloseAndKeepsTheWords) {
    form->AppendWord(Cp("ёлочка"));
    RunOpen([&] {
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->geometry().width(), 640);
        // Ctrl+L in a pane is "Загрузить словарь", through the dialog.
        QTest::keyClick(&form->WordEditorWidget(), Qt::Key_L, Qt::ControlModifier);
        ASSERT_EQ(asked, std::vector<bool>{false});
        EXPECT_EQ(form->windowTitle(), QStringLiteral("umlox.dat"));
        EXPECT_EQ(form->StatusText(), QStringLiteral("Словоформ: 3"));

        // Insert in the word window adds its word; the change marks the window.
        form->WordEditorWidget().setFocus();
        QTest::keyClick(&form->WordEditorWidget(), Qt::Key_Insert);
        EXPECT_EQ(PaneLines(form->DictionaryPane()),
                  (std::vector<std::string>{Cp("ёж"), Cp("ёлка"), Cp("ёлочка"), Cp("ёрш")}));
        EXPECT_EQ(form->windowTitle(), QStringLiteral("umlox.dat *"));
        EXPECT_EQ(form->DictionaryPane().FormatAt(form->DictionaryPane().LineStart(2)).text, kRed);

        // The close query: No keeps the window open.
        host.answers = {MessageResult::No};
        form->Action("Exit1")->trigger();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(host.MessageTexts().back(),
                  "Результаты редактирования будут потеряны. Продолжить операцию?");
        host.answers = {MessageResult::Yes};
        form->Action("Exit1")->trigger();
    });
    // The pane is emptied for the next opening.
    EXPECT_EQ(form->DictionaryPane().TextLength(), 0);
    form->AppendWord(Cp("щётка"));
    EXPECT_EQ(PaneLines(form->WordPane()), std::vector<std::string>{Cp("щётка")});
}

// A refused word's error stays in the status field although the caret moves
// to the word's place in the dictionary pane.
TEST_F(DicEditFormTest, ARefusedWordKeepsItsErrorInTheStatus) {
    form->AppendWord(Cp("елка"));
    RunOpen([&] {
        form->Action("OpenCurrDic1")->trigger();
        form->WordEditorWidget().setFocus();
        QTest::keyClick(&form->WordEditorWidget(), Qt::Key_Insert);
        EXPECT_EQ(form->StatusText(), QStringLiteral("Ошибка: строка без Ё"));
        EXPECT_EQ(PaneLines(form->DictionaryPane()),
                  (std::vector<std::string>{Cp("ёж"), Cp("ёлка"), Cp("ёрш")}));
        EXPECT_EQ(PaneLines(form->WordPane()), std::vector<std::string>{Cp("елка")});
    });
}

TEST_F(DicEditFormTest, TypingChangesTheCaptionAndTheCaretShowsInTheStatus) {
    RunOpen([&] {
        form->Action("OpenCurrDic1")->trigger();
        QPlainTextEdit& dic = form->DicEditorWidget();
        dic.setFocus();
        QTextCursor cursor = dic.textCursor();
        cursor.setPosition(4); // line 2, column 2
        dic.setTextCursor(cursor);
        EXPECT_EQ(form->StatusText(), QStringLiteral("2:2 (3)"));
        QTest::keyClicks(&dic, QStringLiteral("x"));
        EXPECT_TRUE(form->windowTitle().endsWith(QStringLiteral(" *")));
        EXPECT_TRUE(form->Logic().Modified());
        // Ctrl+Delete takes the caret's line out.
        QTest::keyClick(&dic, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(PaneLines(form->DictionaryPane()),
                  (std::vector<std::string>{Cp("ёж"), Cp("ёрш")}));
    });
}

TEST_F(DicEditFormTest, CheckMarksFollowTheEditorAndTheLoad) {
    const std::string regExpr = (folder / "re.dat").string();
    testing::WriteBytes(regExpr, Cp("всё\\s+равно\r\n"));
    RunOpen([&] {
        EXPECT_FALSE(form->Action("IsCombiWords1")->isChecked());
        form->SetPathAnswerer([&](bool) { return std::optional<std::string>(regExpr); });
        form->Action("Open1")->trigger();
        EXPECT_TRUE(form->Action("IsCombiWords1")->isChecked());
        form->Action("InsertLog1")->trigger();
        EXPECT_TRUE(form->Action("InsertLog1")->isChecked());
        EXPECT_TRUE(form->InsertLogOn());
    });
}

TEST_F(DicEditFormTest, FindKeysSearchThePaneWithTheFocus) {
    RunOpen([&] {
        // An empty word window has nothing to search.
        form->WordEditorWidget().setFocus();
        EXPECT_FALSE(form->Action("Find1")->isEnabled());
        form->AppendWord(Cp("ёлка"));
        form->DicEditorWidget().setFocus();
        QTest::keyClick(&form->DicEditorWidget(), Qt::Key_R, Qt::ControlModifier);
        EXPECT_EQ(findPane, &form->DictionaryPane());
        EXPECT_TRUE(findRegExpr);
        form->WordEditorWidget().setFocus();
        QTest::keyClick(&form->WordEditorWidget(), Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(findPane, &form->WordPane());
        EXPECT_FALSE(findRegExpr);
    });
}

TEST_F(DicEditFormTest, EscDuringALongOperationStopsIt) {
    form->AppendWord(Cp("ёж"));
    form->AppendWord(Cp("ёрш"));
    RunOpen([&] {
        form->Action("OpenCurrDic1")->trigger();
        // The key arrives while the sweep runs: the sweep sees it at its first poll.
        QCoreApplication::postEvent(
            &form->WordEditorWidget(),
            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        form->Action("SweepWordEditor1")->trigger();
        EXPECT_EQ(form->StatusText(), QStringLiteral("0 слов убрано из окна слов"));
        EXPECT_EQ(PaneLines(form->WordPane()).size(), 2u);
        // Without Esc both words go, and the window is still open.
        form->Action("SweepWordEditor1")->trigger();
        EXPECT_EQ(form->StatusText(), QStringLiteral("2 слова убрано из окна слов"));
        EXPECT_TRUE(form->isVisible());
    });
}

TEST_F(DicEditFormTest, CtrlInsertGeneratesTheFormsIntoTheWordWindow) {
    form->AppendWord(Cp("ёлка?"));
    form->AppendWord(Cp("ёрш"));
    RunOpen([&] {
        ASSERT_TRUE(form->Action("Morph1")->isEnabled());
        QWidget& words = form->WordEditorWidget();
        words.setFocus();
        // The word-form dialog is modal: accept it from inside its own loop.
        QTimer::singleShot(0, form.get(), [&] {
            auto* dialog = form->findChild<TMorphForm*>();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            dialog->findChild<QPushButton*>(QStringLiteral("bAccept"))->click();
        });
        QTest::keyClick(&words, Qt::Key_Insert, Qt::ControlModifier);
        EXPECT_EQ(PaneLines(form->WordPane()),
                  (std::vector<std::string>{Cp("ёлка?"), Cp("ёлка?"), Cp("ёлки?"), Cp("ёлке?"),
                                            Cp("ёрш")}));
        EXPECT_EQ(form->WordPane().FormatAt(form->WordPane().LineStart(2)).text, kBlue);
        EXPECT_EQ(form->WordPane().SelStart(), 0);
    });
}

} // namespace
} // namespace umlo
