// Start-up and shutdown of the main window with its settings file: the text
// named on the command line, the last file recalled, the settings written at
// exit.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

#include <fstream>
#include <vector>

#include "app/ask_panel.h"
#include "app/program_arguments.h"
#include "app/program_icon.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/codepage.h"
#include "core/main_dictionary.h"
#include "core/self_test.h"
#include "documents/load_save.h"
#include "documents/window_fit.h"

namespace umlo {
namespace {

void WriteFile(const QString& path, const std::string& bytes) {
    testing::WriteBytes(path.toStdString(), bytes);
}

std::string ReadFile(const QString& path) {
    return testing::ReadBytes(path.toStdString());
}

class StartCloseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        WriteFile(dir_.filePath("umlox.dat"), Cp("всё?\nмёд\n"));
        WriteFile(dir_.filePath("umlo_regexpr.dat"), "");
        WriteFile(dir_.filePath("text.txt"), Cp("мед"));
    }

    std::unique_ptr<TMainForm> Start(const std::string& argument,
                                     const std::string& startFolder = {}) {
        StartOptions start;
        start.programFolder = QStringToUtf8(dir_.path());
        start.argument = argument;
        start.startFolder = startFolder;
        auto window = std::make_unique<TMainForm>(std::move(start));
        window->SetMessageAnswerer(
            [this](MessageKind, std::string_view text, MessageButtons, MessageResult def) {
                messages_.emplace_back(text);
                return def;
            });
        window->show();
        for (int i = 0; i < 50 && !window->Started(); ++i) {
            QTest::qWait(10);
        }
        EXPECT_TRUE(window->Started());
        return window;
    }

    QString TextPath() const { return dir_.filePath("text.txt"); }

    QTemporaryDir dir_;
    std::vector<std::string> messages_;
};

TEST_F(StartCloseTest, CommandLineTextIsLoadedAndRecalledNextTime) {
    {
        auto window = Start(QStringToUtf8(TextPath()));
        EXPECT_EQ(window->Editor().GetAllText(), u"мед");
        EXPECT_EQ(window->windowTitle(), TextPath()); // not modified after start
        EXPECT_TRUE(window->Action("Umlobegin1")->isEnabled());
        window->Editor().SetCaret(2);
        window->Panel().SetHotKeys(QStringLiteral("7234"));
        EXPECT_TRUE(window->close());
    }
    const std::string ini = ReadFile(dir_.filePath("umlo.ini"));
    EXPECT_NE(ini.find("ButtonHotKeys=7234"), std::string::npos) << ini;
    EXPECT_TRUE(messages_.empty());

    // Started again without a text: the last file comes back at its caret.
    auto window = Start("");
    EXPECT_EQ(window->Editor().GetAllText(), u"мед");
    EXPECT_EQ(window->Editor().SelStart(), 2);
    EXPECT_EQ(window->Panel().HotKeys(), QStringLiteral("7234"));
    EXPECT_EQ(window->Panel().Button(AskPanel::TagYe).text(), QStringLiteral("Е (&7)"));
}

