#include "core/words.h"

#include <array>
#include <cstdlib>

#include "core/codepage.h"

namespace umlo {
namespace {

struct CaseTables {
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> cls{}; // bit 1 upper letter, bit 2 lower letter
};

constexpr unsigned char kUpperBit = 1;
constexpr unsigned char kLowerBit = 2;

CaseTables MakeTables() {
    CaseTables t;
    for (int i = 0; i < 256; ++i) {
        t.lower[i] = t.upper[i] = static_cast<unsigned char>(i);
    }
    auto pair = [&t](int up, int low) {
        t.lower[up] = static_cast<unsigned char>(low);
        t.upper[low] = static_cast<unsigned char>(up);
    };
    for (int i = 'A'; i <= 'Z'; ++i) {
        pair(i, i + 32);
    }
    for (int i = 0xC0; i <= 0xDF; ++i) {
        pair(i, i + 32);
        t.cls[i] = kUpperBit;
        t.cls[i + 32] = kLowerBit;
    }
    pair(0xA8, 0xB8);
    t.cls[0xA8] = kUpperBit;
    t.cls[0xB8] = kLowerBit;
    // The other Cyrillic letters of the code page: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Є Ї І Ѕ.
    const int others[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                             {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                             {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& p : others) {
        pair(p[0], p[1]);
    }
    return t;
}

const CaseTables kTables = MakeTables();

inline unsigned char Lo(unsigned char c) {
    return kTables.lower[c];
}

} // namespace

const std::string kAlphabet =
    Utf8ToCp1251("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
const std::string kSeparators = " \t\n\r\f\240";

bool IsUpperLetter(unsigned char c) {
    return kTables.cls[c] == kUpperBit;
}
bool IsLowerLetter(unsigned char c) {
    return kTables.cls[c] == kLowerBit;
}
bool IsLetter(unsigned char c) {
    return kTables.cls[c] != 0;
}
bool IsLetterOrQuery(unsigned char c) {
    return c == '?' || IsLetter(c);
}
bool IsSeparator(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0xA0;
}
bool IsPlainE(unsigned char c) {
    return c == kUpperYe || c == kLowerYe;
}
bool IsDiaeresisE(unsigned char c) {
    return c == kUpperYo || c == kLowerYo;
}
bool IsAnyE(unsigned char c) {
    return IsPlainE(c) || IsDiaeresisE(c);
}

bool CharInSet(std::string_view set, char c) {
    return set.find(c) != std::string_view::npos;
}

template <typename Pred> static bool AllOf(std::string_view s, Pred p) {
    for (char c : s) {
        if (!p(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

template <typename Pred> static bool AnyOf(std::string_view s, Pred p) {
    for (char c : s) {
        if (p(static_cast<unsigned char>(c))) {
            return true;
        }
    }
    return false;
}

bool AllLetters(std::string_view s) {
    return AllOf(s, [](unsigned char c) { return IsLetter(c); });
}
bool AllLettersOrQuery(std::string_view s) {
    return AllOf(s, [](unsigned char c) { return IsLetterOrQuery(c); });
}
bool HasUpperLetter(std::string_view s) {
    return AnyOf(s, [](unsigned char c) { return IsUpperLetter(c); });
}
bool HasPlainE(std::string_view s) {
    return AnyOf(s, [](unsigned char c) { return IsPlainE(c); });
}
bool HasDiaeresisE(std::string_view s) {
    return AnyOf(s, [](unsigned char c) { return IsDiaeresisE(c); });
}
bool HasAnyE(std::string_view s) {
    return AnyOf(s, [](unsigned char c) { return IsAnyE(c); });
}

bool IsCandidateWord(std::string_view word, bool collectMode, bool checkUmlo) {
    if (!collectMode && HasPlainE(word)) {
        return true;
    }
    return (checkUmlo || collectMode) && HasDiaeresisE(word);
}

char ToLowerByte(char c) {
    return static_cast<char>(Lo(static_cast<unsigned char>(c)));
}
char ToUpperByte(char c) {
    return static_cast<char>(kTables.upper[static_cast<unsigned char>(c)]);
}

std::string EKey(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) == kLowerYo) {
            c = static_cast<char>(kLowerYe);
        } else if (static_cast<unsigned char>(c) == kUpperYo) {
            c = static_cast<char>(kUpperYe);
        }
    }
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = ToLowerByte(c);
    }
    return out;
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = ToUpperByte(c);
    }
    return out;
}

std::string FirstAsIs(std::string_view s) {
    std::string out(s);
    for (size_t i = 1; i < out.size(); ++i) {
        out[i] = ToLowerByte(out[i]);
    }
    return out;
}

std::string TransferCase(std::string_view form, std::string_view pattern) {
    std::string out(form);
    const size_t n = std::min(form.size(), pattern.size());
    for (size_t i = 0; i < n; ++i) {
        if (IsUpperLetter(pattern[i])) {
            out[i] = ToUpperByte(out[i]);
        }
    }
    return out;
}

namespace {

// The dictionary order of a and b after mapping every byte: the case-blind
// order decides at the first byte that differs beyond case; the first raw
// difference breaks a case-blind tie. One pass, no copies, table look-ups only
// where the bytes differ, which keeps bisection and sorting of large
// dictionaries cheap.
template <typename Map> int CompareMapped(std::string_view a, std::string_view b, Map map) {
    const size_t n = std::min(a.size(), b.size());
    int tie = 0;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = map(static_cast<unsigned char>(a[i]));
        const unsigned char cb = map(static_cast<unsigned char>(b[i]));
        if (ca == cb) {
            continue;
        }
        const unsigned char la = Lo(ca);
        const unsigned char lb = Lo(cb);
        if (la != lb) {
            return la < lb ? -1 : 1;
        }
        if (tie == 0) {
            tie = ca < cb ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return tie;
}

// The е-key of one byte.
unsigned char KeyByte(unsigned char c) {
    return c == kLowerYo ? kLowerYe : c == kUpperYo ? kUpperYe : c;
}

std::string_view DropQuery(std::string_view s) {
    if (!s.empty() && s.back() == '?') {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

int DicCompare(std::string_view a, std::string_view b) {
    return CompareMapped(a, b, [](unsigned char c) { return c; });
}

int DicKeyCompare(std::string_view a, std::string_view b) {
    return CompareMapped(a, b, KeyByte);
}

int DicLineCompare(std::string_view a, std::string_view b) {
    return DicKeyCompare(DropQuery(a), DropQuery(b));
}

int DicLineCompareNoCase(std::string_view a, std::string_view b) {
    // Lower-casing first leaves no case difference to break a tie with.
    return CompareMapped(DropQuery(a), DropQuery(b),
                         [](unsigned char c) { return KeyByte(Lo(c)); });
}

std::string PluralEnding(long long count, int kind, std::string_view unchanged) {
    const long long n = count < 0 ? -count : count;
    const long long d = n % 10;
    const long long h = n % 100;
    int form;
    if (d == 0 || d >= 5 || (h >= 11 && h <= 14)) {
        form = 3;
    } else if (d == 1) {
        form = 1;
    } else {
        form = 2;
    }
    static const std::string kEndings2[] = {Cp("о"), Cp("а"), ""};
    static const std::string kEndings3[] = {Cp("е"), Cp("я"), Cp("й")};
    if (kind == 2) {
        return kEndings2[form - 1];
    }
    if (kind == 3) {
        return kEndings3[form - 1];
    }
    return std::string(unchanged);
}

bool IsCommentLine(std::string_view s) {
    return s.empty() || s.front() == '#';
}

std::string LastChar(std::string_view s) {
    return s.empty() ? std::string() : std::string(1, s.back());
}

std::string DropLastChar(std::string_view s) {
    return s.empty() ? std::string() : std::string(s.substr(0, s.size() - 1));
}

size_t PosFrom(std::string_view pattern, std::string_view s, size_t start) {
    if (start < 1) {
        start = 1;
    }
    if (start > s.size() + 1) {
        return 0;
    }
    const size_t p = s.find(pattern, start - 1);
    return p == std::string_view::npos ? 0 : p + 1;
}

std::vector<WordSpan> SplitWords(std::string_view line) {
    std::vector<WordSpan> words;
    size_t i = 0;
    while (i < line.size()) {
        if (!IsLetter(line[i])) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < line.size() && IsLetter(line[i])) {
            ++i;
        }
        words.push_back({start, i - start});
    }
    return words;
}

} // namespace umlo
