// The main window as loading and saving see it: the Host of the window plus
// the file dialogs and the window's state around the editor.
#pragma once

#include "documents/text_io_host.h"

namespace umlo {

class TMainForm;

class TextIoWindowHost : public TextIoHost {
public:
    // base receives the plain Host calls.
    TextIoWindowHost(TMainForm& window, Host& base) : window_(window), base_(base) {}

    void SetStatusText(int panel, std::string_view text) override {
        base_.SetStatusText(panel, text);
    }
    std::string StatusText(int panel) const override { return base_.StatusText(panel); }
    void SetBusy(bool busy) override { base_.SetBusy(busy); }
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override {
        return base_.ShowMessage(kind, text, buttons, defaultButton);
    }
    void EnableCommand(std::string_view itemName, bool enabled) override {
        base_.EnableCommand(itemName, enabled);
    }

    std::optional<FileDialogChoice> ShowOpenDialog(const FileDialogSetup& setup) override;
    std::optional<FileDialogChoice> ShowSaveDialog(const FileDialogSetup& setup) override;
    void SetCaption(std::string_view path) override;
    bool Modified() const override;
    void SetModified(bool on) override;
    void ApplyWordWrap(bool on) override;
    void ShowCaretPosition(int offset) override;
    void ClearPassLists() override;
    void RefreshCommands() override;

private:
    TMainForm& window_;
    Host& base_;
    int openFilter_ = kOpenFilterAllTypes;
    int saveFilter_ = 0;
};

} // namespace umlo
