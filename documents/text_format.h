// The format of a text file: one byte of flags. No encoding flag means cp1251.
// The same byte is stored in the recent-files list and shown in file properties.
#pragma once

#include <cstdint>
#include <string_view>

namespace umlo {

using TextFormat = std::uint8_t;

constexpr TextFormat FormatRtf = 1;
constexpr TextFormat FormatUtf8 = 2;
constexpr TextFormat FormatUtf16LE = 4;
constexpr TextFormat FormatUtf16BE = 8;
constexpr TextFormat FormatSignature = 16;

// A document whose text lives in XML, alone or in a zip package: a number in
// the three high bits. Only an FB2 file also has an encoding bit (UTF-8 or
// none for windows-1251); the others are always UTF-8 and have none.
constexpr TextFormat kDocumentMask = 0xE0;
constexpr TextFormat FormatDocx = 0x20;
constexpr TextFormat FormatOdt = 0x40;
constexpr TextFormat FormatFb2 = 0x60;
constexpr TextFormat FormatFb2Zip = 0x80;
constexpr TextFormat FormatEpub = 0xA0;

constexpr TextFormat DocumentBits(TextFormat format) {
    return format & kDocumentMask;
}
constexpr bool IsDocumentFormat(TextFormat format) {
    return DocumentBits(format) != 0;
}

// The encoding bits alone (UTF-8, UTF-16 LE and BE); 0 is cp1251.
constexpr TextFormat kEncodingMask = FormatUtf8 | FormatUtf16LE | FormatUtf16BE;

constexpr bool HasFlag(TextFormat format, TextFormat flag) {
    return (format & flag) != 0;
}

// FormatRtf when the first four characters of the file name's extension, the dot
// included, are ".RTF" in any case (.rtf and .Rtfx count, .rt does not); else 0.
// Works on any path spelling whose separators are '/' or '\\'.
constexpr TextFormat IsRtfName(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    const std::string_view ext = name.substr(dot, 4);
    constexpr std::string_view kRtf = ".RTF";
    if (ext.size() != kRtf.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < ext.size(); ++i) {
        char c = ext[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != kRtf[i]) {
            return 0;
        }
    }
    return FormatRtf;
}

} // namespace umlo
