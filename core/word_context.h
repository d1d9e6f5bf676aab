// The stretch of text around a word that the regular-expression dictionary is
// run over: the word with up to H words on each side and everything between.
#pragma once

#include <string>
#include <string_view>

#include "core/cp1251_lines.h"
#include "documents/text_buffer.h"

namespace umlo {

// Lines are joined by CR LF, and the last line read ends with CR LF as well.
// offset is the number of characters before the word.
struct WordContext {
    std::string text; // cp1251
    int offset = 0;
};

// The word starts at line (0-based) and column (1-based); halfWords of 0 or
// less gives the word alone. A run of non-letters between words is taken
// whole, line breaks included; the context begins with the first letter of the
// farthest word on the left, or at the start of the text.
WordContext BuildWordContext(Cp1251Lines& lines, int line, int column, std::string_view word,
                             int halfWords);
// The same, reading the buffer afresh.
WordContext BuildWordContext(const TextBuffer& buffer, int line, int column, std::string_view word,
                             int halfWords);

} // namespace umlo
