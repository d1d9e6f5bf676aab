#include "dicedit/dic_operations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "core/codepage.h"
#include "tests/support/cp_lines.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

using testing::Lines;

// Esc comes at one poll (1-based; 0: never); every progress text is kept.
class ScriptedMonitor : public OperationMonitor {
public:
    explicit ScriptedMonitor(int escAt = 0) : escAt_(escAt) {}
    void ShowProgress(std::string_view text) override { progress.emplace_back(text); }
    bool EscPressed() override { return ++polls == escAt_; }

    std::vector<std::string> progress;
    int polls = 0;

private:
    int escAt_;
};

std::string CheckMessage(const char* line, bool regexMode) {
    const LineCheckResult r = CheckDicLine(Cp(line), regexMode);
    EXPECT_TRUE(r.error) << line;
    return r.message;
}

TEST(LineCheck, WordModeErrorKindsInTheirOrder) {
    EXPECT_FALSE(CheckDicLine(Cp("Ёлка"), false).error);
    EXPECT_FALSE(CheckDicLine(Cp("ёлка?"), false).error);
    EXPECT_FALSE(CheckDicLine(Cp("трёхведёрный"), false).error);
    EXPECT_EQ(CheckMessage("ЁлКа", false), "Ошибка: неверный регистр");
    EXPECT_EQ(CheckMessage("ёЛКА", false), "Ошибка: неверный регистр");
    EXPECT_EQ(CheckMessage("елка", false), "Ошибка: строка без Ё");
    // Capitals without ё are a line without ё, not a case error.
    EXPECT_EQ(CheckMessage("ЕЛКА", false), "Ошибка: строка без Ё");
    EXPECT_EQ(CheckMessage("ёлка-палка", false), "Ошибка: некорректное слово");
    EXPECT_EQ(CheckMessage("ёлка ", false), "Ошибка: некорректное слово");
    EXPECT_EQ(CheckMessage("ёлкa", false), "Ошибка: некорректное слово"); // Latin a
    // The letter test comes first: a bad byte and a bad capital give the former.
    EXPECT_EQ(CheckMessage("ЁлКа1", false), "Ошибка: некорректное слово");
}

TEST(LineCheck, EmptyLineIsAnErrorWithoutMessage) {
    for (bool regexMode : {false, true}) {
        const LineCheckResult r = CheckDicLine("", regexMode);
        EXPECT_TRUE(r.error);
        EXPECT_EQ(r.message, "");
    }
}

TEST(LineCheck, RegularExpressionMode) {
    EXPECT_FALSE(CheckDicLine(Cp("\\bвс[её]\\s+равно"), true).error);
    EXPECT_FALSE(CheckDicLine(Cp("ёлка-палка"), true).error);
    EXPECT_EQ(CheckMessage(".*", true), "Ошибка: строка без Е/Ё");
    EXPECT_EQ(CheckMessage("ЁЛКА(", true).rfind("Ошибка регулярного выражения: ", 0), 0u);
    const std::string bracket = CheckMessage("всё[", true);
    const std::string prefix = "Ошибка регулярного выражения: ";
    ASSERT_EQ(bracket.rfind(prefix, 0), 0u);
    EXPECT_GT(bracket.size(), prefix.size()); // the engine's own words follow
    EXPECT_TRUE(IsValidUtf8(bracket));
}

TEST(Sort, HeaderBlockStaysAndOtherCommentsGoBeforeTheWords) {
    std::vector<std::string> lines = Lines({"# Версия: 1", "ёрш", "# a", "ёж"});
    EXPECT_EQ(SortDictionary(lines), 2);
    EXPECT_EQ(lines, Lines({"# Версия: 1", "# a", "ёж", "ёрш"}));
}

TEST(Sort, HeaderEndsAtTheFirstEmptyLine) {
    std::vector<std::string> lines = Lines({"# Б", "# А", "", "ёрш", "# В", "ёж", ""});
    EXPECT_EQ(SortDictionary(lines), 2);
    EXPECT_EQ(lines, Lines({"# Б", "# А", "", "", "# В", "ёж", "ёрш"}));
}

TEST(Sort, WithoutHeaderEveryCommentGoesToTheTop) {
    std::vector<std::string> lines = Lines({"ёрш", "# б", "ёж", "", "# а"});
    EXPECT_EQ(SortDictionary(lines), 2);
    EXPECT_EQ(lines, Lines({"", "# а", "# б", "ёж", "ёрш"}));
}

