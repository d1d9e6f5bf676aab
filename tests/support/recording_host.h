// A Host for tests: records every call and answers message boxes from a queue.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/host.h"

namespace umlo::testing {

struct RecordedMessage {
    MessageKind kind;
    std::string text; // UTF-8
    MessageButtons buttons;
};

class RecordingHost : public Host {
public:
    void SetStatusText(int panel, std::string_view text) override {
        status[panel] = std::string(text);
        statusHistory.emplace_back(panel, std::string(text));
    }
    std::string StatusText(int panel) const override {
        auto it = status.find(panel);
        return it == status.end() ? std::string() : it->second;
    }
    void SetBusy(bool on) override {
        busy = on;
        busyChanges.push_back(on);
    }
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override {
        messages.push_back({kind, std::string(text), buttons});
        if (answers.empty()) {
            return buttons == MessageButtons::Ok ? MessageResult::Ok : defaultButton;
        }
        const MessageResult r = answers.front();
        answers.pop_front();
        return r;
    }
    void EnableCommand(std::string_view itemName, bool enabled) override {
        commands[std::string(itemName)] = enabled;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) {
            out.push_back(m.text);
        }
        return out;
    }

    std::map<int, std::string> status;
    std::vector<std::pair<int, std::string>> statusHistory;
    bool busy = false;
    std::vector<bool> busyChanges;
    std::vector<RecordedMessage> messages;
    std::deque<MessageResult> answers; // next answers to yes/no boxes
    std::map<std::string, bool> commands;
};

} // namespace umlo::testing
