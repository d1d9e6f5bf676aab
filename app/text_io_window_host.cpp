#include "app/text_io_window_host.h"

#include "app/file_dialogs.h"
#include "app/main_window.h"
#include "app/qt_convert.h"

namespace umlo {

std::optional<FileDialogChoice> TextIoWindowHost::ShowOpenDialog(const FileDialogSetup& setup) {
    return RunFileDialog(&window_, FileDialogKind::Open, setup, openFilter_);
}

std::optional<FileDialogChoice> TextIoWindowHost::ShowSaveDialog(const FileDialogSetup& setup) {
    return RunFileDialog(&window_, FileDialogKind::Save, setup, saveFilter_);
}

void TextIoWindowHost::SetCaption(std::string_view path) {
    window_.SetCaptionPath(Utf8ToQString(path));
}

bool TextIoWindowHost::Modified() const {
    return window_.Modified();
}

void TextIoWindowHost::SetModified(bool on) {
    window_.SetModified(on);
}

void TextIoWindowHost::ApplyWordWrap(bool on) {
    window_.ApplyWordWrap(on);
}

void TextIoWindowHost::ShowCaretPosition(int offset) {
    window_.ShowCaretPosition(offset);
}

void TextIoWindowHost::ClearPassLists() {
    window_.ClearPassLists();
}

void TextIoWindowHost::RefreshCommands() {
    window_.RefreshCommands();
}

} // namespace umlo
