#include "documents/zip_package.h"

#include <cstdio>
#include <zip.h>

namespace umlo {
namespace {

constexpr zip_uint32_t kPackLevel = 4;

// The reason of a libzip failure for the user: in Russian for what a
// damaged or unusual file gives, libzip's own words for the rest.
std::string ZipFailure(zip_error_t* error) {
    std::string why;
    switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOZIP:
        return "это не архив ZIP: файл повреждён, обрезан или не того формата";
    case ZIP_ER_INCONS:
        why = "оглавление архива не сходится с его содержимым";
        break;
    case ZIP_ER_EOF:
        why = "архив обрывается";
        break;
    case ZIP_ER_CRC:
        why = "контрольная сумма не совпадает";
        break;
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_ZLIB:
        why = "сжатые данные испорчены";
        break;
    case ZIP_ER_COMPNOTSUPP:
        why = "неизвестный метод сжатия";
        break;
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return "архив ZIP зашифрован";
    case ZIP_ER_MULTIDISK:
        why = "многотомный архив";
        break;
    case ZIP_ER_MEMORY:
        why = "не хватает памяти";
        break;
    default:
        why = zip_error_strerror(error);
    }
    return "архив ZIP повреждён: " + why;
}

struct ArchiveCloser {
    void operator()(zip_t* z) const {
        if (z != nullptr) {
            zip_discard(z);
        }
    }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

struct FileCloser {
    void operator()(zip_file_t* f) const {
        if (f != nullptr) {
            zip_fclose(f);
        }
    }
};

struct SourceFreer {
    void operator()(zip_source_t* s) const {
        if (s != nullptr) {
            zip_source_free(s);
        }
    }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFreer>;

ArchivePtr OpenArchive(std::string_view bytes, std::string& error) {
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zerror);
    if (source == nullptr) {
        error = ZipFailure(&zerror);
        zip_error_fini(&zerror);
        return nullptr;
    }
    zip_t* z = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zerror);
    if (z == nullptr) {
        zip_source_free(source);
        error = ZipFailure(&zerror);
    }
    zip_error_fini(&zerror);
    return ArchivePtr(z);
}

// The bytes an in-memory source holds after the archive was written into it.
bool SourceBytes(zip_source_t* source, std::string& out, std::string& error) {
    zip_stat_t st;
    if (zip_source_open(source) < 0) {
        error = ZipFailure(zip_source_error(source));
        return false;
    }
    bool ok = zip_source_stat(source, &st) == 0 && (st.valid & ZIP_STAT_SIZE) != 0;
    if (ok) {
        out.resize(st.size);
        ok = zip_source_read(source, out.data(), st.size) == static_cast<zip_int64_t>(st.size);
    }
    if (!ok) {
        error = ZipFailure(zip_source_error(source));
    }
    zip_source_close(source);
    return ok;
}

} // namespace

struct ZipPackage::Archive {
    ArchivePtr zip;
};

ZipPackage::ZipPackage(Key, std::unique_ptr<Archive> archive) : archive_(std::move(archive)) {}
ZipPackage::~ZipPackage() = default;

bool LooksLikeZip(std::string_view bytes) {
    return bytes.starts_with("PK\x03\x04") || bytes.starts_with("PK\x05\x06");
}

std::unique_ptr<ZipPackage> ZipPackage::Open(std::string_view bytes, std::string& error) {
    ArchivePtr z = OpenArchive(bytes, error);
    if (!z) {
        return nullptr;
    }
    auto archive = std::make_unique<Archive>();
    archive->zip = std::move(z);
    auto package = std::make_unique<ZipPackage>(Key{}, std::move(archive));
    zip_t* handle = package->archive_->zip.get();
    const zip_int64_t count = zip_get_num_entries(handle, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(handle, static_cast<zip_uint64_t>(i), 0, &st) != 0) {
            error = ZipFailure(zip_get_error(handle));
            return nullptr;
        }
        ZipEntry entry;
        entry.name = st.name != nullptr ? st.name : "";
        entry.size = (st.valid & ZIP_STAT_SIZE) != 0 ? st.size : 0;
        entry.encrypted =
            (st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && st.encryption_method != ZIP_EM_NONE;
        package->entries_.push_back(std::move(entry));
    }
    return package;
}

std::optional<std::size_t> ZipPackage::Find(std::string_view name) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

bool ZipPackage::AnyEncrypted() const {
    for (const ZipEntry& entry : entries_) {
        if (entry.encrypted) {
            return true;
        }
    }
    return false;
}

