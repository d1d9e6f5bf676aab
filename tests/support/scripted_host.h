// A PassHost for tests: records every call and answers the confirmation panel
// from a queue of answers, then from a policy (default: the proposal).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/pass_host.h"

namespace umlo::testing {

class ScriptedHost : public PassHost {
public:
    // Host
    void SetStatusText(int panel, std::string_view text) override {
        status[panel] = std::string(text);
        ++statusUpdates;
    }
    std::string StatusText(int panel) const override {
        auto it = status.find(panel);
        return it == status.end() ? std::string() : it->second;
    }
    void SetBusy(bool on) override { busy = on; }
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override {
        messages.push_back({kind, std::string(text)});
        if (buttons == MessageButtons::Ok) {
            return MessageResult::Ok;
        }
        return yesNoAnswer ? *yesNoAnswer : defaultButton;
    }
    void EnableCommand(std::string_view itemName, bool enabled) override {
        commands[std::string(itemName)] = enabled;
    }

    // PassHost
    int AskUser(const AskQuestion& question) override {
        questions.push_back(question);
        if (onAsk) {
            onAsk(question);
        }
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if (policy) {
            return policy(question);
        }
        return question.proposePlain ? AnswerPlain : AnswerDiaeresis;
    }
    void ShowProgress() override {
        ++progressShown;
        if (onProgress) {
            onProgress();
        }
    }
    bool EscPressed() override {
        ++escPolls;
        if (onEscPoll) {
            onEscPoll();
        }
        return escAtPoll > 0 && escPolls == escAtPoll;
    }
    void WaitEscReleased() override { ++escWaits; }
    void ShowConfirmationPanel() override {
        panelVisible = true;
        events.push_back("show panel");
    }
    void HideConfirmationPanel() override {
        panelVisible = false;
        events.push_back("hide panel");
    }
    void SetPassMenus(bool enabled) override {
        passMenusEnabled = enabled;
        events.push_back(enabled ? "menus on" : "menus off");
    }
    void SetCommandCaption(std::string_view itemName, std::string_view caption) override {
        captions[std::string(itemName)] = std::string(caption);
    }
    void AppendToWordWindow(std::string_view word) override { wordWindow.emplace_back(word); }

    // The words asked about, first button's form (UTF-8).
    std::vector<std::string> AskedPlainForms() const {
        std::vector<std::string> out;
        for (const auto& q : questions) {
            out.push_back(q.plainForm);
        }
        return out;
    }

    struct Message {
        MessageKind kind;
        std::string text;
    };

    std::map<int, std::string> status;
    int statusUpdates = 0;
    bool busy = false;
    std::vector<Message> messages;
    std::optional<MessageResult> yesNoAnswer; // otherwise the default button
    std::map<std::string, bool> commands;
    std::map<std::string, std::string> captions;

    std::vector<AskQuestion> questions;
    std::deque<int> answers;                       // taken first, in order
    std::function<int(const AskQuestion&)> policy; // then this
    std::function<void(const AskQuestion&)> onAsk; // sees the state while asked
    std::function<void()> onProgress;              // sees the state at a showing
    std::function<void()> onEscPoll;               // runs at every poll of Esc
    int progressShown = 0;
    int escAtPoll = 0; // Esc counts as pressed at this poll (1-based); 0 never
    int escPolls = 0;
    int escWaits = 0;
    bool panelVisible = false;
    bool passMenusEnabled = true;
    std::vector<std::string> events;
    std::vector<std::string> wordWindow;
};

} // namespace umlo::testing
