// Our own reader of rich text (RTF 1.x): the text and each character's colours,
// bold and size. Everything else (fonts, pictures, objects, headers, fields'
// instructions, destinations it does not know) is skipped; it never fails on
// unknown control words and takes truncated or malformed input as far as it goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "documents/rich_text.h"

namespace umlo {

// True when rich text holds pictures or embedded objects, which the reader
// drops: a file written anew from what it read would lack them.
bool RtfHasEmbeddedObjects(std::string_view data);

// True when the data (after blanks and a UTF-8 signature) starts with "{\rtf".
bool LooksLikeRtf(std::string_view data);

// One of the letters a pass may change (е, ё, Е, Ё), where the file holds it.
struct RtfLetter {
    enum class Form : std::uint8_t {
        Hex,     // \'xx in the code page in force
        Unicode, // \uN: start and end hold N's digits
        Literal, // a byte of the code page written as it is
    };
    int offset = 0; // in the text
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t wordStart = 0; // Unicode: the backslash of \uN
    Form form = Form::Hex;
    int codePage = 1252;
    // The one fallback character of a \uN, when it is a \'xx or a plain byte.
    std::size_t fallbackStart = 0;
    std::size_t fallbackEnd = 0;
};

// What a patch of the file needs besides the text: where its letters stand
// and its colour table.
struct RtfLayout {
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::vector<RtfLetter> letters; // ascending offsets
    std::vector<std::optional<Color>> colors;
    std::size_t colorTableEnd = npos;   // the closing brace of \colortbl
    std::size_t colorTablePlace = npos; // where a colour table goes when there is none
};

// Reads rich text. Paragraph and line ends become one carriage return each; the
// paragraph mark that ends the document is not part of the text. With layout,
// the places of the changeable letters and the colour table are noted too.
RichText ReadRtf(std::string_view data, RtfLayout* layout = nullptr);

} // namespace umlo
