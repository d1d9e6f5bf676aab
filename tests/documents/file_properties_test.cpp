#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "core/codepage.h"
#include "documents/file_properties.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"

namespace umlo {
namespace {

std::u16string Repeat(char16_t c, int n) {
    return std::u16string(static_cast<size_t>(n), c);
}

std::string DegreeLine(int plainE, int diaeresisE) {
    const std::u16string text = Repeat(u'е', plainE) + u" " + Repeat(u'ё', diaeresisE);
    return PropertyRowsOf(text, "", 0, std::nullopt)[7].Value;
}

TEST(FilePropertiesTest, DegreeRoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(DegreeLine(30, 2), "100% (возможно, ёфицировано)");
    EXPECT_EQ(DegreeLine(30, 1), "50% (возможно, ёфицировано не полностью)");
    EXPECT_EQ(DegreeLine(200, 1), "8% (возможно, ёфицировано не полностью)");
    EXPECT_EQ(RestorationDegree(600, 1), 2);
    EXPECT_EQ(RestorationDegree(400, 1), 4);
    EXPECT_EQ(RestorationDegree(1000, 1), 2); // 1.5 goes up to 2
    EXPECT_EQ(DegreeLine(4000, 1), "0% (не ёфицировано)");
    EXPECT_EQ(DegreeLine(0, 3), "100% (возможно, ёфицировано)");
    EXPECT_EQ(DegreeLine(1, 1), "1500% (возможно, ёфицировано)");
    EXPECT_EQ(DegreeLine(0, 0), "0% (не ёфицировано)");
    // 20 е and 1 ё: 75 exactly, the first degree called restored.
    EXPECT_EQ(DegreeLine(20, 1), "75% (возможно, ёфицировано)");
    EXPECT_EQ(RestorationVerdict(74), "возможно, ёфицировано не полностью");
}

TEST(FilePropertiesTest, FormatText) {
    EXPECT_EQ(FormatDescription(0), "ANSI, plain text");
    EXPECT_EQ(FormatDescription(FormatUtf8 | FormatSignature), "UTF-8sgn, plain text");
    EXPECT_EQ(FormatDescription(FormatUtf16LE | FormatSignature), "UTF-16LEsgn, plain text");
    EXPECT_EQ(FormatDescription(FormatUtf16BE), "UTF-16BE, plain text");
    EXPECT_EQ(FormatDescription(FormatRtf), "ANSI, rich text");
    // The first encoding that applies names it.
    EXPECT_EQ(FormatDescription(FormatUtf8 | FormatUtf16LE), "UTF-8, plain text");
}

TEST(FilePropertiesTest, CountsUseTheCodePageLetters) {
    // "漢" has no cp1251 byte and counts as "?", Latin letters are not Cyrillic.
    const LetterCounts c = CountLetters(std::u16string(u"Ёлка, ещё ЕЁ abc 漢 ЯЖ"));
    EXPECT_EQ(c.Cyrillic, 11);
    EXPECT_EQ(c.PlainE, 2);
    EXPECT_EQ(c.DiaeresisE, 3);
}

TEST(FilePropertiesTest, ATextWithoutAFileLeavesTheFileRowsEmpty) {
    MemoryTextBuffer editor;
    editor.SetAllText(u" ");
    testing::RecordingHost host;
    const auto rows = FilePropertyRows(editor, "", FormatUtf8, host);
    ASSERT_TRUE(rows.has_value());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Имя файла", ""},
        {"Формат файла", ""},
        {"Длина файла в байтах", ""},
        {"Длина текста в символах", "1"},
        {"Число символов кириллицы", "0"},
        {"Число е", "0"},
        {"Число ё", "0"},
        {"Степень ёфикации", "0% (не ёфицировано)"}};
    ASSERT_EQ(rows->size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*rows)[i].Name, expected[i].first);
        EXPECT_EQ((*rows)[i].Value, expected[i].second);
    }
    EXPECT_TRUE(host.messages.empty());
}

class FilePropertiesFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        path_ = (std::filesystem::temp_directory_path() /
                 ("umlo-props-" + std::to_string(random()) + ".txt"))
                    .string();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    std::string path_;
};

TEST_F(FilePropertiesFileTest, TheFileSizeIsTheSizeOnDiskNotTheEditorsText) {
    // A UTF-8 file with signature: 3 + 2×4 bytes for "\xEF\xBB\xBFёлка", plus CR LF and "x".
    std::ofstream(path_, std::ios::binary) << "\xEF\xBB\xBF\xD1\x91\xD0\xBB\xD0\xBA\xD0\xB0\r\nx";
    MemoryTextBuffer editor;
    editor.SetAllText(u"ёлка\r\nx, и ещё немного");
    testing::RecordingHost host;
    const auto rows = FilePropertyRows(editor, path_, FormatUtf8 | FormatSignature, host);
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ((*rows)[0].Value, path_);
    EXPECT_EQ((*rows)[1].Value, "UTF-8sgn, plain text");
    EXPECT_EQ((*rows)[2].Value, "14");
    // The line break counts one character in the editor.
    EXPECT_EQ((*rows)[3].Value, std::to_string(editor.TextLength()));
    EXPECT_EQ((*rows)[3].Value, "21");
    EXPECT_EQ((*rows)[5].Value, "2");
    EXPECT_EQ((*rows)[6].Value, "2");
}

TEST_F(FilePropertiesFileTest, AFileThatCannotBeOpenedIsReportedAndNothingIsShown) {
    MemoryTextBuffer editor;
    editor.SetAllText(u"текст");
    testing::RecordingHost host;
    EXPECT_FALSE(FilePropertyRows(editor, path_, 0, host).has_value());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(host.messages[0].text.empty());
}

} // namespace
} // namespace umlo
