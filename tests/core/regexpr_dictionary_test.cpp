#include "core/regexpr_dictionary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/codepage.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

using testing::RecordingHost;

TEST(LineToExpression, WorkedExamples) {
    EXPECT_EQ(LineToExpression(Cp("о чём")), Cp("\\bо\\s+ч([её])м\\b"));
    EXPECT_EQ(LineToExpression(Cp("всё-таки")), Cp("\\bвс([её])-(\\r\\n){0,1}таки\\b"));
    EXPECT_EQ(LineToExpression(Cp("\\d+ лет")), Cp("\\d+\\s+л([её])т\\b"));
    EXPECT_EQ(LineToExpression(Cp("Тер-[А-Я]")), Cp("\\bТ([её])р-(\\r\\n){0,1}[А-Я]"));
    EXPECT_EQ(LineToExpression(Cp("ещё раз")), Cp("([её])щ([её])\\s+раз\\b"));
}

TEST(LineToExpression, EdgeCases) {
    // A run of separators of any kind is one \s+.
    EXPECT_EQ(LineToExpression(Cp("о  чём")), LineToExpression(Cp("о чём")));
    EXPECT_EQ(LineToExpression(Cp("о \t") + '\xA0' + Cp("чём")), LineToExpression(Cp("о чём")));
    // Letters in brackets are matched as written.
    EXPECT_EQ(LineToExpression(Cp("вс[её]-таки")), Cp("\\bвс[её]-(\\r\\n){0,1}таки\\b"));
    EXPECT_EQ(LineToExpression(Cp("(е|ё)ж")), Cp("(е|ё)ж\\b"));
    // Escaped parentheses are ordinary characters.
    EXPECT_EQ(LineToExpression(Cp("\\(е\\)")), Cp("\\(([её])\\)"));
    // No \b after a deciding letter at the end.
    EXPECT_EQ(LineToExpression(Cp("всё")), Cp("\\bвс([её])"));
    // Capital deciding letters keep their case in the group.
    EXPECT_EQ(LineToExpression(Cp("ЕЩЁ")), Cp("([ЕЁ])Щ([ЕЁ])"));
    // A separator inside brackets is still converted; a hyphen there is not.
    EXPECT_EQ(LineToExpression(Cp("[а-я ]")), Cp("[а-я\\s+]"));
    // Latin letters get no word boundary: they are no word characters.
    EXPECT_EQ(LineToExpression("abc"), "abc");
    EXPECT_EQ(LineToExpression(""), "");
}

TEST(DecidingLetters, EveryYeAndYoAsWrittenBracketsIncluded) {
    EXPECT_EQ(DecidingLetters(Cp("ещё раз")), (std::vector<int>{0, 2}));
    EXPECT_EQ(DecidingLetters(Cp("вс[её]-Е")), (std::vector<int>{3, 4, 7}));
    EXPECT_TRUE(DecidingLetters(Cp("\\d+")).empty());
}

TEST(TRegExprDic, AddLineAppendsOnlyWhatCompiles) {
    TRegExprDic dic;
    EXPECT_TRUE(dic.AddLine(Cp("о чём")));
    EXPECT_FALSE(dic.AddLine(Cp("(ab")));
    EXPECT_FALSE(dic.AddLine(Cp("[ab")));
    EXPECT_FALSE(dic.AddLine(Cp("*ёж")));
    std::string fifteen;
    for (int i = 0; i < 15; ++i) {
        fifteen += "(a)";
    }
    EXPECT_FALSE(dic.AddLine(fifteen));
    // Fourteen deciding letters make fourteen groups: still fine.
    EXPECT_TRUE(dic.AddLine(std::string(14, '\xE5')));
    EXPECT_FALSE(dic.AddLine(std::string(15, '\xE5')));
    EXPECT_TRUE(dic.AddLine(Cp("Тер-[А-Я]")));
    ASSERT_EQ(dic.Count(), 3);
    EXPECT_EQ(dic.Source(2), Cp("Тер-[А-Я]"));
    EXPECT_EQ(dic.Expression(2), Cp("\\bТ([её])р-(\\r\\n){0,1}[А-Я]"));
    EXPECT_TRUE(dic.CaseSensitive(2));
    EXPECT_FALSE(dic.CaseSensitive(0));
    EXPECT_EQ(dic.UseCountOf(2), 0);
    EXPECT_EQ(dic.Sources().Count(), 3);
    EXPECT_EQ(dic.Expressions().Count(), 3);
    EXPECT_EQ(dic.UseCount().Count(), 3);

    dic.AddUse(0);
    dic.AddUse(0);
    EXPECT_EQ(dic.UseCountOf(0), 2);
    dic.ResetUseCounts();
    EXPECT_EQ(dic.UseCountOf(0), 0);
    dic.Clear();
    EXPECT_EQ(dic.Count(), 0);
}

class RegExprFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_regexpr_dic"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string Write(const std::string& bytes) {
        const std::string path = (dir_ / "umlo_regexpr.dat").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
    TRegExprDic dic;
    TOptions options;
    RecordingHost host;
};

