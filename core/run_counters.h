// The running counters of the ё-restoration pass, shown in the status bar.
#pragma once

#include <cstdint>

namespace umlo {

struct RunCounters {
    std::int32_t Decided = 0;
    std::int32_t DecidedChanged = 0;
    std::int32_t DecidedKept = 0;
    std::int32_t Asked = 0;
    std::int32_t AskedChanged = 0;
    std::int32_t AskedKept = 0;
    std::int32_t RegExprHits = 0;
    std::int32_t RegExprHitsChanged = 0;
    std::int32_t RegExprHitsKept = 0;
    std::int32_t RegExprMisses = 0;
    std::int32_t MisplacedCount = 0;
    // Words collected since the program started; "Обнулить статистику" keeps it.
    std::int32_t NewWordCount = 0;

    // Zeroes every counter but NewWordCount.
    void Reset() {
        const std::int32_t collected = NewWordCount;
        *this = RunCounters{};
        NewWordCount = collected;
    }
};

} // namespace umlo
