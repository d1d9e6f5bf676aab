// The grids of the statistics and file-properties windows show their texts
// whole: columns as wide as their cells and headers in the grid's font, rows
// as tall as a line, the last column and the last row inside the window, the
// designed sizes as the least.
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/file_prop_form.h"
#include "app/qt_convert.h"
#include "app/stat_form.h"
#include "core/codepage.h"
#include "core/words.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

// Every text of the grid fits its column; every row holds a line.
void ExpectTextsFit(const QTableWidget& grid) {
    const QFontMetrics cells = grid.fontMetrics();
    const QFontMetrics header = grid.horizontalHeader()->fontMetrics();
    for (int c = 0; c < grid.columnCount(); ++c) {
        if (!grid.horizontalHeader()->isHidden() && grid.horizontalHeaderItem(c) != nullptr) {
            const QString text = grid.horizontalHeaderItem(c)->text();
            EXPECT_GT(grid.columnWidth(c), header.horizontalAdvance(text)) << text.toStdString();
        }
        for (int r = 0; r < grid.rowCount(); ++r) {
            const QTableWidgetItem* item = grid.item(r, c);
            ASSERT_NE(item, nullptr);
            EXPECT_GT(grid.columnWidth(c), cells.horizontalAdvance(item->text()))
                << item->text().toStdString();
        }
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        EXPECT_GE(grid.rowHeight(r), cells.height()) << r;
    }
    // The last column ends inside the grid: nothing is hidden on the right.
    const int last = grid.columnCount() - 1;
    EXPECT_LE(grid.columnViewportPosition(last) + grid.columnWidth(last), grid.viewport()->width());
}

class StatSizesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        for (const char* word : {"всё", "трёхведёрный"}) {
            dic_.AddEntry(Cp(word), std::string_view(word) == "всё");
        }
        ASSERT_TRUE(regExprs_.AddLine(Cp("всё-таки")));
        form_ = std::make_unique<TStatForm>(dic_, regExprs_, host_, QStringToUtf8(dir_.path()));
    }
    void Count(const char* word, WordCounter which, int n) {
        dic_.AddToCounter(dic_.FindKey(EKey(Cp(word))), which, n);
    }

    QTemporaryDir dir_;
    TDic dic_;
    TRegExprDic regExprs_;
    testing::RecordingHost host_;
    std::unique_ptr<TStatForm> form_;
};

TEST_F(StatSizesTest, ColumnsHoldHeadersAndLongNumbersAndTheTotalRowIsWhole) {
    Count("все", WordCounter::PlainKept, 123456789);
    Count("трехведерный", WordCounter::PlainToDiaeresis, 987654321);
    regExprs_.AddUse(0);
    form_->show();
    ASSERT_EQ(form_->sgWords().horizontalHeaderItem(1)->text(), QStringLiteral("Общее число"));
    for (QTableWidget* grid : {&form_->sgWords(), &form_->sgCombiWords()}) {
        ExpectTextsFit(*grid);
        EXPECT_LE(grid->geometry().right(), form_->width() - 1);
        // The "ВСЕГО" row, last, is whole in view.
        const QTableWidgetItem* total = grid->item(grid->rowCount() - 1, 0);
        ASSERT_EQ(total->text(), QStringLiteral("ВСЕГО"));
        EXPECT_LE(grid->visualItemRect(total).bottom(), grid->viewport()->height());
    }
    // Never below the designed widths.
    EXPECT_GE(form_->sgWords().columnWidth(0), 150);
    for (int c = 1; c < 6; ++c) {
        EXPECT_GE(form_->sgWords().columnWidth(c), 80) << c;
    }
    EXPECT_GE(form_->sgCombiWords().columnWidth(0), 474);
    EXPECT_GE(form_->width(), 575);
    EXPECT_GE(form_->height(), 501);
    // The save button stays whole below the grids.
    const QPushButton& save = form_->bSave();
    EXPECT_GE(save.width(), save.fontMetrics().horizontalAdvance(save.text()));
    EXPECT_LE(save.geometry().bottom(), form_->height() - 1);
    EXPECT_GT(save.geometry().top(), form_->sgCombiWords().geometry().bottom());
}

TEST_F(StatSizesTest, TheWindowHasOnlyACloseBox) {
    const Qt::WindowFlags flags = form_->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    // A fixed size leaves nothing to maximise.
    form_->show();
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
}

TEST(FilePropSizes, NamesAndValuesFitTheirColumns) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    testing::RecordingHost host;
    TFilePropForm form(host);
    MemoryTextBuffer editor;
    const std::string path = QStringToUtf8(dir.filePath("ёлка.txt"));
    testing::WriteBytes(path, Cp("Ещё ёлка, еще"));
    editor.SetAllText(u"Ещё ёлка, еще");
    ASSERT_TRUE(form.Fill(editor, path, 0));
    form.show();
    ExpectTextsFit(form.sgProp());
    EXPECT_GE(form.sgProp().columnWidth(0), 150);
    // The values take the rest of the window.
    EXPECT_EQ(form.sgProp().columnWidth(0) + form.sgProp().columnWidth(1),
              form.sgProp().width() - 2 * form.sgProp().frameWidth());
    EXPECT_GE(form.width(), 545);
    // All eight rows are in view.
    const QTableWidgetItem* last = form.sgProp().item(7, 0);
    EXPECT_LE(form.sgProp().visualItemRect(last).bottom(), form.sgProp().viewport()->height());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

} // namespace
} // namespace umlo
