// The modified marker " *" at the end of a window caption, shared by the main
// window and the dictionary editor.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// On: " *" appended unless the caption already ends in "*". Off: a caption
// ending in "*" loses its last two characters.
template <class Char>
std::basic_string<Char> WithModifiedMarkerOf(std::basic_string_view<Char> caption, bool on) {
    std::basic_string<Char> out(caption);
    const bool marked = !out.empty() && out.back() == Char('*');
    if (on && !marked) {
        out += Char(' ');
        out += Char('*');
    } else if (!on && marked) {
        out.erase(out.size() >= 2 ? out.size() - 2 : 0);
    }
    return out;
}

inline std::u16string WithModifiedMarker(std::u16string_view caption, bool on) {
    return WithModifiedMarkerOf(caption, on);
}

inline std::string WithModifiedMarker(std::string_view caption, bool on) {
    return WithModifiedMarkerOf(caption, on);
}

} // namespace umlo
