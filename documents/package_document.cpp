#include "documents/package_document.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "core/codepage.h"
#include "documents/document_readers.h"
#include "documents/letter_patch.h"
#include "documents/zip_package.h"

namespace umlo {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

std::string EncodeLetter(char16_t c, XmlEncoding encoding) {
    const std::u16string_view one(&c, 1);
    return encoding == XmlEncoding::Utf8 ? Utf16ToUtf8(one) : Utf16ToCp1251(one);
}

// The digits of a number in a base, at least width of them.
std::string Digits(unsigned value, unsigned base, std::size_t width) {
    std::string out;
    do {
        out.insert(out.begin(), "0123456789abcdef"[value % base]);
        value /= base;
    } while (value != 0);
    if (out.size() < width) {
        out.insert(0, width - out.size(), '0');
    }
    return out;
}

// What the bytes of a letter become when it changes: the other letter in
// the same form (itself or a reference of the same base and length). nullopt
// when the bytes are not the letter expected, so nothing is ever corrupted.
std::optional<std::string> ChangedLetter(std::string_view old, XmlEncoding encoding,
                                         const LetterChange& change) {
    if (!old.starts_with("&")) {
        if (old != EncodeLetter(change.from, encoding)) {
            return std::nullopt;
        }
        return EncodeLetter(change.to, encoding);
    }
    if (!old.ends_with(";") || DecodeXmlReference(old.substr(1, old.size() - 2)) != change.from) {
        return std::nullopt;
    }
    const bool hex = old.size() > 2 && (old[2] == 'x');
    const std::size_t width = old.size() - (hex ? 4 : 3);
    const std::string digits = Digits(change.to, hex ? 16 : 10, width);
    if (digits.size() != width) {
        return std::nullopt;
    }
    return std::string(hex ? "&#x" : "&#") + digits + ";";
}

bool ReadZipDocument(const ZipPackage& zip, TextFormat kind, PackageDocument& out,
                     ExtractedText& text, std::string& error) {
    switch (kind) {
    case FormatDocx:
        return ReadDocxText(zip, out, text, error);
    case FormatOdt:
        return ReadOdtText(zip, out, text, error);
    case FormatEpub:
        return ReadEpubText(zip, out, text, error);
    case FormatFb2Zip:
        return ReadFb2ZipText(zip, out, text, error);
    default:
        error = "неизвестный формат документа";
        return false;
    }
}

} // namespace

bool AddZipPart(const ZipPackage& zip, std::size_t index, const TextRules& rules,
                PackageDocument& out, ExtractedText& text, std::string& error) {
    DocumentPart part;
    part.name = zip.Entries()[index].name;
    part.zipIndex = index;
    // All the parts together are held to the limit of one, so that many
    // parts cannot add up to a bomb either.
    std::uint64_t held = 0;
    for (const DocumentPart& p : out.parts) {
        held += p.bytes.size();
    }
    const std::uint64_t limit = held < kZipEntryLimit ? kZipEntryLimit - held : 0;
    if (!zip.Read(index, part.bytes, error, limit) ||
        !XmlDeclaredEncoding(part.bytes, part.encoding, error) ||
        !ExtractXmlText(part.bytes, part.encoding, rules, static_cast<int>(out.parts.size()), text,
                        error)) {
        error = part.name + ": " + error;
        return false;
    }
    out.parts.push_back(std::move(part));
    return true;
}

namespace {

// Each document format: the name the dialogs show and its file pattern,
// "*" and the ending that names it.
struct DocumentKind {
    TextFormat format;
    std::string_view name;
    std::string_view pattern;
};
constexpr DocumentKind kDocumentKinds[] = {
    {FormatDocx, "DOCX", "*.docx"},      {FormatOdt, "ODT", "*.odt"},
    {FormatFb2, "FictionBook", "*.fb2"}, {FormatFb2Zip, "FictionBook ZIP", "*.fb2.zip"},
    {FormatEpub, "EPUB", "*.epub"},
};

const DocumentKind* KindOf(TextFormat format) {
    for (const DocumentKind& kind : kDocumentKinds) {
        if (kind.format == DocumentBits(format)) {
            return &kind;
        }
    }
    return nullptr;
}

} // namespace

TextFormat DocumentFormatOfName(std::string_view path) {
    const std::string name = Lower(path.substr(path.find_last_of("/\\") + 1));
    for (const DocumentKind& kind : kDocumentKinds) {
        if (name.ends_with(kind.pattern.substr(1))) {
            return kind.format;
        }
    }
    return 0;
}

