// EPUB: the XHTML documents of the spine, in spine order, found through
// META-INF/container.xml and the package document it names. A book with
// encrypted content or DRM rights is refused: its text cannot be read, and
// writing into it would break it.
#include <algorithm>
#include <map>
#include <set>

#include "core/codepage.h"
#include "documents/document_readers.h"

namespace umlo {
namespace {

const TextRules& XhtmlRules() {
    static const TextRules rules{
        .textOnlyIn = {},
        .skipped = {"head", "script", "style"},
        .paragraphs = {},
        .blocks = true,
        .inlines = {"a",   "abbr", "b",    "bdi",  "bdo",   "big",  "cite",   "code",   "del",
                    "dfn", "em",   "font", "i",    "ins",   "kbd",  "mark",   "q",      "rp",
                    "rt",  "ruby", "s",    "samp", "small", "span", "strike", "strong", "sub",
                    "sup", "time", "tt",   "u",    "var",   "wbr",  "img",    "br"},
        .characters = {{"br", u'\r'}},
        .collapseSpaces = true,
    };
    return rules;
}

// An href of the package document as the name of a zip entry: relative to
// the package document's folder, percent escapes decoded, "." and ".."
// resolved, a fragment dropped.
std::string EntryName(const std::string& folder, std::string href) {
    href = href.substr(0, href.find('#'));
    std::string decoded;
    for (std::size_t i = 0; i < href.size(); ++i) {
        if (href[i] == '%' && i + 2 < href.size() && HexDigitValue(href[i + 1]) >= 0 &&
            HexDigitValue(href[i + 2]) >= 0) {
            decoded +=
                static_cast<char>(HexDigitValue(href[i + 1]) * 16 + HexDigitValue(href[i + 2]));
            i += 2;
        } else {
            decoded += href[i];
        }
    }
    std::vector<std::string> segments;
    std::string path = folder + decoded;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string name;
    for (const std::string& segment : segments) {
        name += (name.empty() ? "" : "/") + segment;
    }
    return name;
}

constexpr const char* kDrmMessage =
    "книга зашифрована или защищена от копирования (META-INF/encryption.xml)";

// META-INF/encryption.xml: font obfuscation (IDPF's and Adobe's) only
// scrambles the embedded fonts, which are never read and are copied as they
// are, and many shop books have it; any other method is DRM. covered gets the
// entries it names.
bool ReadEncryption(const ZipPackage& zip, std::set<std::string>& covered, std::string& error) {
    if (!zip.Find("META-INF/encryption.xml")) {
        return true;
    }
    std::vector<PackageTag> tags;
    if (!ReadPackageTags(zip, "META-INF/encryption.xml", {"EncryptionMethod", "CipherReference"},
                         {"Algorithm", "URI"}, tags, error)) {
        return false;
    }
    for (const PackageTag& tag : tags) {
        const auto& a = tag.attributes;
        if (tag.localName == "EncryptionMethod") {
            const auto algorithm = a.find("Algorithm");
            if (algorithm == a.end() ||
                (algorithm->second != "http://www.idpf.org/2008/embedding" &&
                 algorithm->second != "http://ns.adobe.com/pdf/enc#RC")) {
                error = kDrmMessage;
                return false;
            }
        } else if (const auto uri = a.find("URI"); uri != a.end()) {
            covered.insert(EntryName("", uri->second));
        }
    }
    return true;
}

} // namespace

bool ReadEpubText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                  std::string& error) {
    if (zip.Find("META-INF/rights.xml")) {
        error = "книга защищена от копирования (META-INF/rights.xml)";
        return false;
    }
    std::set<std::string> obfuscated;
    if (!ReadEncryption(zip, obfuscated, error)) {
        return false;
    }
    if (zip.AnyEncrypted()) {
        error = "в книге есть зашифрованные части";
        return false;
    }
    std::vector<PackageTag> container;
    if (!ReadPackageTags(zip, "META-INF/container.xml", {"rootfile"}, {"full-path"}, container,
                         error)) {
        return false;
    }
    std::string opf;
    for (const auto& tag : container) {
        if (const auto it = tag.attributes.find("full-path"); it != tag.attributes.end()) {
            opf = it->second;
            break;
        }
    }
    if (opf.empty()) {
        error = "в META-INF/container.xml не указан документ пакета книги";
        return false;
    }
    std::vector<PackageTag> package;
    if (!ReadPackageTags(zip, opf, {"item", "itemref"}, {"id", "href", "idref", "media-type"},
                         package, error)) {
        return false;
    }
    const std::string folder = opf.substr(0, opf.rfind('/') + 1);
    std::map<std::string, std::string> hrefs;
    std::vector<std::string> pictures;
    std::vector<std::string> spine;
    for (auto& tag : package) {
        auto& a = tag.attributes;
        if (tag.localName == "item" && a.count("id") && a.count("href")) {
            // A page of the spine that is a picture has no text to read.
            const std::string& type = a["media-type"];
            if (type.empty() || type == "application/xhtml+xml" || type == "text/html" ||
                type == "application/xml" || type == "text/xml") {
                hrefs[a["id"]] = EntryName(folder, a["href"]);
            } else {
                pictures.push_back(a["id"]);
            }
        } else if (tag.localName == "itemref" && a.count("idref")) {
            spine.push_back(a["idref"]);
        }
    }
    if (spine.empty()) {
        error = "в книге нет ни одного документа (пустой spine в " + opf + ")";
        return false;
    }
    for (const std::string& id : spine) {
        if (std::find(pictures.begin(), pictures.end(), id) != pictures.end()) {
            continue;
        }
        const auto href = hrefs.find(id);
        const auto at = href != hrefs.end() ? zip.Find(href->second) : std::nullopt;
        if (!at) {
            error = "в книге нет части " + (href != hrefs.end() ? href->second : id);
            return false;
        }
        if (obfuscated.count(href->second) != 0) {
            error = kDrmMessage;
            return false;
        }
        if (!AddZipPart(zip, *at, XhtmlRules(), out, text, error)) {
            return false;
        }
    }
    return true;
}

} // namespace umlo
