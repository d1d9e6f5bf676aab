// Guessing a text file's encoding from its first bytes: byte-order signatures,
// the XML declaration of a FictionBook file and, optionally, byte statistics.
#pragma once

#include <string>
#include <string_view>

#include "documents/text_format.h"

namespace umlo {

// How many 16-bit units of a file the check reads unless the settings say otherwise.
constexpr int kDefaultUtfLength = 512;

// The check over bytes already read; only the first utfLength * 2 bytes count.
// Returns 0, FormatUtf8, FormatUtf16LE, FormatUtf16BE, or one of the three
// encodings with FormatSignature.
TextFormat DetectEncodingBytes(std::string_view bytes, bool statistics,
                               int utfLength = kDefaultUtfLength);

// The check over a file (UTF-8 path), opened read-only; reads at most utfLength
// units. A file that cannot be opened gives 0: its load reports the failure.
TextFormat DetectEncoding(const std::string& path, bool statistics,
                          int utfLength = kDefaultUtfLength);

// The format with which a file the user chose or dropped is loaded: the rich-text
// flag from the name or the dialog, the encoding from the detection (autoUnicode)
// or from the dialog with the detection's details.
TextFormat ResolveFormat(const std::string& path, TextFormat dialogFormat, bool autoUnicode,
                         int utfLength = kDefaultUtfLength);
// The same for an input already read whole (a pipe can be read only once);
// name gives the rich-text flag.
TextFormat ResolveFormatOfBytes(std::string_view name, std::string_view bytes,
                                TextFormat dialogFormat, bool autoUnicode,
                                int utfLength = kDefaultUtfLength);

} // namespace umlo
