// The log "regexpr.log" of the words the regular-expression dictionary settled.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// One log line: "L:C; "marked context"; "expression"". The word in the context
// (offset characters in) becomes "<word/variant>", or "<word>" when the
// variant is the word itself; every CR becomes "\n" and every LF is dropped.
std::string RegExprLogLine(int line, int column, std::string_view context, int offset,
                           std::string_view word, std::string_view variant,
                           std::string_view expression);

class RegExprLog {
public:
    // logPath: the full path of the log file (cp1251 or UTF-8).
    explicit RegExprLog(std::string logPath) : path_(std::move(logPath)) {}

    // Appends one line (cp1251), creating the file when missing. When textPath
    // differs from the path last written, a line " *** " + textPath comes first
    // (not for an empty path). Returns false with the system's message in error.
    bool Write(std::string_view line, std::string_view textPath, std::string& error);

    const std::string& Path() const { return path_; }
    // Once a write failed, the log stays off until Resume: one message per fault.
    bool Suspended() const { return suspended_; }
    void Suspend() { suspended_ = true; }
    void Resume() { suspended_ = false; }

private:
    std::string path_;
    std::string rememberedPath_;
    bool suspended_ = false;
};

} // namespace umlo
