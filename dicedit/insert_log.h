// The log of the dictionary editor's changes, "insert.log": one line appended
// per inserted, replaced, re-cased or deleted dictionary line (cp1251, CR LF).
#pragma once

#include <string>
#include <string_view>

namespace umlo {

class InsertLog {
public:
    // folder: where the log lives (see SettingsFolder); "" for the current one.
    explicit InsertLog(const std::string& folder);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    const std::string& Path() const { return path_; }

    // Each gives false with the system's message in error when the line could
    // not be written; nothing is written (and true given) while the log is off.
    bool Inserted(std::string_view word, std::string& error);
    bool Replaced(std::string_view oldLine, std::string_view newLine, std::string& error);
    bool Deleted(std::string_view line, std::string& error);

private:
    bool Append(const std::string& line, std::string& error);

    std::string path_;
    bool enabled_ = false;
};

} // namespace umlo
