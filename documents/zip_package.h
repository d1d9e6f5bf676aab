// A zip package (DOCX, ODT, EPUB, .fb2.zip) read from memory with libzip,
// and written anew with some entries' contents replaced: every other entry
// is copied as it is stored (its compressed bytes, not recompressed), in the
// same order, with the same compression method and time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

// No document the program reads has this much text XML unpacked (all its
// parts together); a zip that claims more is a zip bomb or not a document.
inline constexpr std::uint64_t kZipEntryLimit = std::uint64_t{256} << 20;
// Nor has a whole package this much, pictures and fonts included.
inline constexpr std::uint64_t kZipPackageLimit = std::uint64_t{1} << 30;

struct ZipEntry {
    std::string name;
    std::uint64_t size = 0; // unpacked, as the archive says
    bool encrypted = false;
};

class ZipPackage {
public:
    // The bytes must outlive the package. nullptr, with the reason (UTF-8),
    // when they are not a zip archive or it is damaged.
    static std::unique_ptr<ZipPackage> Open(std::string_view bytes, std::string& error);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    const std::vector<ZipEntry>& Entries() const { return entries_; }
    std::optional<std::size_t> Find(std::string_view name) const;
    bool AnyEncrypted() const;

    // The unpacked bytes of an entry; false, with the reason, for an
    // encrypted or damaged entry or one larger than limit.
    bool Read(std::size_t index, std::string& out, std::string& error,
              std::uint64_t limit = kZipEntryLimit) const;

    // Whether every entry unpacks (checksums included) within the limits: a
    // save copies every entry, and must not find a damaged one only then.
    bool Verify(std::string& error) const;

    // The archive with the entries of replaced (by index) holding new bytes.
    bool Rewrite(const std::map<std::size_t, std::string>& replaced, std::string& out,
                 std::string& error) const;

    // Made by Open only: the key cannot be named elsewhere.
    class Key {
        friend class ZipPackage;
        Key() = default;
    };
    struct Archive;
    ZipPackage(Key, std::unique_ptr<Archive> archive);

private:
    // Unpacks an entry, into out when given.
    bool Unpack(std::size_t index, std::uint64_t limit, std::string* out, std::string& error) const;

    std::unique_ptr<Archive> archive_;
    std::vector<ZipEntry> entries_;
};

// Whether bytes start like a zip archive.
bool LooksLikeZip(std::string_view bytes);

} // namespace umlo
