#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/package_document.h"
#include "documents/zip_package.h"
#include "tests/support/zip_builder.h"

namespace umlo {
namespace {

using testing::MakeZip;
using testing::ZipEntries;
using testing::ZipFile;

// The text with every е made ё, the way a pass changes a text.
std::u16string AllYo(std::u16string text) {
    for (char16_t& c : text) {
        c = c == u'е' ? u'ё' : c == u'Е' ? u'Ё' : c;
    }
    return text;
}

std::string Docx(const std::string& body) {
    return MakeZip({
        {"[Content_Types].xml", "<Types/>"},
        {"word/document.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document><w:body>" +
                                  body + "</w:body></w:document>"},
        {"word/footnotes.xml",
         "<w:footnotes><w:footnote><w:p><w:r><w:t>Сноска тоже</w:t></w:r></w:p></w:footnote>"
         "</w:footnotes>"},
        {"word/header2.xml", "<w:hdr><w:p><w:r><w:t>Верх 2</w:t></w:r></w:p></w:hdr>"},
        {"word/header10.xml", "<w:hdr><w:p><w:r><w:t>Верх 10</w:t></w:r></w:p></w:hdr>"},
        {"word/media/image1.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\0е", 13), true},
    });
}

std::string Epub(const std::vector<ZipFile>& extra = {}) {
    std::vector<ZipFile> files = {
        {"mimetype", "application/epub+zip", true},
        {"META-INF/container.xml",
         "<container><rootfiles><rootfile full-path=\"OEBPS/content.opf\"/></rootfiles>"
         "</container>"},
        {"OEBPS/content.opf",
         "<package><manifest><item id=\"b\" href=\"text/two%20words.xhtml\"/>"
         "<item id=\"a\" href=\"./text/../text/one.xhtml\" media-type=\"application/xhtml+xml\"/>"
         "<item id=\"c\" href=\"cover.jpg\" media-type=\"image/jpeg\"/></manifest>"
         "<spine><itemref idref=\"c\"/><itemref idref=\"a\"/><itemref idref=\"b\"/></spine>"
         "</package>"},
        {"OEBPS/cover.jpg", "\xFF\xD8\xFF\xE0 not xml", true},
        {"OEBPS/text/two words.xhtml",
         "<html><head><title>Не текст</title></head><body><p>Второе</p></body></html>"},
        {"OEBPS/text/one.xhtml",
         "<?xml version='1.0' encoding='utf-8'?><html><body><h1>Первое</h1>"
         "<p>Он <i>ш</i>ел<br/>и &#1077;л</p><script>var е;</script></body></html>"},
    };
    files.insert(files.end(), extra.begin(), extra.end());
    return MakeZip(files);
}

bool Read(const std::string& file, TextFormat format, PackageDocument& doc, std::string& error) {
    return ReadPackageDocument(file, format, doc, error);
}

TEST(PackageDocumentTest, WordDocumentRoundTripsWithOnlyItsLettersChanged) {
    const std::string file =
        Docx("<w:p><w:r><w:t>Е</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>ще</w:t></w:r>"
             "<w:moveFrom><w:r><w:t>перенесено</w:t></w:r></w:moveFrom>"
             "<w:r><w:t xml:space=\"preserve\"> одно</w:t></w:r></w:p>");
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(Read(file, FormatDocx, doc, error)) << error;
    EXPECT_EQ(doc.text, u"Еще одно\rСноска тоже\rВерх 2\rВерх 10");

    std::string out;
    ASSERT_TRUE(PatchPackageDocument(doc, AllYo(doc.text), out, error)) << error;
    const auto before = ZipEntries(file);
    const auto after = ZipEntries(out);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].method, before[i].method) << before[i].name;
        if (before[i].name.ends_with(".xml") && before[i].name != "[Content_Types].xml") {
            // Two bytes for two bytes, nowhere else.
            std::string expected = before[i].data;
            for (std::size_t at = 0; (at = expected.find("е", at)) != std::string::npos;) {
                expected.replace(at, 2, "ё");
            }
            for (std::size_t at = 0; (at = expected.find("Е", at)) != std::string::npos;) {
                expected.replace(at, 2, "Ё");
            }
            // Moved-away text is no text of the document: it keeps its е.
            if (const auto at = expected.find("пёрёнёсёно"); at != std::string::npos) {
                expected.replace(at, std::string("пёрёнёсёно").size(), "перенесено");
            }
            EXPECT_EQ(after[i].data, expected);
        } else {
            // Copied, not repacked, though the picture holds the bytes of an е.
            EXPECT_EQ(after[i].raw, before[i].raw) << before[i].name;
        }
    }
    // The written document reads back as the changed text.
    PackageDocument again;
    ASSERT_TRUE(Read(out, FormatDocx, again, error)) << error;
    EXPECT_EQ(again.text, AllYo(doc.text));
}

