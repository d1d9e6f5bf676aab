// The notation of the built-in test: one line states the text the pass is
// given, the text it must leave and the questions it must ask.
//
//   «[xy]»   the text holds x, the pass must make it y without asking;
//   «[xy0]»  the text holds x, the pass must ask about the word, the test
//            answers Е and the text must then hold y;
//   «[xy1]»  as above, answered Ё (any third character but «0»).
//
// Everything outside brackets is the same in both texts. All strings are cp1251.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

struct TestLine {
    std::string input;    // the line as the pass gets it
    std::string expected; // the line as it must look afterwards
    // Per question in order: 0 answers with the first button (Е), 1 the second (Ё).
    std::vector<std::int8_t> answers;
    // The word each question must be about, as written in the input.
    std::vector<std::string> askedWords;
};

TestLine ParseTestLine(std::string_view notation);

} // namespace umlo
