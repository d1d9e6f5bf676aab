// A Windows profile file ("ini") held in memory: "[Section]" lines and
// "Key=Value" lines, cp1251 bytes, section and key names matched regardless of
// letter case. Only the keys written or deleted change; every other line,
// comments and unknown keys included, is written back byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

class ProfileFile {
public:
    // Reads the file at path. A missing file is not an error: the profile is
    // empty and the first save creates it. Any other failure returns false
    // with the system's message, and the profile then refuses to save so that
    // a file it could not read is never overwritten with a partial copy.
    bool Load(const std::string& path, std::string* error = nullptr);
    // The profile of a text, as if read from a file (for the tests and tools).
    void SetText(std::string_view text);
    std::string Text() const;

    // A present key with an empty value gives the empty string, not nullopt.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // An absent value or one that is not a decimal 32-bit integer gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    // Read as an integer; any non-zero value is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    bool HasKey(std::string_view section, std::string_view key) const {
        return ReadValue(section, key).has_value();
    }

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int64_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value) {
        WriteInteger(section, key, value ? 1 : 0);
    }
    void DeleteKey(std::string_view section, std::string_view key);

    // Writes a temporary file beside the target and renames it over the
    // target, so a failed save leaves the old file whole. Returns false with
    // the system's message.
    bool Save(const std::string& path, std::string* error = nullptr) const;

private:
    struct Line {
        std::string text; // without its line ending
        std::string ending;
    };
    // Index of the first line of the section's header, or npos.
    size_t FindSection(std::string_view section) const;
    // The end of the section that starts at header: the next header or the end.
    size_t SectionEnd(size_t header) const;
    size_t FindKey(size_t header, std::string_view key) const;
    std::string NewLineEnding() const;

    std::vector<Line> lines_;
    bool readable_ = true;
    std::string loadError_;
};

// Parses a whole decimal 32-bit integer with an optional sign; blanks around
// it are allowed. Anything else, or a value out of range, gives nullopt.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

} // namespace umlo
