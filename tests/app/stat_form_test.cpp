// The statistics window on the offscreen platform: the rows it shows for the
// counters, header clicks, clearing, and saving to a file.
#include "app/stat_form.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/qt_convert.h"
#include "core/codepage.h"
#include "core/words.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

using Row = std::vector<QString>;

Row HeaderOf(const QTableWidget& grid) {
    Row out;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* item = grid.horizontalHeaderItem(c);
        out.push_back(item ? item->text() : QString());
    }
    return out;
}

Row RowOf(const QTableWidget& grid, int row) {
    Row out;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* item = grid.item(row, c);
        out.push_back(item ? item->text() : QString());
    }
    return out;
}

Row FirstColumn(const QTableWidget& grid) {
    Row out;
    for (int r = 0; r < grid.rowCount(); ++r) {
        out.push_back(grid.item(r, 0)->text());
    }
    return out;
}

void ReleaseOverHeader(QTableWidget& grid, int column, Qt::MouseButton button = Qt::LeftButton) {
    QHeaderView* header = grid.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), button, Qt::NoModifier, at);
}

class StatFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        for (const char* word : {"всё", "ёлка", "мёд", "трёхведёрный"}) {
            dic_.AddEntry(Cp(word), std::string_view(word) == "всё");
        }
        ASSERT_TRUE(regExprs_.AddLine(Cp("всё-таки")));
        ASSERT_TRUE(regExprs_.AddLine(Cp("\\d+ лет")));
        form_ = std::make_unique<TStatForm>(dic_, regExprs_, host_, Folder());
    }

    std::string Folder() const { return QStringToUtf8(dir_.path()); }

    void Count(const char* word, WordCounter which, int n) {
        dic_.AddToCounter(dic_.FindKey(EKey(Cp(word))), which, n);
    }

    // «все» changed twice and left once; «ёлка» kept five times; «мёд» changed
    // to «мед» four times; two expressions used 1 and 6 times.
    void CountSomeWords() {
        Count("все", WordCounter::PlainKept, 1);
        Count("все", WordCounter::PlainToDiaeresis, 2);
        Count("елка", WordCounter::DiaeresisKept, 5);
        Count("мед", WordCounter::DiaeresisToPlain, 4);
        regExprs_.AddUse(0);
        for (int i = 0; i < 6; ++i) {
            regExprs_.AddUse(1);
        }
    }

    QTemporaryDir dir_;
    TDic dic_;
    TRegExprDic regExprs_;
    testing::RecordingHost host_;
    std::unique_ptr<TStatForm> form_;
};

TEST_F(StatFormTest, ShowingListsCountedWordsAndExpressionsWithTotals) {
    CountSomeWords();
    form_->show();
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(form_->bSave().text(), QStringLiteral("Сохранить"));

    const QTableWidget& words = form_->sgWords();
    EXPECT_EQ(HeaderOf(words), (Row{"*", "Общее число", "Е = Е", "Е -> Ё", "Ё = Ё", "Ё -> Е"}));
    ASSERT_EQ(words.rowCount(), 4);
    // Dictionary order of the е-keys of the cells, where "(" comes before every
    // letter; the unused word is absent.
    EXPECT_EQ(RowOf(words, 0), (Row{"(е/ё)лка", "5", "0", "0", "5", "0"}));
    EXPECT_EQ(RowOf(words, 1), (Row{"вс(е/ё)", "3", "1", "2", "0", "0"}));
    EXPECT_EQ(RowOf(words, 2), (Row{"м(е/ё)д", "4", "0", "0", "0", "4"}));
    EXPECT_EQ(RowOf(words, 3), (Row{"ВСЕГО", "12", "1", "2", "5", "4"}));

    const QTableWidget& combi = form_->sgCombiWords();
    EXPECT_EQ(HeaderOf(combi), (Row{"*", "Общее число"}));
    ASSERT_EQ(combi.rowCount(), 3);
    EXPECT_EQ(RowOf(combi, 0), (Row{"\\d+ лет", "6"}));
    EXPECT_EQ(RowOf(combi, 1), (Row{"всё-таки", "1"}));
    EXPECT_EQ(RowOf(combi, 2), (Row{"ВСЕГО", "7"}));
}

