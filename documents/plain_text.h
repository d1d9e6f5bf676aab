// Plain text that comes back byte for byte as it was, but for the letters the
// pass changed: the same encoding, the same signature or none, and every line
// keeps its own line end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/text_format.h"
#include "documents/text_units.h"

namespace umlo {

struct PlainText {
    // The encoding bits, plus FormatSignature when the file starts with one.
    TextFormat format = 0;
    // The lines joined by the editor's one-character line break (carriage return).
    std::u16string text;
    // The original end of every line but the last.
    std::vector<LineEnd> lineEnds;
};

// The signature an encoding starts with (empty for cp1251).
std::string_view SignatureOf(TextFormat encoding);

// Why bytes are not a text (UTF-8).
inline constexpr const char* kNotTextZeroBytes = "это не текстовый файл (в нём есть нулевые байты)";

// The reason (UTF-8) why decoded bytes are not text, or empty when they are.
template <typename Sink> std::string NotTextReason(const UnitDecoder<Sink>& decoder) {
    if (decoder.Utf16()) {
        if (decoder.OddLength()) {
            return "нечётное число байтов в файле UTF-16";
        }
        return decoder.SawZero() ? "это не текстовый файл (в нём есть нулевые символы)" : "";
    }
    if (decoder.SawZero()) {
        return kNotTextZeroBytes;
    }
    return decoder.Invalid() ? "файл содержит недопустимые последовательности UTF-8" : "";
}

// Decodes bytes in the encoding of format (its FormatRtf and FormatSignature
// are ignored; the signature is taken from the bytes). False, with a message in
// error (UTF-8), when the bytes are not text in that encoding: decoding them
// anyway would destroy them on writing.
bool DecodePlainText(std::string_view bytes, TextFormat format, PlainText& out, std::string& error);
// text is the edited buffer text; its lines take the ends remembered in format.
std::string EncodePlainText(const PlainText& format, std::u16string_view text);

} // namespace umlo
