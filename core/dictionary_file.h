// Reading of the line-based dictionary files (the main dictionary and the
// regular-expression dictionary share the format's reading rules).
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace umlo {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A path as shown in messages: UTF-8 as it is, otherwise taken as cp1251.
std::string PathForMessage(const std::string& path);

// Version from a comment line holding "Версия:" and a non-blank remainder
// (blanks and control characters trimmed). False when the line has none.
bool TakeVersion(std::string_view line, std::string& version);

// Only a regular file has an end: a device or a pipe could feed one endless
// line. 0 for a regular file, else the errno to report (EISDIR, EINVAL).
int NotARegularFileError(const std::filesystem::file_status& status);

// Feeds every line of the file to `line`. A line ends with LF, a CR before it
// is dropped; the last line needs no line end. Returns errno on a read error.
int ReadLines(std::FILE* file, const std::function<void(std::string_view)>& line);

} // namespace umlo
