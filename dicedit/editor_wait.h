// The dictionary editor's waiting states: the hourglass over both panes, and
// the wait message "Подождите..." that puts the status text aside meanwhile.
// Used only inside the editor's own files.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"

namespace umlo {

inline constexpr std::string_view kWaitText = "Подождите...";

// The caret display waits while depth is above 0.
class Hourglass {
public:
    Hourglass(Host& host, int& depth) : host_(host), depth_(depth) {
        ++depth_;
        host_.SetBusy(true);
    }
    ~Hourglass() {
        host_.SetBusy(false);
        --depth_;
    }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    Host& host_;
    int& depth_;
};

class WaitMessage {
public:
    WaitMessage(Host& host, int& depth) : hourglass_(host, depth), status_(host, kWaitText) {}

private:
    Hourglass hourglass_;
    BusyStatus status_;
};

} // namespace umlo
