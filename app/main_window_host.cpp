#include "app/main_window_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/ask_panel.h"
#include "app/main_window.h"
#include "app/qt_convert.h"

namespace umlo {
namespace {

// The pass looks at the window this often while it works (milliseconds).
constexpr int kPumpInterval = 40;
constexpr int kClockEvery = 16;

} // namespace

MainWindowHost::MainWindowHost(TMainForm& window, AskPanel& panel)
    : window_(window), panel_(panel) {
    qApp->installEventFilter(this);
    sincePump_.start();
}

MainWindowHost::~MainWindowHost() {
    qApp->removeEventFilter(this);
    if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindowHost::SetStatusText(int panel, std::string_view text) {
    window_.SetStatusText(panel, Utf8ToQString(text));
}

std::string MainWindowHost::StatusText(int panel) const {
    return QStringToUtf8(window_.StatusText(panel));
}

void MainWindowHost::SetBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

MessageResult MainWindowHost::ShowMessage(MessageKind kind, std::string_view text,
                                          MessageButtons buttons, MessageResult defaultButton) {
    return window_.Message(kind, text, buttons, defaultButton);
}

void MainWindowHost::EnableCommand(std::string_view itemName, bool enabled) {
    window_.EnableCommand(Utf8ToQString(itemName), enabled);
}

void MainWindowHost::SetCommandCaption(std::string_view itemName, std::string_view caption) {
    window_.SetCommandCaption(Utf8ToQString(itemName), Utf8ToQString(caption));
}

void MainWindowHost::AppendToWordWindow(std::string_view word) {
    window_.AppendToWordWindow(word);
}

int MainWindowHost::AskUser(const AskQuestion& question) {
    panel_.SetAskingState(true, question.undoEnabled);
    panel_.ShowQuestion(question, window_.Editor().Widget().font());
    window_.show();
    window_.raise();
    window_.activateWindow();
    const int answer = panel_.WaitForAnswer();
    panel_.SetAskingState(false, false);
    return answer;
}

void MainWindowHost::PumpEvents() {
    sincePump_.restart();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindowHost::ShowProgress() {
    PumpEvents();
}

bool MainWindowHost::EscPressed() {
    // Asked for every word: the clock is read for every kClockEvery-th.
    if (++callsSinceClock_ >= kClockEvery) {
        callsSinceClock_ = 0;
        if (sincePump_.elapsed() >= kPumpInterval) {
            PumpEvents();
        }
    }
    const bool pressed = escPressed_;
    escPressed_ = false;
    return pressed;
}

void MainWindowHost::WaitEscReleased() {
    // Qt tells key presses, not the key's state: an Esc that came before the
    // pass (or closed the hot-key field) is dropped here.
    PumpEvents();
    escPressed_ = false;
}

void MainWindowHost::ShowConfirmationPanel() {
    passActive_ = true;
    escPressed_ = false;
    panel_.SetAskingState(false, false);
    panel_.show();
}

void MainWindowHost::HideConfirmationPanel() {
    passActive_ = false;
    panel_.SetWaitingLook(false);
    panel_.hide();
    window_.Editor().Widget().setFocus();
}

void MainWindowHost::SetScanActive(bool on) {
    passActive_ = on;
    scanOnly_ = on;
    escPressed_ = false;
}

void MainWindowHost::SetPassMenus(bool enabled) {
    window_.SetPassMenus(enabled);
}

bool MainWindowHost::eventFilter(QObject* watched, QEvent* event) {
    if (!passActive_) {
        return false;
    }
    // A message box the pass shows keeps its keyboard.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) {
        return false;
    }
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (panel_.Waiting()) {
            if (type == QEvent::ShortcutOverride) {
                // The panel's keys must reach it as key presses.
                if (panel_.HandleKey(*key, false)) {
                    key->accept();
                    return true;
                }
                return false;
            }
            return panel_.HandleKey(*key);
        }
        // Between questions the text must not change under the scan.
        if (type == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
            escPressed_ = true;
        }
        key->accept();
        return true;
    }
    // Nor through an input method's commit.
    if (type == QEvent::InputMethod && !panel_.Waiting()) {
        event->accept();
        return true;
    }
    // Without the panel nothing of the window takes a click: no command may
    // run under the scan.
    if (scanOnly_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
        return true;
    }
    QPlainTextEdit& editor = window_.Editor().Widget();
    if (watched == editor.viewport() &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
         type == QEvent::MouseButtonRelease || type == QEvent::MouseMove || type == QEvent::Drop ||
         type == QEvent::DragEnter)) {
        return true;
    }
    return false;
}

} // namespace umlo