TEST(Sort, OrderIsCaseBlindFirstAndIgnoresYoAndTheDoubtfulMark) {
    std::vector<std::string> lines =
        Lines({"ёрш", "тёр", "Тёр", "ёлочка", "ёлка?", "ежи", "ёж", "елка", "Ёлка"});
    SortDictionary(lines);
    // «Тёр» before «тёр» and «Ёлка» before «елка»: capitals have the smaller
    // bytes. «ёлка?» and «елка» compare equal and may stand in either order.
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], Cp("ёж")); // a prefix comes first
    EXPECT_EQ(lines[1], Cp("ежи"));
    EXPECT_EQ(lines[2], Cp("Ёлка"));
    EXPECT_TRUE((lines[3] == Cp("ёлка?") && lines[4] == Cp("елка")) ||
                (lines[3] == Cp("елка") && lines[4] == Cp("ёлка?")));
    EXPECT_EQ(lines[5], Cp("ёлочка"));
    EXPECT_EQ(lines[6], Cp("ёрш"));
    EXPECT_EQ(lines[7], Cp("Тёр"));
    EXPECT_EQ(lines[8], Cp("тёр"));
}

TEST(Sort, HeaderOnlyTextSortsToItself) {
    std::vector<std::string> lines = Lines({"# в", "# б", "# а"});
    const auto before = lines;
    EXPECT_EQ(SortDictionary(lines), 0);
    EXPECT_EQ(lines, before);
}

TEST(Duplicates, ThreeEqualLinesLoseTwo) {
    std::vector<std::string> lines = Lines({"ёж", "ёж", "ёж"});
    ScriptedMonitor monitor;
    const DuplicateRemoval r = RemoveDuplicates(lines, monitor);
    EXPECT_EQ(lines, Lines({"ёж"}));
    EXPECT_EQ(r.removed, 2);
    EXPECT_EQ(r.wordCount, 1);
    EXPECT_FALSE(r.interrupted);
    EXPECT_EQ(r.statusText, "Словоформ: 1, удалено дублей: 2");
}

TEST(Duplicates, OnlyByteForByteNeighboursOfEntryLines) {
    // Case, ё against е and the doubtful mark make different lines; comment
    // and empty lines are never removed; a comment between two equal words
    // keeps both.
    std::vector<std::string> lines = Lines(
        {"#", "#", "", "", "ёж", "Ёж", "ёж?", "ёж?", "ёлка", "елка", "ёрш", "# x", "ёрш", "ёрш"});
    ScriptedMonitor monitor;
    const DuplicateRemoval r = RemoveDuplicates(lines, monitor);
    EXPECT_EQ(lines,
              Lines({"#", "#", "", "", "ёж", "Ёж", "ёж?", "ёлка", "елка", "ёрш", "# x", "ёрш"}));
    EXPECT_EQ(r.removed, 2);
    EXPECT_EQ(r.wordCount, 7);
}

TEST(Duplicates, EscStopsTheWalkAndKeepsTheRest) {
    std::vector<std::string> lines = Lines({"ёж", "ёж", "ёлка", "ёлка", "ёрш", "ёрш"});
    // Polls: ёж, ёж (removed), ёлка, ёлка (removed), then Esc at the fifth.
    ScriptedMonitor monitor(5);
    const DuplicateRemoval r = RemoveDuplicates(lines, monitor);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(lines, Lines({"ёж", "ёлка", "ёрш", "ёрш"}));
    EXPECT_EQ(r.removed, 2);
    EXPECT_EQ(r.statusText, "Операция прервана. Словоформ: 2, удалено дублей: 2");
}

TEST(Duplicates, ProgressEveryThreeHundredLines) {
    std::vector<std::string> lines;
    for (int i = 0; i < 700; ++i) {
        lines.push_back(Cp("ё") + std::to_string(1000 + i));
    }
    // A duplicate at index 300: the line that moves into its place shows too.
    lines.insert(lines.begin() + 300, lines[299]);
    ScriptedMonitor monitor;
    RemoveDuplicates(lines, monitor);
    EXPECT_EQ(monitor.progress, (std::vector<std::string>{"ё1000", "ё1299", "ё1300", "ё1600"}));
    EXPECT_EQ(lines.size(), 700u);
}

TEST(NextError, OrderBreakAndRepetitionInWordMode) {
    ScriptedMonitor monitor;
    ErrorSearch r = FindNextError(Lines({"ёж", "Ёж"}), 0, false, monitor);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.statusText, "Ошибка: нарушен порядок слов");

    r = FindNextError(Lines({"ёж", "ёж?"}), 0, false, monitor);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.statusText, "Ошибка: повторение слова");

    r = FindNextError(Lines({"все", "всё"}), 0, false, monitor);
    EXPECT_EQ(r.line, 0); // «все» has no ё: the line check comes first
    EXPECT_EQ(r.statusText, "Ошибка: строка без Ё");
}

