// Documents whose text lives in XML: Word (.docx), OpenDocument text (.odt),
// FictionBook (.fb2, .fb2.zip) and EPUB. The text is read as a reader sees
// it, one paragraph per line; a save writes back only the е/ё letters that
// changed, byte for byte in the document's own XML, and copies every other
// part of the package unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "documents/text_format.h"
#include "documents/xml_text_extract.h"
#include "documents/xml_text_scanner.h"

namespace umlo {

// One XML part that holds text: an entry of the zip package, or the whole
// file of a plain FB2.
struct DocumentPart {
    std::string name;
    std::string bytes;
    XmlEncoding encoding = XmlEncoding::Utf8;
    std::size_t zipIndex = 0;
};

struct PackageDocument {
    TextFormat format = 0; // one of the document formats (with FB2's encoding)
    std::string file;      // the file as it was read
    std::vector<DocumentPart> parts;
    std::u16string text; // lines end with a carriage return
    std::vector<PartLetter> letters;
};

// The document format a name says (.docx, .odt, .fb2, .fb2.zip, .epub, in
// any case), or 0.
TextFormat DocumentFormatOfName(std::string_view path);
// The document format the bytes show (the zip's parts, FB2's root), or 0.
TextFormat DocumentFormatOfBytes(std::string_view bytes);
// The document format of a file by its name, else by its bytes (at least
// the first 4 KB; all of a zip). A name .fb2 counts only for a FictionBook:
// other text under that name is read as the text it is.
TextFormat DocumentFormatOf(std::string_view path, std::string_view bytes);
// The document format of a file (UTF-8 path) by its name, else by its
// content (a zip is read whole, other files only their start); 0 for a
// file that is no document or cannot be read.
TextFormat DocumentFormatOfFile(const std::string& path);

// Reads a document in a format (DocumentBits of it count). False, with the
// reason in Russian (UTF-8, without the file's name), for a damaged or
// encrypted package, a missing part, XML that is not well formed.
bool ReadPackageDocument(std::string file, TextFormat format, PackageDocument& out,
                         std::string& error);

// The file's new bytes for the text as it is now. False, with the reason,
// when the text changed in more than its е/ё letters (the document cannot be
// written then) or the package cannot be written.
bool PatchPackageDocument(const PackageDocument& document, std::u16string_view current,
                          std::string& out, std::string& error);

// The name of a document format for the user ("DOCX", "FictionBook", …).
std::string_view DocumentFormatName(TextFormat format);
// The file pattern for the dialogs ("*.docx").
std::string_view DocumentFormatPattern(TextFormat format);

} // namespace umlo
