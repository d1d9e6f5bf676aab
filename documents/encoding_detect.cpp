#include "documents/encoding_detect.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "core/codepage.h"
#include "documents/input_file.h"

namespace umlo {

namespace {

bool IsUtf8CyrillicLead(unsigned char b) {
    return b == 0xD0 || b == 0xD1;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

TextFormat DetectEncodingBytes(std::string_view bytes, bool statistics, int utfLength) {
    const std::size_t maxUnits = static_cast<std::size_t>(std::max(utfLength, 1));
    const std::size_t units = std::min(bytes.size() / 2, maxUnits);

    TextFormat result = 0;
    bool utf8SignatureBegun = false;
    int a = 0; // second byte 00 or 04: UTF-16LE Latin or Cyrillic
    int b = 0;
    int c = 0; // first byte 00 or 04: UTF-16BE
    int d = 0;
    int u = 0; // units holding a UTF-8 Cyrillic lead byte
    std::string header;
    header.reserve(units * 2);

    for (std::size_t i = 0; i < units; ++i) {
        const auto lo = static_cast<unsigned char>(bytes[2 * i]);
        const auto hi = static_cast<unsigned char>(bytes[2 * i + 1]);
        if (i == 0) {
            if (lo == 0xFF && hi == 0xFE) {
                result = FormatUtf16LE | FormatSignature;
            } else if (lo == 0xFE && hi == 0xFF) {
                result = FormatUtf16BE | FormatSignature;
            } else if (lo == 0xEF && hi == 0xBB) {
                utf8SignatureBegun = true;
            }
        } else if (i == 1 && utf8SignatureBegun && lo == 0xBF) {
            result = FormatUtf8 | FormatSignature;
        }
        if (result == 0) {
            (hi == 0 || hi == 4 ? a : b)++;
            (lo == 0 || lo == 4 ? c : d)++;
        }
        if (IsUtf8CyrillicLead(lo) || IsUtf8CyrillicLead(hi)) {
            ++u;
        }
        // Without statistics only the first line matters: the declaration of an
        // XML file stands there.
        bool stop = false;
        for (unsigned char byte : {lo, hi}) {
            if (byte == '\r') {
                if (!statistics) {
                    stop = true;
                    break;
                }
                continue;
            }
            header.push_back(static_cast<char>(byte));
        }
        if (stop) {
            break;
        }
    }

    if (result != 0) {
        return result;
    }
    if (AsciiLower(header).find("encoding=\"utf-8\"") != std::string::npos) {
        return FormatUtf8;
    }
    if (statistics) {
        if (u > 20) {
            return FormatUtf8;
        }
        if (a >= c && a > b) {
            return FormatUtf16LE;
        }
        if (c > d) {
            return FormatUtf16BE;
        }
    }
    return 0;
}

TextFormat DetectEncoding(const std::string& path, bool statistics, int utfLength) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return 0;
    }
    // UTFLength comes from the settings file: a huge value must cost no more
    // than the file holds, so the bytes are read in chunks.
    const std::size_t want = static_cast<std::size_t>(std::max(utfLength, 1)) * 2;
    constexpr std::size_t kChunk = 1 << 16;
    std::string buffer;
    while (buffer.size() < want && in) {
        const std::size_t from = buffer.size();
        buffer.resize(from + std::min(kChunk, want - from));
        in.read(buffer.data() + from, static_cast<std::streamsize>(buffer.size() - from));
        buffer.resize(from + static_cast<std::size_t>(in.gcount()));
    }
    return DetectEncodingBytes(buffer, statistics, utfLength);
}

namespace {

// What ResolveFormat decides once the detection has run; whole gives every
// byte of the input (nothing when it cannot be read), asked only when the
// decision needs them.
TextFormat ResolveDetected(std::string_view name, TextFormat detected, TextFormat dialogFormat,
                           bool autoUnicode,
                           const std::function<std::optional<std::string_view>()>& whole) {
    const TextFormat r = IsRtfName(name) | (dialogFormat & FormatRtf);
    if (autoUnicode) {
        constexpr TextFormat kMarked = FormatSignature | FormatUtf16LE | FormatUtf16BE;
        std::optional<std::string_view> all;
        if (!(r & FormatRtf) && !(detected & kMarked) && (all = whole())) {
            const std::string_view bytes = *all;
            // Neither a signature nor UTF-16: the bytes decide, as in umlo-cli.
            // The statistics take cp1251 text rich in Р and С for UTF-8, and
            // miss a short UTF-8 text with few Russian letters; only a file
            // that really is UTF-8 is read so, or saving would destroy it.
            // Plain ASCII is the same bytes either way and keeps what the
            // statistics said.
            const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
            if (ascii) {
                return r | detected;
            }
            return r | (IsValidUtf8(bytes) ? FormatUtf8 : TextFormat(0));
        }
        return r | detected;
    }
    const TextFormat signature = detected & FormatSignature;
    if (HasFlag(dialogFormat, FormatUtf8)) {
        return r | FormatUtf8 | signature;
    }
    constexpr TextFormat kUtf16 = FormatUtf16LE | FormatUtf16BE;
    if (HasFlag(dialogFormat, kUtf16)) {
        return r | (dialogFormat & kUtf16) | (detected & kUtf16) | signature;
    }
    return r;
}

} // namespace

TextFormat ResolveFormat(const std::string& path, TextFormat dialogFormat, bool autoUnicode,
                         int utfLength) {
    std::string bytes;
    return ResolveDetected(path, DetectEncoding(path, autoUnicode, utfLength), dialogFormat,
                           autoUnicode, [&]() -> std::optional<std::string_view> {
                               if (!ReadWholeInput(path, bytes)) {
                                   return std::nullopt;
                               }
                               return bytes;
                           });
}

TextFormat ResolveFormatOfBytes(std::string_view name, std::string_view bytes,
                                TextFormat dialogFormat, bool autoUnicode, int utfLength) {
    // The bytes are read already: nothing is copied.
    return ResolveDetected(name, DetectEncodingBytes(bytes, autoUnicode, utfLength), dialogFormat,
                           autoUnicode, [bytes] { return std::optional<std::string_view>(bytes); });
}

} // namespace umlo
