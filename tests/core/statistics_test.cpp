// Per-word counting, the two grids with their sorting, and the saved file.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/statistics.h"
#include "core/words.h"
#include "tests/core/engine_fixture.h"
#include "tests/support/test_files.h"

namespace umlo::testing {
namespace {

using Statistics = EngineTest;

std::vector<std::string> Utf8Row(const StatGrid& grid, size_t row) {
    std::vector<std::string> out;
    for (const auto& cell : grid.rows.at(row)) {
        out.push_back(Cp1251ToUtf8(cell));
    }
    return out;
}

using Row = std::vector<std::string>;

TEST(MarkedWordFormTest, DifferingLettersAreBracketed) {
    EXPECT_EQ(Cp1251ToUtf8(MarkedWordForm(Cp("все"), Cp("всё"))), "вс(е/ё)");
    EXPECT_EQ(Cp1251ToUtf8(MarkedWordForm(Cp("трехведерный"), Cp("трёхведёрный"))),
              "тр(е/ё)хвед(е/ё)рный");
    EXPECT_EQ(Cp1251ToUtf8(MarkedWordForm(Cp("Тер"), Cp("Тёр"))), "Т(е/ё)р");
}

TEST_F(Statistics, OnePassFillsTheWordRowAndTheTotal) {
    Answer({AnswerDiaeresis, AnswerPlain, AnswerDiaeresis});
    Run("все все все");
    const StatGrid grid = WordStatisticsGrid(dic);
    ASSERT_EQ(grid.rows.size(), 3u);
    EXPECT_EQ(Utf8Row(grid, 0), (Row{"*", "Общее число", "Е = Е", "Е -> Ё", "Ё = Ё", "Ё -> Е"}));
    EXPECT_EQ(Utf8Row(grid, 1), (Row{"вс(е/ё)", "3", "1", "2", "0", "0"}));
    EXPECT_EQ(Utf8Row(grid, 2), (Row{"ВСЕГО", "3", "1", "2", "0", "0"}));
    EXPECT_EQ(grid.sortedColumn, 0);
}

TEST_F(Statistics, CaseIsIgnoredAndMisplacedWordsAreNotCounted) {
    Answer({AnswerDiaeresis, AnswerPlain});
    Run("Всё Трехвёдёрный привет");
    const StatGrid grid = WordStatisticsGrid(dic);
    ASSERT_EQ(grid.rows.size(), 3u);
    EXPECT_EQ(Utf8Row(grid, 1), (Row{"вс(е/ё)", "1", "0", "0", "1", "0"}));
    EXPECT_EQ(engine.Counters().Decided, 3);
}

TEST_F(Statistics, ChangingYoBackToECounts) {
    Answer({AnswerPlain});
    Run("всё");
    EXPECT_EQ(Utf8Row(WordStatisticsGrid(dic), 1), (Row{"вс(е/ё)", "1", "0", "0", "0", "1"}));
}

TEST_F(Statistics, EmptyGridsHoldOnlyTheTotal) {
    const StatGrid words = WordStatisticsGrid(dic);
    ASSERT_EQ(words.rows.size(), 2u);
    EXPECT_EQ(Utf8Row(words, 1), (Row{"ВСЕГО", "0", "0", "0", "0", "0"}));
    const StatGrid combi = CombiStatisticsGrid(regExprs);
    ASSERT_EQ(combi.rows.size(), 2u);
    EXPECT_EQ(Utf8Row(combi, 0), (Row{"*", "Общее число"}));
    EXPECT_EQ(Utf8Row(combi, 1), (Row{"ВСЕГО", "0"}));
}

TEST_F(Statistics, ExpressionsThatSettledWordsAreListedAsWritten) {
    Run("все-таки Все-таки 125 лет");
    const StatGrid combi = CombiStatisticsGrid(regExprs);
    ASSERT_EQ(combi.rows.size(), 4u);
    EXPECT_EQ(Utf8Row(combi, 1), (Row{"\\d+ лет", "1"}));
    EXPECT_EQ(Utf8Row(combi, 2), (Row{"всё-таки", "2"}));
    EXPECT_EQ(Utf8Row(combi, 3), (Row{"ВСЕГО", "3"}));
}

TEST_F(Statistics, SortingByACountPutsTheLargestFirstAndKeepsTheTotalLast) {
    const auto add = [this](const char* word, WordCounter which, int n) {
        dic.AddToCounter(dic.FindKey(EKey(Cp(word))), which, n);
    };
    add("мёд", WordCounter::PlainToDiaeresis, 1);
    add("ещё", WordCounter::PlainToDiaeresis, 5);
    add("всё", WordCounter::PlainKept, 7);
    add("Алёша", WordCounter::PlainToDiaeresis, 3);
    StatGrid grid = WordStatisticsGrid(dic);
    ASSERT_EQ(grid.rows.size(), 6u);
    EXPECT_EQ(Utf8Row(grid, 1)[0], "Ал(е/ё)ша");
    EXPECT_EQ(Utf8Row(grid, 2)[0], "вс(е/ё)");
    EXPECT_EQ(Utf8Row(grid, 3)[0], "ещ(е/ё)");
    EXPECT_EQ(Utf8Row(grid, 4)[0], "м(е/ё)д");

    HeaderClicked(grid, 3); // "Е -> Ё"
    EXPECT_EQ(Utf8Row(grid, 1), (Row{"ещ(е/ё)", "5", "0", "5", "0", "0"}));
    EXPECT_EQ(Utf8Row(grid, 2)[0], "Ал(е/ё)ша");
    EXPECT_EQ(Utf8Row(grid, 3)[0], "м(е/ё)д");
    EXPECT_EQ(Utf8Row(grid, 4)[0], "вс(е/ё)");
    EXPECT_EQ(Utf8Row(grid, 5), (Row{"ВСЕГО", "16", "7", "9", "0", "0"}));
    EXPECT_EQ(Utf8Row(grid, 0)[0], "");
    EXPECT_EQ(Utf8Row(grid, 0)[3], "Е -> Ё*");
    EXPECT_EQ(grid.sortedColumn, 3);

    // Clicking the sorted column again changes nothing.
    std::swap(grid.rows[1], grid.rows[2]);
    const StatGrid before = grid;
    HeaderClicked(grid, 3);
    EXPECT_EQ(grid.rows, before.rows);

    HeaderClicked(grid, 1); // "Общее число"
    EXPECT_EQ(Utf8Row(grid, 1)[0], "вс(е/ё)");
    EXPECT_EQ(Utf8Row(grid, 0)[1], "Общее число*");
    EXPECT_EQ(Utf8Row(grid, 0)[3], "Е -> Ё");
    HeaderClicked(grid, 0);
    EXPECT_EQ(Utf8Row(grid, 1)[0], "Ал(е/ё)ша");
    EXPECT_EQ(Utf8Row(grid, 5)[0], "ВСЕГО");
}

TEST(SortColumnTest, CellsThatAreNotNumbersCountAsEqual) {
    StatGrid grid;
    grid.rows = {{"", "n"}, {"a", "x"}, {"b", "2"},         {"c", "9"},
                 {"d", ""}, {"e", "4"}, {Cp("ВСЕГО"), "15"}};
    SortColumn(grid, 1);
    EXPECT_EQ(grid.rows.size(), 7u);
    EXPECT_EQ(grid.rows.back()[0], Cp("ВСЕГО"));
    EXPECT_EQ(grid.rows[0][1], "n*");
    // Every row is still there once.
    std::vector<std::string> names;
    for (size_t r = 1; r + 1 < grid.rows.size(); ++r) {
        names.push_back(grid.rows[r][0]);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST_F(Statistics, SavedFileHasBothGridsWithoutHeaders) {
    const int all = dic.FindKey(Cp("все"));
    dic.AddToCounter(all, WordCounter::PlainKept, 3);
    dic.AddToCounter(all, WordCounter::PlainToDiaeresis, 9);
    regExprs.AddUse(1);
    const std::string text = StatisticsText(WordStatisticsGrid(dic), CombiStatisticsGrid(regExprs));
    const std::string expected = "вс(е/ё)     12     3     9     0     0\r\n"
                                 "ВСЕГО       12     3     9     0     0\r\n"
                                 "===\r\n"
                                 "всё-таки      1\r\n"
                                 "ВСЕГО         1\r\n";
    EXPECT_EQ(Cp1251ToUtf8(text), expected);
    EXPECT_EQ(text.find("\r\n"), 38u); // 7 + 2 + 4 × 6 + 5 characters

    StatGrid wide;
    wide.rows = {{"", "n"}, {"x", "1234567"}};
    EXPECT_EQ(StatisticsText(wide, wide), "x  1234567\r\n===\r\nx  1234567\r\n");
}

TEST_F(Statistics, SaveWritesTheFileAndReportsFailures) {
    namespace fs = std::filesystem;
    const fs::path dir = umlo::testing::FreshTestFolder("umlo_stat");
    const fs::path file = dir / "umlo_stat.log";
    {
        std::ofstream old(file);
        old << "old content that is longer than the new one\n";
    }
    const StatGrid words = WordStatisticsGrid(dic);
    const StatGrid combi = CombiStatisticsGrid(regExprs);
    ASSERT_TRUE(SaveStatistics(file.string(), words, combi, host));
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), StatisticsText(words, combi));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    EXPECT_FALSE(SaveStatistics((dir / "missing" / "x.log").string(), words, combi, host));
    EXPECT_FALSE(SaveStatistics(dir.string(), words, combi, host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(host.messages[0].text.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST_F(Statistics, ResetZeroesEverythingButTheCollectedCount) {
    Answer({AnswerDiaeresis});
    Run("все-таки все еще");
    engine.Counters().NewWordCount = 4;
    ResetStatistics(engine.Counters(), dic, regExprs, host);
    const RunCounters& c = engine.Counters();
    EXPECT_EQ(c.Decided + c.DecidedChanged + c.Asked + c.RegExprHits + c.RegExprMisses +
                  c.RegExprHitsChanged,
              0);
    EXPECT_EQ(c.NewWordCount, 4);
    EXPECT_EQ(host.status.at(1), "");
    EXPECT_EQ(WordStatisticsGrid(dic).rows.size(), 2u);
    EXPECT_EQ(CombiStatisticsGrid(regExprs).rows.size(), 2u);
}

TEST_F(Statistics, ClearMarksResetsEveryColourAndKeepsTheCaret) {
    Run("еще дом еще");
    EXPECT_NE(buffer.FormatAt(2).text, kBlack);
    buffer.SetCaret(5);
    ClearMarks(buffer, kBlack);
    for (int i = 0; i < buffer.TextLength(); ++i) {
        EXPECT_EQ(buffer.FormatAt(i).text, kBlack);
        EXPECT_EQ(buffer.FormatAt(i).back, kWhite);
    }
    EXPECT_EQ(buffer.SelStart(), 5);
    EXPECT_EQ(buffer.SelLength(), 0);
}

} // namespace
} // namespace umlo::testing

namespace umlo::testing {
namespace {

TEST_F(Statistics, ClearingStatisticsAsksFirst) {
    Answer({AnswerDiaeresis});
    Run("еще все");
    host.answers.clear();
    // No (the default button) keeps counters and marks.
    EXPECT_FALSE(Clearstat1Click(engine.Counters(), dic, regExprs, buffer, kBlack, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].text, "Обнулить статистику ёфикации?");
    EXPECT_EQ(engine.Counters().Decided, 2);
    EXPECT_NE(buffer.FormatAt(2).text, kBlack);

    host.yesNoAnswer = MessageResult::Yes;
    EXPECT_TRUE(Clearstat1Click(engine.Counters(), dic, regExprs, buffer, kBlack, host));
    EXPECT_EQ(engine.Counters().Decided, 0);
    EXPECT_FALSE(host.commands.at("Clearstat1"));
    EXPECT_EQ(buffer.FormatAt(2).text, kBlack);
    EXPECT_EQ(WordStatisticsGrid(dic).rows.size(), 2u);
}

} // namespace
} // namespace umlo::testing
