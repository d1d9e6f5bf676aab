#include "cli/terminal_host.h"

#include <csignal>
#include <signal.h>
#include <unistd.h>

namespace umlo::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t waitingForAnswer = 0;

// The stream library retries a read that a signal broke off, so a question
// waiting on the terminal would not notice Ctrl+C. Nothing is being written
// while a question waits: ending at once loses no file.
extern "C" void OnInterrupt(int) {
    interrupted = 1;
    if (waitingForAnswer != 0) {
        static const char kMessage[] = "\numlo-cli: прервано, файл не записан\n";
        [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
        ::_exit(130);
    }
}

// A progress line is redrawn at most this often, and first after this long, so
// that short texts print none.
constexpr auto kProgressInterval = std::chrono::milliseconds(250);

} // namespace

void CatchInterrupt() {
    // No SA_RESTART: a read from the terminal waiting for an answer must end too.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
}
bool Interrupted() {
    return interrupted != 0;
}

std::string MessageText(MessageKind kind, std::string_view text) {
    std::string out;
    switch (kind) {
    case MessageKind::Error:
        out = "Ошибка: ";
        break;
    case MessageKind::Information:
        out = "Информация: ";
        break;
    case MessageKind::Warning:
        out = "Внимание: ";
        break;
    case MessageKind::Plain:
        break;
    }
    for (const char c : text) {
        out += c == '\r' ? '\n' : c;
    }
    return out;
}

TerminalHost::TerminalHost(std::ostream& err, bool progress, Clock clock)
    : err_(err), progress_(progress), clock_(std::move(clock)), lastProgress_(clock_()) {}

void TerminalHost::SetStatusText(int panel, std::string_view text) {
    status_[panel] = std::string(text);
    if (!progress_ || panel != 1 || text.empty()) {
        return;
    }
    const auto now = clock_();
    if (now - lastProgress_ < kProgressInterval) {
        return;
    }
    lastProgress_ = now;
    // Panel 0 holds "line:column (lines)" of the scan.
    err_ << "\r\033[K" << StatusText(0) << "  " << text << std::flush;
    progressShown_ = true;
}

std::string TerminalHost::StatusText(int panel) const {
    const auto it = status_.find(panel);
    return it == status_.end() ? std::string() : it->second;
}

void TerminalHost::EndProgress() {
    if (progressShown_) {
        err_ << "\r\033[K" << std::flush;
        progressShown_ = false;
    }
    lastProgress_ = clock_();
}

MessageResult TerminalHost::ShowMessage(MessageKind kind, std::string_view text,
                                        MessageButtons buttons, MessageResult defaultButton) {
    EndProgress();
    if (kind == MessageKind::Error) {
        ++errors_;
    }
    err_ << "umlo-cli: " << MessageText(kind, text);
    // Nobody can press a button: a question takes its default answer.
    if (buttons != MessageButtons::Ok) {
        err_ << " [" << (defaultButton == MessageResult::Yes ? "Да" : "Нет") << "]";
    }
    err_ << "\n" << std::flush;
    return buttons == MessageButtons::Ok ? MessageResult::Ok : defaultButton;
}

int TerminalHost::AskUser(const AskQuestion& question) {
    EndProgress();
    if (!answerer_) {
        return AnswerCancel;
    }
    waitingForAnswer = 1;
    const int answer = answerer_(question);
    waitingForAnswer = 0;
    return answer;
}

bool TerminalHost::EscPressed() {
    return Interrupted();
}

} // namespace umlo::cli
