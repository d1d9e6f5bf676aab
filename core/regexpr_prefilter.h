// A cheap test that rules most expressions out before the engine runs: the
// longest run of letters that every match of an expression must contain.
// Consulting a 500-line dictionary for every doubtful word of a long text
// makes this worth having; the test never rules out an expression that could
// match.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace umlo {

// The longest run of letters that every match of a converted expression holds,
// folded with FoldForPrefilter, or empty when nothing safe can be said
// (alternation at the top level, quoting, comments, verbs, no fixed letters).
// Letters inside groups and classes and letters that a quantifier follows are
// left out.
std::string RequiredLetters(std::string_view expression);

// Lower case, with е and ё as one letter, as the deciding groups take either.
// The test is case-blind even for case-sensitive expressions: it only has to
// be weaker than the expression, and inline options cannot fool it.
std::string FoldForPrefilter(std::string_view text);

// The neighbouring-letter pairs of a folded text as a 256-bit set: a context
// that lacks one of the pairs of the required letters cannot hold them, and
// the test costs four AND operations instead of a substring search.
class LetterPairs {
public:
    LetterPairs() = default;
    explicit LetterPairs(std::string_view folded) {
        for (size_t i = 1; i < folded.size(); ++i) {
            const unsigned pair = (static_cast<unsigned char>(folded[i - 1]) * 31u +
                                   static_cast<unsigned char>(folded[i])) &
                                  255u;
            bits_[pair >> 6] |= std::uint64_t{1} << (pair & 63u);
        }
    }
    bool Covers(const LetterPairs& needed) const {
        for (size_t i = 0; i < bits_.size(); ++i) {
            if ((needed.bits_[i] & ~bits_[i]) != 0) {
                return false;
            }
        }
        return true;
    }

private:
    std::array<std::uint64_t, 4> bits_{};
};

} // namespace umlo
