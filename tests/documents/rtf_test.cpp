// Our RTF reader and writer: files made by a word processor, hand-made files
// with the constructs other writers use, malformed input, and the round trip
// writer -> reader.
//
// Fixtures in tests/data/rtf:
// - marks.rtf: LibreOffice 7.4 from marks.fodt (coloured and highlighted single
//   letters, bold 14 pt, a tab and a line break):
//   soffice --headless --convert-to rtf marks.fodt
// - mixed.rtf: LibreOffice 7.4 from mixed.html (colour, highlight, bold, 16 pt,
//   an embedded PNG picture, a 2x2 table, quotes and dashes):
//   soffice --headless --infilter="HTML (StarWriter)" --convert-to "rtf:Rich Text Format"
//   mixed.html
// - wordpad_cp1251.rtf: written by hand in the form WordPad (RichEdit 2.0)
//   writes: \ansicpg1251, \'hh escapes, a cp1252 font, \highlight.
// - word_features.rtf: written by hand with what Word-like writers emit: a cp1252
//   document with a Cyrillic font, \uN with \ucN fallbacks, \upr, a field,
//   headers, footers, a footnote, a picture with \bin, unknown destinations,
//   the special-character words and a surrogate pair.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/rtf_reader.h"
#include "documents/rtf_writer.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

