#include "core/words.h"

#include <gtest/gtest.h>

#include "core/codepage.h"

using namespace umlo;

TEST(Letters, ClassesFollowTheCodePage) {
    EXPECT_TRUE(IsSeparator(0xA0));
    EXPECT_FALSE(IsLetter(0xA0));
    EXPECT_TRUE(IsSeparator('\f'));
    EXPECT_TRUE(IsLetter(Cp("ё")[0]));
    EXPECT_TRUE(IsUpperLetter(Cp("Ё")[0]));
    EXPECT_TRUE(IsLowerLetter(Cp("ё")[0]));
    EXPECT_FALSE(IsLetter(Cp("Ґ")[0]));
    EXPECT_FALSE(IsLetter(Cp("і")[0]));
    EXPECT_FALSE(IsLetter('e'));
    EXPECT_FALSE(IsLetter('-'));
    EXPECT_TRUE(IsLetterOrQuery('?'));
    EXPECT_EQ(kAlphabet.size(), 66u);
    EXPECT_TRUE(AllLetters(kAlphabet));
    EXPECT_EQ(kSeparators.size(), 6u);
    for (char c : kSeparators) {
        EXPECT_TRUE(IsSeparator(c));
    }
}

TEST(Letters, StringPredicates) {
    EXPECT_FALSE(AllLetters(Cp("все-таки")));
    EXPECT_TRUE(AllLetters(""));
    EXPECT_TRUE(AllLettersOrQuery(Cp("всё?")));
    EXPECT_TRUE(HasUpperLetter(Cp("аЁ")));
    EXPECT_FALSE(HasUpperLetter("ABC"));
    EXPECT_TRUE(HasDiaeresisE(Cp("трЁх")));
    EXPECT_TRUE(HasAnyE(Cp("Е")));
    EXPECT_FALSE(HasAnyE(Cp("дом")));
}

TEST(Letters, CandidateWords) {
    EXPECT_TRUE(IsCandidateWord(Cp("все"), false, false));
    EXPECT_FALSE(IsCandidateWord(Cp("всё"), false, false));
    EXPECT_TRUE(IsCandidateWord(Cp("всё"), false, true));
    // During collection only words with ё are looked at.
    EXPECT_FALSE(IsCandidateWord(Cp("все"), true, false));
    EXPECT_TRUE(IsCandidateWord(Cp("всё"), true, false));
}

TEST(Keys, EKeyAndCaseForms) {
    EXPECT_EQ(EKey(Cp("Трёхведёрный")), Cp("Трехведерный"));
    EXPECT_EQ(EKey(Cp("ЁЛКА")), Cp("ЕЛКА"));
    EXPECT_EQ(EKey(Cp("ЕЛКА")), Cp("ЕЛКА"));
    EXPECT_EQ(LowerCase(Cp("ЁЛКА Tree")), Cp("ёлка tree"));
    EXPECT_EQ(UpperCase(Cp("ёлка")), Cp("ЁЛКА"));
    EXPECT_EQ(LowerCase(Cp("ЇҐ")), Cp("їґ"));
    EXPECT_EQ(FirstAsIs(Cp("ЛЕВИН")), Cp("Левин"));
    EXPECT_EQ(FirstAsIs(Cp("левин")), Cp("левин"));
    EXPECT_EQ(FirstAsIs(""), "");
}

TEST(Keys, TransferCaseOnlyRaises) {
    EXPECT_EQ(TransferCase(Cp("ещё"), Cp("ЕЩЕ")), Cp("ЕЩЁ"));
    EXPECT_EQ(TransferCase(Cp("ещё"), Cp("Еще")), Cp("Ещё"));
    EXPECT_EQ(TransferCase(Cp("ещё"), Cp("еЩе")), Cp("еЩё"));
    EXPECT_EQ(TransferCase(Cp("ещё"), Cp("еще")), Cp("ещё"));
    EXPECT_EQ(TransferCase(Cp("ещё"), Cp("ЕЩ")), Cp("ЕЩё"));
    EXPECT_EQ(TransferCase(Cp("Лёвин"), Cp("ЛЕВИН")), Cp("ЛЁВИН"));
    EXPECT_EQ(TransferCase(Cp("Лёвин"), Cp("левин")), Cp("Лёвин"));
}

TEST(Order, DicCompareIsCaseBlindFirstThenExact) {
    EXPECT_EQ(DicCompare(Cp("Тер"), Cp("тер")), -1);
    EXPECT_EQ(DicCompare(Cp("тер"), Cp("Тер")), 1);
    EXPECT_EQ(DicCompare(Cp("тер"), Cp("тер")), 0);
    EXPECT_EQ(DicCompare(Cp("абв"), Cp("АБВГ")), -1);
    EXPECT_EQ(DicCompare(Cp("я"), Cp("а")), 1);
    EXPECT_EQ(DicCompare(Cp("все-то"), Cp("всеа")), -1); // non-letters first
    EXPECT_EQ(DicKeyCompare(Cp("всё"), Cp("все")), 0);
    EXPECT_EQ(DicLineCompare(Cp("всё?"), Cp("все")), 0);
    EXPECT_EQ(DicLineCompare(Cp("Тёр?"), Cp("тёр")), -1);
    EXPECT_EQ(DicLineCompareNoCase(Cp("Тёр?"), Cp("тер")), 0);
}

