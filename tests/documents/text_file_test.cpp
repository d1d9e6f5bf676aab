// Reading files into the text buffer and writing it back in every format:
// line ends, signatures, invalid input, failures that must leave the buffer or
// the file as they were, and large files.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/codepage.h"
#include "documents/memory_text_buffer.h"
#include "documents/text_file.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

std::string Utf16Le(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_tf"); }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::u16string Load(const std::string& bytes, TextFormat format) {
        MemoryTextBuffer buffer;
        EXPECT_TRUE(ReadTextFile(Write("in.txt", bytes), format, buffer));
        EXPECT_EQ(buffer.UpdateLockCount(), 0);
        return buffer.GetAllText();
    }
    std::string Save(std::u16string_view text, TextFormat format) {
        MemoryTextBuffer buffer;
        buffer.SetAllText(text);
        EXPECT_TRUE(WriteTextFile(Path("out.txt"), format, buffer));
        return Read(Path("out.txt"));
    }
    fs::path dir_;
};

TEST_F(TextFileTest, PlainTextLineEndsBecomeOneBreak) {
    EXPECT_EQ(Load(Cp("а\r\nб\rв\nг\n\r"), 0), u"а\rб\rв\rг\r\r");
    EXPECT_EQ(Load(Utf16Le(u"а\r\nб\nв"), FormatUtf16LE), u"а\rб\rв");
    EXPECT_EQ(Load(Utf16ToUtf8(u"ё\r\nж\r"), FormatUtf8), u"ё\rж\r");
}

TEST_F(TextFileTest, SignaturesAreDropped) {
    EXPECT_EQ(Load("\xFF\xFE" + Utf16Le(u"Ёлка"), FormatUtf16LE | FormatSignature), u"Ёлка");
    EXPECT_EQ(Load("\xEF\xBB\xBF" + Utf16ToUtf8(u"Ёлка"), FormatUtf8 | FormatSignature), u"Ёлка");
    // Detection said UTF-8 without signature: a signature is still dropped.
    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "a",
                   FormatUtf8),
              u"a");
    // "ANSI" chosen for a UTF-8 file: the signature shows as three characters.
    EXPECT_EQ(Load("\xEF\xBB\xBF"
                   "a",
                   0),
              u"п»їa");
    // Big-endian is read as big-endian, also when "UTF-16" was chosen for it:
    // its own signature decides.
    EXPECT_EQ(Load("\xFE\xFF\x04\x01", FormatUtf16BE | FormatSignature), u"Ё");
    EXPECT_EQ(Load("\xFE\xFF\x04\x01", FormatUtf16LE | FormatUtf16BE | FormatSignature), u"Ё");
    EXPECT_EQ(Load("\x04\x01", FormatUtf16BE), u"Ё");
}

// Bytes that are no text in the chosen encoding would be destroyed by the
// next save: the file is refused, the editor keeps its text.
TEST_F(TextFileTest, BytesThatAreNoTextAreRefused) {
    const std::vector<std::pair<std::string, TextFormat>> bad = {
        {"a\xFF\xC0z\xE2\x82", FormatUtf8},
        {"\xFF\xFE" + Utf16Le(u"ab") + "c", FormatUtf16LE},
        {std::string("ab\0c", 4), 0},
    };
    for (const auto& [bytes, format] : bad) {
        MemoryTextBuffer buffer;
        buffer.SetAllText(u"прежний");
        const FileResult r = ReadTextFile(Write("bad.txt", bytes), format, buffer);
        EXPECT_FALSE(r);
        EXPECT_NE(r.error.find(Path("bad.txt")), std::string::npos) << r.error;
        EXPECT_EQ(buffer.GetAllText(), u"прежний");
    }
    EXPECT_EQ(Load("", 0), u"");
    EXPECT_EQ(Load("", FormatUtf16LE), u"");
    EXPECT_EQ(Load("", FormatRtf), u"");
}

