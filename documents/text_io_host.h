// What loading and saving texts need of the main window beyond the Host: the
// open and save dialogs with their encoding list, and the window's own state
// around the editor (caption, modified flag, word wrap, caret indicator, the
// pass's lists, command states).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/host.h"
#include "documents/text_format.h"

namespace umlo {

// The dialogs' filters, in the form "name|pattern|name|pattern".
// The documents (DOCX, ODT, FictionBook, EPUB) are known by their names or
// their content, whichever filter is chosen.
constexpr std::string_view kOpenFilter =
    "Простой текст|*.txt|Текст RTF|*.rtf|Текст FictionBook|*.fb2 *.fb2.zip|Документ Word|*.docx|"
    "Документ OpenDocument|*.odt|Книга EPUB|*.epub|Все файлы|*.*";
constexpr std::string_view kSaveFilter = "Простой текст|*.txt|Текст RTF|*.rtf";
constexpr int kOpenFilterAllTypes = 6; // chosen when the open dialog is first shown
constexpr int kRichTextFilter = 1;     // "Rich text", in both dialogs
// A document's own format, added after the save filter's two when the text
// is a document: it is written back by a patch of the document.
constexpr int kDocumentFilter = 2;

// The encoding list below the dialogs' standard controls.
constexpr std::string_view kEncodingLabel = "&Кодировка:";
constexpr std::array<std::string_view, 3> kEncodingNames = {"ANSI", "UTF-8", "UTF-16"};
// The save dialog is the open dialog relabelled.
constexpr std::string_view kSaveButton = "Сохранить";
constexpr std::string_view kSaveTypesLabel = "Тип файла:";
constexpr std::string_view kSaveFolderLabel = "Сохранить в:";

// The entry preselected for a format: "UTF-8" when the encoding bits are exactly
// FormatUtf8, "UTF-16" when exactly FormatUtf16LE, otherwise "ANSI".
constexpr int EncodingIndexOf(TextFormat format) {
    const TextFormat encoding = format & kEncodingMask;
    return encoding == FormatUtf8 ? 1 : encoding == FormatUtf16LE ? 2 : 0;
}

// The format a confirmed dialog stands for: the entry's flag plus FormatRtf when
// the "Rich text" filter is chosen. The file name's extension plays no part.
constexpr TextFormat DialogChoiceFormat(int encodingIndex, int filterIndex) {
    const TextFormat encoding = encodingIndex == 1   ? FormatUtf8
                                : encodingIndex == 2 ? FormatUtf16LE
                                                     : TextFormat(0);
    return encoding | (filterIndex == kRichTextFilter ? FormatRtf : TextFormat(0));
}

struct FileDialogSetup {
    std::string folder;   // where the dialog starts; empty: where it was
    std::string fileName; // preset name (save dialog); may be a full path
    // Preselected encoding entry, EncodingIndexOf(the dialog's format).
    int encodingIndex = 0;
    bool encodingEnabled = true;
    // Filter to choose before showing; nullopt keeps the dialog's last choice.
    std::optional<int> filterIndex;
    // The filters when not the dialog's own ("name|pattern|…").
    std::string filter;
};

struct FileDialogChoice {
    std::string path; // UTF-8
    int encodingIndex = 0;
    int filterIndex = 0;
};

class TextIoHost : public Host {
public:
    // The dialogs; nullopt when the user cancels.
    virtual std::optional<FileDialogChoice> ShowOpenDialog(const FileDialogSetup& setup) = 0;
    virtual std::optional<FileDialogChoice> ShowSaveDialog(const FileDialogSetup& setup) = 0;

    // The window caption without the modified marker; empty for no file.
    virtual void SetCaption(std::string_view path) = 0;
    virtual bool Modified() const = 0;
    // Stores the flag and switches the caption's " *" when it changes.
    virtual void SetModified(bool on) = 0;
    virtual void ApplyWordWrap(bool on) = 0;
    // Status panel 0: "line:column (lines)" for the offset.
    virtual void ShowCaretPosition(int offset) = 0;
    // Empties the undo stack and the list of replacement places of the pass.
    virtual void ClearPassLists() = 0;
    // Applies the enabling rules of the commands again.
    virtual void RefreshCommands() = 0;
};

} // namespace umlo
