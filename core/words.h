// Letters, words, keys, case rules and the one dictionary order.
// Every routine works on cp1251 bytes; see codepage.h for conversions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace umlo {

// The 66 Russian letters in alphabet order, Ё after Е and ё after е (cp1251).
extern const std::string kAlphabet;
// " \t\n\r\f\240": the six separator bytes.
extern const std::string kSeparators;

constexpr unsigned char kUpperYo = 0xA8; // Ё
constexpr unsigned char kLowerYo = 0xB8; // ё
constexpr unsigned char kUpperYe = 0xC5; // Е
constexpr unsigned char kLowerYe = 0xE5; // е

bool IsUpperLetter(unsigned char c);
bool IsLowerLetter(unsigned char c);
bool IsLetter(unsigned char c);
bool IsLetterOrQuery(unsigned char c);
bool IsSeparator(unsigned char c);
bool IsPlainE(unsigned char c);
bool IsDiaeresisE(unsigned char c);
bool IsAnyE(unsigned char c);

bool CharInSet(std::string_view set, char c);

bool AllLetters(std::string_view s);
bool AllLettersOrQuery(std::string_view s);
bool HasUpperLetter(std::string_view s);
bool HasPlainE(std::string_view s);
bool HasDiaeresisE(std::string_view s);
bool HasAnyE(std::string_view s);

// Whether the pass must look at a word: it holds е (outside collection mode) or,
// with checkUmlo, ё. During collection checkUmlo is taken as on.
bool IsCandidateWord(std::string_view word, bool collectMode, bool checkUmlo);

// Code-page case mapping of one byte (Russian, Latin and the other cp1251 letters).
char ToLowerByte(char c);
char ToUpperByte(char c);

std::string EKey(std::string_view s);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
std::string FirstAsIs(std::string_view s);
// The dictionary form carrying the text form's capitals; nothing is lower-cased.
std::string TransferCase(std::string_view form, std::string_view pattern);

// Comparisons: -1, 0 or 1. Interchangeable as the comparison of SortedFind.
using DicComparison = int (*)(std::string_view a, std::string_view b);
int DicCompare(std::string_view a, std::string_view b);
int DicKeyCompare(std::string_view a, std::string_view b);
int DicLineCompare(std::string_view a, std::string_view b);
int DicLineCompareNoCase(std::string_view a, std::string_view b);

// Index of the entry equal to key in a list sorted by compare, or -1. The
// comparison is called with the list entry first.
// A template so that the comparison inlines: the main dictionary bisects with
// it for every word of a pass.
template <typename Compare>
int SortedFind(const std::vector<std::string>& list, std::string_view key, Compare compare) {
    if (list.empty()) {
        return -1;
    }
    if (compare(list.front(), key) == 0) {
        return 0;
    }
    const int last = static_cast<int>(list.size()) - 1;
    if (compare(list[last], key) == 0) {
        return last;
    }
    int low = 0;
    int high = last;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        // Both possible next probes are fetched while this one compares: in a
        // large dictionary the deep probes miss the cache.
        __builtin_prefetch(&list[low + (middle - low) / 2]);
        __builtin_prefetch(&list[middle + (high - middle) / 2]);
        const int c = compare(list[middle], key);
        if (c == 0) {
            return middle;
        }
        if (c > 0) {
            high = middle;
        } else {
            low = middle;
        }
    }
    return -1;
}

// Ending of "слов" (kind 2) or "выражени" (kind 3) for a count, cp1251; another
// kind gives back `unchanged`.
std::string PluralEnding(long long count, int kind, std::string_view unchanged = {});

bool IsCommentLine(std::string_view s);
std::string LastChar(std::string_view s);
std::string DropLastChar(std::string_view s);
// 1-based position of the first occurrence of pattern at or after start, or 0.
size_t PosFrom(std::string_view pattern, std::string_view s, size_t start);

// A word of a line: 0-based byte position and length.
struct WordSpan {
    size_t pos;
    size_t length;
};
// The maximal runs of letters of a line.
std::vector<WordSpan> SplitWords(std::string_view line);

} // namespace umlo
