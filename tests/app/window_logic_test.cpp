// The window's pieces that need no screen: the panel's excerpt and captions,
// the caption marker, message texts and dialog filters.
#include <gtest/gtest.h>

#include "app/ask_excerpt.h"
#include "app/file_dialogs.h"
#include "app/message_box.h"
#include "app/window_caption.h"
#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

ContextExcerpt ExcerptOf(std::u16string_view text, int start, int length, int lineChars) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(text);
    buffer.SetCaret(start);
    buffer.SetSelLength(length);
    return BuildContextExcerpt(buffer, lineChars);
}

TEST(ContextExcerpt, WordInTheMiddleGetsAboutHalfALineEachSide) {
    const std::u16string text = u"0123456789 все 0123456789";
    // 13 characters: h = (13 - 3) div 2 = 5; the excerpt runs from the 1-based
    // position s - h = 6 to s + n + h = 19.
    const ContextExcerpt e = ExcerptOf(text, 11, 3, 13);
    EXPECT_EQ(e.text, u"56789 все 0123");
    EXPECT_EQ(e.text.substr(static_cast<size_t>(e.wordOffset), 3), u"все");
    EXPECT_EQ(e.wordLength, 3);
}

TEST(ContextExcerpt, NearTheStartTheExcerptBeginsWithTheText) {
    const ContextExcerpt e = ExcerptOf(u"все и все", 0, 3, 40);
    EXPECT_EQ(e.text, u"все и все");
    EXPECT_EQ(e.wordOffset, 0);
}

TEST(ContextExcerpt, LineBreaksBecomeSpaces) {
    const ContextExcerpt e = ExcerptOf(u"ab\rвсе\rcd", 3, 3, 40);
    EXPECT_EQ(e.text, u"ab все cd");
    EXPECT_EQ(e.text.substr(static_cast<size_t>(e.wordOffset), 3), u"все");
}

TEST(ContextExcerpt, WordWiderThanTheLineStillStartsTheExcerptAtTheWord) {
    const std::u16string text = u"слово длиннейшееслово конец";
    const ContextExcerpt e = ExcerptOf(text, 6, 15, 4);
    ASSERT_GE(e.wordOffset, 0);
    EXPECT_EQ(e.text.substr(static_cast<size_t>(e.wordOffset), 15), u"длиннейшееслово");
}

TEST(AnswerCaption, FormAndAccelerator) {
    EXPECT_EQ(AnswerCaption("все", "1"), "все (&1)");
    EXPECT_EQ(AnswerCaption("Всегда Ё", "4"), "Всегда Ё (&4)");
}

TEST(ModifiedMarker, AddedOnceAndRemovedWhole) {
    EXPECT_EQ(WithModifiedMarker(u"a.txt", true), u"a.txt *");
    EXPECT_EQ(WithModifiedMarker(u"a.txt *", true), u"a.txt *");
    EXPECT_EQ(WithModifiedMarker(u"", true), u" *");
    EXPECT_EQ(WithModifiedMarker(u"a.txt *", false), u"a.txt");
    EXPECT_EQ(WithModifiedMarker(u" *", false), u"");
    EXPECT_EQ(WithModifiedMarker(u"a.txt", false), u"a.txt");
    EXPECT_EQ(WithModifiedMarker(u"*", false), u"");
}

TEST(MessageBoxes, RussianCaptionsAndCarriageReturnsAsLineBreaks) {
    EXPECT_EQ(MessageCaption(MessageKind::Error), QStringLiteral("Ошибка"));
    EXPECT_EQ(MessageCaption(MessageKind::Information), QStringLiteral("Информация"));
    EXPECT_EQ(MessageCaption(MessageKind::Warning), QStringLiteral("Внимание"));
    EXPECT_TRUE(MessageCaption(MessageKind::Plain).isEmpty());
    EXPECT_EQ(MessageText("один\rдва\r\nтри"), QStringLiteral("один\nдва\nтри"));
}

TEST(FileDialogs, FiltersInQtForm) {
    const QStringList filters = NameFilters(kOpenFilter);
    ASSERT_EQ(filters.size(), 7);
    EXPECT_EQ(filters[0], QStringLiteral("Простой текст (*.txt)"));
    EXPECT_EQ(filters[2], QStringLiteral("Текст FictionBook (*.fb2 *.fb2.zip)"));
    EXPECT_EQ(filters[3], QStringLiteral("Документ Word (*.docx)"));
    EXPECT_EQ(filters[kOpenFilterAllTypes], QStringLiteral("Все файлы (*.*)"));
    EXPECT_EQ(NameFilters(kSaveFilter)[kRichTextFilter], QStringLiteral("Текст RTF (*.rtf)"));
}

} // namespace
} // namespace umlo