std::string Fixture(const std::string& name) {
    std::ifstream in(std::string(UMLO_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

CharFormat FormatOf(const RichText& rich, std::size_t offset) {
    CharFormat f;
    for (const FormatRun& run : rich.runs) {
        if (static_cast<std::size_t>(run.start) > offset) {
            break;
        }
        f = run.format;
    }
    return f;
}

// The format of the n-th occurrence (0-based) of a character.
CharFormat FormatOfChar(const RichText& rich, char16_t c, int n = 0) {
    std::size_t at = rich.text.find(c);
    while (n-- > 0 && at != std::u16string::npos) {
        at = rich.text.find(c, at + 1);
    }
    EXPECT_NE(at, std::u16string::npos);
    return FormatOf(rich, at);
}

void ExpectWellFormedRuns(const RichText& rich) {
    if (rich.text.empty()) {
        EXPECT_TRUE(rich.runs.empty());
        return;
    }
    ASSERT_FALSE(rich.runs.empty());
    EXPECT_EQ(rich.runs.front().start, 0);
    for (std::size_t i = 1; i < rich.runs.size(); ++i) {
        EXPECT_LT(rich.runs[i - 1].start, rich.runs[i].start);
        EXPECT_FALSE(rich.runs[i - 1].format == rich.runs[i].format);
    }
    EXPECT_LT(rich.runs.back().start, static_cast<int>(rich.text.size()));
}

constexpr Color kRed = 255;
constexpr Color kGreen = 65280;
constexpr Color kBlue = 16711680;
constexpr Color kYellow = 65535;

TEST(RtfReaderFixtures, LibreOfficeMarkedLetters) {
    const RichText rich = ReadRtf(Fixture("marks.rtf"));
    ExpectWellFormedRuns(rich);
    EXPECT_EQ(rich.text, u"Счёт и мёд.\rЖирный обёртка\rСтрока\tс табуляцией\rи переносом.");
    const CharFormat first = FormatOfChar(rich, u'ё', 0);
    EXPECT_EQ(first.text, kRed);
    EXPECT_EQ(first.back, kWhite);
    const CharFormat second = FormatOfChar(rich, u'ё', 1);
    EXPECT_EQ(second.text, kBlack);
    EXPECT_EQ(second.back, kGreen);
    const CharFormat third = FormatOfChar(rich, u'ё', 2);
    EXPECT_EQ(third.text, kBlue);
    EXPECT_EQ(third.back, kYellow);
    const CharFormat bold = FormatOfChar(rich, u'Ж');
    EXPECT_TRUE(bold.bold);
    EXPECT_EQ(bold.fontSize, 14);
    const CharFormat plain = FormatOfChar(rich, u'С');
    EXPECT_FALSE(plain.bold);
    EXPECT_EQ(plain.fontSize, 12); // LibreOffice writes its 12 pt default explicitly
    EXPECT_EQ(plain.text, kBlack);
}

TEST(RtfReaderFixtures, LibreOfficePictureTableAndPunctuation) {
    const RichText rich = ReadRtf(Fixture("mixed.rtf"));
    ExpectWellFormedRuns(rich);
    EXPECT_EQ(rich.text, u"Ёлка и еж пошли в лес.\r"
                         u"Всё ещё впереди, жирный и крупный текст.\r"
                         u"Картинка:  после неё.\r"
                         u"Ячейка один\tЯчейка два\r"
                         u"Три\tЧетыре\r"
                         u"Кавычки «ёж» — тире – и “English” text, café.");
    EXPECT_EQ(FormatOfChar(rich, u'щ').text, kBlue);
    EXPECT_EQ(FormatOfChar(rich, u'п', 1).back, kYellow); // "впереди"
    EXPECT_TRUE(FormatOfChar(rich, u'ж', 1).bold);        // "жирный"
    EXPECT_EQ(FormatOfChar(rich, u'к', 1).fontSize, 16);  // "крупный"
    EXPECT_EQ(FormatOfChar(rich, u'Ё').fontSize, 0);
}

TEST(RtfReaderFixtures, WordPadCodePages) {
    const RichText rich = ReadRtf(Fixture("wordpad_cp1251.rtf"));
    ExpectWellFormedRuns(rich);
    EXPECT_EQ(rich.text, u"Елка ёлка сём\rЖир café и кавычки «ё»");
    EXPECT_EQ(FormatOfChar(rich, u'ё', 0).text, kRed);
    EXPECT_EQ(FormatOfChar(rich, u'ё', 1).back, kYellow);
    EXPECT_EQ(FormatOfChar(rich, u'с').back, kYellow);
    EXPECT_EQ(FormatOfChar(rich, u'м').back, kYellow);
    EXPECT_EQ(FormatOfChar(rich, u'Ж').back, kWhite);
    EXPECT_TRUE(FormatOfChar(rich, u'Ж').bold);
    EXPECT_FALSE(FormatOfChar(rich, u'é').bold);
    EXPECT_EQ(FormatOfChar(rich, u'Е').fontSize, 11);
}

TEST(RtfReaderFixtures, WordFeatures) {
    const RichText rich = ReadRtf(Fixture("word_features.rtf"));
    ExpectWellFormedRuns(rich);
    EXPECT_EQ(rich.text, u"Текст ёж ё\uF0B7\r"
                         u"Проба\r"
                         u"ссылка\tфон—–‘’“”•a\u00A0bc\u2011d{}\\😀\r"
                         u"XY");
    // Field result keeps its colour, \cb gives the background, groups restore.
    EXPECT_EQ(FormatOfChar(rich, u'ы').text, 192u);
    EXPECT_EQ(FormatOfChar(rich, u'ф').back, 5287936u);
    EXPECT_EQ(FormatOfChar(rich, u'—').back, kWhite);
    const CharFormat x = FormatOfChar(rich, u'X');
    EXPECT_TRUE(x.bold);
    EXPECT_EQ(x.fontSize, 20);
    EXPECT_EQ(x.text, 192u);
    EXPECT_EQ(FormatOfChar(rich, u'Y'), CharFormat{}); // \plain resets everything
    EXPECT_EQ(rich.text.find(u"HEADER"), std::u16string::npos);
    EXPECT_EQ(rich.text.find(u"FOOTNOTE"), std::u16string::npos);
    EXPECT_EQ(rich.text.find(u"nested"), std::u16string::npos);
    EXPECT_EQ(rich.text.find(u"http"), std::u16string::npos);
}

TEST(RtfReader, UnicodeAndFallbacks) {
    EXPECT_EQ(ReadRtf("{\\rtf1 \\u1105?\\u1025 ?}").text, u"ёЁ");
    EXPECT_EQ(ReadRtf("{\\rtf1\\uc0 \\u1105\\u1025 x}").text, u"ёЁx");
    EXPECT_EQ(ReadRtf("{\\rtf1\\uc2 \\u1105\\'b8\\'b8x}").text, u"ёx");
    // The fallback count is kept per group.
    EXPECT_EQ(ReadRtf("{\\rtf1{\\uc0 \\u1105}\\u1105?}").text, u"ёё");
    // Negative numbers are the upper half of the 16-bit range.
    EXPECT_EQ(ReadRtf("{\\rtf1 \\u-3?\\u-32768?}").text, u"\uFFFD\u8000");
    // A group end stops the skipping of fallbacks.
    EXPECT_EQ(ReadRtf("{\\rtf1 {\\uc5\\u1105}x}").text, u"ёx");
}

TEST(RtfReader, CodePagesOfDocumentAndFonts) {
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg1251 \\'b8\\'c0}").text, u"ёА");
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg1252 \\'e9\\'80\\'93}").text, u"é€“");
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset0 "
                      "B;}}\\f0\\'b8\\f1\\'b8{\\f0\\'b8}\\'b8}")
                  .text,
              u"ё¸ё¸");
    // \deff names the font used after \plain; raw 8-bit bytes use the page too.
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f1\\fcharset204 A;}}\\plain \xb8}").text,
              u"ё");
    EXPECT_EQ(ReadRtf("{\\rtf1\\ansi\\ansicpg866 \\'f1\\'80}").text, u"ёА");
}

