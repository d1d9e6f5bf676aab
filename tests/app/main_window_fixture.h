// A main window on the offscreen platform in a folder of its own, with a small
// dictionary, recorded message boxes and scripted box answers.
#pragma once

#include <QAction>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ask_panel.h"
#include "app/main_window.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/codepage.h"
#include "dicedit/dic_edit_form.h"
#include "documents/load_save.h"
#include "tests/support/test_files.h"

namespace umlo {

struct RecordedMessage {
    MessageKind kind;
    std::string text;
};

class MainWindowFixture : public ::testing::Test {
protected:
    // The dictionary is UTF-8 here and written in cp1251.
    void StartWindow(const std::string& dictionary, const std::string& argument = "") {
        ASSERT_TRUE(dir_.isValid());
        Write("umlox.dat", Cp(dictionary));
        Write("umlo_regexpr.dat", "");
        StartOptions start;
        start.programFolder = QStringToUtf8(dir_.path());
        start.argument = argument;
        start.readSettings = false;
        start.writeSettings = false;
        window_ = std::make_unique<TMainForm>(std::move(start));
        window_->SetMessageAnswerer([this](MessageKind kind, std::string_view text,
                                           MessageButtons buttons, MessageResult def) {
            messages_.push_back({kind, std::string(text)});
            if (buttons == MessageButtons::Ok || boxAnswers_.empty()) {
                return buttons == MessageButtons::Ok ? MessageResult::Ok : def;
            }
            const MessageResult r = boxAnswers_.front();
            boxAnswers_.pop_front();
            return r;
        });
        window_->resize(700, 400);
        window_->show();
        for (int i = 0; i < 100 && !window_->Started(); ++i) {
            QTest::qWait(10);
        }
        ASSERT_TRUE(window_->Started());
    }

    void Write(const QString& name, const std::string& bytes) {
        testing::WriteBytes(dir_.filePath(name).toStdString(), bytes);
    }
    std::string Path(const QString& name) const { return QStringToUtf8(dir_.filePath(name)); }

    // Writes a cp1251 text file and loads it as cp1251.
    void LoadText(const std::string& utf8, const QString& name = QStringLiteral("text.txt")) {
        Write(name, Cp(utf8));
        ASSERT_TRUE(window_->Files().LoadText(Path(name), 0));
    }

    // Null (and a failure) when the window has no such item.
    QAction* Item(const char* name) {
        QAction* action = window_->Action(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    bool Enabled(const char* name) {
        QAction* action = Item(name);
        return action != nullptr && action->isEnabled();
    }
    void Trigger(const char* name) {
        if (QAction* action = Item(name)) {
            action->trigger();
        }
    }
    // Every question is answered by the next step of script_, from the panel's loop.
    void AnswerQuestionsFromScript() {
        QObject::connect(&window_->Panel(), &AskPanel::questionShown, [this] {
            ASSERT_FALSE(script_.empty()) << "unexpected question";
            auto step = std::move(script_.front());
            script_.pop_front();
            QTimer::singleShot(0, [this, step = std::move(step)] { step(window_->Panel()); });
        });
    }
    QtTextBuffer& Editor() { return window_->Editor(); }
    // The non-empty lines of the dictionary editor's word window.
    std::vector<std::string> WordLines() {
        std::vector<std::string> out;
        TextBuffer& pane = window_->DicEdit().WordPane();
        for (int i = 0; i < pane.LineCount(); ++i) {
            if (!pane.LineText(i).empty()) {
                out.push_back(QStringToUtf8(ToQString(pane.LineText(i))));
            }
        }
        return out;
    }
    std::u16string Text() { return Editor().GetAllText(); }

    QTemporaryDir dir_;
    std::unique_ptr<TMainForm> window_;
    std::vector<RecordedMessage> messages_;
    std::deque<MessageResult> boxAnswers_;
    std::deque<std::function<void(AskPanel&)>> script_;
};

} // namespace umlo
