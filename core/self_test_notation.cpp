#include "core/self_test_notation.h"

#include "core/words.h"

namespace umlo {

TestLine ParseTestLine(std::string_view notation) {
    TestLine out;
    std::string word;
    bool marked = false;
    int bracket = 0; // 0 outside, else the position inside «[...]»
    const auto endWord = [&] {
        if (marked) {
            out.askedWords.push_back(word);
        }
        word.clear();
        marked = false;
    };
    for (const char c : notation) {
        if (c == '[') {
            bracket = 1;
            continue;
        }
        if (c == ']') {
            bracket = 0;
            continue;
        }
        if (bracket == 0) {
            out.input += c;
            out.expected += c;
            if (IsLetter(static_cast<unsigned char>(c))) {
                word += c;
            } else {
                endWord();
            }
            continue;
        }
        if (bracket == 1) {
            out.input += c;
            word += c;
        } else if (bracket == 2) {
            out.expected += c;
        } else if (bracket == 3) {
            marked = true;
            out.answers.push_back(c == '0' ? 0 : 1);
        }
        // Characters past the third inside a bracket are ignored.
        ++bracket;
    }
    endWord();
    return out;
}

} // namespace umlo
