// Zip archives made in memory with libzip for the tests, and a look at how
// an archive stores its entries, independently of the program's zip code.
#pragma once

#include <zip.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace umlo::testing {

struct ZipFile {
    std::string name;
    std::string bytes;
    bool stored = false;
};

// The archive's bytes; empty on a failure of libzip.
inline std::string MakeZip(const std::vector<ZipFile>& files) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(target);
    zip_t* z = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    for (const ZipFile& f : files) {
        zip_source_t* s = zip_source_buffer(z, f.bytes.data(), f.bytes.size(), 0);
        const zip_int64_t at = zip_file_add(z, f.name.c_str(), s, 0);
        zip_set_file_compression(z, static_cast<zip_uint64_t>(at),
                                 f.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    std::string out;
    if (zip_close(z) == 0 && zip_source_open(target) == 0) {
        zip_stat_t st;
        zip_source_stat(target, &st);
        out.resize(st.size);
        zip_source_read(target, out.data(), st.size);
        zip_source_close(target);
    }
    zip_source_free(target);
    zip_error_fini(&error);
    return out;
}

struct StoredEntry {
    std::string name;
    int method = 0;
    std::string raw;  // the bytes as stored (compressed)
    std::string data; // unpacked
};

// Every entry in order, with its stored and unpacked bytes.
inline std::vector<StoredEntry> ZipEntries(std::string_view bytes) {
    std::vector<StoredEntry> out;
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, nullptr);
    zip_t* z = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    if (z == nullptr) {
        zip_source_free(source);
        return out;
    }
    const auto read = [z](zip_uint64_t i, zip_flags_t flags, zip_uint64_t size) {
        std::string data(size, '\0');
        zip_file_t* f = zip_fopen_index(z, i, flags);
        const zip_int64_t n = f != nullptr ? zip_fread(f, data.data(), size) : -1;
        if (f != nullptr) {
            zip_fclose(f);
        }
        data.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return data;
    };
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
        StoredEntry e{st.name, st.comp_method, read(i, ZIP_FL_COMPRESSED, st.comp_size),
                      read(i, 0, st.size)};
        out.push_back(std::move(e));
    }
    zip_discard(z);
    return out;
}

} // namespace umlo::testing