TextFormat DocumentFormatOfBytes(std::string_view bytes) {
    if (!LooksLikeZip(bytes)) {
        const std::string_view start = bytes.substr(0, 4096);
        return start.find("<?xml") != std::string_view::npos &&
                       start.find("<FictionBook") != std::string_view::npos
                   ? FormatFb2
                   : TextFormat(0);
    }
    std::string error;
    const auto zip = ZipPackage::Open(bytes, error);
    if (!zip) {
        return 0;
    }
    if (const auto at = zip->Find("mimetype")) {
        std::string type;
        if (zip->Read(*at, type, error, 256)) {
            if (type.starts_with("application/epub+zip")) {
                return FormatEpub;
            }
            if (type.starts_with("application/vnd.oasis.opendocument.text")) {
                return FormatOdt;
            }
        }
    }
    if (zip->Find("word/document.xml")) {
        return FormatDocx;
    }
    for (const ZipEntry& entry : zip->Entries()) {
        if (Lower(entry.name).ends_with(".fb2")) {
            return FormatFb2Zip;
        }
    }
    return 0;
}

TextFormat DocumentFormatOf(std::string_view path, std::string_view bytes) {
    const TextFormat named = DocumentFormatOfName(path);
    if (named == FormatFb2) {
        return bytes.substr(0, 4096).find("<FictionBook") != std::string_view::npos ? named : 0;
    }
    return named != 0 ? named : DocumentFormatOfBytes(bytes);
}

TextFormat DocumentFormatOfFile(const std::string& path) {
    const TextFormat named = DocumentFormatOfName(path);
    if (named != 0 && named != FormatFb2) {
        return named;
    }
    std::ifstream in(path, std::ios::binary);
    std::string start(4096, '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    if (LooksLikeZip(start) && start.size() == 4096) {
        start.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return DocumentFormatOf(path, start);
}

bool ReadPackageDocument(std::string file, TextFormat format, PackageDocument& out,
                         std::string& error) {
    PackageDocument document;
    document.format = DocumentBits(format);
    document.file = std::move(file);
    ExtractedText text;
    if (DocumentBits(document.format) == FormatFb2) {
        if (!ReadFb2Text(document, text, error)) {
            return false;
        }
    } else if (document.file.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // A compound file, not a zip: what Word and LibreOffice write for a
        // document with a password, or the old .doc.
        error = "документ защищён паролем или записан в старом формате (.doc), а не в " +
                std::string(DocumentFormatName(document.format));
        return false;
    } else {
        const auto zip = ZipPackage::Open(document.file, error);
        if (!zip || !ReadZipDocument(*zip, document.format, document, text, error) ||
            !zip->Verify(error)) {
            return false;
        }
    }
    document.text = std::move(text.text);
    document.letters = std::move(text.letters);
    out = std::move(document);
    return true;
}

bool PatchPackageDocument(const PackageDocument& document, std::u16string_view current,
                          std::string& out, std::string& error) {
    const auto changes = LetterOnlyChanges(document.text, current);
    if (!changes) {
        error = "текст изменён не только в буквах е и ё, а в документ можно записать только их";
        return false;
    }
    std::map<int, std::vector<ByteEdit>> edits; // by part
    for (const LetterChange& change : *changes) {
        const auto it = std::lower_bound(
            document.letters.begin(), document.letters.end(), change.offset,
            [](const PartLetter& letter, int offset) { return letter.offset < offset; });
        if (it == document.letters.end() || it->offset != change.offset) {
            error = "изменена буква, которой нет в тексте документа";
            return false;
        }
        const DocumentPart& part = document.parts[static_cast<std::size_t>(it->part)];
        const std::string_view old =
            std::string_view(part.bytes).substr(it->start, it->end - it->start);
        auto bytes = ChangedLetter(old, part.encoding, change);
        if (!bytes) {
            error = "буква в " + part.name + " записана не так, как была прочитана";
            return false;
        }
        edits[it->part].push_back({it->start, it->end, std::move(*bytes)});
    }
    if (DocumentBits(document.format) == FormatFb2) {
        out = ApplyByteEdits(document.parts.front().bytes, std::move(edits[0]));
        return true;
    }
    std::map<std::size_t, std::string> replaced;
    for (auto& [part, partEdits] : edits) {
        const DocumentPart& p = document.parts[static_cast<std::size_t>(part)];
        replaced[p.zipIndex] = ApplyByteEdits(p.bytes, std::move(partEdits));
    }
    const auto zip = ZipPackage::Open(document.file, error);
    return zip && zip->Rewrite(replaced, out, error);
}

std::string_view DocumentFormatName(TextFormat format) {
    const DocumentKind* kind = KindOf(format);
    return kind != nullptr ? kind->name : std::string_view();
}

std::string_view DocumentFormatPattern(TextFormat format) {
    const DocumentKind* kind = KindOf(format);
    return kind != nullptr ? kind->pattern : std::string_view();
}

} // namespace umlo
