// Reading a text file into the text buffer and writing the buffer back, in
// cp1251, UTF-8, UTF-16 little-endian or rich text (see text_format.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "documents/plain_text.h"
#include "documents/rich_text.h"
#include "documents/text_buffer.h"
#include "documents/text_format.h"

namespace umlo {

// The outcome of a file operation; on failure the system's message, with the
// path, for the user (UTF-8).
struct FileResult {
    bool ok = true;
    std::string error;
    explicit operator bool() const { return ok; }
    static FileResult Failure(std::string message) { return {false, std::move(message)}; }
};

// The file's bytes as text in a format. Plain text: every CR LF, lone CR and
// lone LF becomes one line break; a leading U+FEFF or U+FFFE is dropped (and a
// UTF-8 signature); invalid UTF-8 gives U+FFFD, never an empty text; an odd last
// byte of UTF-16 gives U+FFFD. Rich text that does not start with "{\rtf" is
// taken as plain text in the format's encoding, as the word processors do.
RichText DecodeText(std::string_view bytes, TextFormat format);

// The file's bytes for a text: rich text keeps the formats; UTF-8 and UTF-16 get
// their signature; cp1251 writes "?" for what it cannot hold; line breaks
// become CR LF and nothing is added at the end.
std::string EncodeText(const RichText& text, TextFormat format);

// The buffer's text with the formats of its characters.
RichText BufferRichText(const TextBuffer& buffer);
// Replaces the buffer's text and formats; the caret goes to the start.
void SetBufferRichText(TextBuffer& buffer, const RichText& text);

// Fills the buffer from the file, under the update lock. Plain text must be
// text in its encoding (a file that is not is refused, since saving it would
// destroy it); its signature and line ends go to layout, when given, with an
// empty text (rich text leaves layout empty). On failure the buffer is left
// as it was.
FileResult ReadTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                        std::optional<PlainText>* layout = nullptr);

// Writes the buffer to the file through a temporary file beside it and a rename,
// so a failed write leaves the old file whole. The buffer's text, formats and
// selection stay as they were. Plain text in the encoding of a layout read
// from the file gets the layout's signature and line ends back; otherwise
// the writing of EncodeText.
FileResult WriteTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                         const PlainText* layout = nullptr);

// The same for bytes already made; also used for other files the program writes.
FileResult WriteFileReplacing(const std::string& path, std::string_view bytes);
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace umlo
