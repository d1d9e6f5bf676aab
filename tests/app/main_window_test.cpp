// The main window on the offscreen platform: a small text, a tiny dictionary,
// a pass whose questions are answered on the panel as a user would.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

#include <deque>
#include <fstream>
#include <functional>
#include <vector>

#include "app/ask_panel.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/codepage.h"
#include "core/pass.h"
#include "documents/load_save.h"
#include "tests/app/main_window_fixture.h"

namespace umlo {
namespace {

constexpr Color kMark = 16711680;  // blue: ColorMark
constexpr Color kBackMark = 65535; // yellow: ColorBackMark

void WriteFile(const QString& path, const std::string& bytes) {
    testing::WriteBytes(path.toStdString(), bytes);
}

std::string ReadFile(const QString& path) {
    return testing::ReadBytes(path.toStdString());
}

class MainWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        StartWindow("всё?\nёлка\nмёд\n");
        ASSERT_EQ(window_->Dictionary().Count(), 3);
        AnswerQuestionsFromScript();
    }

    AskPanel& Panel() { return window_->Panel(); }
    QString ButtonText(AskPanel::Tag tag) { return Panel().Button(tag).text(); }

    // A step that presses a key on the panel as the user would.
    static std::function<void(AskPanel&)> Press(Qt::Key key) {
        return [key](AskPanel& panel) { QTest::keyClick(panel.window(), key); };
    }
    static std::function<void(AskPanel&)> Click(AskPanel::Tag tag) {
        return [tag](AskPanel& panel) { QTest::mouseClick(&panel.Button(tag), Qt::LeftButton); };
    }
};

TEST_F(MainWindowTest, PassChangesSureWordsAndAsksDoubtfulOnes) {
    LoadText("Мед и елка, и все.");
    EXPECT_TRUE(Enabled("Umlobegin1"));
    EXPECT_EQ(window_->StatusText(0), QStringLiteral("1:1 (1)"));

    QString prompt;
    QString plain;
    QString diaeresis;
    bool undoEnabled = true;
    QColor band;
    script_.push_back([&](AskPanel& panel) {
        prompt = panel.Prompt().text();
        plain = panel.Button(AskPanel::TagYe).text();
        diaeresis = panel.Button(AskPanel::TagUmlo).text();
        undoEnabled = panel.Button(AskPanel::TagUndo).isEnabled();
        band = panel.BandColor();
        EXPECT_TRUE(Editor().ReadOnly());
        EXPECT_TRUE(panel.isVisible());
        // The word stands in its context, red and bold.
        const std::u16string context = panel.ContextLine().GetAllText();
        const auto at = static_cast<int>(context.find(u"все"));
        ASSERT_GE(at, 0);
        EXPECT_EQ(panel.ContextLine().FormatAt(at).text, 255u);
        EXPECT_TRUE(panel.ContextLine().FormatAt(at).bold);
        EXPECT_FALSE(panel.ContextLine().FormatAt(at + 3).bold);
        // Only "Копировать в редактор словарей" and "Откат" stay on in a pass.
        EXPECT_FALSE(Enabled("Open1"));
        QTest::keyClick(panel.window(), Qt::Key_2);
    });
    window_->Action("Umlobegin1")->trigger();

    EXPECT_TRUE(script_.empty());
    EXPECT_EQ(prompt, QStringLiteral("Выберите верный вариант"));
    EXPECT_EQ(plain, QStringLiteral("все (&1)"));
    EXPECT_EQ(diaeresis, QStringLiteral("всё (&2)"));
    EXPECT_FALSE(undoEnabled);
    EXPECT_EQ(band, QColor(192, 192, 255));
    EXPECT_EQ(Text(), u"Мёд и ёлка, и всё.");

    // Changed letters carry the mark colours; the rest stays black on white.
    for (int offset : {1, 6, 16}) {
        EXPECT_EQ(Editor().FormatAt(offset).text, kMark) << offset;
        EXPECT_EQ(Editor().FormatAt(offset).back, kBackMark) << offset;
    }
    EXPECT_EQ(Editor().FormatAt(0), CharFormat{});
    EXPECT_EQ(Editor().FormatAt(15), CharFormat{});

    // After the pass: the panel is gone, the editor writable, the menus back.
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(Editor().ReadOnly());
    EXPECT_TRUE(Enabled("Open1"));
    EXPECT_TRUE(Enabled("Undo1"));
    EXPECT_TRUE(Enabled("Clearstat1"));
    EXPECT_FALSE(window_->StatusText(1).isEmpty());
    EXPECT_TRUE(window_->windowTitle().endsWith(QStringLiteral(" *")));
    EXPECT_TRUE(messages_.empty()) << messages_.front().text;
}

