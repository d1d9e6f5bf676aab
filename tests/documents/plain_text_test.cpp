#include "documents/plain_text.h"

#include <gtest/gtest.h>

#include "core/codepage.h"

namespace umlo {
namespace {

PlainText Decode(std::string_view bytes, TextFormat format) {
    PlainText t;
    std::string error;
    EXPECT_TRUE(DecodePlainText(bytes, format, t, error)) << error;
    return t;
}

// Replaces every е in the buffer text by ё, as a pass would.
std::u16string Yoficate(std::u16string text) {
    for (auto& c : text) {
        if (c == u'е') {
            c = u'ё';
        }
    }
    return text;
}

TEST(PlainTextIo, EncodingSignatureAndLineEndsSurviveARoundTrip) {
    const std::string utf8 = "первая\r\nвторая\nтретья\rчетвёртая\r\n";
    const std::vector<std::pair<std::string, TextFormat>> samples = {
        {utf8, FormatUtf8},
        {"\xEF\xBB\xBF" + utf8, FormatUtf8},
        {Cp(utf8), 0},
        {"", FormatUtf8},
        {"", FormatUtf16LE},
        {"one line, no end", 0},
        {"\n\n\r\r\n", 0},
        {std::string("\xFF\xFE", 2) + std::string("a\0\r\0\n\0b\0", 8), FormatUtf16LE},
        {std::string("a\0\r\0\n\0b\0", 8), FormatUtf16LE},
        {std::string("\xFE\xFF", 2) + std::string("\0a\0\n\0b", 6), FormatUtf16BE},
        {std::string("\0a\0\n\0b", 6), FormatUtf16BE},
        // Read as cp1251 on request, a signature is three characters kept as such.
        {"\xEF\xBB\xBF" + utf8, 0},
    };
    for (const auto& [bytes, format] : samples) {
        const PlainText t = Decode(bytes, format);
        EXPECT_EQ(EncodePlainText(t, t.text), bytes) << bytes;
    }
}

TEST(PlainTextIo, TheSignatureIsTakenFromTheBytesAndTheBreaksBecomeOne) {
    const PlainText utf8 = Decode("ещ\xD0\xB5\r\nx", FormatUtf8 | FormatSignature);
    EXPECT_EQ(utf8.format, FormatUtf8);
    EXPECT_EQ(utf8.text, u"еще\rx");
    ASSERT_EQ(utf8.lineEnds.size(), 1u);

    const PlainText bom = Decode("\xEF\xBB\xBF"
                                 "abc",
                                 FormatUtf8);
    EXPECT_EQ(bom.format, FormatUtf8 | FormatSignature);
    EXPECT_EQ(bom.text, u"abc");

    const PlainText cp = Decode(Cp("еще\nвсе"), 0);
    EXPECT_EQ(cp.format, 0);
    EXPECT_EQ(cp.text, u"еще\rвсе");

    const PlainText le = Decode(std::string("\xFF\xFE\x35\x04", 4), FormatUtf16LE);
    EXPECT_EQ(le.format, FormatUtf16LE | FormatSignature);
    EXPECT_EQ(le.text, u"е");
    const PlainText be = Decode(std::string("\x04\x35\x00\x0A", 4), FormatUtf16BE);
    EXPECT_EQ(be.format, FormatUtf16BE);
    EXPECT_EQ(be.text, u"е\r");
    // A little-endian signature is no signature of big-endian text: it is a character.
    const PlainText swapped = Decode(std::string("\xFF\xFE\x04\x35", 4), FormatUtf16BE);
    EXPECT_EQ(swapped.format, FormatUtf16BE);
    EXPECT_EQ(swapped.text, u"\uFFFEе");
}

TEST(PlainTextIo, ChangedLettersAreTheOnlyDifference) {
    const std::string mixed = "пес\r\nвсе\nмед\rлед";
    PlainText t = Decode(mixed, FormatUtf8);
    EXPECT_EQ(EncodePlainText(t, Yoficate(t.text)), "пёс\r\nвсё\nмёд\rлёд");

    const std::string cp = Cp("пес\r\nвсе");
    t = Decode(cp, 0);
    EXPECT_EQ(EncodePlainText(t, Yoficate(t.text)), Cp("пёс\r\nвсё"));

    const std::string be = std::string("\xFE\xFF\x04\x35\x00\x0D\x00\x0A", 8);
    t = Decode(be, FormatUtf16BE);
    EXPECT_EQ(EncodePlainText(t, Yoficate(t.text)),
              std::string("\xFE\xFF\x04\x51\x00\x0D\x00\x0A", 8));

    // A line the buffer gained takes the file's first line end.
    t = Decode("a\r\nb", FormatUtf8);
    EXPECT_EQ(EncodePlainText(t, u"a\rb\rc"), "a\r\nb\r\nc");
}

TEST(PlainTextIo, RefusesWhatIsNotText) {
    const std::vector<std::pair<std::string, TextFormat>> bad = {
        {std::string("abc\0def", 7), 0},
        {std::string("abc\0def", 7), FormatUtf8},
        {std::string("\xEF\xBB\xBF\xFF\xFE", 5), FormatUtf8}, // signature, then invalid UTF-8
        {Cp("еще"), FormatUtf8},                              // UTF-8 forced on cp1251
        {std::string("\xFF\xFE\x41", 3), FormatUtf16LE},      // odd UTF-16
        {std::string("\xFF\xFE\x00\x00", 4), FormatUtf16LE},  // NUL character
    };
    for (const auto& [bytes, format] : bad) {
        PlainText t;
        std::string error;
        EXPECT_FALSE(DecodePlainText(bytes, format, t, error)) << bytes;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace umlo