TEST(PackageDocumentTest, EpubFollowsTheSpineAndKeepsItsMimetypeFirstAndStored) {
    const std::string file = Epub();
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(Read(file, FormatEpub, doc, error)) << error;
    EXPECT_EQ(doc.text, u"Первое\rОн шел\rи ел\rВторое");

    std::u16string changed = doc.text;
    changed[changed.find(u"шел") + 1] = u'ё';
    changed[changed.find(u"и ел") + 2] = u'ё'; // written as &#1077;
    std::string out;
    ASSERT_TRUE(PatchPackageDocument(doc, changed, out, error)) << error;
    const auto after = ZipEntries(out);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after[0].name, "mimetype");
    EXPECT_EQ(after[0].method, ZIP_CM_STORE);
    EXPECT_EQ(out.substr(30, 8), "mimetype"); // the first local header names it
    EXPECT_NE(after[5].data.find("<i>ш</i>ёл<br/>и &#1105;л"), std::string::npos);
    PackageDocument again;
    ASSERT_TRUE(Read(out, FormatEpub, again, error));
    EXPECT_EQ(again.text, changed);
}

TEST(PackageDocumentTest, FictionBookInItsDeclaredEncodingAlsoZipped) {
    const std::string xml = Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                               "<FictionBook><body><section><p>Елка и &#x435;ж</p></section>"
                               "</body><binary id=\"i\">0LU=</binary></FictionBook>");
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(Read(xml, FormatFb2, doc, error)) << error;
    EXPECT_EQ(doc.format, FormatFb2);
    EXPECT_EQ(doc.text, u"Елка и еж");
    std::string out;
    ASSERT_TRUE(PatchPackageDocument(doc, u"Ёлка и ёж", out, error));
    EXPECT_EQ(out, Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                      "<FictionBook><body><section><p>Ёлка и &#x451;ж</p></section>"
                      "</body><binary id=\"i\">0LU=</binary></FictionBook>"));

    const std::string zipped =
        MakeZip({{"book.FB2", "<FictionBook><body><p>Все</p></body></FictionBook>"}});
    ASSERT_TRUE(Read(zipped, FormatFb2Zip, doc, error)) << error;
    EXPECT_EQ(doc.format, FormatFb2Zip | FormatUtf8);
    ASSERT_TRUE(PatchPackageDocument(doc, u"Всё", out, error));
    EXPECT_EQ(ZipEntries(out).at(0).data, "<FictionBook><body><p>Всё</p></body></FictionBook>");
}

TEST(PackageDocumentTest, OdtNotesFollowTheirParagraph) {
    const std::string file = MakeZip(
        {{"mimetype", "application/vnd.oasis.opendocument.text", true},
         {"content.xml",
          "<office:document-content><office:body><office:text>"
          "<text:h>Глава</text:h><text:p>Текст<text:note><text:note-citation>1</text:note-citation>"
          "<text:note-body><text:p>Пояснение</text:p></text:note-body></text:note> идет"
          "<text:s/>дальше<text:tab/>.</text:p>"
          "<text:tracked-changes><text:p>стерто</text:p></text:tracked-changes>"
          "</office:text></office:body></office:document-content>"}});
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(Read(file, FormatOdt, doc, error)) << error;
    EXPECT_EQ(doc.text, u"Глава\rТекст1 идет дальше\t.\rПояснение");
}

