#include "core/ask_context.h"

#include <algorithm>

namespace umlo {

ContextExcerpt BuildContextExcerpt(const TextBuffer& buffer, int charactersThatFit) {
    const int s = buffer.SelStart();
    const int n = buffer.SelLength();
    // A word wider than the line gets no context rather than a start before it.
    const int h = std::max((charactersThatFit - n) / 2, 0);
    // 1-based inclusive positions.
    const int first = std::max(s - h, 1);
    const int last = std::min(s + n + h, buffer.TextLength());
    ContextExcerpt out;
    if (last >= first) {
        out.text = buffer.TextRange(first - 1, last);
    }
    for (char16_t& c : out.text) {
        if (c == u'\r' || c == u'\n') {
            c = u' ';
        }
    }
    out.wordOffset = s - first + 1;
    out.wordLength = n;
    return out;
}

} // namespace umlo
