#include "core/regexpr_prefilter.h"

#include <algorithm>

#include "core/words.h"

namespace umlo {

namespace {

// The index after the character class that starts at e[i] == '['.
size_t SkipClass(std::string_view e, size_t i) {
    const size_t n = e.size();
    ++i;
    if (i < n && e[i] == '^') {
        ++i;
    }
    if (i < n && e[i] == ']') {
        ++i;
    }
    while (i < n && e[i] != ']') {
        if (e[i] == '\\') {
            i += 2;
        } else if (e[i] == '[' && i + 1 < n && e[i + 1] == ':') {
            const size_t end = e.find(":]", i + 2);
            i = end == std::string_view::npos ? n : end + 2;
        } else {
            ++i;
        }
    }
    return i + 1;
}

// The index after the escape that starts at e[i] == '\\', braces and names
// included, so that letters of a group name are not taken for text.
size_t SkipEscape(std::string_view e, size_t i) {
    const size_t n = e.size();
    if (i + 1 >= n) {
        return n;
    }
    const char kind = e[i + 1];
    size_t j = i + 2;
    if (kind == 'c') {
        return std::min(n, j + 1);
    }
    if (j < n) {
        char close = 0;
        if (e[j] == '{' && std::string_view("xopPNgkuU").find(kind) != std::string_view::npos) {
            close = '}';
        } else if (e[j] == '<' && (kind == 'k' || kind == 'g')) {
            close = '>';
        } else if (e[j] == '\'' && (kind == 'k' || kind == 'g')) {
            close = '\'';
        }
        if (close != 0) {
            const size_t end = e.find(close, j + 1);
            return end == std::string_view::npos ? n : end + 1;
        }
    }
    return j;
}

// The index after the group that starts at e[i] == '('.
size_t SkipGroup(std::string_view e, size_t i) {
    int depth = 0;
    while (i < e.size()) {
        const char c = e[i];
        if (c == '\\') {
            i = SkipEscape(e, i);
        } else if (c == '[') {
            i = SkipClass(e, i);
        } else {
            if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth == 0) {
                return i + 1;
            }
            ++i;
        }
    }
    return i;
}

// Whether the group at e[i] == '(' sets the extended option, under which
// blanks and "#" comments stop being text.
bool SetsExtended(std::string_view e, size_t i) {
    if (e.substr(i, 2) != "(?") {
        return false;
    }
    for (size_t j = i + 2; j < e.size(); ++j) {
        const char c = e[j];
        if (c == 'x') {
            return true;
        }
        if (std::string_view("imnsJU-^").find(c) == std::string_view::npos) {
            return false;
        }
    }
    return false;
}

// Whether the reading below can be trusted: no alternation at the top level
// and none of the constructs it does not follow.
bool Readable(std::string_view e) {
    int depth = 0;
    size_t i = 0;
    while (i < e.size()) {
        const char c = e[i];
        if (c == '\\') {
            if (i + 1 < e.size() && (e[i + 1] == 'Q' || e[i + 1] == 'E')) {
                return false;
            }
            i = SkipEscape(e, i);
        } else if (c == '[') {
            i = SkipClass(e, i);
        } else if (c == '(') {
            if (e.substr(i, 3) == "(?#" || e.substr(i, 2) == "(*" || SetsExtended(e, i)) {
                return false;
            }
            ++depth;
            ++i;
        } else if (c == ')') {
            --depth;
            ++i;
        } else if (c == '|' && depth <= 0) {
            return false;
        } else {
            ++i;
        }
    }
    return depth == 0;
}

bool IsQuantifier(char c) {
    return c == '?' || c == '*' || c == '+' || c == '{';
}

} // namespace

std::string FoldForPrefilter(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        ch = ToLowerByte(ch);
        if (static_cast<unsigned char>(ch) == kLowerYo) {
            ch = static_cast<char>(kLowerYe);
        }
    }
    return out;
}

std::string RequiredLetters(std::string_view e) {
    if (!Readable(e)) {
        return {};
    }
    static const std::string lowerGroup = "([\xE5\xB8])"; // ([её])
    static const std::string upperGroup = "([\xC5\xA8])"; // ([ЕЁ])
    std::string best;
    std::string run;
    const auto endRun = [&best, &run] {
        if (run.size() > best.size()) {
            best = run;
        }
        run.clear();
    };
    size_t i = 0;
    while (i < e.size()) {
        const std::string_view rest = e.substr(i);
        char letter = 0;
        size_t length = 1;
        if (rest.starts_with(lowerGroup) || rest.starts_with(upperGroup)) {
            // A deciding group: е or ё, always exactly one character.
            letter = static_cast<char>(kLowerYe);
            length = lowerGroup.size();
        } else if (IsLetter(static_cast<unsigned char>(rest[0]))) {
            letter = rest[0];
        }
        if (letter == 0) {
            endRun();
            if (rest[0] == '\\') {
                i = SkipEscape(e, i);
            } else if (rest[0] == '[') {
                i = SkipClass(e, i);
            } else if (rest[0] == '(') {
                i = SkipGroup(e, i);
            } else {
                ++i;
            }
            continue;
        }
        if (length < rest.size() && IsQuantifier(rest[length])) {
            endRun(); // an optional or repeated letter is no fixed run
            i += length;
            continue;
        }
        run += letter;
        i += length;
    }
    endRun();
    return FoldForPrefilter(best);
}

} // namespace umlo
