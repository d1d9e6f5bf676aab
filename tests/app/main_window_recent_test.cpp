// The recent files in the "Файл" menu: items after the hidden marker with
// Ctrl+1 to Ctrl+9, scrolling at nine, clearing, and reopening a file at its
// caret in its own format.
#include <QMenu>

#include "documents/text_format.h"
#include "tests/app/main_window_fixture.h"

namespace umlo {
namespace {

class MainWindowRecentTest : public MainWindowFixture {
protected:
    // The File menu's items after "Openfile0": "-" for a separator, else
    // "caption|shortcut".
    std::vector<QString> Block() {
        std::vector<QString> out;
        const QList<QAction*> items = window_->FileMenu()->actions();
        bool after = false;
        for (QAction* item : items) {
            if (after) {
                out.push_back(item->isSeparator()
                                  ? QStringLiteral("-")
                                  : item->text() + QLatin1Char('|') + item->shortcut().toString());
            }
            after = after || item->objectName() == QLatin1String("Openfile0");
        }
        return out;
    }
    QString Entry(const QString& name, int place) {
        return dir_.filePath(name) + QStringLiteral("|Ctrl+%1").arg(place);
    }
};

TEST_F(MainWindowRecentTest, LoadedFilesFollowTheMarkerWithTheirPlaceShortcuts) {
    StartWindow("мёд\n");
    EXPECT_TRUE(Block().empty());
    LoadText("a", QStringLiteral("a.txt"));
    LoadText("b", QStringLiteral("b.txt"));
    LoadText("a again", QStringLiteral("a.txt")); // listed already: keeps its place
    EXPECT_EQ(Block(),
              (std::vector<QString>{QStringLiteral("-"), Entry("a.txt", 1), Entry("b.txt", 2)}));
    EXPECT_TRUE(Enabled("Clearfilelist1"));
}

TEST_F(MainWindowRecentTest, TheTenthFileScrollsTheOldestOut) {
    StartWindow("мёд\n");
    for (int i = 0; i < 10; ++i) {
        LoadText("x", QStringLiteral("f%1.txt").arg(i));
    }
    const std::vector<QString> block = Block();
    ASSERT_EQ(block.size(), 10u);
    EXPECT_EQ(block[0], QStringLiteral("-"));
    EXPECT_EQ(block[1], Entry("f1.txt", 1));
    EXPECT_EQ(block[9], Entry("f9.txt", 9));
}

TEST_F(MainWindowRecentTest, ClearingAsksAndRemovesTheWholeBlock) {
    StartWindow("мёд\n");
    LoadText("a", QStringLiteral("a.txt"));
    boxAnswers_ = {MessageResult::No};
    Trigger("Clearfilelist1");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages_[0].text, "Очистить список последних файлов?");
    EXPECT_EQ(Block().size(), 2u);

    boxAnswers_ = {MessageResult::Yes};
    Trigger("Clearfilelist1");
    EXPECT_TRUE(Block().empty());
    EXPECT_FALSE(Enabled("Clearfilelist1"));

    // The next file builds the block again from place 1.
    LoadText("b", QStringLiteral("b.txt"));
    EXPECT_EQ(Block(), (std::vector<QString>{QStringLiteral("-"), Entry("b.txt", 1)}));
}

TEST_F(MainWindowRecentTest, ReopeningPutsTheCaretBackAndUsesTheStoredFormat) {
    StartWindow("мёд\n");
    // b.txt is UTF-8 and was loaded as such.
    Write("b.txt", "\xd0\xb5\xd0\xb6");
    ASSERT_TRUE(window_->Files().LoadText(Path("b.txt"), FormatUtf8));
    LoadText("0123456789", QStringLiteral("a.txt"));
    Editor().SetCaret(7);

    ASSERT_EQ(window_->RecentItems().size(), 2u);
    window_->RecentItems()[0]->trigger(); // b.txt
    EXPECT_EQ(Text(), u"еж");
    EXPECT_EQ(window_->Files().CurrentFormat(), FormatUtf8);
    window_->RecentItems()[1]->trigger(); // a.txt, where the caret was left
    EXPECT_EQ(Text(), u"0123456789");
    EXPECT_EQ(Editor().SelStart(), 7);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowRecentTest, ReopeningAModifiedTextAsksFirstAndCancelStays) {
    StartWindow("мёд\n");
    LoadText("b", QStringLiteral("b.txt"));
    LoadText("a", QStringLiteral("a.txt"));
    Editor().SetCaret(0);
    Editor().ReplaceSelection(u"X");
    boxAnswers_ = {MessageResult::Cancel};
    window_->RecentItems()[0]->trigger();
    EXPECT_EQ(Text(), u"Xa");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Файл был изменён. Сохранить изменения?");
}

} // namespace
} // namespace umlo
