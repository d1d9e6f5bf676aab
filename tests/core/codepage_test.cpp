#include "core/codepage.h"

#include <gtest/gtest.h>

using namespace umlo;

TEST(Codepage, EveryCp1251ByteRoundTripsThroughUtf16) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf16ToCp1251(Cp1251ToUtf16(one)), one) << "byte " << b;
    }
}

TEST(Codepage, RussianLettersAndPunctuation) {
    EXPECT_EQ(Cp1251ToUtf16("\xC0\xFF\xA8\xB8"), u"АяЁё");
    EXPECT_EQ(Utf16ToCp1251(u"«ёлка» — №1"), "\xAB\xB8\xEB\xEA\xE0\xBB \x97 \xB9\x31");
    EXPECT_EQ(Cp("ёлка"), "\xB8\xEB\xEA\xE0");
    EXPECT_EQ(Cp1251ToUtf8("\xB8\xEB\xEA\xE0"), "ёлка");
}

TEST(Codepage, UnmappableUnitsBecomeOneQuestionMarkEach) {
    // A surrogate pair stays two positions long so offsets keep matching the editor.
    EXPECT_EQ(Utf16ToCp1251(u"a\u4E2Db\U0001F600c"), "a?b??c");
    EXPECT_EQ(Utf8ToCp1251("ǅ"), "?");
}

TEST(Codepage, Utf8DecodingReplacesInvalidSequences) {
    EXPECT_TRUE(IsValidUtf8("ёлка \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xD1"));             // truncated at the end
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_EQ(Utf8ToUtf16("a\xD1" "b"), u"a\uFFFD" "b");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}