bool ZipPackage::Unpack(std::size_t index, std::uint64_t limit, std::string* out,
                        std::string& error) const {
    const ZipEntry& entry = entries_.at(index);
    if (entry.encrypted) {
        error = "часть " + entry.name + " зашифрована";
        return false;
    }
    const std::string tooLarge = "часть " + entry.name + " больше " + std::to_string(limit >> 20) +
                                 " МБ в распакованном виде";
    if (entry.size > limit) {
        error = tooLarge;
        return false;
    }
    std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive_->zip.get(), index, 0));
    if (!file) {
        error = ZipFailure(zip_get_error(archive_->zip.get()));
        return false;
    }
    if (out != nullptr) {
        out->clear();
    }
    // The size in the directory may lie: no more than the limit is unpacked.
    std::uint64_t total = 0;
    char chunk[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), chunk, sizeof chunk);
        if (n < 0) {
            error = ZipFailure(zip_file_get_error(file.get()));
            error += ": " + entry.name;
            return false;
        }
        if (n == 0) {
            break;
        }
        total += static_cast<std::uint64_t>(n);
        if (total > limit) {
            error = tooLarge;
            return false;
        }
        if (out != nullptr) {
            out->append(chunk, static_cast<std::size_t>(n));
        }
    }
    return true;
}

bool ZipPackage::Read(std::size_t index, std::string& out, std::string& error,
                      std::uint64_t limit) const {
    return Unpack(index, limit, &out, error);
}

bool ZipPackage::Verify(std::string& error) const {
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        total += entries_[i].size;
        if (total > kZipPackageLimit) {
            error = "архив больше " + std::to_string(kZipPackageLimit >> 20) +
                    " МБ в распакованном виде";
            return false;
        }
        if (!Unpack(i, kZipEntryLimit, nullptr, error)) {
            return false;
        }
    }
    return true;
}

bool ZipPackage::Rewrite(const std::map<std::size_t, std::string>& replaced, std::string& out,
                         std::string& error) const {
    zip_t* from = archive_->zip.get();
    zip_error_t zerror;
    zip_error_init(&zerror);
    SourcePtr target(zip_source_buffer_create(nullptr, 0, 0, &zerror));
    if (!target) {
        error = ZipFailure(&zerror);
        zip_error_fini(&zerror);
        return false;
    }
    zip_source_keep(target.get()); // the archive's reference; ours stays for the bytes
    ArchivePtr to(zip_open_from_source(target.get(), ZIP_TRUNCATE, &zerror));
    if (!to) {
        zip_source_free(target.get()); // the reference the failed open did not take
        error = ZipFailure(&zerror);
        zip_error_fini(&zerror);
        return false;
    }
    zip_error_fini(&zerror);
    const auto fail = [&](zip_t* z) {
        error = ZipFailure(zip_get_error(z));
        return false;
    };
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        zip_stat_t st;
        if (zip_stat_index(from, i, 0, &st) != 0) {
            return fail(from);
        }
        const auto found = replaced.find(i);
        zip_source_t* data =
            found != replaced.end()
                ? zip_source_buffer(to.get(), found->second.data(), found->second.size(), 0)
                : zip_source_zip(to.get(), from, i, ZIP_FL_COMPRESSED, 0, -1);
        if (data == nullptr) {
            return fail(to.get());
        }
        // The name's own bytes: libzip marks them UTF-8 again when they are.
        const char* name = zip_get_name(from, i, ZIP_FL_ENC_RAW);
        const zip_int64_t added =
            name != nullptr ? zip_file_add(to.get(), name, data, ZIP_FL_ENC_GUESS) : -1;
        if (added < 0) {
            zip_source_free(data);
            return fail(to.get());
        }
        const auto at = static_cast<zip_uint64_t>(added);
        // The same method keeps a copied entry's bytes as they are, and the
        // EPUB mimetype stored; a replaced entry is packed the same way when
        // libzip can, at a middle level: libzip's default is its best, which
        // takes six times as long over a novel for a sixth less.
        zip_int32_t method = (st.valid & ZIP_STAT_COMP_METHOD) != 0 ? st.comp_method : ZIP_CM_STORE;
        if (found != replaced.end() && !zip_compression_method_supported(method, 1)) {
            method = ZIP_CM_DEFLATE;
        }
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_set_file_compression(to.get(), at, method, kPackLevel) != 0 ||
            ((st.valid & ZIP_STAT_MTIME) != 0 &&
             zip_file_set_mtime(to.get(), at, st.mtime, 0) != 0) ||
            (zip_file_get_external_attributes(from, i, 0, &system, &attributes) == 0 &&
             zip_file_set_external_attributes(to.get(), at, 0, system, attributes) != 0)) {
            return fail(to.get());
        }
    }
    // The archive's comment goes along when libzip takes it (it refuses one
    // that is not text; no document needs such a comment).
    int commentLength = 0;
    if (const char* comment = zip_get_archive_comment(from, &commentLength, ZIP_FL_ENC_RAW);
        comment != nullptr && commentLength > 0) {
        zip_set_archive_comment(to.get(), comment, static_cast<zip_uint16_t>(commentLength));
    }
    if (zip_close(to.get()) != 0) {
        return fail(to.get());
    }
    (void)to.release(); // closed: the handle is gone
    return SourceBytes(target.get(), out, error);
}

} // namespace umlo