TEST_F(TextFileTest, RichTextNameWithPlainContentIsReadAsPlainText) {
    EXPECT_EQ(Load(Cp("Не RTF\r\nвовсе"), FormatRtf), u"Не RTF\rвовсе");
    EXPECT_EQ(Load("\xEF\xBB\xBF" + Utf16ToUtf8(u"ё"), FormatRtf | FormatUtf8), u"ё");
}

TEST_F(TextFileTest, WritingEveryEncoding) {
    // Two lines: CR LF between them and nothing at the end.
    EXPECT_EQ(Save(u"Ёж\rёж", 0), Cp("Ёж\r\nёж"));
    EXPECT_EQ(Save(u"a\r", 0), "a\r\n");
    EXPECT_EQ(Save(u"€ ₽ 😀", 0), "\x88 ? ??");
    EXPECT_EQ(Save(u"Ёж\rж", FormatUtf8), "\xEF\xBB\xBF" + Utf16ToUtf8(u"Ёж\r\nж"));
    EXPECT_EQ(Save(u"₽\r", FormatUtf16LE), "\xFF\xFE" + Utf16Le(u"₽\r\n"));
    // The signature flag does not matter, big-endian alone is cp1251.
    EXPECT_EQ(Save(u"ж", FormatUtf8 | FormatSignature), Save(u"ж", FormatUtf8));
    EXPECT_EQ(Save(u"ж", FormatUtf16BE), Cp("ж"));
    EXPECT_EQ(Save(u"", FormatUtf8), "\xEF\xBB\xBF");
    EXPECT_EQ(Save(u"", 0), "");
}

TEST_F(TextFileTest, EveryFormatRoundTrips) {
    const std::u16string text = u"Первая строка\r\tвторая: ёЁ «» — €\r\rконец";
    for (TextFormat format : {TextFormat(0), FormatUtf8, FormatUtf16LE, FormatRtf,
                              TextFormat(FormatRtf | FormatUtf8)}) {
        MemoryTextBuffer out;
        out.SetAllText(text);
        ASSERT_TRUE(WriteTextFile(Path("rt.txt"), format, out));
        MemoryTextBuffer in;
        ASSERT_TRUE(ReadTextFile(Path("rt.txt"), format, in));
        EXPECT_EQ(in.GetAllText(), text) << int(format);
    }
}

TEST_F(TextFileTest, RichTextKeepsTheMarksAndTheBufferIsUntouched) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(u"Ещё ёлка\rи ёж");
    buffer.SetCaret(2);
    buffer.SetSelLength(1);
    buffer.SetSelectionTextColor(16711680);
    buffer.SetSelectionBackColor(65535);
    buffer.SetCaret(9);
    buffer.SetSelLength(4);
    buffer.SetSelectionBold(true);
    buffer.SetSelectionFontSize(15);
    buffer.SetCaret(4);
    buffer.SetSelLength(3);
    const int repaints = buffer.RepaintCount();
    ASSERT_TRUE(WriteTextFile(Path("m.rtf"), FormatRtf, buffer));
    EXPECT_EQ(buffer.SelStart(), 4);
    EXPECT_EQ(buffer.SelLength(), 3);
    EXPECT_EQ(buffer.UpdateLockCount(), 0);
    EXPECT_GT(buffer.RepaintCount(), repaints);

    MemoryTextBuffer loaded;
    ASSERT_TRUE(ReadTextFile(Path("m.rtf"), FormatRtf, loaded));
    ASSERT_EQ(loaded.GetAllText(), buffer.GetAllText());
    for (int i = 0; i < buffer.TextLength(); ++i) {
        EXPECT_EQ(loaded.FormatAt(i), buffer.FormatAt(i)) << i;
    }
    EXPECT_EQ(loaded.SelStart(), 0);
}

