#include "documents/plain_text.h"

#include "core/codepage.h"

namespace umlo {
namespace {

// The text with its line ends as one carriage return each, the ends kept aside.
struct TextCollector {
    PlainText& out;
    void Unit(char16_t u) { out.text += u; }
    void Break(LineEnd end) {
        out.text += u'\r';
        out.lineEnds.push_back(end);
    }
};

std::u16string_view EndText(LineEnd end) {
    switch (end) {
    case LineEnd::CrLf:
        return u"\r\n";
    case LineEnd::Lf:
        return u"\n";
    case LineEnd::Cr:
        break;
    }
    return u"\r";
}

void AppendUtf16(std::string& out, std::u16string_view text, bool bigEndian) {
    for (const char16_t u : text) {
        const auto hi = static_cast<char>(u >> 8);
        const auto lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
}

void AppendEncoded(std::string& out, std::u16string_view units, TextFormat encoding) {
    if (HasFlag(encoding, FormatUtf8)) {
        out += Utf16ToUtf8(units);
    } else if (HasFlag(encoding, FormatUtf16LE | FormatUtf16BE)) {
        AppendUtf16(out, units, !HasFlag(encoding, FormatUtf16LE));
    } else {
        out += Utf16ToCp1251(units);
    }
}

} // namespace

std::string_view SignatureOf(TextFormat encoding) {
    if (HasFlag(encoding, FormatUtf8)) {
        return "\xEF\xBB\xBF";
    }
    if (HasFlag(encoding, FormatUtf16LE)) {
        return "\xFF\xFE";
    }
    if (HasFlag(encoding, FormatUtf16BE)) {
        return "\xFE\xFF";
    }
    return {};
}

bool DecodePlainText(std::string_view bytes, TextFormat format, PlainText& out,
                     std::string& error) {
    out.format = HasFlag(format, FormatUtf8)      ? FormatUtf8
                 : HasFlag(format, FormatUtf16LE) ? FormatUtf16LE
                 : HasFlag(format, FormatUtf16BE) ? FormatUtf16BE
                                                  : TextFormat(0);
    // "UTF-16" chosen for a file whose signature says big-endian.
    if (HasFlag(format, FormatUtf16LE) && HasFlag(format, FormatUtf16BE) &&
        bytes.starts_with(SignatureOf(FormatUtf16BE))) {
        out.format = FormatUtf16BE;
    }
    const std::string_view signature = SignatureOf(out.format);
    if (!signature.empty() && bytes.starts_with(signature)) {
        out.format |= FormatSignature;
        bytes.remove_prefix(signature.size());
    }
    out.text.clear();
    out.text.reserve(HasFlag(out.format, FormatUtf16LE | FormatUtf16BE) ? bytes.size() / 2
                                                                        : bytes.size());
    out.lineEnds.clear();
    TextCollector collector{out};
    LineEndSplitter<TextCollector> splitter(collector);
    UnitDecoder<LineEndSplitter<TextCollector>> decoder(out.format, splitter);
    decoder.Feed(bytes);
    decoder.Finish();
    splitter.Finish();
    error = NotTextReason(decoder);
    return error.empty();
}

std::string EncodePlainText(const PlainText& format, std::u16string_view text) {
    const LineEnd fallbackEnd = format.lineEnds.empty() ? LineEnd::Lf : format.lineEnds.front();
    std::string out(HasFlag(format.format, FormatSignature) ? SignatureOf(format.format)
                                                            : std::string_view());
    out.reserve(out.size() + text.size() + format.lineEnds.size());
    // Converted a piece at a time: the whole text is never copied with its
    // line ends put back.
    constexpr std::size_t kPiece = 1 << 16;
    std::u16string piece;
    piece.reserve(kPiece + 2);
    std::size_t line = 0;
    for (const char16_t c : text) {
        if (c == u'\r') {
            piece += EndText(line < format.lineEnds.size() ? format.lineEnds[line] : fallbackEnd);
            ++line;
        } else {
            piece += c;
        }
        // A surrogate pair is never cut in two.
        if (piece.size() >= kPiece && !(c >= 0xD800 && c <= 0xDBFF)) {
            AppendEncoded(out, piece, format.format);
            piece.clear();
        }
    }
    AppendEncoded(out, piece, format.format);
    return out;
}

} // namespace umlo
