// Where a word belongs among dictionary lines kept in ascending order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/words.h"

namespace umlo {

// Line i of a list; lets the search read an editor pane without copying it.
using LineAt = std::function<std::string(int index)>;

// Bisection over the lines low..high (inclusive), comparing compare(line, word).
// Gives the index of a line equal to the word, else the index at which the word
// keeps the lines in order; count when it sorts after every line.
int InsertPlace(int count, const LineAt& line, int low, int high, DicComparison compare,
                std::string_view word);
int InsertPlace(const std::vector<std::string>& lines, int low, int high, DicComparison compare,
                std::string_view word);

} // namespace umlo
