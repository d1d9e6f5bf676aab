// The main window as the pass sees it: status panels, message boxes, command
// states, the confirmation panel and the Esc key.
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "core/pass_host.h"

namespace umlo {

class AskPanel;
class TMainForm;

class MainWindowHost : public QObject, public PassHost {
    Q_OBJECT

public:
    MainWindowHost(TMainForm& window, AskPanel& panel);
    ~MainWindowHost() override;

    void SetStatusText(int panel, std::string_view text) override;
    std::string StatusText(int panel) const override;
    void SetBusy(bool busy) override;
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override;
    void EnableCommand(std::string_view itemName, bool enabled) override;

    int AskUser(const AskQuestion& question) override;
    void ShowProgress() override;
    bool EscPressed() override;
    void WaitEscReleased() override;
    void ShowConfirmationPanel() override;
    void HideConfirmationPanel() override;
    void SetPassMenus(bool enabled) override;
    void SetCommandCaption(std::string_view itemName, std::string_view caption) override;
    void AppendToWordWindow(std::string_view word) override;

    // A scan without the confirmation panel (the new-word collection): keys
    // and clicks are held as during a pass, and Esc is noted.
    void SetScanActive(bool on);

protected:
    // While a pass runs: Esc is noted, other keys and clicks in the editor are
    // kept away; while a question waits the panel takes its keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PumpEvents();

    TMainForm& window_;
    AskPanel& panel_;
    int busyDepth_ = 0;
    bool passActive_ = false;
    bool scanOnly_ = false;
    bool escPressed_ = false;
    QElapsedTimer sincePump_;
    int callsSinceClock_ = 0;
};

} // namespace umlo
