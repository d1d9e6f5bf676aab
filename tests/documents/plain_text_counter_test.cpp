// Counting a plain text as it streams past must give what reading it whole
// gives, however the bytes are cut into pieces.
#include "documents/plain_text_counter.h"

#include <gtest/gtest.h>

#include <random>

#include "core/codepage.h"
#include "documents/plain_text.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

// Feeds the bytes in pieces of random sizes.
void FeedInPieces(PlainTextCounter& counter, std::string_view bytes, std::mt19937& random) {
    while (!bytes.empty()) {
        const std::size_t n = std::min<std::size_t>(bytes.size(), 1 + random() % 7);
        counter.Feed(bytes.substr(0, n));
        bytes.remove_prefix(n);
    }
}

struct Whole {
    bool text;
    std::int64_t characters;
    LetterCounts letters;
};

Whole ReadWhole(std::string_view bytes, TextFormat encoding) {
    PlainText t;
    std::string error;
    if (!DecodePlainText(bytes, encoding, t, error)) {
        return {false, 0, {}};
    }
    return {true, static_cast<std::int64_t>(t.text.size()),
            CountLetters(std::u16string_view(t.text))};
}

TEST(PlainTextCounter, CountsWhatTheWholeTextHoldsInEveryEncoding) {
    std::mt19937 random(5);
    const std::u16string alphabet = u"аеёЁЕжz \r\n\r\n—«»…\u2029\U0001F600";
    for (int round = 0; round < 300; ++round) {
        std::u16string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        const std::vector<std::pair<std::string, TextFormat>> forms = {
            {Utf16ToUtf8(text), FormatUtf8},
            {Utf16ToCp1251(text), 0},
            {testing::Utf16Bytes(text, false), FormatUtf16LE},
            {testing::Utf16Bytes(text, true), FormatUtf16BE},
        };
        for (const auto& [bytes, encoding] : forms) {
            PlainTextCounter counter(encoding);
            FeedInPieces(counter, bytes, random);
            const std::string why = counter.Finish();
            const Whole whole = ReadWhole(bytes, encoding);
            ASSERT_EQ(why.empty(), whole.text) << why;
            ASSERT_EQ(counter.Characters(), whole.characters) << bytes;
            ASSERT_EQ(counter.Letters().Cyrillic, whole.letters.Cyrillic);
            ASSERT_EQ(counter.Letters().PlainE, whole.letters.PlainE);
            ASSERT_EQ(counter.Letters().DiaeresisE, whole.letters.DiaeresisE);
        }
    }
}

// Random bytes: valid UTF-8 exactly when the whole-file check says so, and
// the same reason for refusing what is no text.
TEST(PlainTextCounter, RefusesWhatReadingWholeRefusesForTheSameReason) {
    std::mt19937 random(9);
    const std::string bytes[] = {
        "\xD0", "\xB5", "\xE2\x80", "\xA6",         "\xF0\x9F\x98",      "\x80",
        "a",    "\r",   "\xC0",     "\xED\xA0\x80", std::string(1, '\0')};
    for (int round = 0; round < 2000; ++round) {
        std::string sample;
        for (int i = static_cast<int>(random() % 8); i > 0; --i) {
            sample += bytes[random() % std::size(bytes)];
        }
        for (const TextFormat encoding :
             {TextFormat(FormatUtf8), TextFormat(0), TextFormat(FormatUtf16LE)}) {
            PlainTextCounter counter(encoding);
            FeedInPieces(counter, sample, random);
            const std::string why = counter.Finish();
            PlainText whole;
            std::string error;
            DecodePlainText(sample, encoding, whole, error);
            ASSERT_EQ(why, error) << sample;
            if (encoding == FormatUtf8) {
                ASSERT_EQ(counter.Decodable(), IsValidUtf8(sample)) << sample;
            }
        }
    }
}

} // namespace
} // namespace umlo
