#include "cli/restore_command.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/cli/run_command.h"
#include "tests/support/test_files.h"
#include <regex>
#include <sstream>
#include <sys/stat.h>

#include "core/codepage.h"
#include "documents/rtf_reader.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

class RestoreCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = umlo::testing::FreshTestFolder("umlo_restore");
        Write("umlox.dat", Cp("# Версия: 1\nАлёша\nвсё?\nещё\nлёт?\nмёд\nчём?\n"));
        Write("umlo_regexpr.dat", Cp("о чём\n\\d+ лет\n"));
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, std::string_view bytes) const {
        umlo::testing::WriteBytes(Path(name), bytes);
    }
    std::string Read(const std::string& name) const { return umlo::testing::ReadBytes(Path(name)); }
    // Runs "restore" with the bundled dictionaries of the test folder.
    int Run(std::vector<std::string> words, const std::string& input = "") {
        words.insert(words.begin(), "restore");
        return testing::RunCommand(words, dir_.string(), out_, err_, input);
    }
    int RunOn(const std::string& text, std::vector<std::string> extra,
              const std::string& input = "") {
        Write("in.txt", text);
        extra.push_back(Path("in.txt"));
        extra.push_back("-o");
        extra.push_back(Path("out.txt"));
        return Run(extra, input);
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(RestoreCommand, ByDefaultOnlyCertainWordsChangeAndTheSummaryIsPrinted) {
    ASSERT_EQ(RunOn("все еще о чем, 5 лет\n", {}), kExitOk) << err_.str();
    // «все» is asked and kept as written; «о чем» and «5 лет» are settled by
    // the expressions.
    EXPECT_EQ(Read("out.txt"), "все ещё о чём, 5 лет\n");
    static const std::regex summary(
        R"(\d+=\d+\+\d+  A:\d+=\d+\+\d+  RE:\d+=\d+\+\d+  REQ:\d+\.\d%  E:\d+  T:\d+\.\d\d  S:\d+\n)");
    EXPECT_TRUE(std::regex_match(out_.str(), summary)) << out_.str();
    EXPECT_EQ(out_.str().substr(0, 22), "4=2+2  A:1=0+1  RE:2=1");
}

TEST_F(RestoreCommand, ThePolicyAnswersTheQuestions) {
    ASSERT_EQ(RunOn("все и всё\n", {"--answer", "diaeresis"}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "всё и всё\n");
    ASSERT_EQ(RunOn("все и всё\n", {"--answer", "plain"}), kExitOk);
    EXPECT_EQ(Read("out.txt"), "все и все\n");
    // keep: a ё the author wrote survives, an е stays.
    ASSERT_EQ(RunOn("все и всё\n", {}), kExitOk);
    EXPECT_EQ(Read("out.txt"), "все и всё\n");
    // Options reach the pass: with --no-check-umlo the written «всё» is not
    // even asked about, so plain cannot remove it.
    ASSERT_EQ(RunOn("все и всё\n", {"--answer", "plain", "--no-check-umlo"}), kExitOk);
    EXPECT_EQ(Read("out.txt"), "все и всё\n");
}

TEST_F(RestoreCommand, InteractiveAnswersReportAndStatistics) {
    ASSERT_EQ(RunOn(Cp("все\r\nи все\r\n"),
                    {"--interactive", "--report", Path("rep.tsv"), "--stats", Path("st.log")},
                    "2\n1\n"),
              kExitOk)
        << err_.str();
    EXPECT_EQ(Read("out.txt"), Cp("всё\r\nи все\r\n")); // cp1251 and CR LF kept
    EXPECT_EQ(Read("rep.tsv"), "1\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tЁ\n"
                               "2\t3\tвсе\tвсе\tвсё\tВыберите верный вариант\tЕ\n");
    const std::string stats = Cp1251ToUtf8(Read("st.log"));
    EXPECT_NE(stats.find("вс(е/ё)"), std::string::npos) << stats;
    EXPECT_NE(stats.find("\r\n===\r\n"), std::string::npos);
    EXPECT_NE(err_.str().find("Выберите верный вариант"), std::string::npos);
}

TEST_F(RestoreCommand, NothingIsWrittenWhenOneInputIsBad) {
    Write("a.txt", "еще\n");
    Write("b.txt", std::string("x\0y", 3));
    EXPECT_EQ(Run({"--in-place", Path("a.txt"), Path("b.txt")}), kExitFailure);
    EXPECT_EQ(Read("a.txt"), "еще\n");
    EXPECT_NE(err_.str().find("b.txt"), std::string::npos);
    EXPECT_EQ(Run({"--in-place", Path("a.txt"), Path("missing.txt")}), kExitFailure);
    EXPECT_EQ(Read("a.txt"), "еще\n");
    EXPECT_EQ(Run({Path("a.txt"), "-o", Path("out.txt"), "-d", Path("nodic.dat")}), kExitFailure);
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    EXPECT_NE(err_.str().find("nodic.dat"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 4); // no temporary files
}

TEST_F(RestoreCommand, InPlaceRewritesOnlyChangedFiles) {
    Write("same.txt", "ничего\n");
    Write("changed.txt", "\xEF\xBB\xBF"
                         "еще\r");
    struct stat before {};
    ASSERT_EQ(::stat(Path("same.txt").c_str(), &before), 0);
    ASSERT_EQ(Run({"--in-place", Path("same.txt"), Path("changed.txt")}), kExitOk);
    struct stat after {};
    ASSERT_EQ(::stat(Path("same.txt").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(Read("changed.txt"), "\xEF\xBB\xBF"
                                   "ещё\r");
    // One summary per file, named.
    EXPECT_NE(out_.str().find(Path("same.txt") + ": "), std::string::npos);
    EXPECT_NE(out_.str().find(Path("changed.txt") + ": "), std::string::npos);
}

TEST_F(RestoreCommand, StoppingOnAQuestionKeepsWhatWasDoneAndSkipsTheRest) {
    Write("a.txt", "еще все еще\n");
    Write("b.txt", "еще\n");
    ASSERT_EQ(Run({"--in-place", "--interactive", Path("a.txt"), Path("b.txt")}, "q\n"), kExitOk);
    EXPECT_EQ(Read("a.txt"), "ещё все еще\n");
    EXPECT_EQ(Read("b.txt"), "еще\n");
    EXPECT_NE(err_.str().find("остальные файлы не обработаны"), std::string::npos);
}

TEST_F(RestoreCommand, UndoOnTheTerminalRevertsAndAsksAgain) {
    // Ё for the first «все», then "Откат" on the second question: the first is
    // reverted and asked again.
    ASSERT_EQ(RunOn("все все\n", {"--interactive", "--report", Path("rep.tsv")}, "2\n5\n1\n1\n"),
              kExitOk)
        << err_.str();
    EXPECT_EQ(Read("out.txt"), "все все\n");
    EXPECT_EQ(Read("rep.tsv"), "1\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tЁ\n"
                               "1\t5\tвсе\tвсе\tвсё\tВыберите верный вариант\tОткат\n"
                               "1\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tЕ\n"
                               "1\t5\tвсе\tвсе\tвсё\tВыберите верный вариант\tЕ\n");
}

TEST_F(RestoreCommand, AnInputThatEndsBeforeTheAnswersWritesNothing) {
    ASSERT_EQ(RunOn("еще все\n", {"--interactive"}, ""), kExitFailure);
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    EXPECT_NE(err_.str().find("ввод закончился"), std::string::npos) << err_.str();
}

TEST_F(RestoreCommand, AnAlwaysAnswerSettlesTheLaterPlaces) {
    // "Всегда Ё" for the first «все»: the others change without a question,
    // but not before an abbreviation point.
    ASSERT_EQ(
        RunOn("все, все и все. и все\n", {"--interactive", "--report", Path("rep.tsv")}, "4\n1\n"),
        kExitOk)
        << err_.str();
    EXPECT_EQ(Read("out.txt"), "всё, всё и все. и всё\n");
    EXPECT_EQ(Read("rep.tsv"), "1\t1\tвсе\tвсе\tвсё\tВыберите верный вариант\tВсегда Ё\n"
                               "1\t12\tвсе\tвсе\tвсё\tВыберите верный вариант\tЕ\n");
}

TEST_F(RestoreCommand, RichTextComesBackWithItsColoursAndTheMarks) {
    Write("in.rtf", "{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red255\\green0\\blue0;}"
                    "{\\cf1 \\'e5\\'f9\\'e5} {\\b\\fs28 \\'ec\\'e5\\'e4}\\par}");
    ASSERT_EQ(Run({Path("in.rtf"), "-o", Path("out.rtf")}), kExitOk) << err_.str();
    const RichText out = ReadRtf(Read("out.rtf"));
    EXPECT_EQ(out.text, u"ещё мёд");
    const TOptions defaults;
    auto formatAt = [&](int offset) {
        CharFormat f;
        for (const FormatRun& run : out.runs) {
            if (run.start <= offset) {
                f = run.format;
            }
        }
        return f;
    };
    EXPECT_EQ(formatAt(0).text, 255u); // the author's red
    EXPECT_EQ(formatAt(2).text, defaults.ColorMark);
    EXPECT_EQ(formatAt(2).back, defaults.ColorBackMark);
    EXPECT_TRUE(formatAt(4).bold);
    EXPECT_EQ(formatAt(4).fontSize, 14);
    EXPECT_EQ(formatAt(5).text, defaults.ColorMark);
    EXPECT_TRUE(formatAt(6).bold);
    EXPECT_EQ(formatAt(6).text, kBlack);
}

TEST_F(RestoreCommand, Utf16KeepsItsByteOrderAndItsSignatureOrNone) {
    for (const bool big : {false, true}) {
        for (const std::string signature : {"", "\xFF\xFE"}) {
            const std::string sig = signature.empty() ? "" : big ? "\xFE\xFF" : "\xFF\xFE";
            ASSERT_EQ(RunOn(sig + umlo::testing::Utf16Bytes(u"еще мед\r\nвсе\n", big), {}), kExitOk)
                << err_.str();
            EXPECT_EQ(Read("out.txt"), sig + umlo::testing::Utf16Bytes(u"ещё мёд\r\nвсе\n", big))
                << "big " << big << " signature " << !sig.empty();
        }
    }
}

TEST_F(RestoreCommand, Cp1251IsTakenFromTheStatisticsAndTheEncodingCanBeNamed) {
    // Rich in Р and С, so that the byte statistics alone would say UTF-8.
    const std::string text = Cp("РСРСРСРСРСРСРСРСРСРСРСРС еще мед\n");
    ASSERT_EQ(RunOn(text, {}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), Cp("РСРСРСРСРСРСРСРСРСРСРСРС ещё мёд\n"));

    // The same UTF-8 bytes read as cp1251 hold no Russian word to change.
    ASSERT_EQ(RunOn("еще\n", {"--encoding", "ansi"}), kExitOk);
    EXPECT_EQ(Read("out.txt"), "еще\n");
    ASSERT_EQ(RunOn(umlo::testing::Utf16Bytes(u"еще", false), {"--encoding=utf-16"}), kExitOk)
        << err_.str();
    EXPECT_EQ(Read("out.txt"), umlo::testing::Utf16Bytes(u"ещё", false));
    // UTF-8 named for bytes that are not UTF-8: refused, nothing written.
    fs::remove(Path("out.txt"));
    EXPECT_EQ(RunOn(Cp("еще\n"), {"--encoding", "utf-8"}), kExitFailure);
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    EXPECT_NE(err_.str().find("UTF-8"), std::string::npos);
}

TEST_F(RestoreCommand, AFolderOrTruncatedRichTextWritesNothing) {
    fs::create_directory(Path("folder"));
    EXPECT_EQ(Run({Path("folder"), "-o", Path("out.txt")}), kExitFailure);
    EXPECT_NE(err_.str().find("folder"), std::string::npos);
    Write("cut.rtf", "{\\rtf1\\ansi {\\b \\'e5\\'f9\\'e5");
    EXPECT_EQ(Run({"--in-place", Path("cut.rtf")}), kExitFailure);
    EXPECT_EQ(Read("cut.rtf"), "{\\rtf1\\ansi {\\b \\'e5\\'f9\\'e5");
    EXPECT_NE(err_.str().find("cut.rtf"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("out.txt")));
}

// Rich text is patched where its letters changed: a picture, like everything
// else the reader does not keep, stays in the file, in place too.
TEST_F(RestoreCommand, RichTextKeepsItsPicturesInPlace) {
    const std::string withPicture =
        "{\\rtf1\\ansi\\ansicpg1251 \\'e5\\'f9\\'e5{\\pict\\pngblip 00}\\par}";
    Write("pic.rtf", withPicture);
    ASSERT_EQ(Run({"--in-place", Path("pic.rtf")}), kExitOk) << err_.str();
    const std::string patched = Read("pic.rtf");
    EXPECT_EQ(ReadRtf(patched).text, u"ещё");
    EXPECT_NE(patched.find("{\\pict\\pngblip 00}"), std::string::npos) << patched;
    EXPECT_EQ(err_.str(), "");
}

TEST_F(RestoreCommand, InPlaceKeepsThePermissions) {
    Write("mode.txt", "еще\n");
    ::chmod(Path("mode.txt").c_str(), 0640);
    ASSERT_EQ(Run({"--in-place", Path("mode.txt")}), kExitOk) << err_.str();
    EXPECT_EQ(Read("mode.txt"), "ещё\n");
    struct stat st {};
    ASSERT_EQ(::stat(Path("mode.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(RestoreCommand, TheWindowsSettingsAreReadAndTheFlagsWinOverThem) {
    // The settings file beside the program, as the window keeps it (cp1251, CR LF).
    const std::string settings = Cp("[Umlo]\r\nAlwaysAsk=1\r\nRegExprLog=1\r\n"
                                    "WordsBufferLength=7\r\n");
    Write("umlo.ini", settings);
    // AlwaysAsk from the file: «ещё» is asked too, and the plain answer keeps е.
    ASSERT_EQ(RunOn("еще\n", {"--answer", "plain"}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "еще\n");
    // The expression's decision went to the log beside the settings.
    ASSERT_EQ(RunOn("о чем\n", {"--answer", "proposal"}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "о чём\n");
    EXPECT_NE(Cp1251ToUtf8(Read("regexpr.log")).find("чем"), std::string::npos);
    EXPECT_EQ(Read("umlo.ini"), settings); // read, never written

    // A flag wins over the file: without expressions «чем» stays as written.
    Write("umlo.ini", Cp("[Umlo]\r\nRegExprs=0\r\n"));
    ASSERT_EQ(RunOn("о чем\n", {}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "о чем\n");
    ASSERT_EQ(RunOn("о чем\n", {"--regexprs"}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "о чём\n");
}

TEST_F(RestoreCommand, TheSettingsNameTheDictionaries) {
    Write("other.dat", Cp("# Версия: 1\nмёд\n"));
    Write("umlo.ini", Cp("[Umlo]\r\nDictionary=" + Path("other.dat") + "\r\nRegExprs=0\r\n"));
    ASSERT_EQ(RunOn("еще мед\n", {}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "еще мёд\n");
    // -d wins over the settings.
    ASSERT_EQ(RunOn("еще мед\n", {"-d", Path("umlox.dat")}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "ещё мёд\n");
}

TEST_F(RestoreCommand, ANamedSettingsFileMustBeReadableTheOwnOneMayBeMissingOrBad) {
    Write("named.ini", Cp("[Umlo]\r\nCheckUmlo=0\r\n"));
    ASSERT_EQ(RunOn("все и всё\n", {"--answer", "plain", "--settings", Path("named.ini")}), kExitOk)
        << err_.str();
    EXPECT_EQ(Read("out.txt"), "все и всё\n"); // the written ё was not even asked about
    fs::remove(Path("out.txt"));
    EXPECT_EQ(RunOn("еще\n", {"--settings", Path("none.ini")}), kExitFailure);
    EXPECT_NE(err_.str().find("none.ini"), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(Path("out.txt")));
    // No output may be the settings file it reads.
    EXPECT_EQ(Run({"--settings", Path("named.ini"), Path("in.txt"), "-o", Path("named.ini")}),
              kExitFailure);
    EXPECT_EQ(Read("named.ini"), Cp("[Umlo]\r\nCheckUmlo=0\r\n"));
    // The window's own file unreadable (a folder): a warning, and the defaults.
    fs::create_directory(Path("umlo.ini"));
    ASSERT_EQ(RunOn("еще\n", {}), kExitOk) << err_.str();
    EXPECT_EQ(Read("out.txt"), "ещё\n");
    EXPECT_NE(err_.str().find("umlo.ini"), std::string::npos) << err_.str();
}

} // namespace
} // namespace umlo::cli
