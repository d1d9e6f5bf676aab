#include "core/regexpr_log.h"
#include "core/system_message.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/codepage.h"

namespace umlo {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The log is cp1251 throughout, so a UTF-8 path is converted for it.
std::string PathForLog(std::string_view path) {
    return IsValidUtf8(path) ? Utf8ToCp1251(path) : std::string(path);
}

} // namespace

std::string RegExprLogLine(int line, int column, std::string_view context, int offset,
                           std::string_view word, std::string_view variant,
                           std::string_view expression) {
    // Built by appends: GCC 12 at -O3 mistakes "<" + std::string for an overlap.
    std::string mark(1, '<');
    mark.append(word);
    if (variant != word) {
        mark += '/';
        mark.append(variant);
    }
    mark += '>';
    const size_t at = std::min(static_cast<size_t>(std::max(offset, 0)), context.size());
    const size_t after = std::min(at + word.size(), context.size());
    const std::string marked =
        std::string(context.substr(0, at)) + mark + std::string(context.substr(after));

    std::string shown;
    shown.reserve(marked.size() + 8);
    for (const char c : marked) {
        if (c == '\r') {
            shown += "\\n";
        } else if (c != '\n') {
            shown += c;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column) + "; \"" + shown + "\"; \"" +
           std::string(expression) + "\"";
}

bool RegExprLog::Write(std::string_view line, std::string_view textPath, std::string& error) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path_.c_str(), "ab"));
    if (!file) {
        error = FileErrorMessage(FileAction::Write, path_, errno != 0 ? errno : EIO);
        return false;
    }
    std::string text;
    if (textPath != rememberedPath_) {
        if (!textPath.empty()) {
            text += " *** " + PathForLog(textPath) + "\r\n";
        }
        rememberedPath_ = std::string(textPath);
    }
    text += std::string(line) + "\r\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file.release()) == 0;
    if (!written || !closed) {
        const int code = written ? errno : writeError;
        error = FileErrorMessage(FileAction::Write, path_, code != 0 ? code : EIO);
        return false;
    }
    return true;
}

} // namespace umlo
