// Reading a text file into the text buffer and writing the buffer back, in
// cp1251, UTF-8, UTF-16 little-endian or rich text (see text_format.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "documents/package_document.h"
#include "documents/plain_text.h"
#include "documents/rich_text.h"
#include "documents/rtf_patch.h"
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

// What a save needs of the file a text was read from, to write it back so
// that it changes only where the text did.
struct FileOrigin {
    std::optional<PlainText> plain; // its signature and line ends (text empty)
    std::optional<RtfSource> rtf;   // the rich-text file itself, for a patch
    // A document (DOCX, ODT, FB2, EPUB): it can only be written by a patch.
    std::shared_ptr<const PackageDocument> package;
};

// Fills the buffer from the file, under the update lock. A document format
// reads the document's text (origin then holds the document, with its
// encoding in its format). Plain text must be
// text in its encoding (a file that is not is refused, since saving it would
// destroy it). With origin, what a later save needs is kept there. On
// failure the buffer and origin are left as they were.
FileResult ReadTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                        FileOrigin* origin = nullptr);
// The same for the bytes of an input already read (path names it in errors).
FileResult ReadTextBytes(const std::string& path, std::string bytes, TextFormat format,
                         TextBuffer& buffer, FileOrigin* origin = nullptr);

// The file's bytes for the buffer's text in a format. From an origin of the
// same kind: plain text in its encoding gets its signature and line ends
// back, and rich text is its file patched (when only letters changed);
// otherwise the writing of EncodeText. The buffer is left as it was.
std::string EncodeBufferText(TextFormat format, TextBuffer& buffer,
                             const FileOrigin* origin = nullptr);
// Whether EncodeBufferText can write rich text by patching its file.
bool RichTextPatchable(const FileOrigin& origin, const TextBuffer& buffer);

// A document's file with the letters that changed in the buffer patched;
// a failure (the text changed in more than е and ё, no document read)
// names the file.
FileResult EncodeDocumentBytes(const std::string& path, const FileOrigin& origin,
                               const TextBuffer& buffer, std::string& bytes);

// Writes EncodeBufferText (or, for a document format, EncodeDocumentBytes)
// through a temporary file beside it and a rename, so a failed write leaves
// the old file whole.
FileResult WriteTextFile(const std::string& path, TextFormat format, TextBuffer& buffer,
                         const FileOrigin* origin = nullptr);

// The same for bytes already made; also used for other files the program writes.
FileResult WriteFileReplacing(const std::string& path, std::string_view bytes);
FileResult ReadWholeFile(const std::string& path, std::string& bytes);

} // namespace umlo