// "cd ~/texts && umlo book.txt": the name is the start folder's, though the
// start-up makes the program folder current; every place keeps the full path.
TEST_F(StartCloseTest, RelativeCommandLineTextIsFoundInTheStartFolder) {
    QTemporaryDir texts;
    ASSERT_TRUE(texts.isValid());
    ASSERT_TRUE(QDir(texts.path()).mkdir(QStringLiteral("sub")));
    WriteFile(texts.filePath("книга.txt"), Cp("мед"));
    const QString book = texts.filePath("книга.txt");
    {
        auto window = Start("книга.txt", QStringToUtf8(texts.path()));
        EXPECT_TRUE(messages_.empty()) << messages_.front();
        EXPECT_EQ(window->Editor().GetAllText(), u"мед");
        EXPECT_EQ(window->windowTitle(), book);
        EXPECT_EQ(window->Files().CurrentPath(), QStringToUtf8(book));
        ASSERT_EQ(window->RecentItems().size(), 1u);
        EXPECT_TRUE(window->RecentItems()[0]->text().endsWith(book));
        EXPECT_EQ(window->Values().TextDirectory, QStringToUtf8(texts.path()));
        EXPECT_TRUE(window->close());
    }
    const std::string ini = Cp1251ToUtf8(ReadFile(dir_.filePath("umlo.ini")));
    EXPECT_NE(ini.find("Name1=" + QStringToUtf8(book) + ",0\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("TextDirectory=" + QStringToUtf8(texts.path()) + "\r\n"), std::string::npos)
        << ini;

    // The same book by another way: one entry, one spelling.
    auto window = Start("../книга.txt", QStringToUtf8(texts.filePath("sub")));
    EXPECT_EQ(window->windowTitle(), book);
    EXPECT_EQ(window->Files().CurrentPath(), QStringToUtf8(book));
    EXPECT_EQ(window->RecentItems().size(), 1u);
}

TEST_F(StartCloseTest, MissingCommandLineTextIsReportedAndForgotten) {
    const QString missing = dir_.filePath("нет.txt");
    auto window = Start(QStringToUtf8(missing));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Файл \"" + QStringToUtf8(missing) + "\" не найден");
    EXPECT_EQ(window->Editor().TextLength(), 0);
    EXPECT_FALSE(window->Action("Save1")->isEnabled());
    EXPECT_TRUE(window->windowTitle().isEmpty());
}

TEST_F(StartCloseTest, NotConfirmOnCloseLosesChangesWithoutAsking) {
    auto window = Start(QStringToUtf8(TextPath()));
    window->CurrentOptions().NotConfirmOnClose = true;
    window->Editor().SetCaret(0);
    window->Editor().ReplaceSelection(u"М");
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(TextPath()), Cp("мед"));
}

TEST_F(StartCloseTest, EditorIgnoresClicksWhileAQuestionWaits) {
    WriteFile(TextPath(), Cp("мед все все"));
    auto window = Start(QStringToUtf8(TextPath()));
    int caretAfterClick = -1;
    QObject::connect(&window->Panel(), &AskPanel::questionShown, [&] {
        QTimer::singleShot(0, [&] {
            QPlainTextEdit& edit = window->Editor().Widget();
            QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, QPoint(2, 2));
            caretAfterClick = window->Editor().SelStart();
            window->Panel().Button(AskPanel::TagCancel).click();
        });
    });
    window->Action("Umlobegin1")->trigger();
    EXPECT_EQ(caretAfterClick, 4); // still the asked word, not the click
}

TEST_F(StartCloseTest, TestingModeRunsTheBuiltInTestAndNeverTouchesTheSettings) {
    int questions = 0;
    auto window = Start("/t");
    QObject::connect(&window->Panel(), &AskPanel::questionShown, [&] {
        ++questions;
        QTimer::singleShot(0, [&] { window->Panel().Button(AskPanel::TagCancel).click(); });
    });
    EXPECT_EQ(window->windowTitle(), QStringLiteral("[Testing mode]"));
    EXPECT_EQ(window->width(), 700);
    EXPECT_EQ(window->Dictionary().Count(), 18);
    EXPECT_EQ(window->Editor().LineCount(), 26);
    EXPECT_TRUE(window->Editor().ReadOnly());
    EXPECT_EQ(window->Panel().HotKeys(), QStringLiteral("1234"));
    // The test's own settings: no dictionary editor.
    EXPECT_FALSE(window->Action("EditDic1")->isEnabled());
    QAction* testing = window->Action("Testing1");
    ASSERT_NE(testing, nullptr);
    EXPECT_EQ(testing->text(), QStringLiteral("Тестирование"));
    EXPECT_EQ(testing->shortcut(), QKeySequence(Qt::Key_F11));
    const QList<QAction*> file = window->FileMenu()->actions();
    ASSERT_GE(file.size(), 2);
    EXPECT_EQ(file.back(), testing);
    EXPECT_TRUE(file[file.size() - 2]->isSeparator());
    EXPECT_TRUE(window->Action("Umlobegin1")->isEnabled());

    testing->trigger();
    EXPECT_EQ(questions, 0);
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(testing->text(), QStringLiteral("Сброс теста"));
    EXPECT_EQ(window->Editor().LineText(1), u"всё все Всё ВСЁ всё");

    EXPECT_TRUE(window->Modified());
    EXPECT_TRUE(window->close()); // the test text is not offered for saving
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(QFile::exists(dir_.filePath("umlo.ini")));
}