TEST(PackageDocumentTest, OnlyLetterChangesCanBeWritten) {
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(Read("<FictionBook><p>лес</p></FictionBook>", FormatFb2, doc, error));
    std::string out;
    EXPECT_FALSE(PatchPackageDocument(doc, u"лис", out, error));
    EXPECT_FALSE(PatchPackageDocument(doc, u"лес!", out, error));
    EXPECT_NE(error.find("не только в буквах"), std::string::npos);
    EXPECT_TRUE(PatchPackageDocument(doc, u"лёс", out, error)) << error;
    EXPECT_EQ(out, "<FictionBook><p>лёс</p></FictionBook>");
}

TEST(PackageDocumentTest, BadPackagesAreRefusedWithAReason) {
    PackageDocument doc;
    std::string error;
    const std::string docx = Docx("<w:p><w:r><w:t>а</w:t></w:r></w:p>");
    const auto refused = [&](const std::string& file, TextFormat format, std::string_view why) {
        error.clear();
        EXPECT_FALSE(Read(file, format, doc, error)) << why;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    };
    refused(docx.substr(0, docx.size() / 2), FormatDocx, "не архив ZIP");
    refused("not a zip at all", FormatEpub, "не архив ZIP");
    refused(std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'), FormatDocx,
            "защищён паролем");
    refused(MakeZip({{"word/other.xml", "<a/>"}}), FormatDocx, "word/document.xml");
    refused(MakeZip({{"word/document.xml", "<w:document><w:p></w:document>"}}), FormatDocx,
            "word/document.xml: XML повреждён");
    // DRM: any method but font obfuscation, or a text document it covers.
    const auto encryption = [](const std::string& algorithm, const std::string& uri) {
        return ZipFile{"META-INF/encryption.xml",
                       "<encryption xmlns='urn:oasis:names:tc:opendocument:xmlns:container' "
                       "xmlns:enc='http://www.w3.org/2001/04/xmlenc#'><enc:EncryptedData>"
                       "<enc:EncryptionMethod Algorithm='" +
                           algorithm + "'/><enc:CipherData><enc:CipherReference URI='" + uri +
                           "'/></enc:CipherData></enc:EncryptedData></encryption>"};
    };
    refused(Epub({encryption("http://www.w3.org/2001/04/xmlenc#aes128-cbc", "OEBPS/font.otf")}),
            FormatEpub, "зашифрована");
    refused(Epub({encryption("http://www.idpf.org/2008/embedding", "OEBPS/text/one.xhtml")}),
            FormatEpub, "зашифрована");
    refused(Epub({{"META-INF/rights.xml", "<rights/>"}}), FormatEpub, "защищена");
    // Obfuscated fonts alone hide no text: the book is read.
    EXPECT_TRUE(Read(Epub({encryption("http://www.idpf.org/2008/embedding", "OEBPS/font.otf")}),
                     FormatEpub, doc, error))
        << error;
    refused(MakeZip({{"META-INF/container.xml", "<container/>"}}), FormatEpub,
            "не указан документ пакета");
    refused(MakeZip({{"META-INF/container.xml", "<c><rootfile full-path='p.opf'/></c>"},
                     {"p.opf", "<package><manifest><item id='x' href='gone.xhtml'/></manifest>"
                               "<spine><itemref idref='x'/></spine></package>"}}),
            FormatEpub, "нет части gone.xhtml");
    refused("<?xml version='1.0' encoding='koi8-r'?><FictionBook/>", FormatFb2, "koi8-r");
    refused(MakeZip({{"readme.txt", "a"}}), FormatFb2Zip, "нет файла .fb2");
    // A damaged picture would stop the save that copies it: the open refuses.
    std::string damaged = docx;
    const std::size_t picture = damaged.find("\x89PNG");
    ASSERT_NE(picture, std::string::npos);
    damaged[picture + 1] = 'Q';
    refused(damaged, FormatDocx, "word/media/image1.png");
}

