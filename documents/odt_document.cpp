// OpenDocument text: content.xml, paragraphs and headings one line each; a
// note's text follows the paragraph it stands in. Tracked deletions and
// comments are not text.
#include "documents/document_readers.h"

namespace umlo {
namespace {

const TextRules& OdtRules() {
    static const TextRules rules{
        .textOnlyIn = {},
        .skipped = {"tracked-changes", "annotation", "desc", "automatic-styles", "font-face-decls",
                    "scripts", "forms"},
        .paragraphs = {"p", "h"},
        .blocks = false,
        .inlines = {},
        .characters = {{"s", u' '}, {"tab", u'\t'}, {"line-break", u'\r'}},
        .collapseSpaces = true,
    };
    return rules;
}

} // namespace

bool ReadOdtText(const ZipPackage& zip, PackageDocument& out, ExtractedText& text,
                 std::string& error) {
    const auto content = zip.Find("content.xml");
    if (!content) {
        error = "в документе нет его текста (content.xml)";
        return false;
    }
    return AddZipPart(zip, *content, OdtRules(), out, text, error);
}

} // namespace umlo
