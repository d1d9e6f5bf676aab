// The one output rule: files are replaced whole, keep their rights and owner;
// what is not a regular file is written in place and stays what it was; a
// killed run's leftovers go with the next write.
#include "core/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "core/system_message.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

class FileReplace : public ::testing::Test {
protected:
    void SetUp() override { dir_ = testing::FreshTestFolder("umlo_replace"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

TEST_F(FileReplace, AFifoIsWrittenInPlaceAndStaysAFifo) {
    const std::string fifo = Path("out.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] { got = testing::ReadBytes(fifo); });
    EXPECT_EQ(ReplaceFileContents(fifo, "через канал"), 0);
    reader.join();
    EXPECT_EQ(got, "через канал");
    struct stat info {};
    ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Names(), std::vector<std::string>{"out.fifo"});
}

TEST_F(FileReplace, ACharacterDeviceIsWrittenInPlace) {
    // The superuser, who could rename over /dev/null, gets a null device of
    // the test's own; anyone else writes to /dev/null, which they could not
    // replace anyway.
    std::string device = "/dev/null";
    if (::geteuid() == 0) {
        device = Path("null");
        ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(device.c_str(), &before), 0);
    EXPECT_EQ(ReplaceFileContents(device, "никуда"), 0);
    struct stat after {};
    ASSERT_EQ(::stat(device.c_str(), &after), 0);
    EXPECT_TRUE(S_ISCHR(after.st_mode));
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReplaceFileContents(dir_.string(), "x"), EISDIR);
}

TEST_F(FileReplace, ALeftTemporaryFileOfTheSameTargetGoesWithTheNextWrite) {
    testing::WriteBytes(Path("book.txt"), "old");
    // A writer that no longer runs, one that still does (this process's
    // parent), and another target's leftover.
    const std::string gone = TemporaryFileName("book.txt", 999999999, 0);
    const std::string running = TemporaryFileName("book.txt", ::getppid(), 3);
    const std::string other = TemporaryFileName("other.txt", 999999999, 0);
    for (const std::string& name : {gone, running, other}) {
        testing::WriteBytes(Path(name), "half a text");
    }
    ASSERT_EQ(ReplaceFileContents(Path("book.txt"), "new"), 0);
    EXPECT_EQ(testing::ReadBytes(Path("book.txt")), "new");
    std::vector<std::string> expected = {"book.txt", other, running};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(), expected);
    EXPECT_TRUE(gone.starts_with(".book.txt.umlo-")) << "recognisable as the target's";
}

TEST_F(FileReplace, OwnerGroupAndRightsStay) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can give a file away";
    }
    const std::string path = Path("theirs.txt");
    testing::WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0); // nobody
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(ReplaceFileContents(path, "new"), 0);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A rename would leave the other names of the file with the old bytes, or
// make someone else's file the writer's: such a file is rewritten where it is.
TEST_F(FileReplace, AFileWithOtherNamesStaysOneFile) {
    const std::string path = Path("book.txt");
    testing::WriteBytes(path, "old, and longer than the new text");
    ASSERT_EQ(::link(path.c_str(), Path("link.txt").c_str()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_EQ(ReplaceFileContents(path, "new"), 0);
    EXPECT_EQ(testing::ReadBytes(path), "new");
    EXPECT_EQ(testing::ReadBytes(Path("link.txt")), "new");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_EQ(Names(), (std::vector<std::string>{"book.txt", "link.txt"}));
}

TEST_F(FileReplace, SomeoneElsesFileStaysTheirs) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only the superuser can make a file someone else's";
    }
    // The superuser's file, writable by all, in a folder open to all; the
    // writer is nobody, who cannot give the file back to its owner.
    const std::string path = Path("root.txt");
    testing::WriteBytes(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped && ReplaceFileContents(path, "new") == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(testing::ReadBytes(path), "new");
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0666u);
    EXPECT_EQ(Names(), std::vector<std::string>{"root.txt"});
}

TEST(SystemMessage, FileErrorsSayWhatFailedWhereAndWhyInRussian) {
    EXPECT_EQ(FileErrorMessage(FileAction::Write, "/x/y.txt", ENOSPC),
              "Не удалось записать файл \"/x/y.txt\": на диске нет места");
    EXPECT_EQ(FileErrorMessage(FileAction::Read, "\xEF\xE0\xEF\xEA\xE0", EACCES),
              "Не удалось прочитать файл \"папка\": нет прав доступа")
        << "a cp1251 path is shown in UTF-8";
    for (const int error : {EISDIR, EPERM, EROFS, EFBIG, ENOENT, EIO}) {
        const std::string text = SystemMessage(error);
        EXPECT_GE(static_cast<unsigned char>(text[0]), 0xD0) << error << ": " << text;
    }
    // A rare one keeps the system's own text rather than nothing.
    EXPECT_FALSE(SystemMessage(EDOM).empty());
}

} // namespace
} // namespace umlo
