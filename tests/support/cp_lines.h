// Lines written in UTF-8 in a test, as the cp1251 lines the code works on.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "core/codepage.h"

namespace umlo::testing {

inline std::vector<std::string> Lines(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* line : utf8) {
        out.push_back(Cp(line));
    }
    return out;
}

} // namespace umlo::testing
