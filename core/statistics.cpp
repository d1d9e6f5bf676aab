#include "core/statistics.h"
#include "core/system_message.h"

#include <cerrno>
#include <charconv>
#include <cstring>

#include "core/codepage.h"
#include "core/file_replace.h"
#include "core/words.h"

namespace umlo {

void RecordWordStatistics(TDic& dic, int /*startOffset*/, std::string_view word, int index,
                          std::string_view replacement) {
    if (index < 0 || index >= dic.Count()) {
        return;
    }
    const std::string w = LowerCase(word);
    const std::string r = replacement.empty() ? w : LowerCase(replacement);
    const std::string e = LowerCase(dic.Key(index));
    const std::string d = LowerCase(dic.Word(index));
    if (w == e) {
        dic.AddToCounter(index, r == e ? WordCounter::PlainKept : WordCounter::PlainToDiaeresis);
    }
    if (w == d) {
        dic.AddToCounter(index,
                         r == d ? WordCounter::DiaeresisKept : WordCounter::DiaeresisToPlain);
    }
}

void ResetStatistics(RunCounters& counters, TDic& dic, TRegExprDic& regExprs, Host& host) {
    counters.Reset();
    dic.ResetCounters();
    regExprs.ResetUseCounts();
    host.SetStatusText(1, "");
}

bool Clearstat1Click(RunCounters& counters, TDic& dic, TRegExprDic& regExprs, TextBuffer& buffer,
                     Color fontColor, Host& host) {
    if (!host.AskYesNo("Обнулить статистику ёфикации?")) {
        return false;
    }
    ResetStatistics(counters, dic, regExprs, host);
    host.EnableCommand("Clearstat1", false);
    ClearMarks(buffer, fontColor);
    return true;
}

void ClearMarks(TextBuffer& buffer, Color fontColor) {
    const int caret = buffer.SelStart();
    buffer.SetCaret(0);
    buffer.SetSelLength(buffer.TextLength());
    buffer.SetSelectionTextColor(fontColor);
    buffer.SetSelectionBackColor(kWhite);
    buffer.SetSelLength(0);
    buffer.SetCaret(caret);
}

std::string MarkedWordForm(std::string_view plainForm, std::string_view diaeresisForm) {
    std::string out;
    const size_t n = std::max(plainForm.size(), diaeresisForm.size());
    for (size_t i = 0; i < n; ++i) {
        const char a = i < plainForm.size() ? plainForm[i] : ' ';
        const char b = i < diaeresisForm.size() ? diaeresisForm[i] : ' ';
        if (a == b) {
            out += a;
        } else {
            out += '(';
            out += a;
            out += '/';
            out += b;
            out += ')';
        }
    }
    return out;
}

namespace {

const std::string& TotalCaption() {
    static const std::string text = Cp("ВСЕГО");
    return text;
}

// A new row goes into the empty first data row, else after the last one.
std::vector<std::string>& NextRow(StatGrid& grid, size_t columns) {
    if (!grid.rows.back().front().empty()) {
        grid.rows.emplace_back(columns);
    }
    return grid.rows.back();
}

bool ParseInt(const std::string& s, long long& value) {
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, value);
    return ec == std::errc() && p == end && !s.empty();
}

// A stable merge sort that stays safe with an order that is not a strict weak
// ordering (non-numbers count as equal to everything).
template <typename Less>
void MergeSort(std::vector<size_t>& items, std::vector<size_t>& scratch, size_t lo, size_t hi,
               const Less& less) {
    if (hi - lo < 2) {
        return;
    }
    const size_t mid = lo + (hi - lo) / 2;
    MergeSort(items, scratch, lo, mid, less);
    MergeSort(items, scratch, mid, hi, less);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi) {
        scratch[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
    }
    while (i < mid) {
        scratch[k++] = items[i++];
    }
    while (j < hi) {
        scratch[k++] = items[j++];
    }
    std::copy(scratch.begin() + static_cast<long>(lo), scratch.begin() + static_cast<long>(hi),
              items.begin() + static_cast<long>(lo));
}

} // namespace

