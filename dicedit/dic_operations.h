// The dictionary editor's maintenance operations: sorting, duplicate removal,
// the error search and the line check, subtraction of another dictionary, the
// case commands and the length line. They work on the dictionary pane's lines
// as cp1251 strings and leave the result in them; the editor puts the lines
// back into its pane, shows the texts they return and keeps the cursor.
//
// Texts meant for the status bar are UTF-8, like every text given to a host.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"

namespace umlo {

// What a long walk over the lines needs of the editor window.
class OperationMonitor {
public:
    virtual ~OperationMonitor() = default;
    // Shows the line being looked at in the status bar (UTF-8).
    virtual void ShowProgress(std::string_view text) = 0;
    // Whether Esc was pressed since the last poll; a single press stops the walk.
    virtual bool EscPressed() = 0;
};

// The walks show every line whose index is a multiple of this.
inline constexpr int kProgressEvery = 300;

// "Словоформ: %d".
std::string WordFormsText(int count);
// The lines that are not comment lines.
int CountEntryLines(const std::vector<std::string>& lines);

// Whether one line is a valid dictionary line in the current mode. An error
// carries the status-bar text; an empty line is an error without one.
struct LineCheckResult {
    bool error = false;
    std::string message; // UTF-8
};
LineCheckResult CheckDicLine(std::string_view line, bool regexMode);

// "Сортировать словарь": the header block (the leading non-empty lines that
// begin with "#") stays on top in its order, the rest is sorted by
// DicLineCompare. Gives the word count.
int SortDictionary(std::vector<std::string>& lines);

// "Удалить дубли из словаря": an entry line equal byte for byte to the line
// before it is deleted. Esc stops the walk; the deletions made stay.
struct DuplicateRemoval {
    int wordCount = 0;
    int removed = 0;
    bool interrupted = false;
    std::string statusText; // UTF-8, for the status bar
};
DuplicateRemoval RemoveDuplicates(std::vector<std::string>& lines, OperationMonitor& monitor);

// "Найти следующую ошибку в словаре", from the caret's line on.
struct ErrorSearch {
    bool found = false;
    // The faulty line; without an error the line where the walk stopped, which
    // is the line count when it ran to the end.
    int line = 0;
    bool interrupted = false;
    std::string statusText; // the error, "Операция прервана" or "Ошибок не найдено"
};
ErrorSearch FindNextError(const std::vector<std::string>& lines, int startLine, bool regexMode,
                          OperationMonitor& monitor);

// "Вычесть словарь": every line of `other` takes one line equal to it byte for
// byte out of `lines`, comment lines included. Gives the word count.
int SubtractDictionary(std::vector<std::string>& lines, const std::vector<std::string>& other);
// Reads the lines of a dictionary file (LF or CR LF line ends). Gives 0 or the
// errno of the failure.
int ReadDictionaryLines(const std::string& path, std::vector<std::string>& lines);
// The subtraction of the file at `path`; a file that cannot be read is
// reported through the host with the system's message and leaves the lines
// alone. Gives the word count, or -1 after a failure.
int SubtractDictionaryFile(std::vector<std::string>& lines, const std::string& path, Host& host);

// "В нижний регистр" and "С заглавной буквы".
enum class CaseCommand { Lower, Capitalize };
std::string ChangeLineCase(std::string_view line, CaseCommand command);

// "Вставить длину словаря": puts "# Длина: %d" into the first comment line
// holding "# Длина:" among the lines counted, or into a new line "#"
// inserted near the top when there is none.
struct LengthLine {
    int index = 0;         // the length line
    bool inserted = false; // a new line was inserted at index
    int length = 0;
};
LengthLine WriteLengthLine(std::vector<std::string>& lines, bool regexMode);

// Texts the editor shows around the operations (UTF-8).
inline constexpr std::string_view kComputingLengthText = "Вычисление длины словаря...";

} // namespace umlo
