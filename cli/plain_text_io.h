// Reading and writing plain-text files so that a file comes back byte for byte
// as it was, but for the letters the pass changed: the same encoding, the same
// signature or none, and every line keeps its own line end.
//
// A file with a UTF-8 signature or that is valid UTF-8 is UTF-8; a file with a
// UTF-16 signature is UTF-16 of that byte order; anything else is cp1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace umlo::cli {

enum class PlainEncoding { Cp1251, Utf8, Utf16LE, Utf16BE };

struct PlainText {
    PlainEncoding encoding = PlainEncoding::Cp1251;
    bool signature = false;
    // The lines joined by the editor's one-character line break (carriage return).
    std::u16string text;
    // The original end of every line but the last: "\r\n", "\n" or "\r".
    std::vector<std::u16string> lineEnds;
};

// False, with a message in error (UTF-8), when the bytes are not text.
bool DecodePlainText(std::string_view bytes, PlainText& out, std::string& error);
// text is the edited buffer text; its lines take the ends remembered in format.
std::string EncodePlainText(const PlainText& format, std::u16string_view text);

// The whole file; false with a message naming the file when it cannot be read.
bool ReadPlainTextFile(const std::string& path, PlainText& out, std::string& error);
// Writes a temporary file beside path and renames it over path, so that a
// failure leaves the target as it was.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string& error);

} // namespace umlo::cli
