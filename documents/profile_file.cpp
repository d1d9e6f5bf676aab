#include "documents/profile_file.h"
#include "core/system_message.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

#include "core/file_replace.h"
#include "core/words.h"

namespace umlo {

namespace {

constexpr size_t npos = std::string::npos;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (ToLowerByte(a[i]) != ToLowerByte(b[i])) {
            return false;
        }
    }
    return true;
}

// The name of a "[Section]" line, or nullopt for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    // A file saved by an editor as UTF-8 starts with a signature; without this
    // its first section would go unseen and be added a second time.
    constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";
    if (line.starts_with(kUtf8Signature)) {
        line.remove_prefix(kUtf8Signature.size());
    }
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const size_t close = line.find(']');
    if (close == npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
    line = Trim(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The key of a "Key=Value" line, or nullopt for any other line.
std::optional<std::string_view> KeyName(std::string_view line) {
    if (IsComment(line) || SectionName(line)) {
        return std::nullopt;
    }
    const size_t eq = line.find('=');
    if (eq == npos) {
        return std::nullopt;
    }
    return Trim(line.substr(0, eq));
}

std::string OneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = '?';
        }
    }
    return out;
}

// On failure the target is untouched and error holds the reason.
bool WriteReplacing(const std::string& path, std::string_view data, std::string* error) {
    const int code = ReplaceFileContents(path, data);
    if (code != 0 && error != nullptr) {
        *error = FileErrorMessage(FileAction::Write, path, code);
    }
    return code == 0;
}

} // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

bool ProfileFile::Load(const std::string& path, std::string* error) {
    lines_.clear();
    readable_ = true;
    loadError_.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) {
        return true;
    }
    std::ifstream in;
    if (!std::filesystem::is_directory(path, ec)) {
        in.open(path, std::ios::binary);
    } else {
        errno = EISDIR;
    }
    if (!in.is_open()) {
        const int code = errno;
        readable_ = false;
        loadError_ = FileErrorMessage(FileAction::Read, path, code != 0 ? code : EIO);
        if (error != nullptr) {
            *error = loadError_;
        }
        return false;
    }
    std::ostringstream data;
    data << in.rdbuf();
    if (in.bad()) {
        readable_ = false;
        loadError_ = FileErrorMessage(FileAction::Read, path, EIO);
        if (error != nullptr) {
            *error = loadError_;
        }
        return false;
    }
    SetText(data.str());
    return true;
}

void ProfileFile::SetText(std::string_view text) {
    lines_.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        Line line{std::string(text.substr(start, end - start)), {}};
        if (end < text.size()) {
            const size_t endingLength =
                text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
            line.ending = std::string(text.substr(end, endingLength));
            end += endingLength;
        }
        lines_.push_back(std::move(line));
        start = end;
    }
}

std::string ProfileFile::Text() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

size_t ProfileFile::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text);
        if (name && SameName(*name, section)) {
            return i;
        }
    }
    return npos;
}

size_t ProfileFile::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) {
        ++i;
    }
    return i;
}

size_t ProfileFile::FindKey(size_t header, std::string_view key) const {
    const size_t end = SectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        const auto name = KeyName(lines_[i].text);
        if (name && SameName(*name, key)) {
            return i;
        }
    }
    return npos;
}

std::string ProfileFile::NewLineEnding() const {
    for (const Line& line : lines_) {
        if (!line.ending.empty()) {
            return line.ending;
        }
    }
    return "\r\n";
}

std::optional<std::string> ProfileFile::ReadValue(std::string_view section,
                                                  std::string_view key) const {
    const size_t header = FindSection(section);
    if (header == npos) {
        return std::nullopt;
    }
    const size_t at = FindKey(header, key);
    if (at == npos) {
        return std::nullopt;
    }
    const std::string& text = lines_[at].text;
    return text.substr(text.find('=') + 1);
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    auto value = ReadValue(section, key);
    return value ? *value : std::string(defaultValue);
}

std::int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
    const auto value = ReadValue(section, key);
    if (!value) {
        return defaultValue;
    }
    return ParseProfileInteger(*value).value_or(defaultValue);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    // A line break inside a value (a file name may hold one) would start a
    // line of its own, even a section or key of the program's.
    std::string text = OneLine(key);
    text += '=';
    text += OneLine(value);
    const std::string ending = NewLineEnding();
    size_t header = FindSection(section);
    if (header == npos) {
        if (!lines_.empty() && lines_.back().ending.empty()) {
            lines_.back().ending = ending;
        }
        lines_.push_back({"[" + OneLine(section) + "]", ending});
        lines_.push_back({std::move(text), ending});
        return;
    }
    const size_t at = FindKey(header, key);
    if (at != npos) {
        lines_[at].text = std::move(text);
        return;
    }
    // After the section's last non-blank line, so that a blank line that
    // separates it from the next section stays where it is.
    size_t insert = SectionEnd(header);
    while (insert > header + 1 && Trim(lines_[insert - 1].text).empty()) {
        --insert;
    }
    if (lines_[insert - 1].ending.empty()) {
        lines_[insert - 1].ending = ending;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), {std::move(text), ending});
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, std::int64_t value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    const size_t header = FindSection(section);
    if (header == npos) {
        return;
    }
    // Every copy goes: a second line of the same key would otherwise come to light.
    for (size_t at = FindKey(header, key); at != npos; at = FindKey(header, key)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

bool ProfileFile::Save(const std::string& path, std::string* error) const {
    if (!readable_) {
        if (error != nullptr) {
            *error = loadError_;
        }
        return false;
    }
    return WriteReplacing(path, Text(), error);
}

} // namespace umlo