TEST_F(MainWindowTest, EscOnTheQuestionStopsThePassWithoutChangingTheWord) {
    LoadText("все и мед");
    script_.push_back(Press(Qt::Key_Escape));
    window_->Action("Umlobegin1")->trigger();
    EXPECT_TRUE(script_.empty());
    // The stop comes before "мед" is reached.
    EXPECT_EQ(Text(), u"все и мед");
    EXPECT_FALSE(Panel().isVisible());
}

TEST_F(MainWindowTest, UndoOnThePanelTakesBackTheLastAnsweredChangeAndAsksAgain) {
    LoadText("все, все");
    bool undoOnSecond = false;
    QString undoCaption;
    script_.push_back(Click(AskPanel::TagUmlo));
    script_.push_back([&](AskPanel& panel) {
        undoOnSecond = panel.Button(AskPanel::TagUndo).isEnabled();
        undoCaption = panel.Button(AskPanel::TagUndo).text();
        panel.Button(AskPanel::TagUndo).click();
    });
    // Asked again about the first word, now answered Е; Enter then takes the
    // proposal for the second, which follows that last answer.
    script_.push_back(Press(Qt::Key_1));
    script_.push_back(Press(Qt::Key_Return));
    window_->Action("Umlobegin1")->trigger();
    EXPECT_TRUE(script_.empty());
    EXPECT_TRUE(undoOnSecond);
    EXPECT_NE(undoCaption, QStringLiteral("Откат"));
    EXPECT_EQ(Text(), u"все, все");
    EXPECT_EQ(Editor().FormatAt(2), CharFormat{});
}

TEST_F(MainWindowTest, AlwaysAnswerSettlesLaterPlacesOfTheWord) {
    LoadText("все и все и все");
    script_.push_back(Click(AskPanel::TagUmloAll));
    window_->Action("Umlobegin1")->trigger();
    EXPECT_TRUE(script_.empty());
    EXPECT_EQ(Text(), u"всё и всё и всё");
    EXPECT_TRUE(Enabled("Clearusersel1"));
}

TEST_F(MainWindowTest, TypingEndsTheUndoHistoryButArrowKeysDoNot) {
    LoadText("все");
    script_.push_back(Press(Qt::Key_2));
    window_->Action("Umlobegin1")->trigger();
    ASSERT_TRUE(Enabled("Undo1"));
    QPlainTextEdit& edit = Editor().Widget();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_TRUE(Enabled("Undo1"));
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_FALSE(Enabled("Undo1"));
}

TEST_F(MainWindowTest, CtrlZInTheEditorIsTheUndoOfThePass) {
    LoadText("все и мед");
    script_.push_back(Press(Qt::Key_2));
    window_->Action("Umlobegin1")->trigger();
    ASSERT_EQ(Text(), u"всё и мёд");
    QPlainTextEdit& edit = Editor().Widget();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    // Only the answered change is recorded for undo.
    EXPECT_EQ(Text(), u"все и мёд");
    EXPECT_FALSE(Enabled("Undo1"));
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Text(), u"все и мёд");
}

