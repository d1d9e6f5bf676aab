#include "dicedit/insert_place.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/words.h"
#include "tests/support/cp_lines.h"

namespace umlo {
namespace {

using testing::Lines;

int Place(const std::vector<std::string>& lines, const char* word,
          DicComparison compare = DicLineCompare) {
    return InsertPlace(lines, 0, static_cast<int>(lines.size()) - 1, compare, Cp(word));
}

TEST(InsertPlace, FindsEqualLinesAndTheOrderedPlaceOfOthers) {
    const auto lines = Lines({"ёж", "ёлка", "ёрш"});
    EXPECT_EQ(Place(lines, "ёж"), 0);
    EXPECT_EQ(Place(lines, "ёлка"), 1);
    EXPECT_EQ(Place(lines, "ёрш"), 2);
    EXPECT_EQ(Place(lines, "ёлочка"), 2);
    EXPECT_EQ(Place(lines, "ёжик"), 1);
    EXPECT_EQ(Place(lines, "берёза"), 0);
    EXPECT_EQ(Place(lines, "ёршик"), 3);
}

TEST(InsertPlace, EveryGapOfLongerListsIsReached) {
    // Words of odd letters in order; every even letter goes between two.
    std::vector<std::string> lines;
    for (char c = 'b'; c <= 'x'; c += 2) {
        lines.emplace_back(1, c);
    }
    for (size_t n = 0; n <= lines.size(); ++n) {
        const std::vector<std::string> part(lines.begin(), lines.begin() + static_cast<long>(n));
        for (size_t i = 0; i < n; ++i) {
            EXPECT_EQ(InsertPlace(part, 0, static_cast<int>(n) - 1, DicCompare, part[i]),
                      static_cast<int>(i))
                << n << " lines, line " << i;
            const std::string before(1, static_cast<char>(part[i][0] - 1));
            EXPECT_EQ(InsertPlace(part, 0, static_cast<int>(n) - 1, DicCompare, before),
                      static_cast<int>(i))
                << n << " lines, before line " << i;
        }
        EXPECT_EQ(InsertPlace(part, 0, static_cast<int>(n) - 1, DicCompare, "z"),
                  static_cast<int>(n))
            << n << " lines";
    }
}

TEST(InsertPlace, AWordAfterBothOfTwoLinesGoesToTheEnd) {
    // A two-line range must look at its second line too.
    const auto lines = Lines({"ёж", "ёлка"});
    EXPECT_EQ(Place(lines, "ёрш"), 2);
    EXPECT_EQ(Place(lines, "ёжик"), 1);
}

TEST(InsertPlace, TheComparisonDecidesWhatIsEqual) {
    const auto lines = Lines({"ёж", "ёлка", "ёрш"});
    // «ёлка?» is «ёлка» to DicLineCompare, and «Ёлка» only without case.
    EXPECT_EQ(Place(lines, "ёлка?"), 1);
    EXPECT_EQ(Place(lines, "Ёлка", DicLineCompareNoCase), 1);
    EXPECT_EQ(Place(lines, "елка", DicKeyCompare), 1);
}

TEST(InsertPlace, EmptyAndPartialRanges) {
    const std::vector<std::string> none;
    EXPECT_EQ(InsertPlace(none, 0, -1, DicCompare, "a"), 0);
    const std::vector<std::string> lines{"a", "c", "e", "g"};
    // Only lines 2..3 are searched.
    EXPECT_EQ(InsertPlace(lines, 2, 3, DicCompare, "f"), 3);
    EXPECT_EQ(InsertPlace(lines, 2, 3, DicCompare, "h"), 4);
}

TEST(InsertPlace, ReadsTheLinesThroughAnAccessor) {
    const std::vector<std::string> lines{"a", "c", "e"};
    int reads = 0;
    const LineAt at = [&](int i) {
        ++reads;
        return lines[static_cast<size_t>(i)];
    };
    EXPECT_EQ(InsertPlace(3, at, 0, 2, DicCompare, "d"), 2);
    EXPECT_LE(reads, 4);
}

} // namespace
} // namespace umlo
