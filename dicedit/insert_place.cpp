#include "dicedit/insert_place.h"

namespace umlo {

int InsertPlace(int count, const LineAt& line, int low, int high, DicComparison compare,
                std::string_view word) {
    if (high < low) {
        return low < count ? low : count;
    }
    int middle = low;
    // The first probe must not count as a repeat of the starting value, or a
    // range of two lines would look at the first only and put a word that
    // sorts after both between them.
    bool probed = false;
    for (;;) {
        const int previous = middle;
        middle = (low + high) / 2;
        if (low == high || (probed && middle == previous) || middle < 0 || middle >= count) {
            break;
        }
        probed = true;
        const int c = compare(line(middle), word);
        if (c == 0) {
            return middle;
        }
        if (c < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    if (middle >= 0 && middle < count) {
        return compare(line(middle), word) < 0 ? middle + 1 : middle;
    }
    return count;
}

int InsertPlace(const std::vector<std::string>& lines, int low, int high, DicComparison compare,
                std::string_view word) {
    return InsertPlace(
        static_cast<int>(lines.size()), [&lines](int i) { return lines[static_cast<size_t>(i)]; },
        low, high, compare, word);
}

} // namespace umlo