TEST_F(MainWindowTest, CommandStatesFollowTextSelectionAndDictionary) {
    EXPECT_FALSE(Enabled("Saveas1"));
    EXPECT_FALSE(Enabled("Save1"));
    EXPECT_FALSE(Enabled("Close1"));
    EXPECT_FALSE(Enabled("Cut1"));
    EXPECT_FALSE(Enabled("Umlobegin1"));
    EXPECT_FALSE(Enabled("Undo1"));
    LoadText("мед");
    EXPECT_TRUE(Enabled("Saveas1"));
    EXPECT_TRUE(Enabled("Save1"));
    EXPECT_TRUE(Enabled("Umlopos1"));
    EXPECT_FALSE(Enabled("Copy1"));
    Editor().SetCaret(0);
    Editor().SetSelLength(2);
    EXPECT_TRUE(Enabled("Copy1"));
    EXPECT_EQ(window_->StatusText(0), QStringLiteral("1:1 (1)"));
    Editor().SetCaret(2);
    EXPECT_EQ(window_->StatusText(0), QStringLiteral("1:3 (1)"));
}

TEST_F(MainWindowTest, CaptionShowsTheModifiedMarkerOnce) {
    LoadText("мед");
    const QString path = dir_.filePath("text.txt");
    EXPECT_EQ(window_->windowTitle(), path);
    Editor().SetCaret(3);
    Editor().ReplaceSelection(u"ок");
    Editor().ReplaceSelection(u"!");
    EXPECT_EQ(window_->windowTitle(), path + QStringLiteral(" *"));
    window_->Action("Save1")->trigger();
    EXPECT_EQ(window_->windowTitle(), path);
    EXPECT_EQ(ReadFile(path), Cp("медок!"));
}

TEST_F(MainWindowTest, CloseAsksAboutChangesAndCancelKeepsEverything) {
    LoadText("мед");
    Editor().SetCaret(0);
    Editor().ReplaceSelection(u"М");
    boxAnswers_ = {MessageResult::Cancel};
    EXPECT_FALSE(window_->close());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages_[0].text, "Файл был изменён. Сохранить изменения?");
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(Text(), u"Ммед");

    // "Очистить текстовое окно" asks the same; Cancel leaves text and caption.
    boxAnswers_ = {MessageResult::Cancel};
    window_->Action("Close1")->trigger();
    EXPECT_EQ(Text(), u"Ммед");
    EXPECT_TRUE(window_->windowTitle().startsWith(dir_.filePath("text.txt")));

    boxAnswers_ = {MessageResult::No};
    window_->Action("Close1")->trigger();
    EXPECT_EQ(Text(), u"");
    EXPECT_EQ(window_->windowTitle(), QString());
    EXPECT_FALSE(Enabled("Saveas1"));

    EXPECT_TRUE(window_->close()); // nothing to save: no question
    EXPECT_EQ(messages_.size(), 3u);
}

TEST_F(MainWindowTest, CommandStatesHeldDuringAPassTakeEffectAfterIt) {
    window_->SetPassMenus(false);
    EXPECT_FALSE(Enabled("Open1"));
    window_->EnableCommand("Clearusersel1", true);
    EXPECT_FALSE(Enabled("Clearusersel1"));
    window_->EnableCommand("Undo1", true); // stays live during a pass
    EXPECT_TRUE(Enabled("Undo1"));
    window_->SetPassMenus(true);
    EXPECT_TRUE(Enabled("Open1"));
    EXPECT_TRUE(Enabled("Clearusersel1"));
}

} // namespace
} // namespace umlo