TEST(PackageDocumentTest, WordsBodyIsWhereTheRelationshipsSay) {
    const std::string file = MakeZip(
        {{"_rels/.rels",
          "<Relationships><Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/"
          "officeDocument/2006/relationships/officeDocument\" Target=\"/word/main.xml\"/>"
          "</Relationships>"},
         {"word/document.xml", "<w:document><w:p><w:r><w:t>не то</w:t></w:r></w:p></w:document>"},
         {"word/main.xml", "<w:document><w:p><w:r><w:t>то</w:t></w:r></w:p></w:document>"}});
    PackageDocument doc;
    std::string error;
    ASSERT_TRUE(ReadPackageDocument(file, FormatDocx, doc, error)) << error;
    EXPECT_EQ(doc.text, u"то");
}

TEST(ZipPackageTest, UnpackingStopsAtTheLimitWhateverTheDirectorySays) {
    const std::string zeros(1 << 20, '\0');
    const std::string bomb = MakeZip({{"word/document.xml", zeros}});
    ASSERT_LT(bomb.size(), 10000u); // a megabyte packs into a few kilobytes
    std::string error;
    const auto zip = ZipPackage::Open(bomb, error);
    ASSERT_TRUE(zip) << error;
    std::string out;
    EXPECT_FALSE(zip->Read(0, out, error, 1000));
    EXPECT_NE(error.find("больше"), std::string::npos);
    EXPECT_TRUE(zip->Read(0, out, error));
    EXPECT_EQ(out.size(), zeros.size());
}

TEST(PackageDocumentTest, FormatsAreKnownByNameAndByContent) {
    EXPECT_EQ(DocumentFormatOfName("/a/Книга.FB2.zip"), FormatFb2Zip);
    EXPECT_EQ(DocumentFormatOfName("x.fb2"), FormatFb2);
    EXPECT_EQ(DocumentFormatOfName("x.Docx"), FormatDocx);
    EXPECT_EQ(DocumentFormatOfName("x.odt"), FormatOdt);
    EXPECT_EQ(DocumentFormatOfName("x.epub"), FormatEpub);
    EXPECT_EQ(DocumentFormatOfName("x.zip"), 0);
    EXPECT_EQ(DocumentFormatOfName("docx"), 0);

    EXPECT_EQ(DocumentFormatOfBytes(Epub()), FormatEpub);
    EXPECT_EQ(DocumentFormatOfBytes(Docx("")), FormatDocx);
    EXPECT_EQ(DocumentFormatOfBytes(
                  MakeZip({{"mimetype", "application/vnd.oasis.opendocument.text", true}})),
              FormatOdt);
    EXPECT_EQ(DocumentFormatOfBytes(MakeZip({{"a.fb2", "<FictionBook/>"}})), FormatFb2Zip);
    EXPECT_EQ(DocumentFormatOfBytes("<?xml version=\"1.0\"?>\n<FictionBook xmlns=\"x\">"),
              FormatFb2);
    EXPECT_EQ(DocumentFormatOfBytes("<FictionBook> without a declaration is just text"), 0);
    EXPECT_EQ(DocumentFormatOfBytes(MakeZip({{"a.txt", "x"}})), 0);

    // The name of a zip kind is enough (a damaged package is refused as one);
    // a .fb2 that holds no FictionBook is the text it is.
    EXPECT_EQ(DocumentFormatOf("a.docx", "garbage"), FormatDocx);
    EXPECT_EQ(DocumentFormatOf("a.fb2", "<FictionBook xmlns='x'>"), FormatFb2);
    EXPECT_EQ(DocumentFormatOf("a.fb2", "просто текст"), 0);
    EXPECT_EQ(DocumentFormatOf("a.txt", Epub()), FormatEpub);
}

} // namespace
} // namespace umlo
