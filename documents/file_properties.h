// "Свойства файла": facts about the text in the editor and an estimate of how
// far it is already ё-restored, from the ratio of ё to е.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "documents/text_buffer.h"
#include "documents/text_format.h"

namespace umlo {

struct LetterCounts {
    std::int64_t Cyrillic = 0;   // the 66 Russian letters
    std::int64_t PlainE = 0;     // Е and е
    std::int64_t DiaeresisE = 0; // Ё and ё
    // Counts one character of cp1251 text.
    void Add(unsigned char cp1251);
};

LetterCounts CountLetters(std::string_view cp1251Text);
LetterCounts CountLetters(std::u16string_view text);

// Y × 1500 ÷ E to the nearest integer, an exact half to the even neighbour;
// without е, 100 when there is any ё and 0 otherwise.
std::int64_t RestorationDegree(std::int64_t plainE, std::int64_t diaeresisE);
// The verdict of a degree (UTF-8).
std::string RestorationVerdict(std::int64_t degree);

// "UTF-8sgn, plain text", "ANSI, rich text", …
std::string FormatDescription(TextFormat format);

struct PropertyRow {
    std::string Name;  // UTF-8
    std::string Value; // UTF-8
};

// The eight rows of the window. path is the current text's file (UTF-8, empty
// when the text has none). The file's size on disk is measured by opening it
// for reading; when that fails the system's message is reported through the
// host and nullopt comes back, so the window is not shown.
std::optional<std::vector<PropertyRow>>
FilePropertyRows(const TextBuffer& editor, std::string_view path, TextFormat format, Host& host);
// The same from the text itself and a known file size (absent when no file).
std::vector<PropertyRow> PropertyRowsOf(std::u16string_view text, std::string_view path,
                                        TextFormat format, std::optional<std::int64_t> fileSize);
// The same from counts taken as the file streamed past; characters counts
// each line end once.
std::vector<PropertyRow> PropertyRowsOf(const LetterCounts& counts, std::int64_t characters,
                                        std::string_view path, TextFormat format,
                                        std::optional<std::int64_t> fileSize);

} // namespace umlo
