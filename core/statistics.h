// The per-word and per-expression statistics of the passes: counting, the rows
// of the statistics window's two grids, their sorting and the saved file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/main_dictionary.h"
#include "core/regexpr_dictionary.h"
#include "core/run_counters.h"
#include "documents/text_buffer.h"

namespace umlo {

// Counts one decided word (cp1251) for its dictionary entry (index −1: none).
// The start offset is not used.
void RecordWordStatistics(TDic& dic, int startOffset, std::string_view word, int index,
                          std::string_view replacement);

// Zeroes the run counters (all but NewWordCount), every entry's four counters
// and every expression's use count, and clears status panel 1.
void ResetStatistics(RunCounters& counters, TDic& dic, TRegExprDic& regExprs, Host& host);

// "Обнулить статистику" (Clearstat1): asks first; on Yes resets, disables the
// command and removes the colour marks. Returns whether it reset.
bool Clearstat1Click(RunCounters& counters, TDic& dic, TRegExprDic& regExprs, TextBuffer& buffer,
                     Color fontColor, Host& host);

// Removes every colour from the text: the font colour on white.
void ClearMarks(TextBuffer& buffer, Color fontColor);

// «вс(е/ё)»: the forms with every differing byte written "(е/ё)".
std::string MarkedWordForm(std::string_view plainForm, std::string_view diaeresisForm);

// One grid of the statistics window: row 0 is the header, the last row
// "ВСЕГО". Cells are cp1251.
struct StatGrid {
    std::vector<std::vector<std::string>> rows;
    int sortedColumn = -1;
};

// The grids as the window fills them when it is shown, sorted by column 0.
StatGrid WordStatisticsGrid(const TDic& dic);
StatGrid CombiStatisticsGrid(const TRegExprDic& regExprs);

// Sorts the rows between the header and "ВСЕГО": column 0 by dictionary order,
// the others by descending number; marks the column's header with "*".
void SortColumn(StatGrid& grid, int column);
// A header click: sorts only by a column other than the sorted one.
void HeaderClicked(StatGrid& grid, int column);

// The statistics file: both grids without their headers, "===" between them,
// cp1251 with CR LF. Written beside the target and renamed over it; a failure
// is reported through host and leaves any existing file as it was.
bool SaveStatistics(const std::string& fileName, const StatGrid& words, const StatGrid& combi,
                    Host& host);
// The text SaveStatistics writes.
std::string StatisticsText(const StatGrid& words, const StatGrid& combi);

} // namespace umlo
