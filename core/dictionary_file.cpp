#include "core/dictionary_file.h"

#include <cerrno>

#include "core/codepage.h"

namespace umlo {

namespace {
constexpr size_t kChunkBytes = 1 << 16;
}

std::string PathForMessage(const std::string& path) {
    return IsValidUtf8(path) ? path : Cp1251ToUtf8(path);
}

bool TakeVersion(std::string_view line, std::string& version) {
    static const std::string marker = Cp("Версия:");
    const size_t at = line.find(marker);
    if (at == std::string_view::npos) {
        return false;
    }
    std::string_view rest = line.substr(at + marker.size());
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!rest.empty() && blank(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && blank(rest.back())) {
        rest.remove_suffix(1);
    }
    if (rest.empty()) {
        return false;
    }
    version.assign(rest);
    return true;
}

int NotARegularFileError(const std::filesystem::file_status& status) {
    if (std::filesystem::is_regular_file(status)) {
        return 0;
    }
    return std::filesystem::is_directory(status) ? EISDIR : EINVAL;
}

int ReadLines(std::FILE* file, const std::function<void(std::string_view)>& line) {
    std::string buffer(kChunkBytes, '\0');
    std::string pending; // a line that runs across chunks
    const auto emit = [&line](std::string_view text) {
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        line(text);
    };
    for (;;) {
        const size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        if (got == 0) {
            if (std::ferror(file)) {
                return errno != 0 ? errno : EIO;
            }
            break;
        }
        std::string_view chunk(buffer.data(), got);
        size_t lf;
        while ((lf = chunk.find('\n')) != std::string_view::npos) {
            if (pending.empty()) {
                emit(chunk.substr(0, lf));
            } else {
                pending.append(chunk.substr(0, lf));
                emit(pending);
                pending.clear();
            }
            chunk.remove_prefix(lf + 1);
        }
        pending.append(chunk);
    }
    if (!pending.empty()) {
        emit(pending);
    }
    return 0;
}

} // namespace umlo
