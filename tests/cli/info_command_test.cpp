#include "cli/info_command.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "cli/text_document.h"
#include "core/codepage.h"
#include "documents/file_properties.h"
#include "documents/memory_text_buffer.h"
#include "tests/cli/run_command.h"
#include "tests/support/test_files.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

class InfoCommand : public ::testing::Test {
protected:
    void SetUp() override { dir_ = umlo::testing::FreshTestFolder("umlo_info"); }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, std::string_view bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "info");
        return testing::RunCommand(words, dir_.string(), out_, err_);
    }
    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

std::string Repeat(std::string_view s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

TEST_F(InfoCommand, PrintsTheEightRowsWithTheDegree) {
    // 30 е and 2 ё in two lines with CR LF: one ё for every 15 е is 100.
    const std::string text = Repeat("ее ", 14) + "\r\nёё ее";
    Write("t.txt", "\xEF\xBB\xBF" + text);
    ASSERT_EQ(Run({Path("t.txt")}), kExitOk) << err_.str();
    const std::u16string u = Utf8ToUtf16(text);
    const size_t chars = u.size() - 1; // CR LF is one character
    EXPECT_EQ(out_.str(), "Имя файла\t" + Path("t.txt") +
                              "\n"
                              "Формат файла\tUTF-8sgn, plain text\n"
                              "Длина файла в байтах\t" +
                              std::to_string(3 + text.size()) +
                              "\n"
                              "Длина текста в символах\t" +
                              std::to_string(chars) +
                              "\n"
                              "Число символов кириллицы\t32\n"
                              "Число е\t30\n"
                              "Число ё\t2\n"
                              "Степень ёфикации\t100% (возможно, ёфицировано)\n");
}

TEST_F(InfoCommand, EachFileInItsFormatAndBadOnesOnStderr) {
    Write("cp.txt", Cp(Repeat("е", 30) + "ё"));
    Write("r.rtf", "{\\rtf1\\ansi {\\b \\'e5}\\par}");
    ASSERT_EQ(Run({Path("cp.txt"), Path("missing.txt"), Path("r.rtf")}), kExitFailure);
    const std::string out = out_.str();
    EXPECT_NE(out.find("Формат файла\tANSI, plain text\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Степень ёфикации\t50% (возможно, ёфицировано не полностью)\n"),
              std::string::npos);
    EXPECT_NE(out.find("\n\nИмя файла\t" + Path("r.rtf") + "\nФормат файла\tANSI, rich text\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("missing.txt"), std::string::npos);
    EXPECT_NE(err_.str().find("missing.txt"), std::string::npos);

    // The named encoding is the one shown.
    Write("le.txt", "ab");
    ASSERT_EQ(Run({"--encoding", "utf-16", Path("le.txt")}), kExitOk);
    EXPECT_NE(out_.str().find("Формат файла\tUTF-16LE, plain text\n"), std::string::npos);
    EXPECT_NE(out_.str().find("Длина текста в символах\t1\n"), std::string::npos);
}

// The rows of a file read whole, as the command gave them before it streamed.
std::string WholeFileRows(const std::string& path) {
    TextDocument document;
    std::string error;
    EXPECT_TRUE(ReadTextDocument(path, EncodingChoice::Auto, document, error)) << error;
    MemoryTextBuffer buffer;
    LoadDocument(document, buffer);
    std::string out;
    for (const PropertyRow& row : PropertyRowsOf(buffer.Text(), path, document.format,
                                                 static_cast<std::int64_t>(document.fileSize))) {
        out += row.Name + "\t" + row.Value + "\n";
    }
    return out;
}

TEST_F(InfoCommand, StreamedCountsEqualThoseOfTheWholeFile) {
    // A CR LF cut by the reader's piece boundary, far into the file.
    std::string crossing = Repeat("е", (1 << 20) - 1) + "\r\nёж\r";
    const std::string lines = Repeat("ёлка и ель\r\n", 2000);
    const std::vector<std::pair<std::string, std::string>> files = {
        {"crossing.txt", crossing},
        {"utf8.txt", lines},
        // UTF-8 for 30,000 bytes and then a cp1251 letter: all of it is cp1251.
        {"late.txt", lines + Cp("е")},
        {"cp1251.txt", Cp(lines)},
        {"be.txt", "\xFE\xFF" + umlo::testing::Utf16Bytes(Utf8ToUtf16(lines), true)},
        {"empty.txt", ""},
    };
    for (const auto& [name, bytes] : files) {
        Write(name, bytes);
        ASSERT_EQ(Run({Path(name)}), kExitOk) << err_.str();
        EXPECT_EQ(out_.str(), WholeFileRows(Path(name))) << name;
        if (name == "be.txt") {
            EXPECT_NE(out_.str().find("UTF-16BEsgn"), std::string::npos);
        }
        if (name == "late.txt") {
            EXPECT_NE(out_.str().find("ANSI, plain text"), std::string::npos);
        }
    }

    // Not text: refused for the same reasons as a whole read.
    Write("zero.txt", lines + std::string(1, '\0'));
    EXPECT_EQ(Run({Path("zero.txt")}), kExitFailure);
    EXPECT_EQ(err_.str(), "umlo-cli: " + Path("zero.txt") +
                              ": это не текстовый файл (в нём есть нулевые байты)\n");
}

} // namespace
} // namespace umlo::cli
