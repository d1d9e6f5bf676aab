// The window as umlo-cli has it: message boxes and progress on stderr, Ctrl+C
// as the Esc key, and the confirmation panel handed to an answering function.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "core/pass_host.h"

namespace umlo::cli {

class TerminalHost : public PassHost {
public:
    using Answerer = std::function<int(const AskQuestion&)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // progress: show a progress line on err (only where err is a terminal).
    TerminalHost(std::ostream& err, bool progress, Clock clock = std::chrono::steady_clock::now);

    void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
    // Clears the progress line, so that the next output starts on a clean line.
    void EndProgress();
    // Messages of kind Error written so far.
    int ErrorCount() const { return errors_; }

    // Host
    void SetStatusText(int panel, std::string_view text) override;
    std::string StatusText(int panel) const override;
    void SetBusy(bool) override {}
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override;
    void EnableCommand(std::string_view, bool) override {}

    // PassHost
    int AskUser(const AskQuestion& question) override;
    bool EscPressed() override;
    void WaitEscReleased() override {}
    void ShowConfirmationPanel() override {}
    void HideConfirmationPanel() override {}
    void SetPassMenus(bool) override {}
    void SetCommandCaption(std::string_view, std::string_view) override {}
    void AppendToWordWindow(std::string_view) override {}

private:
    std::ostream& err_;
    bool progress_;
    bool progressShown_ = false;
    Clock clock_;
    std::chrono::steady_clock::time_point lastProgress_;
    std::map<int, std::string> status_;
    Answerer answerer_;
    int errors_ = 0;
};

// A message box as text: "\r" starts a new line; the caption leads, if any.
std::string MessageText(MessageKind kind, std::string_view text);

// Ctrl+C no longer ends the program but counts as Esc for the running pass.
void CatchInterrupt();
bool Interrupted();

} // namespace umlo::cli
