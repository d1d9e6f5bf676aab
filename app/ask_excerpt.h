// The confirmation panel's pieces that need no window: the excerpt of the
// text around the asked word and the captions of the answer buttons.
#pragma once

#include <string>
#include <string_view>

#include "documents/text_buffer.h"

namespace umlo {

struct ContextExcerpt {
    std::u16string text; // line breaks shown as spaces
    int wordOffset = 0;  // 0-based, in text
    int wordLength = 0;
};

// The text around the editor's selection (the asked word) that fits a line of
// lineChars characters: about half of the rest on each side of the word.
ContextExcerpt BuildContextExcerpt(const TextBuffer& editor, int lineChars);

// "<form> (&<key>)": the form or base caption with its accelerator.
std::string AnswerCaption(std::string_view form, std::string_view key);

} // namespace umlo