TEST_F(TextFileTest, AFailedReadLeavesTheBuffer) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(u"прежний текст");
    const FileResult missing = ReadTextFile(Path("missing.txt"), 0, buffer);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.error.find("missing.txt"), std::string::npos);
    // What failed, on which path and why, in Russian.
    EXPECT_EQ(missing.error, "Не удалось прочитать файл \"" + Path("missing.txt") +
                                 "\": нет такого файла или папки");
    const FileResult folder = ReadTextFile(dir_.string(), 0, buffer);
    EXPECT_EQ(folder.error,
              "Не удалось прочитать файл \"" + dir_.string() + "\": это папка, а не файл");
    if (::geteuid() != 0) {
        const std::string locked = Write("locked.txt", "x");
        fs::permissions(locked, fs::perms::none);
        EXPECT_FALSE(ReadTextFile(locked, 0, buffer));
    }
    EXPECT_EQ(buffer.GetAllText(), u"прежний текст");
    EXPECT_EQ(buffer.UpdateLockCount(), 0);
}

TEST_F(TextFileTest, WritesReplaceThroughATemporaryFile) {
    const std::string target = Write("t.txt", "old");
    ::chmod(target.c_str(), 0640);
    MemoryTextBuffer buffer;
    buffer.SetAllText(u"new");
    ASSERT_TRUE(WriteTextFile(target, 0, buffer));
    EXPECT_EQ(Read(target), "new");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // the rights of the old file stay
    // Nothing is left beside the target.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
    // A name near the system's limit still leaves room for the temporary file.
    const std::string longName = Path(std::string(250, 'n') + ".txt");
    ASSERT_TRUE(WriteTextFile(longName, 0, buffer));
    EXPECT_EQ(Read(longName), "new");
    // Writing through a link replaces the file behind it and keeps the link.
    fs::create_symlink(target, dir_ / "link.txt");
    buffer.SetAllText(u"via link");
    ASSERT_TRUE(WriteTextFile(Path("link.txt"), 0, buffer));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
    EXPECT_EQ(Read(target), "via link");
}

TEST_F(TextFileTest, AFailedWriteLeavesTheOldFile) {
    MemoryTextBuffer buffer;
    buffer.SetAllText(u"new");
    const FileResult noFolder = WriteTextFile(Path("no/such/dir.txt"), 0, buffer);
    EXPECT_FALSE(noFolder);
    EXPECT_NE(noFolder.error.find("dir.txt"), std::string::npos);
    EXPECT_FALSE(WriteTextFile(dir_.string(), 0, buffer)); // a folder
    if (::geteuid() != 0) {
        const std::string readOnly = Write("ro.txt", "old");
        fs::permissions(readOnly, fs::perms::owner_read);
        EXPECT_FALSE(WriteTextFile(readOnly, 0, buffer));
        EXPECT_EQ(Read(readOnly), "old");
        const std::string inLocked = Write("in_locked.txt", "old");
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(WriteTextFile(inLocked, 0, buffer));
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_EQ(Read(inLocked), "old");
    }
    EXPECT_EQ(buffer.GetAllText(), u"new");
}

TEST_F(TextFileTest, LargeFilesStayFast) {
    // Sparse files cost no disk: only their start holds text, the rest is zeros.
    const fs::path big = dir_ / "big.txt";
    {
        std::ofstream out(big, std::ios::binary);
        out << Cp("Начало\r\n");
    }
    const std::uintmax_t plainSize = 32ull * 1024 * 1024;
    fs::resize_file(big, plainSize);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(big.string(), bytes));
    ASSERT_EQ(bytes.size(), plainSize);
    const RichText text = DecodeText(bytes, 0);
    EXPECT_EQ(text.text.size(), bytes.size() - 1);
    EXPECT_EQ(text.text.substr(0, 7), u"Начало\r");
    // 200 MB of rich text, nearly all of it zeros: best-effort text, no hang.
    const fs::path rtf = dir_ / "big.rtf";
    {
        std::ofstream out(rtf, std::ios::binary);
        out << "{\\rtf1 \\'c0";
    }
    fs::resize_file(rtf, 200ull * 1024 * 1024);
    MemoryTextBuffer buffer;
    ASSERT_TRUE(ReadTextFile(rtf.string(), FormatRtf, buffer));
    EXPECT_EQ(buffer.GetAllText(), u"\u00C0");
}

} // namespace
} // namespace umlo
