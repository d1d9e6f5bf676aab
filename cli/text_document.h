// A text file as umlo-cli reads and writes it: rich text by its name, plain
// text in the encoding its bytes show (or the one the user names), written back
// in the same format.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "documents/memory_text_buffer.h"
#include "documents/package_document.h"
#include "documents/plain_text.h"
#include "documents/rich_text.h"
#include "documents/rtf_patch.h"
#include "documents/text_buffer.h"
#include "documents/text_format.h"

namespace umlo::cli {

// --encoding: auto (detect), ansi (cp1251), utf-8, utf-16.
enum class EncodingChoice { Auto, Ansi, Utf8, Utf16 };
std::optional<EncodingChoice> ParseEncodingChoice(std::string_view name);

// The format of a file: a document format (DOCX, ODT, FB2, EPUB) by its name
// or its content; FormatRtf for a rich-text name holding rich text; else
// a signature decides, then UTF-16 byte statistics, then valid UTF-8, and the
// rest is cp1251. A choice other than Auto fixes the encoding; the signature
// and the byte order of UTF-16 still come from the bytes.
TextFormat ChooseFormat(std::string_view path, std::string_view bytes, EncodingChoice choice);
// The plain-text part of that choice from a file's first bytes (at least
// the first kilobyte, or all of it). When the first bytes cannot tell,
// undecided is set: the file is UTF-8 if all of it is valid UTF-8, cp1251
// otherwise.
TextFormat PlainFormatFromStart(std::string_view start, EncodingChoice choice, bool& undecided);

// False, with "Файл "…" не найден", for a path that names nothing ("-" is
// standard input).
bool InputExists(const std::string& path, std::string& error);

// False when the groups of rich text do not all close: the file was cut short,
// and what a reader makes of it would be written back without its end.
bool RtfIsComplete(std::string_view data);

struct TextDocument {
    TextFormat format = 0;
    std::size_t fileSize = 0;
    RtfSource rtf;           // rich text, as read, for the patch that writes it back
    PlainText plain;         // plain text
    PackageDocument package; // a document, for the patch that writes it back
    const std::u16string& Text() const {
        return IsDocumentFormat(format)     ? package.text
               : HasFlag(format, FormatRtf) ? rtf.text.text
                                            : plain.text;
    }
};

// False, with a message naming the file (UTF-8), when it cannot be read or is
// not text in the chosen format.
// What umlo-cli says while a FIFO has no writer (UTF-8, a whole line).
std::string WaitingNote(const std::string& path);

// waiting is told when a FIFO has had no writer for a while.
bool ReadTextDocument(const std::string& path, EncodingChoice choice, TextDocument& out,
                      std::string& error, const std::function<void()>& waiting = {});
// Puts the text, with the character formats of rich text, into the buffer.
void LoadDocument(const TextDocument& document, TextBuffer& buffer);
// The file's new bytes: the buffer's text in the document's format, or as
// rich text when asRtf (a plain text written to a name ending in .rtf). Rich
// text read from a file is that file patched where its letters changed.
std::string EncodeDocument(const TextDocument& document, const MemoryTextBuffer& buffer,
                           bool asRtf = false);
// The same for any format: a document (DOCX, ODT, FB2, EPUB) is its file with
// the changed letters patched, whatever the target's name; false, with a
// message naming the file, when it cannot be.
bool EncodeDocumentFile(const std::string& path, const TextDocument& document,
                        const MemoryTextBuffer& buffer, bool asRtf, std::string& out,
                        std::string& error);

} // namespace umlo::cli
