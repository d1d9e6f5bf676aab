#include "core/regex_matcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/codepage.h"

namespace umlo {
namespace {

// The 0-based offset and text of the first match at or after start, or
// {-1, ""} when there is none.
std::pair<int, std::string> First(const std::string& pattern, const std::string& subject,
                                  bool caseless = true, size_t start = 0) {
    RegexMatcher m;
    EXPECT_TRUE(m.Compile(pattern, caseless)) << m.ErrorMessage();
    RegexMatch match;
    if (!m.Match(subject, start, match)) {
        return {-1, ""};
    }
    return {static_cast<int>(match.Pos()), subject.substr(match.Pos(), match.Length())};
}

TEST(RegexMatcher, WordCharactersAreExactlyTheRussianLetters) {
    EXPECT_EQ(First(Cp("\\w+"), Cp("abc где")), std::make_pair(4, Cp("где")));
    EXPECT_EQ(First(Cp("\\w+"), Cp("ёлка_12")), std::make_pair(0, Cp("ёлка")));
    EXPECT_EQ(First(Cp("\\W+"), Cp("ёж a1_ ёж")), std::make_pair(2, Cp(" a1_ ")));
    // \b between a Latin letter and a Russian one, none between two Latin ones.
    EXPECT_EQ(First(Cp("\\bдом"), Cp("xдом")).first, 1);
    EXPECT_EQ(First(Cp("a\\bb"), Cp("ab")).first, -1);
    EXPECT_EQ(First(Cp("о\\Bч"), Cp("о ч очень")).first, 4);
    // Every one of the 66 letters is a word character, nothing else in cp1251 is.
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    RegexMatcher m;
    ASSERT_TRUE(m.Compile("\\w"));
    RegexMatch match;
    std::string found;
    for (size_t pos = 0; m.Match(all, pos, match); pos = match.End()) {
        found += all.substr(match.Pos(), 1);
    }
    EXPECT_EQ(found, Cp("ЁёАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"));
}

TEST(RegexMatcher, SpaceCharactersAreTheSixSeparators) {
    const std::string seps = std::string(" \t\n\r\f") + '\xA0';
    EXPECT_EQ(First("\\s+", "x" + seps + "\vy"), std::make_pair(1, seps));
    EXPECT_EQ(First("\\S", std::string("\v")).first, 0);
    EXPECT_EQ(First("[\\s]+", "a" + seps), std::make_pair(1, seps));
}

TEST(RegexMatcher, CaseBlindMatchingPairsRussianLetters) {
    EXPECT_EQ(First(Cp("всё"), Cp("ВСЁ")).first, 0);
    EXPECT_EQ(First(Cp("ВСЕ"), Cp("все")).first, 0);
    EXPECT_EQ(First(Cp("Abc"), Cp("aBC")).first, 0);
    EXPECT_EQ(First(Cp("ё"), Cp("е")).first, -1);
    EXPECT_EQ(First(Cp("всё"), Cp("ВСЁ"), false).first, -1);
    EXPECT_EQ(First(Cp("[а-в]+"), Cp("АБВ")), std::make_pair(0, Cp("АБВ")));

    RegexMatcher m;
    ASSERT_TRUE(m.Compile(Cp("ёж"), true));
    RegexMatch match;
    EXPECT_TRUE(m.Match(Cp("ЁЖ"), 0, match));
    ASSERT_TRUE(m.SetCaseless(false));
    EXPECT_FALSE(m.Match(Cp("ЁЖ"), 0, match));
    EXPECT_TRUE(m.Match(Cp("ёж"), 0, match));
}

TEST(RegexMatcher, RussianRangesTakeInYo) {
    EXPECT_EQ(First(Cp("[а-я]+"), Cp("ёлка")), std::make_pair(0, Cp("ёлка")));
    EXPECT_EQ(First(Cp("[А-Я]+"), Cp("ЁЛКА"), false), std::make_pair(0, Cp("ЁЛКА")));
    EXPECT_EQ(First(Cp("[^а-я]"), Cp("ёx")), std::make_pair(1, std::string("x")));
    // а-Я is the whole alphabet in both cases.
    EXPECT_EQ(First(Cp("[а-Я]+"), Cp("ЁжикЯ"), false), std::make_pair(0, Cp("ЁжикЯ")));
    // A range that stops before ё does not take it in.
    EXPECT_EQ(First(Cp("[а-е]"), Cp("ё"), false).first, -1);
    EXPECT_EQ(RewriteRussianRanges(Cp("[а-я]")), Cp("[а-яё]"));
    EXPECT_EQ(RewriteRussianRanges(Cp("[А-Я]")), Cp("[А-ЯЁ]"));
    EXPECT_EQ(RewriteRussianRanges(Cp("[А-я]")), Cp("[А-яЁё]"));
    EXPECT_EQ(RewriteRussianRanges(Cp("[а-Я]")), Cp("[А-яЁё]"));
    // Outside a class, escaped or quoted, nothing changes.
    EXPECT_EQ(RewriteRussianRanges(Cp("а-я \\[а-я] \\Q[а-я]\\E")), Cp("а-я \\[а-я] \\Q[а-я]\\E"));
    EXPECT_EQ(RewriteRussianRanges(Cp("[]а-я][[:alpha:]а-я]")), Cp("[]а-яё][[:alpha:]а-яё]"));
}

TEST(RegexMatcher, LineBreaksForAnchorsAndDot) {
    const std::string text = Cp("еще\r\nеще\nеще\rеще");
    RegexMatcher m;
    ASSERT_TRUE(m.Compile(Cp("^еще")));
    RegexMatch match;
    std::vector<size_t> starts;
    for (size_t pos = 0; m.Match(text, pos, match); pos = match.End()) {
        starts.push_back(match.Pos());
    }
    EXPECT_EQ(starts, (std::vector<size_t>{0, 5, 9, 13}));
    EXPECT_EQ(First("a$", "a\r\nb").first, 0);
    EXPECT_EQ(First("a$", "a\rb").first, 0);
    EXPECT_EQ(First("a$", "ab").first, -1);
    EXPECT_EQ(First(Cp("а.б"), Cp("а\rб")).first, 0);
    EXPECT_EQ(First(Cp("а..б"), Cp("а\r\nб")).first, 0);
}

TEST(RegexMatcher, GroupsPositionsAndGreed) {
    RegexMatcher m;
    ASSERT_TRUE(m.Compile(Cp("(а)|(б)(в)?")));
    RegexMatch match;
    ASSERT_TRUE(m.Match(Cp("xxбy"), 0, match));
    ASSERT_EQ(match.HighestGroup(), 2); // group 3 took no part, nor does it count
    EXPECT_FALSE(match.groups[1].Matched());
    EXPECT_EQ(match.groups[2].pos, 2);
    EXPECT_EQ(match.groups[2].length, 1u);

    EXPECT_EQ(First("a+", "caaab"), std::make_pair(1, std::string("aaa")));
    EXPECT_EQ(First("a{1,2}", "aaa"), std::make_pair(0, std::string("aa")));
    EXPECT_EQ(First("\\d+", "x 125 y"), std::make_pair(2, std::string("125")));
}

TEST(RegexMatcher, MatchesFromAPosition) {
    EXPECT_EQ(First("ab", "ab ab", true, 1).first, 3);
    EXPECT_EQ(First("ab", "ab", true, 2).first, -1);
    EXPECT_EQ(First("", "ab", true, 2).first, 2);
    EXPECT_EQ(First("", "ab", true, 3).first, -1); // beyond the end
    // A lookbehind sees the text before the start position.
    EXPECT_EQ(First(Cp("(?<=о )чем"), Cp("о чем"), true, 2).first, 2);
}

TEST(RegexMatcher, FourteenGroupsAtMost) {
    std::string fourteen, fifteen;
    for (int i = 0; i < 14; ++i) {
        fourteen += "(a)";
    }
    fifteen = fourteen + "(a)";
    RegexMatcher m;
    EXPECT_TRUE(m.Compile(fourteen));
    EXPECT_EQ(m.CaptureCount(), 14);
    EXPECT_FALSE(m.Compile(fifteen));
    EXPECT_FALSE(m.IsCompiled());
    EXPECT_NE(m.ErrorMessage().find("14"), std::string::npos);
    // Non-capturing groups do not count.
    EXPECT_TRUE(m.Compile(fourteen + "(?:a)"));
}

TEST(RegexMatcher, BadPatternsReportAndNeverMatch) {
    RegexMatcher m;
    for (const std::string& bad : {std::string("(ab"), std::string("[ab"), std::string("a)"),
                                   std::string("*a"), std::string("a{2,1}"), Cp("[я-а]")}) {
        EXPECT_FALSE(m.Compile(bad)) << bad;
        EXPECT_FALSE(m.ErrorMessage().empty()) << bad;
        RegexMatch match;
        EXPECT_FALSE(m.Match("ab", 0, match));
    }
    // Binary bytes in the pattern and the subject are ordinary characters.
    const std::string binary("\x00\x01\xFF\x98", 4);
    ASSERT_TRUE(m.Compile(binary));
    RegexMatch match;
    ASSERT_TRUE(m.Match(std::string("x", 1) + binary, 0, match));
    EXPECT_EQ(match.Pos(), 1u);
}

TEST(RegexMatcher, RunawayBacktrackingStopsAsNoMatch) {
    RegexMatcher m;
    ASSERT_TRUE(m.Compile(Cp("(а+)+б")));
    const std::string subject = std::string(40, '\xE0') + Cp("в б");
    RegexMatch match;
    EXPECT_FALSE(m.Match(subject, 0, match));
    // The matcher is still usable afterwards.
    EXPECT_TRUE(m.Match(Cp("аб"), 0, match));
}

TEST(RegexMatcher, LongSubjectsAndPatterns) {
    const std::string text = std::string(100000, 'x') + Cp("ёж");
    EXPECT_EQ(First(Cp("ёж"), text).first, 100000);
    EXPECT_EQ(First(Cp(".*ёж"), text).first, 0);
    RegexMatcher m;
    const std::string longPattern(100000, 'x');
    if (m.Compile(longPattern)) {
        RegexMatch match;
        EXPECT_TRUE(m.Match(text, 0, match));
    } else {
        EXPECT_FALSE(m.ErrorMessage().empty());
    }
}

} // namespace
} // namespace umlo
