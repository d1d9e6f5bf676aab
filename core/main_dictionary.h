// The main dictionary: the words written with ё, one entry per file line, with
// the user's remembered answers of this run and the four per-word counters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/my_lists.h"

namespace umlo {

// 0 no verdict, 1 the е-form, 2 the ё-form, -1 the pass was stopped.
using WordVerdict = int;
constexpr WordVerdict kNoVerdict = 0;
constexpr WordVerdict kPlainForm = 1;
constexpr WordVerdict kDiaeresisForm = 2;
constexpr WordVerdict kStopPass = -1;

// The four counters of an entry, as the statistics window shows them.
enum class WordCounter { PlainKept, PlainToDiaeresis, DiaeresisToPlain, DiaeresisKept };

struct LookupResult {
    int index = -1;
    std::string DiaeresisForm; // the entry's word, empty when not found
    bool NeedsAsk = false;
    bool HasAlways = false;
    int WordVerdict = kPlainForm; // a umlo::WordVerdict value
};

class TDic {
public:
    void Clear();
    int Count() const { return Keys_.Count(); }
    bool Loaded() const { return Count() > 0; }
    // Appends the word (cp1251, with ё) with its е-key; answers and counters 0.
    void AddEntry(std::string_view word, bool doubtful);

    // Index of the entry for the е-key of a text word in the text's case, or -1.
    int FindKey(std::string_view key) const;
    LookupResult LookupWord(std::string_view key) const;

    // answer: 1 for Е, 2 for Ё. An index outside the dictionary is ignored.
    void SetAlwaysChoice(int index, int answer);
    void SetLastAnswer(int index, int answer);
    void ClearAlwaysChoices();

    const std::string& Version() const { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }
    // The file the content came from ("***" in testing mode).
    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }

    // Entry fields; the index must lie in 0..Count()-1.
    const std::string& Key(int index) const { return Keys_.Get(index); }
    const std::string& Word(int index) const { return Words_.Get(index); }
    bool IsVariant(int index) const { return IsVariant_.Get(index) != 0; }
    int LastAnswer(int index) const { return LastAnswer_.Get(index); }
    int AlwaysChoice(int index) const { return AlwaysChoice_.Get(index); }

    // The statistics code raises and resets the counters through these.
    std::int32_t Counter(int index, WordCounter which) const;
    void AddToCounter(int index, WordCounter which, std::int32_t delta = 1);
    void ResetCounters();

    // The lists themselves, read-only, in file order.
    const std::vector<std::string>& Keys() const { return Keys_.Items(); }
    const std::vector<std::string>& Words() const { return Words_.Items(); }
    const TIntegerList& CounterList(WordCounter which) const;

    void Reserve(int count);

private:
    TIntegerList& CounterListMutable(WordCounter which);

    TList<std::string> Keys_;
    TList<std::string> Words_;
    TShortIntList IsVariant_;
    TShortIntList LastAnswer_;
    TShortIntList AlwaysChoice_;
    TIntegerList PlainKept_;
    TIntegerList PlainToDiaeresis_;
    TIntegerList DiaeresisToPlain_;
    TIntegerList DiaeresisKept_;
    std::string version_;
    std::string path_;
};

// Replaces the dictionary's content from the file at pathInForce (a file-system
// path; shown as UTF-8, or converted from cp1251 when it is not valid UTF-8).
// A missing file empties pathInForce.
// Reports through host; returns true when the file was read to its end.
bool LoadMainDictionary(TDic& dic, std::string& pathInForce, Host& host);

} // namespace umlo