TEST_F(StartCloseTest, TheSecondTestingChoiceLeavesTheTestTextForFreeTesting) {
    auto window = Start("/t");
    QAction* testing = window->Action("Testing1");
    ASSERT_NE(testing, nullptr);
    testing->trigger();
    testing->trigger();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("[Free testing mode]"));
    EXPECT_FALSE(testing->isEnabled());
    EXPECT_FALSE(window->Editor().ReadOnly());
    EXPECT_EQ(window->Editor().LineText(1), u"все все Все ВСЕ все");
    EXPECT_EQ(window->Editor().SelStart(), 0);
    // Questions are now the user's: the first doubtful word is asked.
    QString asked;
    QObject::connect(&window->Panel(), &AskPanel::questionShown, [&] {
        asked = window->Panel().Button(AskPanel::TagUmlo).text();
        QTimer::singleShot(0, [&] { window->Panel().Button(AskPanel::TagCancel).click(); });
    });
    window->Action("Umlobegin1")->trigger();
    EXPECT_EQ(asked, QStringLiteral("всё (&2)"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(StartCloseTest, UpperCaseTIsAFileNameAndTheEditorSettingEnablesTheEditor) {
    WriteFile(dir_.filePath("umlo.ini"), "[Editor]\r\nEnabled=1\r\n");
    auto window = Start("/T");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "Файл \"/T\" не найден");
    EXPECT_EQ(window->Action("Testing1"), nullptr);
    EXPECT_TRUE(window->windowTitle().isEmpty());
    EXPECT_TRUE(window->Action("EditDic1")->isEnabled());
}

TEST_F(StartCloseTest, AnswerKeysAreCp1251CharactersInTheSettingsFile) {
    WriteFile(dir_.filePath("umlo.ini"), Cp("[Umlo]\r\nButtonHotKeys=Й234\r\n"));
    {
        auto window = Start("");
        EXPECT_EQ(window->Panel().HotKeys(), QStringLiteral("Й234"));
        window->Panel().SetHotKeys(QStringLiteral("ЖЦ34"));
        EXPECT_TRUE(window->close());
    }
    const std::string ini = ReadFile(dir_.filePath("umlo.ini"));
    EXPECT_NE(ini.find(Cp("ButtonHotKeys=ЖЦ34\r\n")), std::string::npos) << ini;
}

TEST_F(StartCloseTest, ASavedPlaceOffTheScreenIsBroughtOntoIt) {
    WriteFile(dir_.filePath("umlo.ini"), "[Umlo]\r\nWindowWidth=99999999\r\n"
                                         "WindowHeight=99999999\r\nWindowTop=-5000\r\n"
                                         "WindowLeft=70000\r\n");
    auto window = Start("");
    const QRect area = window->screen()->availableGeometry();
    // The window's own area as large as the screen's at most, its corner on
    // the screen (the platform may shift it by its frame).
    const QRect placed = window->geometry();
    EXPECT_LE(placed.width(), area.width());
    EXPECT_LE(placed.height(), area.height());
    EXPECT_TRUE(area.contains(placed.topLeft())) << placed.x() << "," << placed.y();
    EXPECT_GT(window->width(), 0);

    // The rule itself: sizes cut to the area, places moved into it; a place
    // without a size is the caller's to choose.
    const ScreenArea screen{10, 20, 1000, 700};
    EXPECT_EQ(FitOnScreen({99999999, 99999999, 0, 0}, screen), (WindowPlace{700, 1000, 20, 10}));
    EXPECT_EQ(FitOnScreen({300, 400, 100, 200}, screen), (WindowPlace{300, 400, 100, 200}));
    EXPECT_EQ(FitOnScreen({300, 400, -50, 900}, screen), (WindowPlace{300, 400, 20, 610}));
    EXPECT_EQ(FitOnScreen({0, 0, -50, 900}, screen), (WindowPlace{0, 0, -50, 900}));
}

TEST_F(StartCloseTest, TheRecalledTextsEncodingPresetsTheOpenDialog) {
    WriteFile(dir_.filePath("utf8.txt"), "\xEF\xBB\xBF" + std::string("мёд"));
    {
        auto window = Start("");
        EXPECT_EQ(window->Files().OpenDialogFormat(), 0);
        ASSERT_TRUE(window->Files().LoadText(QStringToUtf8(dir_.filePath("utf8.txt")), FormatUtf8));
        EXPECT_TRUE(window->close());
    }
    auto window = Start("");
    ASSERT_EQ(window->Editor().GetAllText(), u"мёд");
    EXPECT_EQ(window->Files().OpenDialogFormat(), FormatUtf8);
    EXPECT_EQ(EncodingIndexOf(window->Files().OpenDialogFormat()), 1); // "UTF-8"
}

TEST_F(StartCloseTest, TheEditorSwitchIsWrittenOnlyWhenRemembered) {
    // Ticks the options dialog's switch and closes it with the named button.
    const auto tickAndClose = [](const char* button) {
        QTimer::singleShot(0, [button] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            modal->findChild<QCheckBox*>(QStringLiteral("cbEditorEnabled"))->setChecked(true);
            modal->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
    };
    const auto ini = [this] { return ReadFile(dir_.filePath("umlo.ini")); };
    {
        auto window = Start("");
        tickAndClose("bOK");
        window->Action("Options1")->trigger();
        EXPECT_TRUE(window->Action("EditDic1")->isEnabled());
        EXPECT_TRUE(window->close());
    }
    EXPECT_NE(ini().find("Enabled=0"), std::string::npos) << ini();
    {
        auto window = Start("");
        EXPECT_FALSE(window->Action("EditDic1")->isEnabled());
        tickAndClose("bOKSave");
        window->Action("Options1")->trigger();
        EXPECT_TRUE(window->close());
    }
    EXPECT_NE(ini().find("Enabled=1"), std::string::npos) << ini();
    auto window = Start("");
    EXPECT_TRUE(window->Action("EditDic1")->isEnabled());
}

// The windows' icon comes from the rendered sizes built into the program.
TEST(ProgramStart, TheIconHoldsEveryRenderedSize) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
    EXPECT_EQ(icon.pixmap(16).size(), QSize(16, 16));
    // The corners are transparent and the middle is drawn.
    const QImage small = icon.pixmap(48).toImage();
    EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(small.pixel(24, 30)), 255);
}

TEST(ProgramStart, OnlyTheFirstArgumentAsksForHelpOrVersions) {
    EXPECT_EQ(RequestOf("--help"), ProgramRequest::Help);
    EXPECT_EQ(RequestOf("-h"), ProgramRequest::Help);
    EXPECT_EQ(RequestOf("--version"), ProgramRequest::Version);
    EXPECT_EQ(RequestOf("-V"), ProgramRequest::Version);
    for (const char* text : {"", "/t", "./--help", "--HELP", "книга.txt"}) {
        EXPECT_EQ(RequestOf(text), ProgramRequest::Window) << text;
    }
    const std::string usage = WindowUsageText();
    for (const char* named : {"umlo [ФАЙЛ]", "/t", "--help", "--version", "~/.config/umlo"}) {
        EXPECT_NE(usage.find(named), std::string::npos) << named;
    }
}

} // namespace
} // namespace umlo
