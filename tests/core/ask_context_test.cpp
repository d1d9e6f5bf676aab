// The context line of the confirmation panel.
#include <gtest/gtest.h>

#include "core/ask_context.h"
#include "core/codepage.h"
#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

ContextExcerpt Excerpt(const char* text, int start, int length, int fit) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(Utf8ToUtf16(text));
    buffer.SetCaret(start);
    buffer.SetSelLength(length);
    return BuildContextExcerpt(buffer, fit);
}

TEST(ContextExcerptTest, NearTheStartTheExcerptBeginsAtTheFirstCharacter) {
    const ContextExcerpt e = Excerpt("все тут\rи там дальше", 0, 3, 13);
    EXPECT_EQ(Utf16ToUtf8(e.text), "все тут ");
    EXPECT_EQ(e.wordOffset, 0);
    EXPECT_EQ(e.wordLength, 3);
}

TEST(ContextExcerptTest, AWordInTheMiddleGetsHalfTheRestOnEachSide) {
    const std::string line(40, 'a');
    const std::string text = line + "все" + line;
    const ContextExcerpt e = Excerpt(text.c_str(), 40, 3, 23); // 10 on each side
    EXPECT_EQ(Utf16ToUtf8(e.text), std::string(11, 'a') + "все" + std::string(10, 'a'));
    EXPECT_EQ(e.wordOffset, 11);
    EXPECT_EQ(Utf16ToUtf8(e.text.substr(static_cast<size_t>(e.wordOffset), 3)), "все");
}

TEST(ContextExcerptTest, NearTheEndTheExcerptStopsAtTheLastCharacter) {
    const ContextExcerpt e = Excerpt("один два все", 9, 3, 13);
    EXPECT_EQ(Utf16ToUtf8(e.text), "н два все");
    EXPECT_EQ(e.wordOffset, 6);
}

TEST(ContextExcerptTest, AWordWiderThanTheLineStillStartsTheExcerpt) {
    const ContextExcerpt e = Excerpt("xx трехведерный yy", 3, 12, 4);
    EXPECT_EQ(e.wordOffset, 1);
    EXPECT_EQ(Utf16ToUtf8(e.text), " трехведерный");
}

} // namespace
} // namespace umlo
