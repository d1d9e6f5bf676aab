// Inputs of every kind are read to their end: regular files, pipes and
// FIFOs, and what never ends is refused rather than read for ever.
#include "documents/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

class InputFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = testing::FreshTestFolder("umlo_input"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

std::string Text(std::size_t n) {
    std::string s;
    while (s.size() < n) {
        s += "строка текста " + std::to_string(s.size()) + "\n";
    }
    return s;
}

TEST_F(InputFileTest, ARegularFileIsReadWholeInPieces) {
    const std::string bytes = Text(3 << 20);
    testing::WriteBytes(Path("big.txt"), bytes);
    InputFile input;
    ASSERT_TRUE(input.Open(Path("big.txt")));
    EXPECT_TRUE(input.Regular());
    EXPECT_EQ(input.Size(), static_cast<std::int64_t>(bytes.size()));
    std::string all;
    std::string piece;
    int pieces = 0;
    do {
        ASSERT_TRUE(input.Next(piece));
        all += piece;
        ++pieces;
    } while (!piece.empty());
    EXPECT_EQ(all, bytes);
    EXPECT_GT(pieces, 2);
    EXPECT_EQ(input.Done(), static_cast<std::int64_t>(bytes.size()));
}

TEST_F(InputFileTest, AFifoIsReadToItsEndOnceItsWriterComes) {
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bytes = Text(300000); // more than a pipe holds at once
    bool toldToWait = false;
    std::thread writer([&] {
        // The reader is told it waits before anyone writes.
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        std::ofstream(fifo, std::ios::binary) << bytes;
    });
    std::string got;
    const FileResult r = ReadWholeInput(fifo, got, [&] { toldToWait = true; });
    writer.join();
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(got, bytes);
    EXPECT_TRUE(toldToWait);
}

TEST_F(InputFileTest, EndlessAndMissingInputsAndFoldersAreRefusedInRussian) {
    std::string got = "прежнее";
    FileResult r = ReadWholeInput("/dev/zero", got, {}, 4 << 20);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error, "Файл \"/dev/zero\" не кончается: прочитано больше 4 МиБ, это не текст");
    EXPECT_EQ(got, "прежнее");

    r = ReadWholeInput(Path("нет.txt"), got);
    EXPECT_EQ(r.error,
              "Не удалось прочитать файл \"" + Path("нет.txt") + "\": нет такого файла или папки");
    r = ReadWholeInput(dir_.string(), got);
    EXPECT_EQ(r.error, "Не удалось прочитать файл \"" + dir_.string() + "\": это папка, а не файл");

    // /proc files say they are empty but are not.
    ASSERT_TRUE(ReadWholeInput("/proc/self/status", got));
    EXPECT_NE(got.find("Name:"), std::string::npos);
}

} // namespace
} // namespace umlo
