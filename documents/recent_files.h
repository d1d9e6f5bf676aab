// The list of recently loaded texts at the end of the "Файл" menu: up to nine
// entries, each with the caret offset the user last had and the text's format.
// Paths are compared regardless of letter case.
//
// Paths are UTF-8 as the file system spells them; the settings file stores
// them in cp1251.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "documents/text_buffer.h"
#include "documents/text_format.h"

namespace umlo {

struct RecentEntry {
    std::string Path;
    std::int32_t Position = 0; // caret offset
    TextFormat Format = 0;
    friend bool operator==(const RecentEntry&, const RecentEntry&) = default;
};

// Both paths lower-cased (Latin, Cyrillic, Greek and the Latin-1 letters) and compared.
bool SamePath(std::string_view a, std::string_view b);

class RecentFiles {
public:
    static constexpr int kCapacity = 9;

    // host may be null; it receives the enabled state of "Clearfilelist1".
    explicit RecentFiles(Host* host = nullptr) : host_(host) {}

    // Called after every change, so that the menu can rebuild its entry items.
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

    const std::vector<RecentEntry>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // True once the first entry was added, even when the list was cleared
    // later: the save then writes the (possibly empty) list.
    bool BlockCreated() const { return blockCreated_; }

    // 1-based place of the path's entry; 0 when none or the path is empty.
    int FindRecent(std::string_view path) const;
    // A path already listed keeps its place, offset and format. With nine
    // entries the oldest (place 1) is dropped and the new one goes last.
    void AddRecent(std::string_view path, std::int32_t offset, TextFormat format);
    // An entry read from the settings file, its path already full: dropped
    // when the list holds the same file, however spelt (letter case, links).
    // Returns the 1-based place that holds the file, 0 for an empty path.
    int AddStoredRecent(const RecentEntry& entry);
    // The stored offset of the path's entry, 0 when it is not listed.
    std::int32_t RecentPosition(std::string_view path) const;
    // Every entry of currentPath gets offset; nothing when currentPath is empty.
    void RememberPosition(std::string_view currentPath, std::int32_t offset);
    void RememberPosition(std::string_view currentPath, const TextBuffer& editor) {
        RememberPosition(currentPath, editor.SelStart());
    }
    // The entry at a 1-based place, or nullopt.
    std::optional<RecentEntry> EntryAt(int place) const;

    // "Очистить список последних файлов": asks first; returns true when cleared.
    bool ClearRecent(Host& host);
    // Empties the list without asking.
    void Clear();

private:
    void Changed();

    Host* host_;
    std::vector<RecentEntry> entries_;
    bool blockCreated_ = false;
    std::function<void()> onChanged_;
};

// The command behind entry item `place`: asks to save a changed text (stops
// unless told to proceed), stores the caret of the text being left, then
// loads the entry's file in its stored format, with no encoding check. The
// loader puts the caret at RecentPosition. Returns the loader's answer.
bool OpenRecent(RecentFiles& recent, int place, std::string_view currentPath,
                const TextBuffer& editor, const std::function<bool()>& askSaveChanges,
                const std::function<bool(const std::string& path, TextFormat format)>& loadText);

// The settings-file value of an entry: "path,position" or "path,position,flags"
// with the flag letters "u" (UTF-8) or else "U" (UTF-16 LE), then "S"
// (signature), then "R" (rich text).
std::string FormatRecentValue(const RecentEntry& entry);
// The reverse. A position that is not an integer gives 0; a value without a
// comma is all path.
RecentEntry ParseRecentValue(std::string_view value);

} // namespace umlo
