#include "core/main_dictionary.h"

#include <array>

#include "core/words.h"

namespace umlo {
namespace {

// Text words are short; longer keys fall back to a heap string.
constexpr size_t kStackKeyLength = 64;

bool ValidIndex(int index, int count) {
    return index >= 0 && index < count;
}

std::int8_t AnswerByte(int answer) {
    return static_cast<std::int8_t>(answer == 1 || answer == 2 ? answer : 0);
}

} // namespace

void TDic::Clear() {
    Keys_.Clear();
    Words_.Clear();
    IsVariant_.Clear();
    LastAnswer_.Clear();
    AlwaysChoice_.Clear();
    PlainKept_.Clear();
    PlainToDiaeresis_.Clear();
    DiaeresisToPlain_.Clear();
    DiaeresisKept_.Clear();
}

void TDic::Reserve(int count) {
    Keys_.Reserve(count);
    Words_.Reserve(count);
    IsVariant_.Reserve(count);
    LastAnswer_.Reserve(count);
    AlwaysChoice_.Reserve(count);
    PlainKept_.Reserve(count);
    PlainToDiaeresis_.Reserve(count);
    DiaeresisToPlain_.Reserve(count);
    DiaeresisKept_.Reserve(count);
}

void TDic::AddEntry(std::string_view word, bool doubtful) {
    Keys_.Add(EKey(word));
    Words_.Add(std::string(word));
    IsVariant_.Add(doubtful ? 1 : 0);
    LastAnswer_.Add(0);
    AlwaysChoice_.Add(0);
    PlainKept_.Add(0);
    PlainToDiaeresis_.Add(0);
    DiaeresisToPlain_.Add(0);
    DiaeresisKept_.Add(0);
}

int TDic::FindKey(std::string_view key) const {
    if (Count() == 0) {
        return -1;
    }
    // The first-as-is form is built in place, then its first letter lowered
    // for the second search; no allocation for ordinary words.
    std::array<char, kStackKeyLength> stack;
    std::string heap;
    char* form = stack.data();
    if (key.size() > stack.size()) {
        heap.resize(key.size());
        form = heap.data();
    }
    for (size_t i = 0; i < key.size(); ++i) {
        form[i] = i == 0 ? key[i] : ToLowerByte(key[i]);
    }
    const std::string_view view(form, key.size());
    const int found = SortedFind(Keys_.Items(), view, DicCompare);
    if (found >= 0 || key.empty()) {
        return found;
    }
    const char lowered = ToLowerByte(form[0]);
    if (lowered == form[0]) {
        return -1; // the lower-case form is the same string
    }
    form[0] = lowered;
    return SortedFind(Keys_.Items(), view, DicCompare);
}

LookupResult TDic::LookupWord(std::string_view key) const {
    LookupResult r;
    r.index = FindKey(key);
    if (r.index < 0) {
        return r;
    }
    r.DiaeresisForm = Words_.Get(r.index);
    const int always = AlwaysChoice_.Get(r.index);
    if (always != 0) {
        r.HasAlways = true;
        r.WordVerdict = always;
    } else if (IsVariant_.Get(r.index) != 0) {
        r.NeedsAsk = true;
        r.WordVerdict = LastAnswer_.Get(r.index);
    } else {
        r.WordVerdict = kDiaeresisForm;
    }
    return r;
}

void TDic::SetAlwaysChoice(int index, int answer) {
    if (ValidIndex(index, Count())) {
        AlwaysChoice_.Set(index, AnswerByte(answer));
    }
}

void TDic::SetLastAnswer(int index, int answer) {
    if (ValidIndex(index, Count())) {
        LastAnswer_.Set(index, AnswerByte(answer));
    }
}

void TDic::ClearAlwaysChoices() {
    AlwaysChoice_.Fill(0);
}

const TIntegerList& TDic::CounterList(WordCounter which) const {
    switch (which) {
    case WordCounter::PlainKept:
        return PlainKept_;
    case WordCounter::PlainToDiaeresis:
        return PlainToDiaeresis_;
    case WordCounter::DiaeresisToPlain:
        return DiaeresisToPlain_;
    case WordCounter::DiaeresisKept:
        break;
    }
    return DiaeresisKept_;
}

TIntegerList& TDic::CounterListMutable(WordCounter which) {
    return const_cast<TIntegerList&>(std::as_const(*this).CounterList(which));
}

std::int32_t TDic::Counter(int index, WordCounter which) const {
    return ValidIndex(index, Count()) ? CounterList(which).Get(index) : 0;
}

void TDic::AddToCounter(int index, WordCounter which, std::int32_t delta) {
    if (ValidIndex(index, Count())) {
        std::int32_t& value = CounterListMutable(which).Get(index);
        value += delta;
    }
}

void TDic::ResetCounters() {
    PlainKept_.Fill(0);
    PlainToDiaeresis_.Fill(0);
    DiaeresisToPlain_.Fill(0);
    DiaeresisKept_.Fill(0);
}

} // namespace umlo
