// Search in the main window: the find dialog for plain text and regular
// expressions, "Найти снова" and the jumps between replaced letters.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/find_dialog.h"
#include "core/pass.h"
#include "documents/search.h"
#include "tests/app/main_window_fixture.h"

namespace umlo {
namespace {

class MainWindowSearchTest : public MainWindowFixture {
protected:
    FindDialog& Dialog() { return window_->FindBox(); }
    void FindNext(const QString& text) {
        Dialog().TextField().setText(text);
        QTest::mouseClick(&Dialog().FindNextButton(), Qt::LeftButton);
    }
    std::pair<int, int> Selection() { return {Editor().SelStart(), Editor().SelLength()}; }
};

TEST_F(MainWindowSearchTest, PlainSearchGoesForwardWithoutWrapping) {
    StartWindow("мёд\n");
    LoadText("ещё еще");
    Editor().SetCaret(0);
    Trigger("Find1");
    ASSERT_TRUE(Dialog().isVisible());
    EXPECT_FALSE(Dialog().WholeWordBox().isHidden());
    FindNext(QStringLiteral("еще"));
    EXPECT_EQ(Selection(), std::make_pair(4, 3));
    // Nothing more: the caret stays at the start of the word, and the next
    // step finds it again.
    QTest::mouseClick(&Dialog().FindNextButton(), Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(4, 0));
    QTest::mouseClick(&Dialog().FindNextButton(), Qt::LeftButton);
    EXPECT_EQ(Selection(), std::make_pair(4, 3));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowSearchTest, OpeningTheDialogStartsAtTheCaretAndHonoursTheBoxes) {
    StartWindow("мёд\n");
    LoadText("Еще еще ещеще");
    // A selected match is found again: the dialog collapses the selection first.
    Editor().SetCaret(0);
    Editor().SetSelLength(3);
    Trigger("Find1");
    Dialog().MatchCaseBox().setChecked(true);
    FindNext(QStringLiteral("Еще"));
    EXPECT_EQ(Selection(), std::make_pair(0, 3));
    Editor().SetCaret(1);
    FindNext(QStringLiteral("еще"));
    EXPECT_EQ(Selection(), std::make_pair(4, 3));
    Dialog().MatchCaseBox().setChecked(false);
    Dialog().WholeWordBox().setChecked(true);
    FindNext(QStringLiteral("ЕЩЕ"));
    // «ещеще» is no whole word: the selection collapses to its start.
    EXPECT_EQ(Selection(), std::make_pair(4, 0));
    Dialog().reject();
}

TEST_F(MainWindowSearchTest, RegularExpressionsUseRussianWordsAndLineAnchors) {
    StartWindow("мёд\n");
    LoadText("abc где\nеще\nа\nб");
    Editor().SetCaret(0);
    Trigger("Findreg1");
    EXPECT_TRUE(Dialog().WholeWordBox().isHidden());
    FindNext(QStringLiteral("\\w+"));
    EXPECT_EQ(Selection(), std::make_pair(4, 3)); // Latin letters are no word characters
    FindNext(QStringLiteral("^еще"));
    EXPECT_EQ(Selection(), std::make_pair(8, 3));
    FindNext(QStringLiteral("а.б"));
    EXPECT_EQ(Selection(), std::make_pair(12, 3)); // the dot takes the line break
    EXPECT_TRUE(messages_.empty());

    Editor().SetCaret(0);
    FindNext(QStringLiteral("(где"));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Error);
    EXPECT_EQ(Selection(), std::make_pair(0, 0));
    Dialog().reject();
}

TEST_F(MainWindowSearchTest, FindAgainIsEnabledByTheFirstSearchAndNamesTheLastKind) {
    StartWindow("мёд\n");
    LoadText("все и все и все");
    Editor().SetCaret(0);
    Trigger("Find1");
    Dialog().reject();
    EXPECT_FALSE(Enabled("Findagain1")); // closed without a search

    Trigger("Find1");
    FindNext(QStringLiteral("все"));
    Dialog().reject();
    EXPECT_TRUE(Enabled("Findagain1"));
    EXPECT_EQ(Item("Findagain1")->text(), QStringLiteral("Найти снова"));
    Trigger("Findagain1");
    EXPECT_EQ(Selection(), std::make_pair(6, 3));
    EXPECT_FALSE(Dialog().isVisible()); // the repeat does not bring the dialog back

    // Opened for a regular expression and closed unused: the caption follows.
    Trigger("Findreg1");
    Dialog().reject();
    EXPECT_TRUE(Enabled("Findagain1"));
    EXPECT_EQ(Item("Findagain1")->text(), QStringLiteral("Найти РВ снова"));
    // Once enabled it stays so whatever the refresh rules say.
    Trigger("Close1");
    EXPECT_TRUE(Enabled("Findagain1"));
}

TEST_F(MainWindowSearchTest, ReplacementJumpsVisitEveryChangedLetter) {
    StartWindow("ёлка\nмёд\n");
    LoadText("мед и елка");
    EXPECT_FALSE(Enabled("Findyyfwd1"));
    Trigger("Umlobegin1");
    ASSERT_EQ(Text(), u"мёд и ёлка");
    ASSERT_TRUE(Enabled("Findyyfwd1"));
    ASSERT_TRUE(Enabled("Findyyback1"));
    Editor().SetCaret(0);
    Trigger("Findyyfwd1");
    EXPECT_EQ(Editor().SelStart(), 2); // just after the changed letter
    Trigger("Findyyfwd1");
    EXPECT_EQ(Editor().SelStart(), 7);
    Trigger("Findyyfwd1");
    EXPECT_EQ(Editor().SelStart(), 7);
    Trigger("Findyyback1");
    EXPECT_EQ(Editor().SelStart(), 2);
    Trigger("Findyyback1");
    EXPECT_EQ(Editor().SelStart(), 2);

    // Typing forgets the places.
    Editor().Widget().setFocus();
    QTest::keyClick(&Editor().Widget(), Qt::Key_X);
    EXPECT_FALSE(Enabled("Findyyfwd1"));
    EXPECT_FALSE(Enabled("Findyyback1"));
}

} // namespace
} // namespace umlo