TEST(NextError, StartsAtTheCaretLineAndPassesOverComments) {
    const auto lines = Lines({"елка", "# ёж", "", "ёж", "ёлка", "# z", "ёлка", "ЁлКа"});
    ScriptedMonitor monitor;
    // From line 1: the comments are passed over, «ёж» after an empty line is
    // in order, «ёлка» after a comment line repeats nothing.
    ErrorSearch r = FindNextError(lines, 1, false, monitor);
    EXPECT_EQ(r.line, 7);
    EXPECT_EQ(r.statusText, "Ошибка: неверный регистр");
    // From the start the first line is reported; again from there, the same.
    r = FindNextError(lines, 0, false, monitor);
    EXPECT_EQ(r.line, 0);
    r = FindNextError(lines, r.line, false, monitor);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.statusText, "Ошибка: строка без Ё");
}

TEST(NextError, RegularExpressionModeHasNoOrderCheck) {
    ScriptedMonitor monitor;
    ErrorSearch r = FindNextError(Lines({"всё равно", "вс[её] же", "всё равно"}), 0, true, monitor);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.line, 3);
    EXPECT_EQ(r.statusText, "Ошибок не найдено");

    r = FindNextError(Lines({"всё равно", "всё[", ".*"}), 0, true, monitor);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.statusText.rfind("Ошибка регулярного выражения: ", 0), 0u);
}

TEST(NextError, CleanTextAndEsc) {
    const auto lines = Lines({"# Версия: 1", "ёж", "ёлка", "ёлочка", "ёрш"});
    ScriptedMonitor clean;
    ErrorSearch r = FindNextError(lines, 0, false, clean);
    EXPECT_FALSE(r.found);
    EXPECT_FALSE(r.interrupted);
    EXPECT_EQ(r.line, 5);
    EXPECT_EQ(r.statusText, "Ошибок не найдено");
    EXPECT_EQ(clean.progress, (std::vector<std::string>{"# Версия: 1"}));

    ScriptedMonitor esc(3);
    r = FindNextError(lines, 0, false, esc);
    EXPECT_FALSE(r.found);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.statusText, "Операция прервана");
    // A caret beyond the text reports nothing.
    r = FindNextError(lines, 40, false, clean);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.line, 5);
}

TEST(Subtract, RemovesOnlyLinesPresentExactly) {
    std::vector<std::string> lines =
        Lines({"# Версия: 1", "ёж", "ёлка", "ёлка?", "ёлочка", "ёрш", "ёрш", "Ёрш"});
    const int count =
        SubtractDictionary(lines, Lines({"# Версия: 1", "ёлка", "ёрш", "ёршик", "елочка", "ЁЖ"}));
    // One line of the other takes one line: one «ёрш» of two stays.
    EXPECT_EQ(lines, Lines({"ёж", "ёлка?", "ёлочка", "ёрш", "Ёрш"}));
    EXPECT_EQ(count, 5);
}

TEST(Subtract, FindsALineBesideOneOfTheSameKey) {
    // «все» and «всё» share a key and may stand in either order after a sort.
    for (const auto& order :
         {Lines({"все", "всё", "всё?", "ёж"}), Lines({"всё?", "всё", "все", "ёж"})}) {
        std::vector<std::string> lines = order;
        SubtractDictionary(lines, Lines({"всё", "ёж"}));
        EXPECT_EQ(lines.size(), 2u);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), Cp("всё")), 0);
    }
}

