// Plain text that comes back byte for byte as it was, but for the letters the
// pass changed: the same encoding, the same signature or none, and every line
// keeps its own line end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/text_format.h"

namespace umlo::cli {

struct PlainText {
    // The encoding bits, plus FormatSignature when the file starts with one.
    TextFormat format = 0;
    // The lines joined by the editor's one-character line break (carriage return).
    std::u16string text;
    // The original end of every line but the last: "\r\n", "\n" or "\r".
    std::vector<std::u16string> lineEnds;
};

// Decodes bytes in the encoding of format (its FormatRtf and FormatSignature
// are ignored; the signature is taken from the bytes). False, with a message in
// error (UTF-8), when the bytes are not text in that encoding: decoding them
// anyway would destroy them on writing.
bool DecodePlainText(std::string_view bytes, TextFormat format, PlainText& out, std::string& error);
// text is the edited buffer text; its lines take the ends remembered in format.
std::string EncodePlainText(const PlainText& format, std::u16string_view text);

} // namespace umlo::cli
