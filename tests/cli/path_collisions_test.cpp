#include "cli/path_collisions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_files.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

class PathCollisions : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_paths"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string File(const std::string& name, const std::string& bytes = "еще\n") const {
        umlo::testing::WriteBytes(Path(name), bytes);
        return Path(name);
    }
    CliArguments Args(std::vector<std::string> words) const {
        words.insert(words.begin(), "restore");
        ParseResult parsed = ParseCommandLine(words);
        EXPECT_TRUE(parsed.ok) << parsed.error;
        return parsed.args;
    }
    fs::path dir_;
};

TEST_F(PathCollisions, OutputsNeverMeetInputsOrEachOther) {
    const std::string a = File("a.txt");
    const std::string b = File("b.txt");
    fs::create_symlink(a, Path("link.txt"));
    // Apart: nothing to say.
    EXPECT_EQ(FindPathCollision(Args({a, "-o", Path("new.txt"), "--report", Path("r.tsv")})), "");
    EXPECT_EQ(FindPathCollision(Args({"--in-place", a, b, "--stats", Path("s.log")})), "");
    // The same file under another name, a link or a new name twice.
    EXPECT_NE(FindPathCollision(Args({a, "-o", Path("./a.txt")})), "");
    EXPECT_NE(FindPathCollision(Args({a, "-o", Path("link.txt")})), "");
    EXPECT_NE(FindPathCollision(Args({"--in-place", a, b, "--report", b})), "");
    EXPECT_NE(FindPathCollision(Args({a, "-o", Path("r.txt"), "--report", Path("r.txt")})), "");
    EXPECT_NE(FindPathCollision(Args({"--in-place", a, Path("link.txt")})), "");
    const std::vector<std::string> logs = {Path("x.txt")};
    EXPECT_NE(FindPathCollision(Args({a, "-o", Path("x.txt")}), logs), "");
    const std::string message =
        FindPathCollision(Args({a, "-o", Path("new.txt"), "--stats", Path("new.txt")}));
    EXPECT_NE(message.find("-o"), std::string::npos) << message;
    EXPECT_NE(message.find("--stats"), std::string::npos) << message;
    EXPECT_NE(message.find("ничего не записано"), std::string::npos) << message;
    // Standard output twice, but standard input and output are two streams.
    EXPECT_NE(FindPathCollision(Args({a, "-o", "-", "--report", "-"})), "");
    EXPECT_EQ(FindPathCollision(Args({"-", "-o", "-"})), "");
    // Two reads of one file, or several writes to a terminal or /dev/null, hurt nothing.
    EXPECT_EQ(FindPathCollision(Args({a, "-o", "/dev/null", "--report", "/dev/null"})), "");
}

TEST_F(PathCollisions, AReportNeverReplacesAText) {
    const std::string text = File("text.txt");
    const std::string oldReport = File("old.tsv", "3\t7\tвсе\tвсе\tвсё\tВыберите\tЕ\n");
    const std::string oldStats =
        File("old.log", "в(е/ё)сла                 4     4     0     0     0\r\n===\r\n");
    const std::string empty = File("empty.log", "");
    EXPECT_NE(FindForeignReportTarget(Args({"--in-place", text, "--stats", text})), "");
    EXPECT_NE(FindForeignReportTarget(Args({text, "-o", Path("o.txt"), "--report", text})), "");
    EXPECT_EQ(FindForeignReportTarget(
                  Args({text, "-o", Path("o.txt"), "--report", oldReport, "--stats", oldStats})),
              "");
    EXPECT_EQ(FindForeignReportTarget(Args({text, "-o", Path("o.txt"), "--stats", empty})), "");
    EXPECT_EQ(FindForeignReportTarget(Args({text, "-o", Path("o.txt"), "--stats", Path("new")})),
              "");
    // A report file is no statistics file, and the other way round.
    EXPECT_NE(FindForeignReportTarget(Args({text, "-o", Path("o.txt"), "--stats", oldReport})), "");
}

TEST(PathOptions, StandardInputCannotBeReplacedOrAnswerQuestions) {
    EXPECT_FALSE(ParseCommandLine({"restore", "--in-place", "-"}).ok);
    EXPECT_FALSE(ParseCommandLine({"restore", "--interactive", "-", "-o", "x"}).ok);
    EXPECT_TRUE(ParseCommandLine({"restore", "-", "-o", "-"}).ok);
}

} // namespace
} // namespace umlo::cli
