// The character formats of a text as runs of equal format: a text in one
// format costs one run, whatever its length, and the letters a pass marks
// cost a run each.
#pragma once

#include <cstddef>
#include <vector>

#include "documents/rich_text.h"
#include "documents/text_buffer.h"

namespace umlo {

class FormatRuns {
public:
    int Length() const { return length_; }
    // A text of the given length in one format.
    void Reset(int length, const CharFormat& format = {});
    // The format of one character, 0 <= offset < Length().
    const CharFormat& At(int offset) const { return runs_[RunAt(offset)].format; }
    // Changes the format of the characters [from, to).
    template <typename Change> void Modify(int from, int to, Change change) {
        if (from >= to) {
            return;
        }
        const std::size_t first = SplitAt(from);
        const std::size_t last = SplitAt(to);
        for (std::size_t k = first; k < last; ++k) {
            change(runs_[k].format);
        }
        MergeNeighbours(first, last);
    }
    // `removed` characters at `at` became `inserted` characters in `format`.
    void Splice(int at, int removed, int inserted, const CharFormat& format);
    // Ascending starts, the first at 0, no two neighbours equal; empty for an
    // empty text.
    const std::vector<FormatRun>& Runs() const { return runs_; }

private:
    std::size_t RunAt(int offset) const;
    // Makes a run start at offset and returns its index (the run count at
    // the end of the text).
    std::size_t SplitAt(int offset);
    // Joins the runs [first, last] that equal their left neighbour.
    void MergeNeighbours(std::size_t first, std::size_t last);
    void Shift(std::size_t from, int delta);

    std::vector<FormatRun> runs_;
    int length_ = 0;
};

} // namespace umlo
