#include "cli/plain_text_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/codepage.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LESignature = "\xFF\xFE";
constexpr std::string_view kUtf16BESignature = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        out += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return out;
}

void AppendUtf16(std::string& out, std::u16string_view text, bool bigEndian) {
    for (const char16_t u : text) {
        const auto hi = static_cast<char>(u >> 8);
        const auto lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
}

// Moves the line ends out of the text: each becomes one carriage return and is
// remembered, so that the writer can put back exactly what was there.
void SplitLineEnds(std::u16string_view raw, PlainText& out) {
    out.text.clear();
    out.text.reserve(raw.size());
    out.lineEnds.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if (c == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n') {
            out.lineEnds.emplace_back(u"\r\n");
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            out.lineEnds.emplace_back(1, c);
        } else {
            out.text += c;
            continue;
        }
        out.text += u'\r';
    }
}

std::string SystemError(int code) {
    return std::strerror(code);
}

} // namespace

bool DecodePlainText(std::string_view bytes, PlainText& out, std::string& error) {
    std::u16string raw;
    out.signature = false;
    if (bytes.starts_with(kUtf16LESignature) || bytes.starts_with(kUtf16BESignature)) {
        const bool big = bytes.starts_with(kUtf16BESignature);
        if (bytes.size() % 2 != 0) {
            error = "нечётное число байтов в файле UTF-16";
            return false;
        }
        out.encoding = big ? PlainEncoding::Utf16BE : PlainEncoding::Utf16LE;
        out.signature = true;
        raw = DecodeUtf16(bytes.substr(2), big);
    } else {
        if (bytes.find('\0') != std::string_view::npos) {
            error = "это не текстовый файл (в нём есть нулевые байты)";
            return false;
        }
        if (bytes.starts_with(kUtf8Signature)) {
            out.signature = true;
            bytes.remove_prefix(kUtf8Signature.size());
            // Decoding invalid bytes as U+FFFD would destroy them on writing.
            if (!IsValidUtf8(bytes)) {
                error = "файл с подписью UTF-8 содержит недопустимые последовательности UTF-8";
                return false;
            }
            out.encoding = PlainEncoding::Utf8;
        } else {
            out.encoding = IsValidUtf8(bytes) ? PlainEncoding::Utf8 : PlainEncoding::Cp1251;
        }
        raw = out.encoding == PlainEncoding::Utf8 ? Utf8ToUtf16(bytes) : Cp1251ToUtf16(bytes);
    }
    if (raw.find(u'\0') != std::u16string::npos) {
        error = "это не текстовый файл (в нём есть нулевые символы)";
        return false;
    }
    SplitLineEnds(raw, out);
    return true;
}

std::string EncodePlainText(const PlainText& format, std::u16string_view text) {
    const std::u16string fallbackEnd = format.lineEnds.empty() ? u"\n" : format.lineEnds.front();
    std::u16string raw;
    raw.reserve(text.size() + format.lineEnds.size());
    size_t line = 0;
    for (const char16_t c : text) {
        if (c != u'\r') {
            raw += c;
            continue;
        }
        raw += line < format.lineEnds.size() ? format.lineEnds[line] : fallbackEnd;
        ++line;
    }
    std::string out;
    switch (format.encoding) {
    case PlainEncoding::Cp1251:
        out = Utf16ToCp1251(raw);
        break;
    case PlainEncoding::Utf8:
        if (format.signature) {
            out = kUtf8Signature;
        }
        out += Utf16ToUtf8(raw);
        break;
    case PlainEncoding::Utf16LE:
    case PlainEncoding::Utf16BE: {
        const bool big = format.encoding == PlainEncoding::Utf16BE;
        if (format.signature) {
            out = big ? kUtf16BESignature : kUtf16LESignature;
        }
        AppendUtf16(out, raw, big);
        break;
    }
    }
    return out;
}

bool ReadPlainTextFile(const std::string& path, PlainText& out, std::string& error) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        error = path + ": нет такого файла";
        return false;
    }
    if (fs::is_directory(status)) {
        error = path + ": это папка, а не файл";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": не удаётся открыть: " + SystemError(errno);
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": ошибка чтения: " + SystemError(errno);
        return false;
    }
    std::string why;
    if (!DecodePlainText(bytes, out, why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error) {
    std::error_code ec;
    fs::path target(path);
    // Writing through a symbolic link keeps the link and changes the file it names.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        target = fs::weakly_canonical(target, ec);
        if (ec) {
            error = path + ": " + ec.message();
            return false;
        }
    }
    if (fs::is_directory(target, ec)) {
        error = path + ": это папка, а не файл";
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    mode_t mode = 0;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string temp = target.string() + ".umlo-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = path + ": не удаётся создать временный файл: " + SystemError(errno);
        return false;
    }
    bool ok = true;
    int failure = 0;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            failure = errno;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (ok && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)) {
        ok = false;
        failure = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        error = path + ": не удаётся записать: " + SystemError(failure);
    }
    return ok;
}

} // namespace umlo::cli
