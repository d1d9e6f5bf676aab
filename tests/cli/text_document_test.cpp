#include "cli/text_document.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/test_files.h"

#include "core/codepage.h"
#include "documents/encoding_detect.h"
#include "documents/memory_text_buffer.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

TEST(ChooseFormat, SignatureThenUtf16StatisticsThenValidUtf8ThenCp1251) {
    const auto Auto = EncodingChoice::Auto;
    EXPECT_EQ(ChooseFormat("a.txt",
                           "\xEF\xBB\xBF"
                           "abc",
                           Auto),
              FormatUtf8 | FormatSignature);
    EXPECT_EQ(ChooseFormat("a.txt", "\xFF\xFE" + umlo::testing::Utf16Bytes(u"все", false), Auto),
              FormatUtf16LE | FormatSignature);
    EXPECT_EQ(ChooseFormat("a.txt", "\xFE\xFF" + umlo::testing::Utf16Bytes(u"все", true), Auto),
              FormatUtf16BE | FormatSignature);
    // Without a signature the second bytes 00 and 04 tell UTF-16 and its order,
    // though such bytes would also pass for UTF-8.
    EXPECT_EQ(ChooseFormat("a.txt", umlo::testing::Utf16Bytes(u"еще все", false), Auto),
              FormatUtf16LE);
    EXPECT_EQ(ChooseFormat("a.txt", umlo::testing::Utf16Bytes(u"еще все", true), Auto),
              FormatUtf16BE);
    EXPECT_EQ(ChooseFormat("a.txt", "еще все", Auto), FormatUtf8);
    EXPECT_EQ(ChooseFormat("a.txt", "plain ascii", Auto), FormatUtf8);
    EXPECT_EQ(ChooseFormat("a.txt", Cp("еще все"), Auto), 0);
    // Many Р and С make the byte statistics say UTF-8; the bytes are not, so
    // they are cp1251.
    std::string manyR;
    for (int i = 0; i < 15; ++i) {
        manyR += Cp("РС ");
    }
    ASSERT_EQ(DetectEncodingBytes(manyR, true), FormatUtf8);
    EXPECT_EQ(ChooseFormat("a.txt", manyR, Auto), 0);
    // So is a FictionBook declaring UTF-8 over cp1251 bytes.
    EXPECT_EQ(ChooseFormat("a.fb2", "<?xml encoding=\"utf-8\"?>" + Cp("все"), Auto), 0);
}

TEST(ChooseFormat, TheUsersEncodingOverridesTheDetection) {
    const std::string utf8 = "еще";
    EXPECT_EQ(ChooseFormat("a.txt", utf8, EncodingChoice::Ansi), 0);
    EXPECT_EQ(ChooseFormat("a.txt", Cp("еще"), EncodingChoice::Utf8), FormatUtf8);
    EXPECT_EQ(ChooseFormat("a.txt", "abcd", EncodingChoice::Utf16), FormatUtf16LE);
    EXPECT_EQ(ChooseFormat("a.txt",
                           "\xFE\xFF"
                           "ab",
                           EncodingChoice::Utf16),
              FormatUtf16BE);
    EXPECT_EQ(
        ChooseFormat("a.txt", umlo::testing::Utf16Bytes(u"еще все", true), EncodingChoice::Utf16),
        FormatUtf16BE);
    EXPECT_EQ(ParseEncodingChoice("utf-16"), EncodingChoice::Utf16);
    EXPECT_EQ(ParseEncodingChoice("auto"), EncodingChoice::Auto);
    EXPECT_FALSE(ParseEncodingChoice("koi8-r"));
}

TEST(ChooseFormat, RichTextByNameWhenTheFileHoldsRichText) {
    const std::string rtf = "{\\rtf1 abc}";
    EXPECT_EQ(ChooseFormat("Текст.RtF", rtf, EncodingChoice::Auto), FormatRtf);
    EXPECT_EQ(ChooseFormat("a.rtf", rtf, EncodingChoice::Utf16), FormatRtf);
    EXPECT_EQ(ChooseFormat("a.txt", rtf, EncodingChoice::Auto), FormatUtf8);
    // Plain text under a rich-text name stays plain text.
    EXPECT_EQ(ChooseFormat("a.rtf", Cp("все"), EncodingChoice::Auto), 0);
}

TEST(RtfIsComplete, EveryGroupMustClose) {
    EXPECT_TRUE(RtfIsComplete("{\\rtf1 {\\b a}\\{ b\\}}"));
    EXPECT_TRUE(RtfIsComplete("{\\rtf1 {\\pict\\bin3 }}{}}"));
    EXPECT_FALSE(RtfIsComplete("{\\rtf1 {\\b a}"));
    EXPECT_FALSE(RtfIsComplete("{\\rtf1 a\\}"));
    EXPECT_FALSE(RtfIsComplete("{\\rtf1 a}}"));
    EXPECT_FALSE(RtfIsComplete("{\\rtf1 {\\pict\\bin9 }}"));
    EXPECT_FALSE(RtfIsComplete(""));
}

class TextDocumentFiles : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_text_document"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static void Write(const std::string& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

TEST_F(TextDocumentFiles, RichTextKeepsItsFormatsThroughTheBuffer) {
    const std::string path = Path("t.rtf");
    Write(path, "{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red255\\green0\\blue0;}"
                "{\\cf1\\b \\'e5\\'f9\\'e5} x\\par}");
    TextDocument doc;
    std::string error;
    ASSERT_TRUE(ReadTextDocument(path, EncodingChoice::Auto, doc, error)) << error;
    EXPECT_EQ(doc.format, FormatRtf);
    EXPECT_EQ(doc.Text(), u"еще x");
    MemoryTextBuffer buffer;
    LoadDocument(doc, buffer);
    EXPECT_EQ(buffer.FormatAt(0).text, 255u);
    EXPECT_TRUE(buffer.FormatAt(2).bold);
    EXPECT_FALSE(buffer.FormatAt(4).bold);
    const std::string written = EncodeDocument(doc, buffer);
    Write(path, written);
    TextDocument again;
    ASSERT_TRUE(ReadTextDocument(path, EncodingChoice::Auto, again, error)) << error;
    EXPECT_EQ(again.rtf.text, doc.rtf.text);
    // Unchanged, it is written back byte for byte.
    EXPECT_EQ(written, again.rtf.bytes);
}

TEST_F(TextDocumentFiles, MissingFoldersTruncatedRtfAndBinariesAreRefused) {
    TextDocument doc;
    std::string error;
    EXPECT_FALSE(ReadTextDocument(Path("missing.txt"), EncodingChoice::Auto, doc, error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    error.clear();
    EXPECT_FALSE(ReadTextDocument(dir_.string(), EncodingChoice::Auto, doc, error));
    EXPECT_FALSE(error.empty());
    const std::string cut = Path("cut.rtf");
    Write(cut, "{\\rtf1\\ansi {\\b \\'e5\\'f9\\'e5}");
    error.clear();
    EXPECT_FALSE(ReadTextDocument(cut, EncodingChoice::Auto, doc, error));
    EXPECT_NE(error.find("cut.rtf"), std::string::npos);
    const std::string binary = Path("binary.dat");
    Write(binary, std::string("\x7F"
                              "ELF\0\0",
                              6));
    error.clear();
    EXPECT_FALSE(ReadTextDocument(binary, EncodingChoice::Auto, doc, error));
    EXPECT_NE(error.find("binary.dat"), std::string::npos);
}

} // namespace
} // namespace umlo::cli
