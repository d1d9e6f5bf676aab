// The file-properties window on the offscreen platform: the eight rows for a
// text with and without a file, a file that cannot be measured, Esc.
#include "app/file_prop_form.h"

#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

#include "app/qt_convert.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

class FilePropFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QStringList Column(int column) const {
        QStringList out;
        for (int r = 0; r < form_.sgProp().rowCount(); ++r) {
            out << form_.sgProp().item(r, column)->text();
        }
        return out;
    }

    QTemporaryDir dir_;
    testing::RecordingHost host_;
    TFilePropForm form_{host_};
    MemoryTextBuffer editor_;
};

TEST_F(FilePropFormTest, FileOnDiskAndTextInTheEditor) {
    // A UTF-8 file with signature.
    const std::string path = QStringToUtf8(dir_.filePath("ёлка.txt"));
    testing::WriteBytes(path, "\xEF\xBB\xBF"
                              "Ещё ёлка, ещё\n");
    editor_.SetAllText(u"Ещё ёлка, ещё\r");
    ASSERT_TRUE(form_.Fill(editor_, path, FormatUtf8 | FormatSignature));

    EXPECT_EQ(Column(0), (QStringList{"Имя файла", "Формат файла", "Длина файла в байтах",
                                      "Длина текста в символах", "Число символов кириллицы",
                                      "Число е", "Число ё", "Степень ёфикации"}));
    // 2 е and 3 ё: 3 × 1500 ÷ 2.
    EXPECT_EQ(Column(1), (QStringList{Utf8ToQString(path), "UTF-8sgn, plain text", "27", "14", "10",
                                      "2", "3", "2250% (возможно, ёфицировано)"}));
    // The names' column is at least its designed 150 pixels; the values fill the rest.
    EXPECT_EQ(form_.sgProp().columnWidth(0) + form_.sgProp().columnWidth(1),
              form_.sgProp().width() - 2 * form_.sgProp().frameWidth());
    EXPECT_GE(form_.sgProp().columnWidth(0), 150);

    // Edits not yet saved: the size stays the file's, the length follows the editor.
    editor_.SetAllText(u"Ещё ёлка, ещё, и ещё одна\r");
    ASSERT_TRUE(form_.Fill(editor_, path, FormatUtf8 | FormatSignature));
    EXPECT_EQ(Column(1)[2], QStringLiteral("27"));
    EXPECT_EQ(Column(1)[3], QStringLiteral("26"));
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(FilePropFormTest, TextWithoutAFileShowsOnlyTheCounts) {
    editor_.SetAllText(u" ");
    ASSERT_TRUE(form_.Fill(editor_, "", FormatRtf));
    EXPECT_EQ(Column(1), (QStringList{"", "", "", "1", "0", "0", "0", "0% (не ёфицировано)"}));

    // 30 е and 1 ё: half the degree of a fully restored text.
    editor_.SetAllText(std::u16string(30, u'е') + u"ё");
    ASSERT_TRUE(form_.Fill(editor_, "", 0));
    EXPECT_EQ(Column(1)[7], QStringLiteral("50% (возможно, ёфицировано не полностью)"));
}

TEST_F(FilePropFormTest, FileThatCannotBeMeasuredIsReportedAndNotShown) {
    editor_.SetAllText(u"текст");
    const std::string gone = QStringToUtf8(dir_.filePath("removed.txt"));
    bool shown = false;
    // Should the window open after all, this closes it so the test fails, not hangs.
    QTimer::singleShot(0, &form_, [&] {
        shown = form_.isVisible();
        form_.reject();
    });
    EXPECT_FALSE(form_.ShowFileProperties(editor_, gone, 0));
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(host_.messages[0].text,
              "Не удалось прочитать файл \"" + gone + "\": нет такого файла или папки");
}

TEST_F(FilePropFormTest, ShownModallyAndClosedByEsc) {
    editor_.SetAllText(u"ёж");
    QString degreeWhileOpen;
    bool modal = false;
    QTimer::singleShot(0, &form_, [&] {
        modal = form_.isVisible() && form_.isModal();
        degreeWhileOpen = form_.sgProp().item(7, 1)->text();
        QTest::keyClick(&form_, Qt::Key_Escape);
    });
    EXPECT_TRUE(form_.ShowFileProperties(editor_, "", 0));
    EXPECT_TRUE(modal);
    EXPECT_EQ(degreeWhileOpen, QStringLiteral("100% (возможно, ёфицировано)"));
    EXPECT_FALSE(form_.isVisible());
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Свойства файла"));
}

} // namespace
} // namespace umlo
