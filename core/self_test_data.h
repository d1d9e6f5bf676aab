// The built-in test data: the test dictionary, the four word-combination
// expressions, the test text in the notation of self_test_notation.h, and the
// options each of the eleven runs changes. Strings are UTF-8 here; the loaders
// convert them to cp1251.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/options.h"

namespace umlo {

struct TestEntry {
    std::string_view word; // with ё
    bool doubtful;
};

std::span<const TestEntry> TestDictionaryEntries();
std::span<const std::string_view> TestRegExprLines();

// A test text in the notation (UTF-8). The built-in one has the main section
// on lines 0 to 14, which run 0 covers together with line 15, and the one-line
// sections on lines 15 to 25; run k starts on line 15 + k.
struct TestText {
    std::vector<std::string> mainSection;
    std::vector<std::string> oneLineSections;
};
TestText BuiltInTestText();

constexpr int kTestRunCount = 11;
// The options changed before run k (0 <= k < kTestRunCount); run 0 changes none.
void ChangeOptionsForRun(int run, TOptions& options);

} // namespace umlo
