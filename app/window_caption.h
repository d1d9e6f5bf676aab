// The modified marker " *" at the end of a window caption.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// On: " *" appended unless the caption already ends in "*". Off: a caption
// ending in "*" loses its last two characters.
inline std::u16string WithModifiedMarker(std::u16string_view caption, bool on) {
    std::u16string out(caption);
    const bool marked = !out.empty() && out.back() == u'*';
    if (on && !marked) {
        out += u" *";
    } else if (!on && marked) {
        out.erase(out.size() >= 2 ? out.size() - 2 : 0);
    }
    return out;
}

} // namespace umlo
