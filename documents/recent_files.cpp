#include "documents/recent_files.h"

#include "core/codepage.h"
#include "documents/full_path.h"
#include "documents/profile_file.h"

namespace umlo {

namespace {

char16_t LowerUnit(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) ||
        (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) || (c >= 0x0410 && c <= 0x042F)) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

std::u16string LowerPath(std::string_view path) {
    std::u16string text = Utf8ToUtf16(path);
    for (char16_t& c : text) {
        c = LowerUnit(c);
    }
    return text;
}

} // namespace

bool SamePath(std::string_view a, std::string_view b) {
    return LowerPath(a) == LowerPath(b);
}

int RecentFiles::FindRecent(std::string_view path) const {
    if (path.empty()) {
        return 0;
    }
    const std::u16string wanted = LowerPath(path);
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (LowerPath(entries_[i].Path) == wanted) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

void RecentFiles::AddRecent(std::string_view path, std::int32_t offset, TextFormat format) {
    if (path.empty() || FindRecent(path) != 0) {
        return;
    }
    if (host_ != nullptr) {
        host_->EnableCommand("Clearfilelist1", true);
    }
    blockCreated_ = true;
    if (Count() == kCapacity) {
        entries_.erase(entries_.begin());
    }
    entries_.push_back({std::string(path), offset, format});
    Changed();
}

int RecentFiles::AddStoredRecent(const RecentEntry& entry) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (IsSameExistingFile(entries_[i].Path, entry.Path)) {
            return static_cast<int>(i) + 1;
        }
    }
    AddRecent(entry.Path, entry.Position, entry.Format);
    return FindRecent(entry.Path);
}

std::int32_t RecentFiles::RecentPosition(std::string_view path) const {
    const int place = FindRecent(path);
    return place == 0 ? 0 : entries_[place - 1].Position;
}

void RecentFiles::RememberPosition(std::string_view currentPath, std::int32_t offset) {
    if (currentPath.empty()) {
        return;
    }
    const std::u16string wanted = LowerPath(currentPath);
    for (RecentEntry& entry : entries_) {
        if (LowerPath(entry.Path) == wanted) {
            entry.Position = offset;
        }
    }
}

std::optional<RecentEntry> RecentFiles::EntryAt(int place) const {
    if (place < 1 || place > Count()) {
        return std::nullopt;
    }
    return entries_[place - 1];
}

bool RecentFiles::ClearRecent(Host& host) {
    if (!host.AskYesNo("Очистить список последних файлов?")) {
        return false;
    }
    Clear();
    host.EnableCommand("Clearfilelist1", false);
    return true;
}

void RecentFiles::Clear() {
    entries_.clear();
    Changed();
}

void RecentFiles::Changed() {
    if (onChanged_) {
        onChanged_();
    }
}

bool OpenRecent(RecentFiles& recent, int place, std::string_view currentPath,
                const TextBuffer& editor, const std::function<bool()>& askSaveChanges,
                const std::function<bool(const std::string& path, TextFormat format)>& loadText) {
    const std::optional<RecentEntry> entry = recent.EntryAt(place);
    if (!entry || !askSaveChanges()) {
        return false;
    }
    recent.RememberPosition(currentPath, editor);
    return loadText(entry->Path, entry->Format);
}

std::string FormatRecentValue(const RecentEntry& entry) {
    std::string flags;
    if (HasFlag(entry.Format, FormatUtf8)) {
        flags += 'u';
    } else if (HasFlag(entry.Format, FormatUtf16LE)) {
        flags += 'U';
    }
    if (HasFlag(entry.Format, FormatSignature)) {
        flags += 'S';
    }
    if (HasFlag(entry.Format, FormatRtf)) {
        flags += 'R';
    }
    std::string value = entry.Path + "," + std::to_string(entry.Position);
    if (!flags.empty()) {
        value += "," + flags;
    }
    return value;
}

RecentEntry ParseRecentValue(std::string_view value) {
    RecentEntry entry;
    size_t comma = value.rfind(',');
    if (comma != std::string_view::npos) {
        const std::string_view tail = value.substr(comma + 1);
        TextFormat format = 0;
        if (tail.find('u') != std::string_view::npos) {
            format |= FormatUtf8;
        } else if (tail.find('U') != std::string_view::npos) {
            format |= FormatUtf16LE;
        }
        if (tail.find('S') != std::string_view::npos) {
            format |= FormatSignature;
        }
        if (tail.find('R') != std::string_view::npos) {
            format |= FormatRtf;
        }
        if (format != 0) {
            entry.Format = format;
            value = value.substr(0, comma);
            comma = value.rfind(',');
        }
    }
    if (comma == std::string_view::npos) {
        entry.Path = std::string(value);
        entry.Position = 0;
        return entry;
    }
    entry.Path = std::string(value.substr(0, comma));
    entry.Position = ParseProfileInteger(value.substr(comma + 1)).value_or(0);
    return entry;
}

} // namespace umlo
