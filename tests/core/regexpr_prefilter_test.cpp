#include "core/regexpr_prefilter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/regexpr_apply.h"
#include "core/regexpr_dictionary.h"
#include "core/words.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"

namespace umlo {
namespace {

std::string Required(const char* line) {
    return Cp1251ToUtf8(RequiredLetters(LineToExpression(Cp(line))));
}

TEST(RequiredLetters, LongestFixedRunOutsideGroupsAndClasses) {
    EXPECT_EQ(Required("о чём"), "чем");
    EXPECT_EQ(Required("всё-таки"), "таки");
    EXPECT_EQ(Required("\\d+ лет"), "лет");
    EXPECT_EQ(Required("Тер-[А-Я]"), "тер"); // folded: the test is case-blind
    EXPECT_EQ(Required("ещё раз"), "еще");
    // Letters after a group or a class still count; those inside do not.
    EXPECT_EQ(Required("(а|б) всё"), "все");
    EXPECT_EQ(Required("[абвгд]+ль всё"), "все");
    // A letter with a quantifier is not fixed.
    EXPECT_EQ(Required("ст? всё"), "все");
    EXPECT_EQ(Required("столы* ел"), "стол");
    EXPECT_EQ(Required("абвг{2} е"), "абв");
    // A group name in an escape is no text.
    EXPECT_EQ(Required("(?<имя>а)\\k<имя> е"), "е");
}

TEST(RequiredLetters, NothingWhereTheReadingCannotBeTrusted) {
    EXPECT_EQ(Required("о чём|при всём"), "");
    EXPECT_EQ(Required("\\Qчём\\E"), "");
    EXPECT_EQ(Required("(?x)ч ё м"), "");
    EXPECT_EQ(Required("(*FAIL)чём"), "");
    EXPECT_EQ(Required("(?#чём)е"), "");
    EXPECT_EQ(Required("\\d+"), "");
    // Alternation inside a group is fine.
    EXPECT_EQ(Required("(о|об) всём"), "всем");
}

TEST(LetterPairs, CoversOnlyWhatTheTextHolds) {
    const LetterPairs text(FoldForPrefilter(Cp("о ЧЁМ речь")));
    EXPECT_TRUE(text.Covers(LetterPairs(FoldForPrefilter(Cp("чем")))));
    EXPECT_TRUE(text.Covers(LetterPairs(FoldForPrefilter(Cp("речь")))));
    EXPECT_TRUE(text.Covers(LetterPairs()));
    // A pair that the text lacks (a hash collision could let one through, never
    // the other way round).
    EXPECT_FALSE(LetterPairs().Covers(LetterPairs(FoldForPrefilter(Cp("чем")))));
}

// The prefilter must never change a verdict: the dictionary's answer for
// every word of a varied text equals that of trying every expression in turn.
TEST(RegExprPrefilter, VerdictsEqualTryingEveryExpression) {
    const std::vector<std::string> lines = {
        "о чём",     "всё-таки",       "\\d+ лет",    "Тер-[А-Я]",     "ещё раз",     "(а|б) всё",
        "стол? всё", "о чём|при всём", "Всё равно",   "(?i)ВСЁ ЖЕ",    "Все(?i) ТАК", "при\\s+всём",
        "за всё",    "ни о чём",       "вс[её]",      "(?<имя>о) чём", "всё ?тут",    "[^а-я]всё",
        "^всё",      "всё$",           "(о|об) всём", "всё\\.",        "е(с)ть",      "(чём)"};
    TRegExprDic all;
    for (const std::string& line : lines) {
        ASSERT_TRUE(all.AddLine(Cp(line))) << line;
    }
    const std::vector<std::string> words = {"о",   "чем", "все",   "всем", "при", "лет",  "Тер",
                                            "ТЕР", "ВСЕ", "Все",   "таки", "раз", "еще",  "же",
                                            "так", "ни",  "тут",   "за",   "ест", "стол", "б",
                                            "а",   "12",  "равно", "-",    ".",   " ",    "\n"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        const std::string& w = words[pick(rng)];
        text += Cp(w);
        if (rng() % 3 != 0) {
            text += ' ';
        }
    }
    MemoryTextBuffer buffer;
    buffer.SetAllText(Cp1251ToUtf16(text));
    const std::string flat = Utf16ToCp1251(buffer.GetAllText());

    RunCounters counters;
    testing::RecordingHost host;
    RegExprApplication app{buffer, all, counters, host, 5};
    int settled = 0;
    for (const WordSpan& span : SplitWords(flat)) {
        const std::string word = flat.substr(span.pos, span.length);
        if (!HasAnyE(word)) {
            continue;
        }
        const std::string plain = EKey(word);
        std::string yo = plain;
        for (char& c : yo) {
            if (static_cast<unsigned char>(c) == kLowerYe) {
                c = static_cast<char>(kLowerYo);
            } else if (static_cast<unsigned char>(c) == kUpperYe) {
                c = static_cast<char>(kUpperYo);
            }
        }
        const LineColumn place = buffer.LineAndColumn(static_cast<int>(span.pos));
        const WordContext context = BuildWordContext(buffer, place.line, place.column, word, 2);
        int expected = 0;
        for (int k = 0; k < all.Count() && expected == 0; ++k) {
            expected = TryExpression(all, k, context, word, plain, yo);
        }
        const RegExprVerdict v = ApplyRegExprs(app, word, static_cast<int>(span.pos), plain, yo);
        ASSERT_EQ(v.verdict, expected) << Cp1251ToUtf8(context.text);
        settled += v.settled ? 1 : 0;
    }
    EXPECT_GT(settled, 50); // the text gives the expressions work to do
}

} // namespace
} // namespace umlo
