// Encoding detection over the first bytes of a file, and the format a chosen
// or dropped file is loaded with.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/encoding_detect.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

std::string Utf16Le(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::string Utf16Be(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
    return out;
}

class TempFiles : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_enc"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path dir_;
};

TEST(DetectEncodingBytes, SignaturesWinWithAndWithoutStatistics) {
    for (bool statistics : {true, false}) {
        EXPECT_EQ(DetectEncodingBytes("\xFF\xFE" + Utf16Le(u"Привет"), statistics), 20);
        EXPECT_EQ(DetectEncodingBytes("\xFE\xFF" + Utf16Be(u"Привет"), statistics), 24);
        EXPECT_EQ(DetectEncodingBytes("\xEF\xBB\xBF" + Utf16ToUtf8(u"Привет"), statistics), 18);
        // The UTF-8 signature needs its third byte.
        EXPECT_EQ(DetectEncodingBytes("\xEF\xBB"
                                      "ab",
                                      statistics),
                  0);
        // A signature counts only at the very start.
        EXPECT_EQ(DetectEncodingBytes("ab\xFF\xFE"
                                      "cd",
                                      statistics),
                  0);
    }
}

TEST(DetectEncodingBytes, EmptyAndOneByteInputsAreCp1251) {
    for (bool statistics : {true, false}) {
        EXPECT_EQ(DetectEncodingBytes("", statistics), 0);
        EXPECT_EQ(DetectEncodingBytes("\xFF", statistics), 0);
    }
}

TEST(DetectEncodingBytes, ByteStatistics) {
    // UTF-16LE without a signature: the second bytes are 00 or 04.
    const std::string le = Utf16Le(u"Жили-были дед да баба, и была у них курочка Ряба.");
    EXPECT_EQ(DetectEncodingBytes(le, true), FormatUtf16LE);
    EXPECT_EQ(DetectEncodingBytes(le, false), 0);
    const std::string be = Utf16Be(u"Жили-были дед да баба, и была у них курочка Ряба.");
    EXPECT_EQ(DetectEncodingBytes(be, true), FormatUtf16BE);
    EXPECT_EQ(DetectEncodingBytes(be, false), 0);
    // UTF-8 Cyrillic: lead bytes D0 and D1, more than 20 units holding one.
    const std::string utf8 = Utf16ToUtf8(u"Жили-были дед да баба, и была у них курочка Ряба.");
    EXPECT_EQ(DetectEncodingBytes(utf8, true), FormatUtf8);
    EXPECT_EQ(DetectEncodingBytes(utf8, false), 0);
    // Ordinary cp1251 text stays cp1251.
    EXPECT_EQ(DetectEncodingBytes(Cp("Жили-были дед да баба, и была у них курочка Ряба."), true),
              0);
}

TEST(DetectEncodingBytes, Cp1251WithManyErAndEsIsTakenForUtf8) {
    // Р is D0 and С is D1 in cp1251: more than 20 of them look like UTF-8.
    std::string text;
    for (int i = 0; i < 21; ++i) {
        text += Cp("Р ");
    }
    EXPECT_EQ(DetectEncodingBytes(text, true), FormatUtf8);
    std::string twenty;
    for (int i = 0; i < 20; ++i) {
        twenty += Cp("С ");
    }
    EXPECT_EQ(DetectEncodingBytes(twenty, true), 0);
}

TEST(DetectEncodingBytes, OnlyTheFirstUtfLengthUnitsCount) {
    const std::string prefix(1024, 'a');
    const std::string declared = prefix + "<?xml encoding=\"utf-8\"?>";
    EXPECT_EQ(DetectEncodingBytes(declared, true), 0);
    EXPECT_EQ(DetectEncodingBytes(declared, true, 1000), FormatUtf8);
    // At least one unit is read.
    EXPECT_EQ(DetectEncodingBytes("\xFF\xFE", true, 0), 20);
}

TEST(DetectEncodingBytes, FictionBookDeclaration) {
    const std::string fb2 = "<?xml version=\"1.0\" ENCODING=\"UTF-8\"?>\r\n<FictionBook>";
    EXPECT_EQ(DetectEncodingBytes(fb2, true), FormatUtf8);
    EXPECT_EQ(DetectEncodingBytes(fb2, false), FormatUtf8);
    // Single quotes are not recognised; only the statistics can still say UTF-8.
    const std::string single = "<?xml version='1.0' encoding='utf-8'?>\r\n<FictionBook>";
    EXPECT_EQ(DetectEncodingBytes(single, false), 0);
    EXPECT_EQ(
        DetectEncodingBytes(single + Utf16ToUtf8(u"Жили-были дед да баба, и была у них"), true),
        FormatUtf8);
    // Without statistics the first carriage return ends the header.
    const std::string late = "<?xml version=\"1.0\"?>\r\n<x encoding=\"utf-8\"/>";
    EXPECT_EQ(DetectEncodingBytes(late, false), 0);
    EXPECT_EQ(DetectEncodingBytes(late, true), FormatUtf8);
    // With statistics a carriage return inside the declaration is left out of it.
    EXPECT_EQ(DetectEncodingBytes("<?xml encoding=\"utf\r-8\"?>", true), FormatUtf8);
}

TEST_F(TempFiles, DetectEncodingReadsTheFileAndToleratesMissingOnes) {
    const std::string path = Write("a.txt", "\xFF\xFE" + Utf16Le(u"Ёлка"));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(DetectEncoding(path, true), 20);
    EXPECT_EQ(DetectEncoding(path, false), 20);
    EXPECT_EQ(DetectEncoding((dir_ / "missing.txt").string(), true), 0);
    EXPECT_EQ(DetectEncoding(Write("empty.txt", ""), true), 0);
}