namespace umlo {
namespace {

TEST_F(MainWindowTest, RightClickChangesAnAcceleratorUnlessItIsInUse) {
    LoadText("все и все");
    QString changed;
    QString refused;
    script_.push_back([&](AskPanel& panel) {
        QTest::mouseClick(&panel.Button(AskPanel::TagYe), Qt::RightButton);
        ASSERT_TRUE(panel.EditingHotKey());
        EXPECT_FALSE(panel.Button(AskPanel::TagCancel).isEnabled());
        panel.HotKeyEditor().clear();
        QTest::keyClick(&panel.HotKeyEditor(), Qt::Key_7);
        QTest::keyClick(&panel.HotKeyEditor(), Qt::Key_Return);
        changed = panel.Button(AskPanel::TagYe).text();
        EXPECT_TRUE(panel.Button(AskPanel::TagCancel).isEnabled());
        // "2" belongs to the second button: nothing changes.
        QTest::mouseClick(&panel.Button(AskPanel::TagYeAll), Qt::RightButton);
        panel.HotKeyEditor().clear();
        QTest::keyClick(&panel.HotKeyEditor(), Qt::Key_2);
        QTest::keyClick(&panel.HotKeyEditor(), Qt::Key_Return);
        refused = panel.Button(AskPanel::TagYeAll).text();
        // Esc closes the field without stopping the pass.
        QTest::mouseClick(&panel.Button(AskPanel::TagUmlo), Qt::RightButton);
        QTest::keyClick(&panel.HotKeyEditor(), Qt::Key_Escape);
        EXPECT_FALSE(panel.EditingHotKey());
        QTest::keyClick(panel.window(), Qt::Key_7); // the new key answers Е
    });
    script_.push_back(Press(Qt::Key_2));
    window_->Action("Umlobegin1")->trigger();
    EXPECT_TRUE(script_.empty());
    EXPECT_EQ(changed, QStringLiteral("все (&7)"));
    EXPECT_EQ(refused, QStringLiteral("Всегда Е (&3)"));
    EXPECT_EQ(Text(), u"все и всё");
    EXPECT_EQ(Panel().HotKeys(), QStringLiteral("7234"));
    EXPECT_EQ(ButtonText(AskPanel::TagYe), QStringLiteral("Е (&7)"));
}

TEST_F(MainWindowTest, UnknownWordWithDiaeresisIsAskedInRedWithoutAlwaysAnswers) {
    LoadText("привёт");
    QString prompt;
    QColor promptColor;
    bool always = true;
    bool focusOnFirst = false;
    bool fixedSize = false;
    script_.push_back([&](AskPanel& panel) {
        prompt = panel.Prompt().text();
        promptColor = panel.Prompt().palette().color(QPalette::WindowText);
        always = panel.Button(AskPanel::TagYeAll).isEnabled() ||
                 panel.Button(AskPanel::TagUmloAll).isEnabled();
        focusOnFirst = panel.Button(AskPanel::TagYe).hasFocus() ||
                       QApplication::focusWidget() == &panel.Button(AskPanel::TagYe);
        QWidget* w = panel.window();
        fixedSize = w->minimumSize() == w->maximumSize();
        QTest::keyClick(w, Qt::Key_Return);
    });
    window_->Action("Umlobegin1")->trigger();
    EXPECT_TRUE(script_.empty());
    EXPECT_EQ(prompt, QStringLiteral("Вероятно, здесь должна быть \"Е\""));
    EXPECT_EQ(promptColor, QColor(255, 0, 0));
    EXPECT_FALSE(always);
    EXPECT_TRUE(focusOnFirst);
    EXPECT_TRUE(fixedSize);
    EXPECT_EQ(Text(), u"привет");
    // Between questions and after them the band is pink and the size free.
    EXPECT_EQ(Panel().BandColor(), QColor(255, 192, 192));
    EXPECT_EQ(Panel().Prompt().text(), QStringLiteral("Подождите или нажмите Esc"));
    EXPECT_NE(window_->minimumSize(), window_->maximumSize());
}

} // namespace
} // namespace umlo

namespace umlo {
namespace {

TEST_F(MainWindowTest, ChosenMainDictionaryReplacesTheOneInForceOnlyWhenItExists) {
    const std::string missing = QStringToUtf8(dir_.filePath("нет.dat"));
    window_->LoadChosenMainDictionary(missing);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Error);
    EXPECT_EQ(messages_[0].text, "Файл \"" + missing + "\" не найден");
    EXPECT_EQ(window_->Dictionary().Count(), 3);

    const QString other = dir_.filePath("other.dat");
    WriteFile(other, Cp("ёж\n"));
    window_->LoadChosenMainDictionary(QStringToUtf8(other));
    EXPECT_EQ(window_->Dictionary().Count(), 1);
    EXPECT_EQ(window_->Values().DictionaryPath, QStringToUtf8(other));
}

TEST_F(MainWindowTest, DroppedFileIsLoadedAfterTheSaveQuestion) {
    LoadText("мед");
    Editor().SetCaret(0);
    Editor().ReplaceSelection(u"М");
    const QString dropped = dir_.filePath("dropped.txt");
    WriteFile(dropped, Cp("ежик"));
    // Qt delivers drop events only during a real drag; the window's drop
    // handler passes the local files here.
    const auto drop = [&] { window_->LoadDroppedFiles({QStringToUtf8(dropped)}); };
    boxAnswers_ = {MessageResult::Cancel};
    drop();
    EXPECT_EQ(Text(), u"Ммед");
    boxAnswers_ = {MessageResult::No};
    drop();
    EXPECT_EQ(Text(), u"ежик");
    EXPECT_EQ(window_->windowTitle(), dropped);
}

// Counts the paintings of a widget while a condition holds.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget& widget, std::function<bool()> when) : when_(std::move(when)) {
        widget.installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && when_()) {
            ++count;
        }
        return false;
    }

