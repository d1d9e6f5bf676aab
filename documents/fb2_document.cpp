// FictionBook: the character data of every element but <binary> (pictures
// in base64) and the CSS of <stylesheet>, in the encoding of the XML
// declaration. Every element that is
// not inline markup within a paragraph ends a line.
#include "documents/document_readers.h"

namespace umlo {
namespace {

const TextRules& Fb2Rules() {
    static const TextRules rules{
        .textOnlyIn = {},
        .skipped = {"binary", "stylesheet"},
        .paragraphs = {},
        .blocks = true,
        .inlines = {"strong", "emphasis", "style", "a", "strikethrough", "sub", "sup", "code"},
        .characters = {{"empty-line", u'\r'}},
        .collapseSpaces = true,
    };
    return rules;
}

bool AddFb2Part(DocumentPart part, PackageDocument& out, ExtractedText& text, std::string& error) {
    if (!XmlDeclaredEncoding(part.bytes, part.encoding, error)) {
        return false;
    }
    const int index = static_cast<int>(out.parts.size());
    if (!ExtractXmlText(part.bytes, part.encoding, Fb2Rules(), index, text, error)) {
        return false;
    }
    if (part.encoding == XmlEncoding::Utf8) {
        out.format |= FormatUtf8;
    }
    out.parts.push_back(std::move(part));
    return true;
}

} // namespace

bool ReadFb2Text(PackageDocument& out, ExtractedText& text, std::string& error) {
    DocumentPart part;
    part.bytes = out.file;
    return AddFb2Part(std::move(part), out, text, error);
}

bool ReadFb2ZipText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                    std::string& error) {
    std::optional<std::size_t> book;
    for (std::size_t i = 0; i < zip.Entries().size(); ++i) {
        std::string name = zip.Entries()[i].name;
        for (char& c : name) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
        if (name.ends_with(".fb2")) {
            book = i;
            break;
        }
    }
    if (!book) {
        error = "в архиве нет файла .fb2";
        return false;
    }
    DocumentPart part;
    part.name = zip.Entries()[*book].name;
    part.zipIndex = *book;
    if (!zip.Read(*book, part.bytes, error)) {
        return false;
    }
    return AddFb2Part(std::move(part), out, text, error);
}

} // namespace umlo
