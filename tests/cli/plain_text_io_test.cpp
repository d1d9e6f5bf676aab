#include "cli/plain_text_io.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/codepage.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

PlainText Decode(std::string_view bytes) {
    PlainText t;
    std::string error;
    EXPECT_TRUE(DecodePlainText(bytes, t, error)) << error;
    return t;
}

// Replaces every е in the buffer text by ё, as a pass would.
std::u16string Yoficate(std::u16string text) {
    for (auto& c : text) {
        if (c == u'е') {
            c = u'ё';
        }
    }
    return text;
}

TEST(PlainTextIo, EncodingSignatureAndLineEndsSurviveARoundTrip) {
    const std::string utf8 = "первая\r\nвторая\nтретья\rчетвёртая\r\n";
    const std::vector<std::string> samples = {
        utf8,
        "\xEF\xBB\xBF" + utf8,
        Cp(utf8),
        "",
        "one line, no end",
        "\n\n\r\r\n",
        std::string("\xFF\xFE", 2) + std::string("a\0\r\0\n\0b\0", 8),
        std::string("\xFE\xFF", 2) + std::string("\0a\0\n\0b", 6),
    };
    for (const auto& bytes : samples) {
        const PlainText t = Decode(bytes);
        EXPECT_EQ(EncodePlainText(t, t.text), bytes) << bytes;
    }
}

TEST(PlainTextIo, DetectsTheEncodingAndGivesOneBreakPerLine) {
    const PlainText utf8 = Decode("ещ\xD0\xB5\r\nx");
    EXPECT_EQ(utf8.encoding, PlainEncoding::Utf8);
    EXPECT_FALSE(utf8.signature);
    EXPECT_EQ(utf8.text, u"еще\rx");
    ASSERT_EQ(utf8.lineEnds.size(), 1u);

    const PlainText bom = Decode("\xEF\xBB\xBF"
                                 "abc");
    EXPECT_EQ(bom.encoding, PlainEncoding::Utf8);
    EXPECT_TRUE(bom.signature);
    EXPECT_EQ(bom.text, u"abc");

    // Not valid UTF-8: read as cp1251.
    const PlainText cp = Decode(Cp("еще\nвсе"));
    EXPECT_EQ(cp.encoding, PlainEncoding::Cp1251);
    EXPECT_EQ(cp.text, u"еще\rвсе");

    const PlainText le = Decode(std::string("\xFF\xFE\x35\x04", 4));
    EXPECT_EQ(le.encoding, PlainEncoding::Utf16LE);
    EXPECT_EQ(le.text, u"е");
}

TEST(PlainTextIo, ChangedLettersAreTheOnlyDifference) {
    const std::string mixed = "пес\r\nвсе\nмед\rлед";
    PlainText t = Decode(mixed);
    EXPECT_EQ(EncodePlainText(t, Yoficate(t.text)), "пёс\r\nвсё\nмёд\rлёд");

    const std::string cp = Cp("пес\r\nвсе");
    t = Decode(cp);
    EXPECT_EQ(EncodePlainText(t, Yoficate(t.text)), Cp("пёс\r\nвсё"));

    // A line the buffer gained takes the file's first line end.
    t = Decode("a\r\nb");
    EXPECT_EQ(EncodePlainText(t, u"a\rb\rc"), "a\r\nb\r\nc");
}

TEST(PlainTextIo, RefusesWhatIsNotText) {
    const std::vector<std::string> bad = {
        std::string("abc\0def", 7),
        std::string("\xEF\xBB\xBF\xFF\xFE", 5), // signature, then invalid UTF-8
        std::string("\xFF\xFE\x41", 3),         // odd UTF-16
        std::string("\xFF\xFE\x00\x00", 4),     // NUL character
    };
    for (const auto& bytes : bad) {
        PlainText t;
        std::string error;
        EXPECT_FALSE(DecodePlainText(bytes, t, error));
        EXPECT_FALSE(error.empty());
    }
}

class PlainTextFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("umlo_plain_text_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static void Write(const std::string& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }
    fs::path dir_;
};

TEST_F(PlainTextFiles, ReadsAndReplacesAFileKeepingItsPermissions) {
    const std::string path = Path("text.txt");
    Write(path, "все\r\n");
    ::chmod(path.c_str(), 0640);
    PlainText t;
    std::string error;
    ASSERT_TRUE(ReadPlainTextFile(path, t, error)) << error;
    ASSERT_TRUE(WriteFileReplacing(path, EncodePlainText(t, Yoficate(t.text)), error)) << error;
    EXPECT_EQ(Read(path), "всё\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(FileCount(), 1u); // no temporary file left
}

TEST_F(PlainTextFiles, ReportsMissingDirectoriesAndBinaryFiles) {
    PlainText t;
    std::string error;
    EXPECT_FALSE(ReadPlainTextFile(Path("missing.txt"), t, error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos);
    error.clear();
    EXPECT_FALSE(ReadPlainTextFile(dir_.string(), t, error));
    EXPECT_FALSE(error.empty());
    const std::string binary = Path("binary.dat");
    Write(binary, std::string("\x7F"
                              "ELF\0\0",
                              6));
    error.clear();
    EXPECT_FALSE(ReadPlainTextFile(binary, t, error));
    EXPECT_NE(error.find("binary.dat"), std::string::npos);
}

TEST_F(PlainTextFiles, AFailedWriteLeavesTheTargetAlone) {
    // The target names a folder that does not exist: nothing may appear anywhere.
    std::string error;
    EXPECT_FALSE(WriteFileReplacing(Path("no/such/out.txt"), "x", error));
    EXPECT_FALSE(error.empty());
    const std::string folder = Path("sub");
    fs::create_directory(folder);
    error.clear();
    EXPECT_FALSE(WriteFileReplacing(folder, "x", error));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(PlainTextFiles, WritingThroughALinkChangesTheFileItNames) {
    const std::string real = Path("real.txt");
    const std::string link = Path("link.txt");
    Write(real, "old");
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(WriteFileReplacing(link, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(real), "new");
}

} // namespace
} // namespace umlo::cli
