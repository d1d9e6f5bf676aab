// A PCRE2 regular expression over cp1251 text, one byte per character, so that
// match positions are text offsets.
//
// Every expression is compiled with the same settings: "^" and "$" at every
// line break (CR, LF, CR LF as one), "." matching line breaks, greedy
// repetition, at most 14 capturing groups. The 66 Russian letters are the only
// word characters of \w \W \b \B, the six separators " \t\n\r\f\240" the only
// \s characters, and case-blind matching pairs Russian letters as well as
// Latin ones. Inside character classes the ranges а-я and А-Я take in ё and Ё,
// and а-Я covers all 66 letters.
//
// Matching is bounded: a pattern that backtracks without end stops at the
// engine's match limits and gives "no match" instead of hanging.
//
// The engine reads group names and verb names with the same word characters,
// so a name must be Russian: "(?<год>\d+)" compiles, "(?<year>\d+)" and
// "(*FAIL)" do not. Nothing the dictionary or the search relies on needs them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace umlo {

constexpr int kMaxCaptureGroups = 14;

// One group of a match; a group that took no part has pos -1.
struct RegexGroup {
    std::ptrdiff_t pos = -1; // 0-based offset in the subject
    std::size_t length = 0;
    bool Matched() const { return pos >= 0; }
};

struct RegexMatch {
    // groups[0] is the whole match, groups[g] group g; up to the highest group
    // that took part in the match.
    std::vector<RegexGroup> groups;
    std::size_t Pos() const { return static_cast<std::size_t>(groups[0].pos); }
    std::size_t Length() const { return groups[0].length; }
    std::size_t End() const { return Pos() + Length(); }
    // The number of the highest group that took part (0 when none did).
    int HighestGroup() const { return static_cast<int>(groups.size()) - 1; }
};

// The class ranges rewritten so that а-я and А-Я hold ё and Ё (cp1251).
std::string RewriteRussianRanges(std::string_view pattern);

class RegexMatcher {
public:
    RegexMatcher();
    ~RegexMatcher();
    RegexMatcher(RegexMatcher&&) noexcept;
    RegexMatcher& operator=(RegexMatcher&&) noexcept;
    RegexMatcher(const RegexMatcher&) = delete;
    RegexMatcher& operator=(const RegexMatcher&) = delete;

    // Compiles a cp1251 pattern. On failure returns false, keeps no expression
    // and leaves the engine's message (UTF-8) in ErrorMessage().
    bool Compile(std::string_view pattern, bool caseless = true);
    bool IsCompiled() const;
    const std::string& ErrorMessage() const { return error_; }
    const std::string& Pattern() const { return pattern_; }

    // Case-blind matching on or off; the expression is compiled again when the
    // flag changes. Returns false when there is a pattern that does not compile.
    bool SetCaseless(bool on);
    bool Caseless() const { return caseless_; }

    int CaptureCount() const;

    // The first match starting at or after the 0-based offset `start`. No
    // match, a start beyond the subject, no compiled expression or a limit hit
    // all give false.
    bool Match(std::string_view subject, std::size_t start, RegexMatch& match);

private:
    struct Engine;
    bool Build();

    std::unique_ptr<Engine> engine_;
    std::string pattern_;
    std::string error_;
    bool hasPattern_ = false;
    bool caseless_ = true;
};

} // namespace umlo
