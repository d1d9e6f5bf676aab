#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/xml_text_extract.h"
#include "documents/xml_text_scanner.h"

namespace umlo {
namespace {

// What the scanner reports, written out: [name ... /name] and each character
// with the bytes it came from.
class Recorder : public XmlSink {
public:
    void StartElement(const XmlTag& tag) override { log += "[" + std::string(tag.Name()); }
    void EndElement(std::string_view name) override { log += " /" + std::string(name) + "]"; }
    void Character(char32_t c, const XmlCharSource& source) override {
        chars.push_back({c, source});
    }
    std::string log;
    std::vector<std::pair<char32_t, XmlCharSource>> chars;
};

TEST(XmlScannerTest, CharactersComeWithTheirBytesAndReferencesAreDecoded) {
    const std::string xml = "<?xml version=\"1.0\"?><!-- е --><a x='1>2'>"
                            "ё&#1077;&#x451;&amp;<b/><![CDATA[<е>]]><?pi е?></a>";
    Recorder r;
    std::string error;
    ASSERT_TRUE(ScanXml(xml, XmlEncoding::Utf8, r, error)) << error;
    EXPECT_EQ(r.log, "[a[b /b] /a]");
    std::u32string text;
    for (const auto& [c, source] : r.chars) {
        text += c;
    }
    EXPECT_EQ(text, U"ёеё&<е>");

    // HTML's entities of typography, as books made for XHTML 1.1 use them.
    Recorder html;
    ASSERT_TRUE(ScanXml("<p>а&nbsp;&mdash;&laquo;б&raquo;</p>", XmlEncoding::Utf8, html, error));
    ASSERT_EQ(html.chars.size(), 6u);
    EXPECT_EQ(html.chars[1].first, U'\u00A0');
    EXPECT_EQ(html.chars[2].first, U'—');
    EXPECT_EQ(html.chars[3].first, U'«');
    // ё is two bytes where it stands; the references are their whole spelling.
    const std::size_t yo = xml.find("ё&");
    EXPECT_EQ(r.chars[0].second.start, yo);
    EXPECT_EQ(r.chars[0].second.end, yo + 2);
    EXPECT_FALSE(r.chars[0].second.reference);
    EXPECT_EQ(xml.substr(r.chars[1].second.start, r.chars[1].second.end - r.chars[1].second.start),
              "&#1077;");
    EXPECT_TRUE(r.chars[1].second.reference);
    // CDATA letters are raw bytes of their own.
    const std::size_t cdata = xml.find("<е>]]");
    EXPECT_EQ(r.chars[5].second.start, cdata + 1);
    EXPECT_FALSE(r.chars[5].second.reference);
}

TEST(XmlScannerTest, Cp1251IsOneBytePerCharacter) {
    const std::string xml = Cp("<p>ёлка е</p>");
    Recorder r;
    std::string error;
    ASSERT_TRUE(ScanXml(xml, XmlEncoding::Cp1251, r, error));
    ASSERT_EQ(r.chars.size(), 6u);
    EXPECT_EQ(r.chars[0].first, U'ё');
    EXPECT_EQ(r.chars[0].second.start, 3u);
    EXPECT_EQ(r.chars[0].second.end, 4u);
    EXPECT_EQ(r.chars[5].second.start, 8u);
}

TEST(XmlScannerTest, DocumentsThatAreNotWellFormedAreRefused) {
    for (const std::string xml : {
             "<a><b></a></b>",         // crossed
             "<a>",                    // unclosed
             "<a>&nosuch;</a>",        // no such entity
             "<a>&#0;</a>",            // no such character
             "<a>\xD0</a>",            // cut UTF-8
             "<a>\xC0\xAF</a>",        // overlong UTF-8
             "<a></a><b></b>",         // two roots
             "x<a></a>",               // text outside the root
             "<a b='<'></a>",          // '<' in an attribute
             "<a><!-- never ends</a>", // comment
             "<a><![CDATA[ open</a>",  // CDATA
             "",                       // nothing
             "<a>&amp</a>",            // reference without ';'
         }) {
        Recorder r;
        std::string error;
        EXPECT_FALSE(ScanXml(xml, XmlEncoding::Utf8, r, error)) << xml;
        EXPECT_NE(error.find("XML повреждён"), std::string::npos) << xml;
    }
}

TEST(XmlScannerTest, AttributesAndDeclaredEncoding) {
    const XmlTag tag("opf:item", " id=\"c1\" href='text/ch%201.xhtml?a=1&amp;b=2'",
                     XmlEncoding::Utf8);
    EXPECT_EQ(tag.LocalName(), "item");
    EXPECT_EQ(tag.Attribute("id"), "c1");
    EXPECT_EQ(tag.Attribute("href"), "text/ch%201.xhtml?a=1&b=2");
    EXPECT_EQ(tag.Attribute("media-type"), std::nullopt);

    XmlEncoding encoding = XmlEncoding::Utf8;
    std::string error;
    EXPECT_TRUE(
        XmlDeclaredEncoding("<?xml version='1.0' encoding='Windows-1251'?><a/>", encoding, error));
    EXPECT_EQ(encoding, XmlEncoding::Cp1251);
    EXPECT_TRUE(XmlDeclaredEncoding("<a/>", encoding, error));
    EXPECT_EQ(encoding, XmlEncoding::Utf8);
    EXPECT_FALSE(
        XmlDeclaredEncoding("<?xml version=\"1.0\" encoding=\"koi8-r\"?><a/>", encoding, error));
    EXPECT_NE(error.find("koi8-r"), std::string::npos);
}

// Word's rules in small.
TextRules WordLike() {
    return {.textOnlyIn = {"t"},
            .skipped = {"pPr", "delText"},
            .paragraphs = {"p"},
            .characters = {{"tab", u'\t'}, {"br", u'\r'}}};
}

std::u16string Letters(const ExtractedText& text, std::string_view xml) {
    // Each recorded letter as the text has it, checked against its bytes.
    std::u16string out;
    for (const PartLetter& l : text.letters) {
        const char16_t c = text.text[static_cast<std::size_t>(l.offset)];
        const std::string bytes(xml.substr(l.start, l.end - l.start));
        EXPECT_TRUE(bytes == Utf16ToUtf8(std::u16string(1, c)) || bytes.starts_with("&#")) << bytes;
        out += c;
    }
    return out;
}

TEST(XmlTextExtractTest, WordRunsJoinIntoWordsAndParagraphsIntoLines) {
    const std::string xml =
        "<w:document><w:body>"
        "<w:p><w:pPr><w:tabs><w:tab w:val='left'/></w:tabs></w:pPr>"
        "<w:r><w:t>Ещ</w:t></w:r><w:proofErr/><w:r><w:rPr><w:b/></w:rPr><w:t>е</w:t></w:r>"
        "<w:del><w:r><w:delText>удалено</w:delText></w:r></w:del>"
        "<w:r><w:tab/><w:t xml:space='preserve'>  вс&#1077;</w:t></w:r></w:p>"
        "<w:p/>"
        "<w:p><w:r><w:t>до</w:t><w:br/><w:t>после</w:t></w:r></w:p>"
        "</w:body></w:document>";
    ExtractedText text;
    std::string error;
    ASSERT_TRUE(ExtractXmlText(xml, XmlEncoding::Utf8, WordLike(), 0, text, error)) << error;
    EXPECT_EQ(text.text, u"Еще\t  все\r\rдо\rпосле");
    EXPECT_EQ(Letters(text, xml), u"Ееее");
    EXPECT_EQ(text.letters[2].offset, 8);
}

TEST(XmlTextExtractTest, BlocksSpacesAndSkippedElements) {
    const TextRules rules{.skipped = {"binary"},
                          .blocks = true,
                          .inlines = {"emphasis"},
                          .characters = {{"empty-line", u'\r'}},
                          .collapseSpaces = true};
    const std::string xml = "<book>\n  <title>\n    <p>Глава</p>\n  </title>\n"
                            "  <p>  пр<emphasis>и</emphasis>шел   \n домой </p>\n"
                            "  <empty-line/>\n  <p>конец</p>\n"
                            "  <binary id='x'>0LXRkQ==</binary>\n</book>";
    ExtractedText text;
    std::string error;
    ASSERT_TRUE(ExtractXmlText(xml, XmlEncoding::Utf8, rules, 3, text, error));
    EXPECT_EQ(text.text, u"Глава\rпришел домой\r\rконец");
    ASSERT_EQ(text.letters.size(), 2u);
    EXPECT_EQ(text.letters[0].part, 3);
    EXPECT_EQ(text.letters[0].offset, 10);
    EXPECT_EQ(text.letters[1].offset, 23);

    // A second part starts on a line of its own.
    ASSERT_TRUE(ExtractXmlText("<p>ещё</p>", XmlEncoding::Utf8, rules, 4, text, error));
    EXPECT_EQ(text.text, u"Глава\rпришел домой\r\rконец\rещё");
    EXPECT_EQ(text.letters[text.letters.size() - 2].offset, 26);
    EXPECT_EQ(text.letters.back().part, 4);
}

TEST(XmlTextExtractTest, ANoteInsideAParagraphFollowsIt) {
    const TextRules rules{.paragraphs = {"p"}, .collapseSpaces = true};
    const std::string xml =
        "<body><p>Начало<note><cite>1</cite><nb><p>Сноске</p></nb></note> и конец.</p>"
        "<p>Дальше</p></body>";
    ExtractedText text;
    std::string error;
    ASSERT_TRUE(ExtractXmlText(xml, XmlEncoding::Utf8, rules, 0, text, error));
    EXPECT_EQ(text.text, u"Начало1 и конец.\rСноске\rДальше");
    // Every letter is recorded where its line went.
    ASSERT_EQ(text.letters.size(), 3u);
    EXPECT_EQ(text.letters[0].offset, 13);
    EXPECT_EQ(text.letters[1].offset, 22);
    EXPECT_EQ(text.letters[2].offset, 29);
    EXPECT_EQ(xml.substr(text.letters[1].start, 2), "е");
    EXPECT_LT(text.letters[1].start, text.letters[0].start); // the note stands first in the XML
}

TEST(XmlTextExtractTest, ABadPartLeavesTheTextAsItWas) {
    ExtractedText text;
    std::string error;
    ASSERT_TRUE(ExtractXmlText("<p>а</p>", XmlEncoding::Utf8, WordLike(), 0, text, error));
    EXPECT_FALSE(ExtractXmlText("<p>е", XmlEncoding::Utf8, WordLike(), 1, text, error));
    EXPECT_EQ(text.text, u"");
    EXPECT_TRUE(text.letters.empty());
}

} // namespace
} // namespace umlo
