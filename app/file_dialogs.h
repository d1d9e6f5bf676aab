// The open and save dialogs for texts, with the encoding list below the
// standard controls.
#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

#include "documents/text_io_host.h"

class QComboBox;
class QFileDialog;
class QWidget;

namespace umlo {

enum class FileDialogKind { Open, Save };

// "name|pattern|name|pattern" as Qt name filters, "name (pattern)".
QStringList NameFilters(std::string_view filter);

// Qt's own labels of the dialog in Russian, whether or not Qt's translation
// is installed: folder, file name, file type, the accept and cancel buttons.
void SetRussianLabels(QFileDialog& dialog, FileDialogKind kind);

// The text dialog before it is shown: title, labels, filters, folder, file
// name and the encoding list below the standard controls, which is returned.
QComboBox* PrepareFileDialog(QFileDialog& dialog, FileDialogKind kind, const FileDialogSetup& setup,
                             int lastFilter);

// lastFilter keeps the dialog's filter between runs (setup.filterIndex
// overrides it); nullopt when the user cancels.
std::optional<FileDialogChoice> RunFileDialog(QWidget* parent, FileDialogKind kind,
                                              const FileDialogSetup& setup, int& lastFilter);

// The dictionary dialog of "Загрузить основной словарь" and "Загрузить
// словарь регулярных выражений", titled like the command: dictionary files
// (*.dat), starting in the program folder with the current path preset.
void PrepareDictionaryDialog(QFileDialog& dialog, const QString& title, const std::string& folder,
                             const std::string& currentPath);
// nullopt when cancelled.
std::optional<std::string> RunDictionaryDialog(QWidget* parent, const QString& title,
                                               const std::string& folder,
                                               const std::string& currentPath);

} // namespace umlo