TEST_F(TempFiles, DetectEncodingOfAHugeFileReadsOnlyItsStart) {
    const auto path = dir_ / "big.txt";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xEF\xBB\xBF";
    }
    std::filesystem::resize_file(path, 200ull * 1024 * 1024); // sparse: cheap to make
    EXPECT_EQ(DetectEncoding(path.string(), true), 18);
}

// UTFLength is read from the settings file unchecked: any value gives the
// same verdict on a short file as the default, and a device is read only up
// to the limit.
TEST_F(TempFiles, DetectEncodingWithAHugeUtfLengthReadsOnlyTheFile) {
    const std::string utf16 = Write("w.txt", Utf16Le(u"Привет, мир"));
    const std::string utf8 = Write("u.txt", "\xEF\xBB\xBF\xD0\x9F\xD1\x80\xD0\xB8");
    for (const int length : {512, 2000000000, 2147483647}) {
        EXPECT_EQ(DetectEncoding(utf16, true, length), DetectEncoding(utf16, true)) << length;
        EXPECT_EQ(DetectEncoding(utf8, true, length), DetectEncoding(utf8, true)) << length;
        EXPECT_NE(DetectEncoding(utf8, true, length), 0) << length;
    }
    if (std::filesystem::exists("/dev/zero")) {
        EXPECT_EQ(DetectEncoding("/dev/zero", true, 4096),
                  DetectEncodingBytes(std::string(8192, '\0'), true, 4096));
    }
}

// The format of a file, checked to be the same when its bytes were read
// first (as a pipe's are).
TextFormat Resolved(const std::string& path, TextFormat dialogFormat, bool autoUnicode) {
    const TextFormat fromFile = ResolveFormat(path, dialogFormat, autoUnicode);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(ResolveFormatOfBytes(path, bytes, dialogFormat, autoUnicode), fromFile) << path;
    return fromFile;
}

TEST_F(TempFiles, ResolveFormatWithAutoUnicode) {
    const std::string le = Write("le.txt", "\xFF\xFE" + Utf16Le(u"Привет"));
    // The dialog's encoding plays no part; its rich-text choice does.
    EXPECT_EQ(Resolved(le, FormatUtf8, true), 20);
    EXPECT_EQ(Resolved(le, FormatRtf, true), 21);
    const std::string rtf = Write("Текст.RtF", "{\\rtf1 x}");
    EXPECT_EQ(Resolved(rtf, 0, true), FormatRtf);
    const std::string utf8 = Write("u.txt", Utf16ToUtf8(u"Жили-были дед да баба, и была у них"));
    EXPECT_EQ(Resolved(utf8, 0, true), FormatUtf8);
    // Too few Russian letters for the statistics: valid UTF-8 is UTF-8 all
    // the same (it was shown as "Р•С‰Рµ"), cp1251 stays cp1251, and ASCII
    // keeps the default.
    const std::string shortUtf8 = Write("short.txt", Utf16ToUtf8(u"Еще мед.\n"));
    EXPECT_EQ(Resolved(shortUtf8, 0, true), FormatUtf8);
    EXPECT_EQ(Resolved(Write("short1251.txt", "\xc5\xf9\xe5 \xec\xe5\xe4.\n"), 0, true), 0);
    EXPECT_EQ(Resolved(Write("ascii.txt", "plain\n"), 0, true), 0);
}

TEST_F(TempFiles, ResolveFormatWithTheUsersChoice) {
    const std::string sig8 = Write("s8.txt", "\xEF\xBB\xBF" + Utf16ToUtf8(u"Привет"));
    EXPECT_EQ(Resolved(sig8, 0, false), 0); // "ANSI" chosen: read as cp1251
    EXPECT_EQ(Resolved(sig8, FormatUtf8, false), 18);
    const std::string be = Write("be.txt", "\xFE\xFF" + Utf16Be(u"Привет"));
    EXPECT_EQ(Resolved(be, FormatUtf16LE, false), 28);
    // The detection runs without statistics: an unsigned UTF-16 file adds nothing.
    const std::string le = Write("le.txt", Utf16Le(u"Жили-были дед да баба, и была у них"));
    EXPECT_EQ(Resolved(le, FormatUtf16LE, false), FormatUtf16LE);
    const std::string fb2 =
        Write("book.fb2", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<FictionBook/>");
    EXPECT_EQ(Resolved(fb2, 0, false), 0);
    EXPECT_EQ(Resolved(fb2, 0, true), FormatUtf8);
    EXPECT_EQ(Resolved(fb2, FormatUtf8, false), FormatUtf8);
    EXPECT_EQ(Resolved(Write("x.rtf", "{\\rtf1}"), FormatUtf8 | FormatRtf, false),
              FormatRtf | FormatUtf8);
}

TEST(IsRtfName, ExtensionsAndPaths) {
    EXPECT_EQ(IsRtfName("C:\\Тексты\\Текст.RtF"), FormatRtf);
    EXPECT_EQ(IsRtfName("/home/u/a.rtf"), FormatRtf);
    EXPECT_EQ(IsRtfName("a.Rtfx"), FormatRtf);
    EXPECT_EQ(IsRtfName("a.rt"), 0);
    EXPECT_EQ(IsRtfName("a.txt"), 0);
    EXPECT_EQ(IsRtfName("dir.rtf/a"), 0);
    EXPECT_EQ(IsRtfName("rtf"), 0);
    EXPECT_EQ(IsRtfName("a.b.rtf"), FormatRtf);
    EXPECT_EQ(IsRtfName(""), 0);
}

} // namespace
} // namespace umlo