TEST(Subtract, FromAFile) {
    const auto folder = testing::FreshTestFolder("dicops");
    const auto path = folder / "subtract.dat";
    testing::WriteBytes(path, Cp("# Версия: 2\r\nёлка\r\nёрш\r\n"));
    std::vector<std::string> lines = Lines({"# Версия: 1", "ёж", "ёлка", "ёрш"});
    testing::RecordingHost host;
    EXPECT_EQ(SubtractDictionaryFile(lines, path.string(), host), 1);
    EXPECT_EQ(lines, Lines({"# Версия: 1", "ёж"}));
    EXPECT_TRUE(host.messages.empty());

    std::filesystem::remove(path);
    EXPECT_EQ(SubtractDictionaryFile(lines, path.string(), host), -1);
    EXPECT_EQ(lines, Lines({"# Версия: 1", "ёж"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(host.messages[0].text.empty());
    std::filesystem::remove_all(folder);
}

TEST(CaseCommands, LowerAndCapitalize) {
    EXPECT_EQ(ChangeLineCase(Cp("ЁЛКА Tree"), CaseCommand::Lower), Cp("ёлка tree"));
    EXPECT_EQ(ChangeLineCase(Cp("ёлка"), CaseCommand::Capitalize), Cp("Ёлка"));
    // Only the first byte changes; the rest keeps its capitals.
    EXPECT_EQ(ChangeLineCase(Cp("ёЛКА"), CaseCommand::Capitalize), Cp("ЁЛКА"));
    EXPECT_EQ(ChangeLineCase(Cp("#ёж"), CaseCommand::Capitalize), Cp("#ёж"));
    EXPECT_EQ(ChangeLineCase("", CaseCommand::Capitalize), "");
    EXPECT_EQ(ChangeLineCase("", CaseCommand::Lower), "");
}

TEST(LengthLine, InsertedAsTheThirdLineThenOnlyTheNumberChanges) {
    std::vector<std::string> lines = Lines({"# Версия: 1", "# Автор", "ёж", "", "ёлка"});
    LengthLine r = WriteLengthLine(lines, false);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.index, 2);
    // Every line below the header's comments counts, the empty one too.
    EXPECT_EQ(lines, Lines({"# Версия: 1", "# Автор", "# Длина: 3", "ёж", "", "ёлка"}));

    lines.push_back(Cp("ёрш"));
    r = WriteLengthLine(lines, false);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(r.index, 2);
    EXPECT_EQ(r.length, 4);
    EXPECT_EQ(lines, Lines({"# Версия: 1", "# Автор", "# Длина: 4", "ёж", "", "ёлка", "ёрш"}));
}

TEST(LengthLine, ShortHeaderOrNoneKeepsTheLineAboveTheWords) {
    std::vector<std::string> lines = Lines({"# Версия: 1", "ёж", "ёлка"});
    EXPECT_EQ(WriteLengthLine(lines, false).index, 1);
    EXPECT_EQ(lines, Lines({"# Версия: 1", "# Длина: 2", "ёж", "ёлка"}));

    lines = Lines({"ёж", "ёлка", "ёрш"});
    EXPECT_EQ(WriteLengthLine(lines, false).index, 0);
    EXPECT_FALSE(WriteLengthLine(lines, false).inserted);
    EXPECT_EQ(lines, Lines({"# Длина: 3", "ёж", "ёлка", "ёрш"}));

    lines.clear();
    EXPECT_EQ(WriteLengthLine(lines, false).length, 0);
    EXPECT_EQ(lines, Lines({"# Длина: 0"}));
}

TEST(LengthLine, WordModeLooksOnlyAboveTheFirstWord) {
    // An old length line among the words is not the header's.
    std::vector<std::string> lines = Lines({"# a", "# b", "# c", "ёж", "# Длина: 9", "ёрш"});
    const LengthLine r = WriteLengthLine(lines, false);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.index, 2);
    EXPECT_EQ(lines[2], Cp("# Длина: 3"));
}

TEST(LengthLine, RegularExpressionModeCountsEntryLinesOfTheWholeText) {
    std::vector<std::string> lines =
        Lines({"# СРВ", "всё равно", "# раздел", "", "вс[её] же", "# Длина: 1", "ещё бы"});
    const LengthLine r = WriteLengthLine(lines, true);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(r.index, 5);
    EXPECT_EQ(r.length, 3);
    EXPECT_EQ(lines[5], Cp("# Длина: 3"));
}

TEST(LengthLine, RegularExpressionModePutsANewLineThirdEvenAmongEntries) {
    // The whole text is searched in this mode, so the line is found again.
    std::vector<std::string> lines = Lines({"всё равно", "ещё бы"});
    LengthLine r = WriteLengthLine(lines, true);
    EXPECT_TRUE(r.inserted);
    EXPECT_EQ(r.index, 1);
    EXPECT_EQ(lines, Lines({"всё равно", "# Длина: 2", "ещё бы"}));
    r = WriteLengthLine(lines, true);
    EXPECT_FALSE(r.inserted);
    EXPECT_EQ(lines.size(), 3u);
}

TEST(WordCount, CommentLinesDoNotCount) {
    EXPECT_EQ(CountEntryLines(Lines({"#", "", "ёж", " #", "ёрш"})), 3);
    EXPECT_EQ(WordFormsText(12), "Словоформ: 12");
}

} // namespace
} // namespace umlo