TEST(RtfReader, BreaksTabsAndSpecialCharacters) {
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\par b\\line c\\tab d\\par}").text, u"a\rb\rc\td");
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\par\\par}").text, u"a\r"); // only the last mark goes
    EXPECT_EQ(ReadRtf("{\\rtf1 a\r\nb\\\r\nc}").text, u"ab\rc");
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\cell b\\cell\\row c}").text, u"a\tb\rc");
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\par\\sect b\\page c}").text, u"a\rb\rc");
    EXPECT_EQ(
        ReadRtf("{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet}").text,
        u"—–‘’“”•");
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}").text, u"a\u00A0bc\u2011d{}\\");
}

TEST(RtfReader, ColoursBoldAndSizes) {
    const std::string table = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    const RichText rich = ReadRtf("{\\rtf1" + table +
                                  "a\\cf1 b\\cf0 c\\highlight2 d\\highlight0\\chcbpat1 e\\chcbpat0 "
                                  "\\cb2 f\\plain g\\b h\\b0 i\\fs21 j\\fs k\\cf9 l}");
    EXPECT_EQ(rich.text, u"abcdefghijkl");
    EXPECT_EQ(FormatOfChar(rich, u'a'), CharFormat{});
    EXPECT_EQ(FormatOfChar(rich, u'b').text, kRed);
    EXPECT_EQ(FormatOfChar(rich, u'c').text, kBlack);
    EXPECT_EQ(FormatOfChar(rich, u'd').back, kBlue);
    EXPECT_EQ(FormatOfChar(rich, u'e').back, kRed);
    EXPECT_EQ(FormatOfChar(rich, u'f').back, kBlue);
    EXPECT_EQ(FormatOfChar(rich, u'g'), CharFormat{});
    EXPECT_TRUE(FormatOfChar(rich, u'h').bold);
    EXPECT_FALSE(FormatOfChar(rich, u'i').bold);
    EXPECT_EQ(FormatOfChar(rich, u'j').fontSize, 11); // half-points round up
    EXPECT_EQ(FormatOfChar(rich, u'k').fontSize, 12); // \fs alone is the 12 pt default
    EXPECT_EQ(FormatOfChar(rich, u'l').text, kBlack); // past the table: the default
    // A highlight wins over shading; groups give the outer format back.
    const RichText nested = ReadRtf("{\\rtf1" + table + "\\chcbpat1\\highlight2 x{\\b\\cf1 y}z}");
    EXPECT_EQ(FormatOfChar(nested, u'x').back, kBlue);
    EXPECT_TRUE(FormatOfChar(nested, u'y').bold);
    EXPECT_EQ(FormatOfChar(nested, u'y').text, kRed);
    EXPECT_FALSE(FormatOfChar(nested, u'z').bold);
    EXPECT_EQ(FormatOfChar(nested, u'z').text, kBlack);
}

