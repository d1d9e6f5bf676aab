#include "core/cp1251_lines.h"

#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

TEST(Cp1251Lines, LinesAreConvertedOnceAndFollowThePassesLetters) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(u"первая еще\rвторая\r\rчетвертая …");
    Cp1251Lines lines(buffer);
    EXPECT_EQ(lines.LineCount(), 4);
    const std::string_view scan = lines.ScanLine(0);
    EXPECT_EQ(scan, Cp("первая еще"));
    EXPECT_EQ(lines.Line(3), Cp("четвертая ") + "\x85");
    EXPECT_EQ(lines.Line(2), "");
    EXPECT_EQ(lines.Line(7), "");

    // A letter written at an offset shows in every kept line that holds it.
    buffer.ReplaceLetter(9, u'ё', {});
    lines.Patch(9, '\xb8');
    buffer.ReplaceLetter(23, u'ё', {});
    lines.Patch(23, '\xb8');
    EXPECT_EQ(lines.Line(0), Cp("первая ещё"));
    EXPECT_EQ(lines.Line(3), Cp("четвёртая ") + "\x85");

    // Reading more lines than are kept never moves the scan's own line.
    for (int i = 0; i < 10; ++i) {
        lines.Line(i % 4 == 0 ? 1 : i % 4);
    }
    EXPECT_EQ(scan, Cp("первая ещё"));

    // Another kind of change is read afresh after Forget.
    buffer.SetAllText(u"новая");
    lines.Forget();
    EXPECT_EQ(lines.ScanLine(0), Cp("новая"));
    EXPECT_EQ(lines.Line(1), "");
}

} // namespace
} // namespace umlo
