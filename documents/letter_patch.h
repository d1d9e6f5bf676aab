// Writing changed letters back into the file that holds them. A pass only
// ever exchanges е and ё (Е and Ё): when that is all that changed in a text,
// its file is patched where those letters stand, byte for byte, and
// everything else in it (formatting the program does not show, pictures,
// the rest of a package) stays exactly as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

struct LetterChange {
    int offset; // in the text
    char16_t from;
    char16_t to;
};

// The places where current differs from original, when every difference is
// an е/ё exchange (in either case); nullopt when the texts differ otherwise.
std::optional<std::vector<LetterChange>> LetterOnlyChanges(std::u16string_view original,
                                                           std::u16string_view current);

// One change of a file's bytes: [start, end) becomes bytes.
struct ByteEdit {
    std::size_t start;
    std::size_t end;
    std::string bytes;
};

// The bytes with the edits made; the edits must not overlap (any order; an
// insertion at the start of a replacement goes before it).
std::string ApplyByteEdits(std::string_view original, std::vector<ByteEdit> edits);

// Whether a character is one of е, ё, Е, Ё.
constexpr bool IsChangeableLetter(char16_t c) {
    return c == u'е' || c == u'ё' || c == u'Е' || c == u'Ё';
}

} // namespace umlo
