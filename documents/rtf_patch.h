// A rich-text file written back by patching it: the letters a pass changed
// are rewritten in the form the file held them in, marked letters are
// wrapped in a group with their colours (added to the colour table), and
// every other byte stays as it was, so fonts, italics, paragraphs, tables
// and pictures survive a pass.
#pragma once

#include <optional>
#include <string>

#include "documents/rich_text.h"
#include "documents/rtf_reader.h"
#include "documents/text_buffer.h"

namespace umlo {

// A rich-text file as it was read.
struct RtfSource {
    std::string bytes;
    RichText text; // what the reader made of it
    RtfLayout layout;
};

// Reads rich text keeping what a patch needs; a leading U+FEFF or U+FFFE of
// the text is dropped as the plain reader does.
RtfSource ReadRtfSource(std::string bytes);

// The file's new bytes for the buffer's text, or nullopt when the text has
// changed in more than its е/ё letters (the file must then be written anew).
std::optional<std::string> PatchRtf(const RtfSource& source, const TextBuffer& buffer);

} // namespace umlo
