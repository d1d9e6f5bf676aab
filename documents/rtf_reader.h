// Our own reader of rich text (RTF 1.x): the text and each character's colours,
// bold and size. Everything else (fonts, pictures, objects, headers, fields'
// instructions, destinations it does not know) is skipped; it never fails on
// unknown control words and takes truncated or malformed input as far as it goes.
#pragma once

#include <string_view>

#include "documents/rich_text.h"

namespace umlo {

// True when the data (after blanks and a UTF-8 signature) starts with "{\rtf".
bool LooksLikeRtf(std::string_view data);

// Reads rich text. Paragraph and line ends become one carriage return each; the
// paragraph mark that ends the document is not part of the text.
RichText ReadRtf(std::string_view data);

} // namespace umlo
