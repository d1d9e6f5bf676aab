// The open and save dialogs for texts, with the encoding list below the
// standard controls.
#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

#include "documents/text_io_host.h"

class QWidget;

namespace umlo {

enum class FileDialogKind { Open, Save };

// "name|pattern|name|pattern" as Qt name filters, "name (pattern)".
QStringList NameFilters(std::string_view filter);

// lastFilter keeps the dialog's filter between runs (setup.filterIndex
// overrides it); nullopt when the user cancels.
std::optional<FileDialogChoice> RunFileDialog(QWidget* parent, FileDialogKind kind,
                                              const FileDialogSetup& setup, int& lastFilter);

// The dictionary dialog of "Загрузить основной словарь" and "Загрузить
// словарь регулярных выражений": filter "Dictionary|*.dat", starting in the
// program folder with the current path preset. nullopt when cancelled.
std::optional<std::string> RunDictionaryDialog(QWidget* parent, const std::string& folder,
                                               const std::string& currentPath);

} // namespace umlo