StatGrid WordStatisticsGrid(const TDic& dic) {
    StatGrid grid;
    grid.rows.push_back(
        {"", Cp("Общее число"), Cp("Е = Е"), Cp("Е -> Ё"), Cp("Ё = Ё"), Cp("Ё -> Е")});
    grid.rows.emplace_back(6);
    long long totals[4] = {0, 0, 0, 0};
    const WordCounter order[4] = {WordCounter::PlainKept, WordCounter::PlainToDiaeresis,
                                  WordCounter::DiaeresisKept, WordCounter::DiaeresisToPlain};
    for (int i = 0; i < dic.Count(); ++i) {
        long long values[4];
        long long sum = 0;
        for (int k = 0; k < 4; ++k) {
            values[k] = dic.Counter(i, order[k]);
            sum += values[k];
        }
        if (sum <= 0) {
            continue;
        }
        auto& row = NextRow(grid, 6);
        row[0] = MarkedWordForm(dic.Key(i), dic.Word(i));
        row[1] = std::to_string(sum);
        for (int k = 0; k < 4; ++k) {
            row[static_cast<size_t>(k) + 2] = std::to_string(values[k]);
            totals[k] += values[k];
        }
    }
    auto& total = NextRow(grid, 6);
    total[0] = TotalCaption();
    total[1] = std::to_string(totals[0] + totals[1] + totals[2] + totals[3]);
    for (int k = 0; k < 4; ++k) {
        total[static_cast<size_t>(k) + 2] = std::to_string(totals[k]);
    }
    SortColumn(grid, 0);
    return grid;
}

StatGrid CombiStatisticsGrid(const TRegExprDic& regExprs) {
    StatGrid grid;
    grid.rows.push_back({"", Cp("Общее число")});
    grid.rows.emplace_back(2);
    long long total = 0;
    for (int i = 0; i < regExprs.Count(); ++i) {
        const std::int32_t uses = regExprs.UseCountOf(i);
        if (uses <= 0) {
            continue;
        }
        auto& row = NextRow(grid, 2);
        row[0] = regExprs.Source(i);
        row[1] = std::to_string(uses);
        total += uses;
    }
    auto& last = NextRow(grid, 2);
    last[0] = TotalCaption();
    last[1] = std::to_string(total);
    SortColumn(grid, 0);
    return grid;
}

void SortColumn(StatGrid& grid, int column) {
    if (grid.rows.empty() || column < 0 || static_cast<size_t>(column) >= grid.rows[0].size()) {
        return;
    }
    const size_t col = static_cast<size_t>(column);
    if (grid.rows.size() > 3) {
        // Rows 1 .. size-2; the header and the "ВСЕГО" row stay.
        std::vector<size_t> order;
        for (size_t r = 1; r + 1 < grid.rows.size(); ++r) {
            order.push_back(r);
        }
        const auto cell = [&](size_t r) -> const std::string& { return grid.rows[r][col]; };
        std::vector<size_t> scratch(grid.rows.size());
        if (col == 0) {
            MergeSort(order, scratch, 0, order.size(),
                      [&](size_t a, size_t b) { return DicKeyCompare(cell(a), cell(b)) < 0; });
        } else {
            MergeSort(order, scratch, 0, order.size(), [&](size_t a, size_t b) {
                long long x = 0, y = 0;
                return ParseInt(cell(a), x) && ParseInt(cell(b), y) && x > y;
            });
        }
        std::vector<std::vector<std::string>> sorted;
        sorted.reserve(order.size());
        for (size_t r : order) {
            sorted.push_back(std::move(grid.rows[r]));
        }
        for (size_t k = 0; k < sorted.size(); ++k) {
            grid.rows[k + 1] = std::move(sorted[k]);
        }
    }
    auto& header = grid.rows[0];
    for (size_t c = 0; c < header.size(); ++c) {
        const bool starred = !header[c].empty() && header[c].back() == '*';
        if (c == col && !starred) {
            header[c] += '*';
        } else if (c != col && starred) {
            header[c].pop_back();
        }
    }
    grid.sortedColumn = column;
}

void HeaderClicked(StatGrid& grid, int column) {
    if (column != grid.sortedColumn) {
        SortColumn(grid, column);
    }
}

namespace {

void AppendGrid(std::string& out, const StatGrid& grid) {
    size_t width = 0;
    for (size_t r = 1; r < grid.rows.size(); ++r) {
        width = std::max(width, grid.rows[r].front().size());
    }
    for (size_t r = 1; r < grid.rows.size(); ++r) {
        const auto& row = grid.rows[r];
        out += row[0];
        out.append(width - row[0].size() + 2, ' ');
        for (size_t c = 1; c < row.size(); ++c) {
            if (row[c].size() < 5) {
                out.append(5 - row[c].size(), ' ');
            }
            out += row[c];
            out += c + 1 < row.size() ? " " : "\r\n";
        }
        if (row.size() == 1) {
            out += "\r\n";
        }
    }
}

} // namespace

std::string StatisticsText(const StatGrid& words, const StatGrid& combi) {
    std::string out;
    AppendGrid(out, words);
    out += "===\r\n";
    AppendGrid(out, combi);
    return out;
}

bool SaveStatistics(const std::string& fileName, const StatGrid& words, const StatGrid& combi,
                    Host& host) {
    const int error = ReplaceFileContents(fileName, StatisticsText(words, combi));
    if (error != 0) {
        host.ShowError(FileErrorMessage(FileAction::Write, fileName, error));
        return false;
    }
    return true;
}

} // namespace umlo
