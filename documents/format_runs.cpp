#include "documents/format_runs.h"

#include <algorithm>

namespace umlo {

void FormatRuns::Reset(int length, const CharFormat& format) {
    runs_.clear();
    length_ = std::max(length, 0);
    if (length_ > 0) {
        runs_.push_back({0, format});
    }
}

std::size_t FormatRuns::RunAt(int offset) const {
    const auto it = std::upper_bound(runs_.begin(), runs_.end(), offset,
                                     [](int at, const FormatRun& run) { return at < run.start; });
    return static_cast<std::size_t>(it - runs_.begin()) - 1;
}

std::size_t FormatRuns::SplitAt(int offset) {
    if (offset <= 0) {
        return 0;
    }
    if (offset >= length_) {
        return runs_.size();
    }
    const std::size_t k = RunAt(offset);
    if (runs_[k].start == offset) {
        return k;
    }
    const CharFormat format = runs_[k].format;
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(k + 1), FormatRun{offset, format});
    return k + 1;
}

void FormatRuns::MergeNeighbours(std::size_t first, std::size_t last) {
    first = std::max<std::size_t>(first, 1);
    last = std::min(last, runs_.size() - 1);
    if (runs_.empty() || first > last) {
        return;
    }
    std::size_t kept = first;
    for (std::size_t k = first; k <= last; ++k) {
        if (!(runs_[k].format == runs_[kept - 1].format)) {
            runs_[kept++] = runs_[k];
        }
    }
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(kept),
                runs_.begin() + static_cast<std::ptrdiff_t>(last + 1));
}

void FormatRuns::Shift(std::size_t from, int delta) {
    for (std::size_t k = from; k < runs_.size(); ++k) {
        runs_[k].start += delta;
    }
}

void FormatRuns::Splice(int at, int removed, int inserted, const CharFormat& format) {
    at = std::clamp(at, 0, length_);
    removed = std::clamp(removed, 0, length_ - at);
    if (removed > 0) {
        const std::size_t first = SplitAt(at);
        const std::size_t last = SplitAt(at + removed);
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                    runs_.begin() + static_cast<std::ptrdiff_t>(last));
        Shift(first, -removed);
        length_ -= removed;
        MergeNeighbours(first, first);
    }
    if (inserted > 0) {
        if (length_ == 0) {
            Reset(inserted, format);
            return;
        }
        const std::size_t k = SplitAt(at);
        runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(k), FormatRun{at, format});
        Shift(k + 1, inserted);
        length_ += inserted;
        MergeNeighbours(k, k + 1);
    }
}

} // namespace umlo
