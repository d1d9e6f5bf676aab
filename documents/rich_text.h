// Text with character formats, as rich-text files carry it: the UTF-16 text
// (line breaks as carriage returns) and the runs of equal format.
#pragma once

#include <string>
#include <vector>

#include "documents/text_buffer.h"

namespace umlo {

struct FormatRun {
    int start = 0; // offset of the run's first character
    CharFormat format;
    friend bool operator==(const FormatRun&, const FormatRun&) = default;
};

struct RichText {
    std::u16string text;
    // Ascending starts, each run up to the next one; the first starts at 0, no
    // two neighbours are equal. Empty for an empty text.
    std::vector<FormatRun> runs;
    friend bool operator==(const RichText&, const RichText&) = default;

    // Appends characters in a format, merging with the last run when equal.
    void Append(std::u16string_view chars, const CharFormat& format) {
        if (chars.empty()) {
            return;
        }
        if (runs.empty() || !(runs.back().format == format)) {
            runs.push_back({static_cast<int>(text.size()), format});
        }
        text += chars;
    }
    void Append(char16_t c, const CharFormat& format) {
        Append(std::u16string_view(&c, 1), format);
    }
};

} // namespace umlo
