// The confirmation panel's context line: the asked word with as much of the
// text around it as fits, line breaks shown as spaces.
#pragma once

#include <string>

#include "documents/text_buffer.h"

namespace umlo {

struct ContextExcerpt {
    std::u16string text;
    int wordOffset = 0; // 0-based, in text
    int wordLength = 0;
};

// The word is the buffer's selection; charactersThatFit is the line's width
// divided by the width of "x" in its font.
ContextExcerpt BuildContextExcerpt(const TextBuffer& buffer, int charactersThatFit);

} // namespace umlo
