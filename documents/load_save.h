// The commands "Загрузить текст", "Сохранить текст" and "Сохранить текст как",
// the loading of a dropped file and of a recent file, and the current text's
// path and format.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/options.h"
#include "documents/recent_files.h"
#include "documents/settings_file.h"
#include "documents/text_buffer.h"
#include "documents/text_file.h"
#include "documents/text_format.h"
#include "documents/text_io_host.h"

namespace umlo {

// Why a document's text takes no typing, for when the user tries (UTF-8).
std::string LettersOnlyExplanation(TextFormat format);

// "Файл <path> существует. Переписать?"; true on Yes (No is the default).
bool ConfirmOverwrite(Host& host, std::string_view path);

class TextFiles {
public:
    // options is the copy in force (CurrentOptions); values holds TextDirectory,
    // UTF8Warning and UTFLength of the settings file. All outlive this object.
    TextFiles(TextBuffer& editor, TextIoHost& host, RecentFiles& recent, const TOptions& options,
              SettingsValues& values);

    // Empty when the editor holds no file.
    const std::string& CurrentPath() const { return currentPath_; }
    TextFormat CurrentFormat() const { return currentFormat_; }
    // Start-up presets and "Очистить текстовое окно".
    void SetCurrent(std::string path, TextFormat format) {
        currentPath_ = std::move(path);
        currentFormat_ = format;
        origin_ = {};
        editor_.SetLettersOnly(false);
    }
    void ForgetCurrentPath() {
        currentPath_.clear();
        origin_ = {};
        editor_.SetLettersOnly(false);
    }

    // The format of a file the user chose or dropped (see encoding_detect.h).
    TextFormat ResolveFormat(const std::string& path, TextFormat dialogFormat) const;

    // Loads a file into the editor and makes it the current text; a missing or
    // unreadable file is reported and changes nothing.
    bool LoadText(const std::string& path, TextFormat format);
    bool OpenText();
    // The first of the dropped files, without the notices of OpenText.
    bool LoadDropped(const std::vector<std::string>& paths);
    bool SaveCurrent();
    bool SaveAs();
    // Before the text is replaced or left: Yes saves (to the current path, or
    // through SaveAs), No goes on without saving, Cancel stops.
    bool AskSaveChanges();

    // Whether "Сохранить текст" and "Сохранить текст как" can run.
    bool CanSaveCurrent() const { return editor_.TextLength() > 0 && !currentPath_.empty(); }
    bool CanSaveAs() const { return editor_.TextLength() > 0; }

    // The dialogs' own formats (they preselect the encoding list). The text
    // loaded at start presets the open dialog's, as a text opened through it
    // would.
    TextFormat OpenDialogFormat() const { return openDialogFormat_; }
    void PresetOpenDialogFormat(TextFormat format) { openDialogFormat_ = format; }
    TextFormat SaveDialogFormat() const { return saveDialogFormat_; }

private:
    TextBuffer& editor_;
    TextIoHost& host_;
    RecentFiles& recent_;
    const TOptions& options_;
    SettingsValues& values_;
    std::string currentPath_;
    TextFormat currentFormat_ = 0;
    TextFormat openDialogFormat_ = 0;
    TextFormat saveDialogFormat_ = 0;
    bool openDialogShown_ = false;
    // A pipe, device or FIFO can be read only once: its format is found in
    // the same bytes its text is then read from.
    struct StreamInput {
        std::string path;
        FileResult read;
        std::string bytes;
    };
    mutable std::optional<StreamInput> stream_;
    // The input of path read whole when it is no regular file (kept until
    // the load that follows takes it); null for a regular file.
    const StreamInput* Stream(const std::string& path) const;
    // Writes the text to a file in a format; the file becomes the origin of
    // later saves. Rich text changed beyond its letters is written anew only
    // after the user agreed to lose what the program does not show.
    bool Write(const std::string& path, TextFormat format);
    // A document is written only as itself with its changed letters.
    bool WriteDocument(const std::string& path, TextFormat format);

    // The file the current text was read from or last written to, so that a
    // save changes only what the user changed: a plain text's signature and
    // line ends, a rich text's whole file. Empty for a new text.
    FileOrigin origin_;
};

} // namespace umlo
