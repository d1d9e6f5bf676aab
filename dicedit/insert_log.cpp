#include "dicedit/insert_log.h"
#include "core/system_message.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/dictionary_file.h"
#include "documents/settings_location.h"

namespace umlo {

InsertLog::InsertLog(const std::string& folder)
    : path_(folder.empty() ? std::string(kInsertLogFileName)
                           : FileInFolder(folder, kInsertLogFileName)) {}

bool InsertLog::Inserted(std::string_view word, std::string& error) {
    return Append(std::string(word), error);
}

bool InsertLog::Replaced(std::string_view oldLine, std::string_view newLine, std::string& error) {
    std::string line(oldLine);
    line += '\t';
    line += newLine;
    return Append(line, error);
}

bool InsertLog::Deleted(std::string_view line, std::string& error) {
    std::string text = "-\t";
    text += line;
    return Append(text, error);
}

bool InsertLog::Append(const std::string& line, std::string& error) {
    if (!enabled_) {
        return true;
    }
    // A log grows line by line: appending is its whole point, so it is not
    // replaced through a temporary file like the dictionaries.
    errno = 0;
    File file(std::fopen(path_.c_str(), "ab"));
    if (!file) {
        error = FileErrorMessage(FileAction::Write, path_, errno != 0 ? errno : EIO);
        return false;
    }
    const std::string text = line + "\r\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        error = FileErrorMessage(FileAction::Write, path_,
                                 !written ? (writeError != 0 ? writeError : EIO)
                                          : (errno != 0 ? errno : EIO));
        return false;
    }
    return true;
}

} // namespace umlo