TEST(RtfReader, SkippedDestinations) {
    EXPECT_EQ(ReadRtf("{\\rtf1{\\*\\whatever a{b}c}x{\\info{\\title t}}y{\\pict 0a0b}z}").text,
              u"xyz");
    EXPECT_EQ(ReadRtf("{\\rtf1{\\object{\\*\\objdata 01}{\\result{\\pict 00}}}x}").text, u"x");
    EXPECT_EQ(ReadRtf("{\\rtf1{\\field{\\fldinst PAGE}{\\fldrslt 7}}}").text, u"7");
    EXPECT_EQ(ReadRtf("{\\rtf1{\\headerl h}{\\footerr f}{\\stylesheet{s;}}t}").text, u"t");
    // Binary data is skipped by its length, braces and backslashes included.
    EXPECT_EQ(ReadRtf("{\\rtf1{\\pict\\bin4 }}\\{}a}").text, u"a");
    EXPECT_EQ(ReadRtf("{\\rtf1 \\bin3 xyza}").text, u"a");
    // Unknown control words, however odd, are ignored.
    EXPECT_EQ(ReadRtf("{\\rtf1 \\qwerty12 a\\zz-5 b\\xyz99999999999999999 c}").text, u"abc");
}

TEST(RtfReader, MalformedInputGivesBestEffortText) {
    EXPECT_EQ(ReadRtf("").text, u"");
    EXPECT_EQ(ReadRtf("{\\rtf1 abc").text, u"abc");          // truncated
    EXPECT_EQ(ReadRtf("{\\rtf1 a{\\b b{c").text, u"abc");    // unclosed groups
    EXPECT_EQ(ReadRtf("{\\rtf1 a}}}} trailing").text, u"a"); // after the document
    EXPECT_EQ(ReadRtf("}}{\\rtf1 a}").text, u"a");
    EXPECT_EQ(ReadRtf("\xEF\xBB\xBF junk {\\rtf1 a}").text,
              u"a"); // before the document              // stray closing braces
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\").text, u"a");               // a lone backslash at the end
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\'").text, u"a");              // a cut escape
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\'zzb}").text, u"azzb");       // a bad escape
    EXPECT_EQ(ReadRtf("{\\rtf1 \\u x").text, u"x");             // \u without a number is ignored
    EXPECT_EQ(ReadRtf("{\\rtf1 \\u99999999999 x}").text, u"?"); // out of range, x skipped
    EXPECT_EQ(ReadRtf(std::string("{\\rtf1 a\0b}", 11)).text, u"ab");
}

TEST(RtfReader, HostileSizes) {
    // A control word of 10,000 letters.
    EXPECT_EQ(ReadRtf("{\\rtf1 \\" + std::string(10000, 'a') + " x}").text, u"x");
    // A \bin whose length is far beyond the input.
    EXPECT_EQ(ReadRtf("{\\rtf1 x\\bin2147483647 abc}").text, u"x");
    EXPECT_EQ(ReadRtf("{\\rtf1 x\\bin-5 y}").text, u"xy");
    // Nesting 100,000 deep, closed and unclosed: no recursion, text kept.
    const int depth = 100000;
    std::string deep = "{\\rtf1 ";
    deep += std::string(depth, '{') + "\\b x" + std::string(depth, '}') + "y}";
    const RichText rich = ReadRtf(deep);
    EXPECT_EQ(rich.text, u"xy");
    EXPECT_TRUE(FormatOf(rich, 0).bold);
    EXPECT_FALSE(FormatOf(rich, 1).bold);
    EXPECT_EQ(ReadRtf("{\\rtf1 a" + std::string(depth, '{') + "b").text, u"ab");
    // Far deeper than the state stack: the reader still finishes.
    const int huge = (1 << 20) + 1000;
    EXPECT_EQ(
        ReadRtf("{\\rtf1 a" + std::string(huge, '{') + "b" + std::string(huge, '}') + "c}").text,
        u"abc");
}

TEST(RtfReader, LooksLikeRtf) {
    EXPECT_TRUE(LooksLikeRtf("{\\rtf1 x}"));
    EXPECT_TRUE(LooksLikeRtf("\xEF\xBB\xBF\r\n {\\rtf1 x}"));
    EXPECT_FALSE(LooksLikeRtf("plain {\\rtf1"));
    EXPECT_FALSE(LooksLikeRtf(""));
    EXPECT_FALSE(LooksLikeRtf("{\\rt"));
}

RichText Sample() {
    RichText r;
    const CharFormat mark{kRed, kYellow, false, 0};
    const CharFormat big{kBlue, kWhite, true, 18};
    r.Append(u"\rЕлка и ", CharFormat{});
    r.Append(u"ё", mark);
    r.Append(u"лка {в} \\лесу\\\t", CharFormat{});
    r.Append(u"ЖИРНО", big);
    r.Append(u" ~ — “” € ₽ 😀 \u2011 \u0001 ?", CharFormat{kBlack, kGreen, false, 9});
    r.Append(u"\r\rconclusion ", CharFormat{});
    r.Append(u"ё", CharFormat{16777215, 0, true, 72});
    r.Append(u"\r", CharFormat{});
    return r;
}