TEST_F(StatFormTest, EveryShowReadsTheCountersAgain) {
    form_->show();
    ASSERT_EQ(form_->sgWords().rowCount(), 1);
    EXPECT_EQ(RowOf(form_->sgWords(), 0), (Row{"ВСЕГО", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(RowOf(form_->sgCombiWords(), 0), (Row{"ВСЕГО", "0"}));
    form_->hide();

    Count("трехведерный", WordCounter::PlainToDiaeresis, 2);
    form_->show();
    ASSERT_EQ(form_->sgWords().rowCount(), 2);
    EXPECT_EQ(RowOf(form_->sgWords(), 0), (Row{"тр(е/ё)хвед(е/ё)рный", "2", "0", "2", "0", "0"}));
    form_->hide();

    // "Обнулить статистику" empties both grids at the next show.
    RunCounters counters;
    ResetStatistics(counters, dic_, regExprs_, host_);
    form_->show();
    EXPECT_EQ(FirstColumn(form_->sgWords()), (Row{"ВСЕГО"}));
    EXPECT_EQ(FirstColumn(form_->sgCombiWords()), (Row{"ВСЕГО"}));
}

TEST_F(StatFormTest, HeaderClickSortsThatGridAndMovesTheStar) {
    CountSomeWords();
    Count("мед", WordCounter::PlainToDiaeresis, 3);
    form_->show();
    QTableWidget& words = form_->sgWords();

    ReleaseOverHeader(words, 3); // "Е -> Ё"
    EXPECT_EQ(FirstColumn(words), (Row{"м(е/ё)д", "вс(е/ё)", "(е/ё)лка", "ВСЕГО"}));
    EXPECT_EQ(HeaderOf(words), (Row{"", "Общее число", "Е = Е", "Е -> Ё*", "Ё = Ё", "Ё -> Е"}));
    EXPECT_EQ(form_->WordsGrid().sortedColumn, 3);
    // The other grid is left as it was.
    EXPECT_EQ(HeaderOf(form_->sgCombiWords()), (Row{"*", "Общее число"}));

    // Any mouse button sorts; the total column puts the largest sum first.
    ReleaseOverHeader(words, 1, Qt::RightButton);
    EXPECT_EQ(FirstColumn(words), (Row{"м(е/ё)д", "(е/ё)лка", "вс(е/ё)", "ВСЕГО"}));
    EXPECT_EQ(HeaderOf(words)[1], QStringLiteral("Общее число*"));
    EXPECT_EQ(HeaderOf(words)[3], QStringLiteral("Е -> Ё"));

    ReleaseOverHeader(words, 0);
    EXPECT_EQ(FirstColumn(words), (Row{"(е/ё)лка", "вс(е/ё)", "м(е/ё)д", "ВСЕГО"}));
    EXPECT_EQ(HeaderOf(words)[0], QStringLiteral("*"));
    // Every column of a row moves with it.
    EXPECT_EQ(RowOf(words, 2), (Row{"м(е/ё)д", "7", "0", "3", "0", "4"}));

    QTableWidget& combi = form_->sgCombiWords();
    ReleaseOverHeader(combi, 1);
    EXPECT_EQ(FirstColumn(combi), (Row{"\\d+ лет", "всё-таки", "ВСЕГО"}));
    EXPECT_EQ(HeaderOf(combi), (Row{"", "Общее число*"}));
}

TEST_F(StatFormTest, SaveWritesTheGridsAsShownIntoTheChosenFile) {
    CountSomeWords();
    form_->show();
    ReleaseOverHeader(form_->sgWords(), 5); // "Ё -> Е": «мёд» first
    const std::string target = QStringToUtf8(dir_.filePath("stat.log"));
    testing::WriteBytes(target, "old contents that are longer than nothing");
    std::string askedFolder, askedName;
    form_->SetSaveNameChooser([&](QWidget*, const std::string& folder, const std::string& name) {
        askedFolder = folder;
        askedName = name;
        return std::optional<std::string>(target);
    });
    QTest::mouseClick(&form_->bSave(), Qt::LeftButton);

    EXPECT_EQ(askedFolder, Folder());
    EXPECT_EQ(askedName, "umlo_stat.log");
    EXPECT_TRUE(host_.messages.empty());
    const std::string expected = "м(е/ё)д       4     0     0     0     4\r\n"
                                 "(е/ё)лка      5     0     0     5     0\r\n"
                                 "вс(е/ё)       3     1     2     0     0\r\n"
                                 "ВСЕГО        12     1     2     5     4\r\n"
                                 "===\r\n"
                                 "\\d+ лет       6\r\n"
                                 "всё-таки      1\r\n"
                                 "ВСЕГО         7\r\n";
    EXPECT_EQ(Cp1251ToUtf8(testing::ReadBytes(target)), expected);
}

TEST_F(StatFormTest, CancelledOrFailedSaveLeavesFilesAndGridsAlone) {
    CountSomeWords();
    form_->show();
    const std::string target = QStringToUtf8(dir_.filePath("umlo_stat.log"));
    testing::WriteBytes(target, "kept");

    form_->SetSaveNameChooser(
        [](QWidget*, const std::string&, const std::string&) { return std::nullopt; });
    form_->bSaveClick();
    EXPECT_EQ(testing::ReadBytes(target), "kept");
    EXPECT_TRUE(host_.messages.empty());

    const std::string unwritable = QStringToUtf8(dir_.filePath("no such folder/umlo_stat.log"));
    form_->SetSaveNameChooser([&](QWidget*, const std::string&, const std::string&) {
        return std::optional<std::string>(unwritable);
    });
    form_->bSaveClick();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(host_.messages[0].text.empty());
    EXPECT_EQ(form_->sgWords().rowCount(), 4);
    EXPECT_EQ(RowOf(form_->sgWords(), 0)[0], QStringLiteral("(е/ё)лка"));
    EXPECT_TRUE(form_->isVisible());
}

TEST_F(StatFormTest, ModalWindowFillsOnOpenAndEscClosesIt) {
    CountSomeWords();
    int rowsWhileOpen = -1;
    bool wasModal = false;
    QTimer::singleShot(0, form_.get(), [&] {
        rowsWhileOpen = form_->sgWords().rowCount();
        wasModal = form_->isModal() && form_->isVisible();
        QTest::keyClick(form_.get(), Qt::Key_Escape);
    });
    form_->ShowModal();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(rowsWhileOpen, 4);
    EXPECT_FALSE(form_->isVisible());
}

} // namespace
} // namespace umlo
