#include "cli/plain_text_io.h"

#include "core/codepage.h"

namespace umlo::cli {
namespace {

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

} // namespace

bool DecodePlainText(std::string_view bytes, TextFormat format, PlainText& out,
                     std::string& error) {
    std::u16string raw;
    const bool utf16 = HasFlag(format, FormatUtf16LE | FormatUtf16BE);
    out.format = format & kEncodingMask;
    if (HasFlag(format, FormatUtf8)) {
        out.format = FormatUtf8;
    } else if (utf16) {
        out.format = HasFlag(format, FormatUtf16LE) ? FormatUtf16LE : FormatUtf16BE;
    }
    if (utf16) {
        const bool big = out.format == FormatUtf16BE;
        if (bytes.starts_with(big ? kUtf16BESignature : kUtf16LESignature)) {
            out.format |= FormatSignature;
            bytes.remove_prefix(2);
        }
        if (bytes.size() % 2 != 0) {
            error = "нечётное число байтов в файле UTF-16";
            return false;
        }
        raw = DecodeUtf16(bytes, big);
    } else {
        if (bytes.find('\0') != std::string_view::npos) {
            error = "это не текстовый файл (в нём есть нулевые байты)";
            return false;
        }
        if (out.format == FormatUtf8) {
            if (bytes.starts_with(kUtf8Signature)) {
                out.format |= FormatSignature;
                bytes.remove_prefix(kUtf8Signature.size());
            }
            // Decoding invalid bytes as U+FFFD would destroy them on writing.
            if (!IsValidUtf8(bytes)) {
                error = "файл содержит недопустимые последовательности UTF-8";
                return false;
            }
            raw = Utf8ToUtf16(bytes);
        } else {
            raw = Cp1251ToUtf16(bytes);
        }
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
    const bool signature = HasFlag(format.format, FormatSignature);
    std::string out;
    if (HasFlag(format.format, FormatUtf8)) {
        if (signature) {
            out = kUtf8Signature;
        }
        out += Utf16ToUtf8(raw);
    } else if (HasFlag(format.format, FormatUtf16LE | FormatUtf16BE)) {
        const bool big = !HasFlag(format.format, FormatUtf16LE);
        if (signature) {
            out = big ? kUtf16BESignature : kUtf16LESignature;
        }
        AppendUtf16(out, raw, big);
    } else {
        out = Utf16ToCp1251(raw);
    }
    return out;
}

} // namespace umlo::cli
