#include "app/ask_excerpt.h"

#include <algorithm>

namespace umlo {

ContextExcerpt BuildContextExcerpt(const TextBuffer& editor, int lineChars) {
    const int s = editor.SelStart();
    const int n = editor.SelLength();
    // A word wider than the line gets no context rather than an excerpt that
    // starts after the word.
    const int h = std::max((lineChars - n) / 2, 0);
    // first and last are 1-based and inclusive.
    const int first = std::max(s - h, 1);
    const int last = std::min(s + n + h, editor.TextLength());
    ContextExcerpt out;
    if (last >= first) {
        out.text = editor.TextRange(first - 1, last);
    }
    std::replace(out.text.begin(), out.text.end(), u'\r', u' ');
    std::replace(out.text.begin(), out.text.end(), u'\n', u' ');
    out.wordOffset = s - first + 1;
    out.wordLength = n;
    return out;
}

std::string AnswerCaption(std::string_view form, std::string_view key) {
    std::string out(form);
    out += " (&";
    out += key;
    out += ")";
    return out;
}

} // namespace umlo