TEST(Order, SortedFindIsExact) {
    const std::vector<std::string> keys = {Cp("Алеша"), Cp("все"), Cp("еще")};
    EXPECT_EQ(SortedFind(keys, Cp("Алеша"), DicCompare), 0);
    EXPECT_EQ(SortedFind(keys, Cp("алеша"), DicCompare), -1);
    EXPECT_EQ(SortedFind(keys, Cp("все"), DicCompare), 1);
    EXPECT_EQ(SortedFind(keys, Cp("еще"), DicCompare), 2);
    EXPECT_EQ(SortedFind({}, Cp("все"), DicCompare), -1);
    std::vector<std::string> many;
    for (char c : Cp("абвгдежзийклмнопрстуфхцчшщъыьэюя")) {
        many.emplace_back(2, c);
    }
    for (size_t i = 0; i < many.size(); ++i) {
        EXPECT_EQ(SortedFind(many, many[i], DicCompare), static_cast<int>(i));
    }
    EXPECT_EQ(SortedFind(many, Cp("аб"), DicCompare), -1);
}

TEST(Plural, EndingsByLastDigits) {
    const std::string one = Cp("о"), few = Cp("а");
    EXPECT_EQ(PluralEnding(1, 2), one);
    for (int n : {2, 3, 4, 22, 104}) {
        EXPECT_EQ(PluralEnding(n, 2), few) << n;
    }
    for (int n : {0, 5, 11, 12, 14, 111, 25}) {
        EXPECT_EQ(PluralEnding(n, 2), "") << n;
        EXPECT_EQ(PluralEnding(n, 3), Cp("й")) << n;
    }
    EXPECT_EQ(PluralEnding(21, 3), Cp("е"));
    EXPECT_EQ(PluralEnding(101, 3), Cp("е"));
    EXPECT_EQ(PluralEnding(3, 3), Cp("я"));
    EXPECT_EQ(PluralEnding(3, 7, "x"), "x");
}

TEST(Strings, SmallHelpers) {
    EXPECT_TRUE(IsCommentLine(""));
    EXPECT_TRUE(IsCommentLine("#"));
    EXPECT_FALSE(IsCommentLine(" #"));
    EXPECT_EQ(LastChar("ab"), "b");
    EXPECT_EQ(LastChar(""), "");
    EXPECT_EQ(DropLastChar("ab"), "a");
    EXPECT_EQ(DropLastChar(""), "");
    EXPECT_EQ(PosFrom("ab", "xxxab", 5), 0u);
    EXPECT_EQ(PosFrom("ab", "xxxxab", 5), 5u);
    EXPECT_EQ(PosFrom("ab", "abxxab", 1), 1u);
    EXPECT_EQ(PosFrom("ab", "ab", 9), 0u);
}

TEST(Strings, SplitWordsStopsAtEveryNonLetter) {
    const std::string line = Cp("всё-таки д'Артаньян 5ёж");
    const auto words = SplitWords(line);
    ASSERT_EQ(words.size(), 5u);
    EXPECT_EQ(line.substr(words[0].pos, words[0].length), Cp("всё"));
    EXPECT_EQ(line.substr(words[1].pos, words[1].length), Cp("таки"));
    EXPECT_EQ(line.substr(words[2].pos, words[2].length), Cp("д"));
    EXPECT_EQ(line.substr(words[3].pos, words[3].length), Cp("Артаньян"));
    EXPECT_EQ(line.substr(words[4].pos, words[4].length), Cp("ёж"));
}

TEST(Order, KeyAndLineComparisonsAgreeWithTheirDefinitions) {
    // The comparisons map bytes on the fly; they must order exactly as
    // DicCompare over the е-keys (and lower-case forms) they are defined by.
    const std::string letters = Cp("еЕёЁтТаА?-");
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    auto randomWord = [&] {
        std::string w;
        for (unsigned n = next() % 5; n > 0; --n) {
            w += letters[(next() >> 8) % letters.size()];
        }
        return w;
    };
    auto dropQuery = [](std::string s) {
        if (!s.empty() && s.back() == '?') {
            s.pop_back();
        }
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = randomWord(), b = randomWord();
        const int key = DicCompare(EKey(a), EKey(b));
        EXPECT_EQ(DicKeyCompare(a, b), key) << a << " " << b;
        EXPECT_EQ(DicLineCompare(a, b), DicCompare(EKey(dropQuery(a)), EKey(dropQuery(b))));
        EXPECT_EQ(DicLineCompareNoCase(a, b),
                  DicCompare(EKey(dropQuery(LowerCase(a))), EKey(dropQuery(LowerCase(b)))));
    }
}