TEST_F(RegExprFileTest, LoadsLinesInOrderWithVersionAndLineEnds) {
    std::string path = Write(Cp("# Версия:\r\n# Версия:  1.2 \r\n\r\nо чём\r\n# x\n\\d+ лет\nвсё"));
    host.status[1] = "before";
    EXPECT_TRUE(LoadRegExprDictionary(dic, path, options, host));
    ASSERT_EQ(dic.Count(), 3);
    EXPECT_EQ(dic.Source(0), Cp("о чём"));
    EXPECT_EQ(dic.Source(1), Cp("\\d+ лет"));
    EXPECT_EQ(dic.Source(2), Cp("всё"));
    EXPECT_EQ(dic.Version(), "1.2");
    EXPECT_TRUE(host.messages.empty());
    // The progress text was shown with the busy cursor, and both came back.
    ASSERT_GE(host.statusHistory.size(), 2u);
    EXPECT_EQ(host.statusHistory[0].second,
              "Загрузка словаря регулярных выражений " + path + " ...");
    EXPECT_EQ(host.StatusText(1), "before");
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(options.RegExprs);
}

TEST_F(RegExprFileTest, ReportsOnlyTheFirstBadLineAndKeepsTheRest) {
    std::string path = Write(Cp("о чём\n(ab\nвсё-таки\n[x\n"));
    LoadRegExprDictionary(dic, path, options, host);
    EXPECT_EQ(dic.Count(), 2);
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{
                  "В словаре регулярных выражений содержится неверное выражение \"(ab\""});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
}

TEST_F(RegExprFileTest, OldFormatIsReportedOnlyWithoutABadLine) {
    std::string path = Write(Cp("о чём\nвс\\0е\n"));
    LoadRegExprDictionary(dic, path, options, host);
    EXPECT_EQ(dic.Count(), 2); // the line that compiles is used
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Словарь регулярных выражений имеет старый формат.\r"
                                       "Прочитайте umlo_plus.html, чтобы узнать, как "
                                       "переформатировать его."});

    RecordingHost second;
    path = Write(Cp("вс\\0е\n(ab\n"));
    LoadRegExprDictionary(dic, path, options, second);
    EXPECT_EQ(second.MessageTexts(),
              std::vector<std::string>{
                  "В словаре регулярных выражений содержится неверное выражение \"(ab\""});
}

TEST_F(RegExprFileTest, EmptyPathSwitchesTheDictionaryOffAndKeepsIt) {
    ASSERT_TRUE(dic.AddLine(Cp("о чём")));
    dic.SetVersion("1");
    std::string path;
    EXPECT_FALSE(LoadRegExprDictionary(dic, path, options, host));
    EXPECT_FALSE(options.RegExprs);
    EXPECT_EQ(dic.Count(), 1);
    EXPECT_TRUE(dic.Version().empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.busyChanges.empty());

    // Loading a file through the menu switches it on again.
    const std::string chosen = Write(Cp("всё-таки\n"));
    EXPECT_TRUE(LoadChosenRegExprDictionary(dic, chosen, path, options, host));
    EXPECT_TRUE(options.RegExprs);
    EXPECT_EQ(path, chosen);
    EXPECT_EQ(dic.Count(), 1);
    EXPECT_EQ(dic.Source(0), Cp("всё-таки"));
}

TEST_F(RegExprFileTest, MissingFileEmptiesDictionaryAndPath) {
    ASSERT_TRUE(dic.AddLine(Cp("о чём")));
    std::string path = (dir_ / "absent.dat").string();
    const std::string shown = path;
    EXPECT_FALSE(LoadRegExprDictionary(dic, path, options, host));
    EXPECT_EQ(dic.Count(), 0);
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{"Файл \"" + shown + "\" не найден"});

    // Through the menu a missing choice changes nothing.
    std::string inForce = "kept.dat";
    ASSERT_TRUE(dic.AddLine(Cp("о чём")));
    RecordingHost menuHost;
    EXPECT_FALSE(LoadChosenRegExprDictionary(dic, shown, inForce, options, menuHost));
    EXPECT_EQ(inForce, "kept.dat");
    EXPECT_EQ(dic.Count(), 1);
    EXPECT_EQ(menuHost.MessageTexts(),
              std::vector<std::string>{"Файл \"" + shown + "\" не найден"});
}

TEST_F(RegExprFileTest, EmptyFileBinaryBytesAndLongLinesLoadSafely) {
    std::string path = Write("");
    EXPECT_TRUE(LoadRegExprDictionary(dic, path, options, host));
    EXPECT_EQ(dic.Count(), 0);
    EXPECT_TRUE(host.messages.empty());

    // NUL and other control bytes are ordinary characters of a line; a
    // 100,000-character line is one expression.
    std::string binary("\x01\x00\xFF\x98", 4);
    binary += Cp("ё\n");
    binary += std::string(100000, 'x') + Cp("ё") + "\n";
    binary += std::string(50000, '(') + "\n";
    path = Write(binary);
    EXPECT_TRUE(LoadRegExprDictionary(dic, path, options, host));
    EXPECT_GE(dic.Count(), 1);
    EXPECT_EQ(dic.Source(0), std::string("\x01\x00\xFF\x98", 4) + Cp("ё"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("неверное выражение"), std::string::npos);
}

TEST_F(RegExprFileTest, DirectoryOrDeviceIsAReadError) {
    std::string path = dir_.string();
    EXPECT_FALSE(LoadRegExprDictionary(dic, path, options, host));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(path, dir_.string());

    // A device has no end: it is refused before reading, and the path stays.
    host.messages.clear();
    path = "/dev/zero";
    EXPECT_FALSE(LoadRegExprDictionary(dic, path, options, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(path, "/dev/zero");
    EXPECT_EQ(dic.Count(), 0);
}

} // namespace
} // namespace umlo
