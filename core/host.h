// The program's window as the core sees it: status panels, the busy state,
// message boxes and command states by item name. The window implements it, the
// command-line tool implements it for the terminal, tests record every call.
//
// Every text passed to a host is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// Plain: an empty caption and no icon.
enum class MessageKind { Error, Information, Warning, Plain };
enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageResult { Ok, Yes, No, Cancel };

class Host {
public:
    virtual ~Host() = default;

    // Panel 0 shows the caret position, panel 1 the progress and summaries.
    virtual void SetStatusText(int panel, std::string_view text) = 0;
    virtual std::string StatusText(int panel) const = 0;
    virtual void SetBusy(bool busy) = 0;
    virtual MessageResult ShowMessage(MessageKind kind, std::string_view text,
                                      MessageButtons buttons, MessageResult defaultButton) = 0;
    virtual void EnableCommand(std::string_view itemName, bool enabled) = 0;

    // Caption "Ошибка", error icon, OK.
    void ShowError(std::string_view text) {
        ShowMessage(MessageKind::Error, text, MessageButtons::Ok, MessageResult::Ok);
    }
    // Caption "Информация".
    void ShowInfo(std::string_view text) {
        ShowMessage(MessageKind::Information, text, MessageButtons::Ok, MessageResult::Ok);
    }
    // Caption "Внимание", warning icon, No as the default button.
    bool AskYesNo(std::string_view text) {
        return ShowMessage(MessageKind::Warning, text, MessageButtons::YesNo, MessageResult::No) ==
               MessageResult::Yes;
    }
};

// The busy status of a long operation: the busy cursor and progress text in
// panel 1; the panel's previous text and the normal cursor come back at the end.
class BusyStatus {
public:
    explicit BusyStatus(Host& host) : host_(host), saved_(host.StatusText(1)) {
        host_.SetBusy(true);
    }
    BusyStatus(Host& host, std::string_view text) : BusyStatus(host) { Show(text); }
    ~BusyStatus() {
        host_.SetStatusText(1, saved_);
        host_.SetBusy(false);
    }
    BusyStatus(const BusyStatus&) = delete;
    BusyStatus& operator=(const BusyStatus&) = delete;
    void Show(std::string_view text) { host_.SetStatusText(1, text); }

private:
    Host& host_;
    std::string saved_;
};

} // namespace umlo
