// What a fuzz target asserts: a broken property stops the run, and libFuzzer
// keeps the input that broke it.
#pragma once

#include <cstdlib>

namespace umlo::fuzz {

inline void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace umlo::fuzz