TEST(RtfWriter, RoundTripKeepsTextAndEveryFormat) {
    const RichText original = Sample();
    ExpectWellFormedRuns(original);
    const std::string rtf = WriteRtf(original);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1251"));
    EXPECT_EQ(ReadRtf(rtf), original);
    // Cyrillic goes as cp1251 escapes, what cp1251 lacks as \uN.
    EXPECT_NE(rtf.find("\\'b8"), std::string::npos);
    EXPECT_NE(rtf.find("\\u8381?"), std::string::npos);   // ₽
    EXPECT_NE(rtf.find("\\u-10179?"), std::string::npos); // the surrogate pair's first half
}

TEST(RtfWriter, RoundTripOfEdgeTexts) {
    for (const std::u16string& text :
         {std::u16string(), std::u16string(u"\r"), std::u16string(u"\r\r"), std::u16string(u"x"),
          std::u16string(u"{}\\"), std::u16string(u"\uFEFFa"), std::u16string(u" lead")}) {
        RichText r;
        r.Append(text, CharFormat{});
        EXPECT_EQ(ReadRtf(WriteRtf(r)), r) << Utf16ToUtf8(text);
    }
    // Every byte of cp1251 and a sweep of the BMP survive.
    RichText all;
    for (char16_t c = 1; c < 0xD800; c += 7) {
        all.Append(c == u'\n' ? u'x' : c, CharFormat{});
    }
    for (int b = 0x80; b < 0x100; ++b) {
        all.Append(Cp1251ToUtf16Char(static_cast<unsigned char>(b)), CharFormat{});
    }
    EXPECT_EQ(ReadRtf(WriteRtf(all)), all);
}

// Optional: LibreOffice reads our file and writes its own; our reader must find
// the same text and marks in it.
TEST(RtfWriter, LibreOfficeReadsWhatWeWrite) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "soffice is not installed";
    }
    namespace fs = std::filesystem;
    const fs::path dir = umlo::testing::FreshTestFolder("umlo_rtf_lo");
    fs::create_directories(dir / "out");
    RichText r;
    r.Append(u"Ёфикация: ", CharFormat{});
    r.Append(u"ё", CharFormat{kRed, kYellow, false, 0});
    r.Append(u"лка\rвторая ", CharFormat{});
    r.Append(u"строка", CharFormat{kBlack, kWhite, true, 16});
    std::ofstream(dir / "ours.rtf", std::ios::binary) << WriteRtf(r);
    const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                                "' timeout 120 soffice --headless --convert-to rtf --outdir out "
                                "ours.rtf >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !fs::exists(dir / "out" / "ours.rtf")) {
        GTEST_SKIP() << "soffice could not convert";
    }
    std::ifstream in(dir / "out" / "ours.rtf", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    const RichText back = ReadRtf(s.str());
    fs::remove_all(dir);
    EXPECT_EQ(back.text, r.text);
    const CharFormat mark = FormatOfChar(back, u'ё');
    EXPECT_EQ(mark.text, kRed);
    EXPECT_EQ(mark.back, kYellow);
    const CharFormat bold = FormatOfChar(back, u'с', 0);
    EXPECT_TRUE(bold.bold);
    EXPECT_EQ(bold.fontSize, 16);
}

TEST(RtfHasEmbeddedObjects, PicturesAndObjectsButNotTheirNamesInTheText) {
    EXPECT_TRUE(RtfHasEmbeddedObjects("{\\rtf1 {\\pict\\pngblip 89504e}}"));
    EXPECT_TRUE(RtfHasEmbeddedObjects("{\\rtf1 {\\object\\objemb x}}"));
    EXPECT_TRUE(RtfHasEmbeddedObjects("{\\rtf1 {\\*\\shppict{\\pict}}}"));
    EXPECT_FALSE(RtfHasEmbeddedObjects("{\\rtf1 \\pictured \\\\pict}"));
    EXPECT_FALSE(RtfHasEmbeddedObjects("{\\rtf1 {\\b picture}}"));
}

} // namespace
} // namespace umlo