private:
    std::function<bool()> when_;
};

// A book in one paragraph: the letters show as the pass goes, and Esc stops it.
TEST_F(MainWindowTest, APassOverOneLongParagraphShowsItsWorkAndStopsAtEsc) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "мед ";
    }
    LoadText(text);
    window_->CurrentOptions().NoVarOnly = true;
    QPlainTextEdit& editor = window_->Editor().Widget();
    bool escPosted = false;
    PaintCounter paints(*editor.viewport(), [&] {
        if (!window_->Engine().Flags().PassRunning) {
            return false;
        }
        if (!escPosted) {
            escPosted = true;
            // An input method's commit must not change the text under the scan.
            auto* commit = new QInputMethodEvent;
            commit->setCommitString(QStringLiteral("Ж"));
            QCoreApplication::postEvent(&editor, commit);
            QCoreApplication::postEvent(
                &editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
        return true;
    });
    Trigger("Umlobegin1");
    EXPECT_GE(paints.count, 1) << "nothing was shown while the pass ran";
    const std::string after = QStringToUtf8(ToQString(Text()));
    EXPECT_EQ(after.substr(0, 14), "мёд мёд ");
    EXPECT_EQ(after.substr(after.size() - 14), "мед мед ") << "Esc did not stop the pass";
    EXPECT_EQ(after.find("Ж"), std::string::npos);
    EXPECT_FALSE(window_->Engine().Flags().PassRunning);
    EXPECT_EQ(window_->Editor().UpdateLockCount(), 0);
}

// A pass and "Сохранить текст" change the letters and nothing else: the
// signature or its absence, each line's own end, the byte order.
TEST_F(MainWindowTest, SavingAfterAPassChangesOnlyTheLetters) {
    const std::vector<std::pair<std::string, TextFormat>> files = {
        {"мед\nмед\r\nмед\rмед", FormatUtf8},
        {"\xEF\xBB\xBFмед\r\nмед", FormatUtf8 | FormatSignature},
        {Cp("мед\nмед\n"), 0},
        {umlo::testing::Utf16Bytes(u"мед\nмед", false), FormatUtf16LE},
        {"\xFE\xFF" + umlo::testing::Utf16Bytes(u"мед\r\nмед\r\n", true),
         FormatUtf16BE | FormatSignature},
    };
    for (const auto& [bytes, format] : files) {
        Write("kept.txt", bytes);
        ASSERT_TRUE(window_->Files().LoadText(Path("kept.txt"), format));
        Trigger("Umlobegin1");
        Trigger("Save1");
        std::string expected = bytes;
        // мед → мёд in each encoding: е (U+0435) becomes ё (U+0451).
        const auto swap = [&expected](const std::string& from, const std::string& to) {
            for (size_t at = expected.find(from); at != std::string::npos;
                 at = expected.find(from, at + to.size())) {
                expected.replace(at, from.size(), to);
            }
        };
        if (format & FormatUtf8) {
            swap("е", "ё");
        } else if (format & FormatUtf16LE) {
            swap(std::string("\x35\x04", 2), std::string("\x51\x04", 2));
        } else if (format & FormatUtf16BE) {
            swap(std::string("\x04\x35", 2), std::string("\x04\x51", 2));
        } else {
            swap("\xE5", "\xB8");
        }
        EXPECT_EQ(ReadFile(dir_.filePath("kept.txt")), expected) << int(format);
        EXPECT_FALSE(window_->Modified());
    }
}

} // namespace
} // namespace umlo
