// Word: the body, then footnotes and endnotes, then headers and footers.
// Only w:t holds text; deleted and moved-away text, field codes, the
// property blocks (whose w:tab are tab stops) and the fallback copy of a
// text box are not text.
#include <algorithm>

#include "documents/document_readers.h"

namespace umlo {
namespace {

const TextRules& DocxRules() {
    static const TextRules rules{
        .textOnlyIn = {"t"},
        .skipped = {"pPr", "rPr", "sectPr", "delText", "instrText", "moveFrom", "Fallback"},
        .paragraphs = {"p"},
        .blocks = false,
        .inlines = {},
        .characters = {{"tab", u'\t'}, {"br", u'\r'}, {"cr", u'\r'}, {"noBreakHyphen", u'-'}},
        .collapseSpaces = false,
    };
    return rules;
}

bool Numbered(const std::string& name, std::string_view stem) {
    return name.starts_with(stem) && name.ends_with(".xml") &&
           name.find('/', stem.size()) == std::string::npos;
}

} // namespace

bool ReadDocxText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                  std::string& error) {
    // The body is where the package's relationships say, as a rule
    // word/document.xml.
    std::string bodyName = "word/document.xml";
    std::vector<PackageTag> relationships;
    if (zip.Find("_rels/.rels") && ReadPackageTags(zip, "_rels/.rels", {"Relationship"},
                                                   {"Type", "Target"}, relationships, error)) {
        for (auto& tag : relationships) {
            if (tag.attributes["Type"].ends_with("/officeDocument") &&
                !tag.attributes["Target"].empty()) {
                const std::string& target = tag.attributes["Target"];
                bodyName = target.starts_with("/") ? target.substr(1) : target;
                break;
            }
        }
    }
    const auto body = zip.Find(bodyName);
    if (!body) {
        error = "в документе нет его текста (" + bodyName + ")";
        return false;
    }
    std::vector<std::size_t> parts{*body};
    for (const char* name : {"word/footnotes.xml", "word/endnotes.xml"}) {
        if (const auto at = zip.Find(name)) {
            parts.push_back(*at);
        }
    }
    // header1.xml before header10.xml.
    std::vector<std::size_t> margins;
    for (std::size_t i = 0; i < zip.Entries().size(); ++i) {
        const std::string& name = zip.Entries()[i].name;
        if (Numbered(name, "word/header") || Numbered(name, "word/footer")) {
            margins.push_back(i);
        }
    }
    std::sort(margins.begin(), margins.end(), [&zip](std::size_t a, std::size_t b) {
        const std::string& x = zip.Entries()[a].name;
        const std::string& y = zip.Entries()[b].name;
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    parts.insert(parts.end(), margins.begin(), margins.end());
    for (const std::size_t index : parts) {
        if (!AddZipPart(zip, index, DocxRules(), out, text, error)) {
            return false;
        }
    }
    return true;
}

} // namespace umlo
