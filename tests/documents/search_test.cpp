#include "documents/search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codepage.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"

namespace umlo {
namespace {

class FakeUi : public SearchUi {
public:
    std::string SearchText() const override { return Cp(text); }
    bool MatchCase() const override { return matchCase; }
    bool WholeWord() const override { return wholeWord; }
    void SetWholeWordVisible(bool visible) override { wholeWordVisible = visible; }
    void ShowFindDialog() override { ++shown; }
    void FocusTarget(TextBuffer& target) override { focused = &target; }
    void SetFindAgainCaption(std::string_view c) override { caption = std::string(c); }

    std::string text; // UTF-8
    bool matchCase = false;
    bool wholeWord = false;
    bool wholeWordVisible = true;
    int shown = 0;
    TextBuffer* focused = nullptr;
    std::string caption;
};

class SearchTest : public ::testing::Test {
protected:
    void SetText(const std::string& utf8) { editor.SetAllText(Utf8ToUtf16(utf8)); }
    std::string Selected() const { return Utf16ToUtf8(editor.SelectedText()); }

    MemoryTextBuffer editor;
    FakeUi ui;
    testing::RecordingHost host;
    TextSearch search{editor, ui, host};
};

TEST_F(SearchTest, PlainSearchFindsForwardWithoutWrapping) {
    SetText("ещё еще");
    editor.SetCaret(0);
    search.OpenFind(false);
    ui.text = "еще";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 4);
    EXPECT_EQ(editor.SelLength(), 3);
    EXPECT_EQ(ui.focused, &editor);
    // Nothing further: the selection collapses to its start, silently.
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 4);
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_TRUE(host.messages.empty());
    // From there the same word is found again.
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 4);
    EXPECT_EQ(editor.SelLength(), 3);
}

TEST_F(SearchTest, OpeningCollapsesTheSelectionSoAMatchAtTheCaretIsFound) {
    SetText("еще еще");
    editor.SetCaret(0);
    editor.SetSelLength(3);
    search.OpenFind(false);
    EXPECT_EQ(editor.SelLength(), 0);
    EXPECT_TRUE(ui.wholeWordVisible);
    ui.text = "еще";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(editor.SelLength(), 3);
}

TEST_F(SearchTest, PlainSearchCaseAndWholeWord) {
    SetText("Всего ВСЕ все");
    ui.text = "все";
    search.OpenFind(false);
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 0); // case-blind: «Все» of «Всего»
    editor.SetCaret(0);
    ui.wholeWord = true;
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 6);
    EXPECT_EQ(Selected(), "ВСЕ");
    editor.SetCaret(0);
    ui.matchCase = true;
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 10);

    // Digits and Latin letters join a word too.
    EXPECT_FALSE(FindPlain(u"все1 xвсе", u"все", 0, false, true));
    EXPECT_EQ(FindPlain(u"все1 все.", u"все", 0, false, true), (SearchHit{5, 3}));
    EXPECT_FALSE(FindPlain(u"abc", u"", 0, false, false));
    EXPECT_FALSE(FindPlain(u"abc", u"c", 4, false, false));
}

TEST_F(SearchTest, RegExprSearchUsesTheMatcherModifiers) {
    SetText("Всё\nвсе\nеще\nабв еще");
    search.OpenFind(true);
    EXPECT_FALSE(ui.wholeWordVisible);
    ui.text = "\\bвс[её]\\b";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 0);
    EXPECT_EQ(Selected(), "Всё");
    // With the match-case box ticked the capital no longer matches.
    editor.SetCaret(0);
    ui.matchCase = true;
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 4);
    ui.matchCase = false;

    // ^ at every line break: the last «еще» is not at a line start.
    editor.SetCaret(0);
    ui.text = "^еще";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 8);
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 8); // not found: collapsed to the start of the hit
    EXPECT_EQ(editor.SelLength(), 0);

    // . matches the line break.
    SetText("а\nб");
    editor.SetCaret(0);
    ui.text = "а.б";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelLength(), 3);

    // Latin letters are no word characters.
    SetText("abc где");
    editor.SetCaret(0);
    ui.text = "\\w+";
    search.FindNextClicked();
    EXPECT_EQ(Selected(), "где");
}

TEST_F(SearchTest, BadPatternIsReportedAndKeepsTheSelection) {
    SetText("abc (abc");
    editor.SetCaret(1);
    editor.SetSelLength(2);
    search.OpenFind(true);
    editor.SetCaret(1);
    editor.SetSelLength(2);
    ui.text = "(abc";
    search.FindNextClicked();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(host.messages[0].text.empty());
    EXPECT_EQ(editor.SelStart(), 1);
    EXPECT_EQ(editor.SelLength(), 2);
    // Once corrected the search works again.
    ui.text = "\\(abc";
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 4);
}

TEST_F(SearchTest, CharactersOutsideTheCodePageKeepOffsets) {
    SetText("日本 еще");
    ui.text = "еще";
    search.OpenFind(true);
    search.FindNextClicked();
    EXPECT_EQ(editor.SelStart(), 3);
    EXPECT_EQ(Selected(), "еще");
}

TEST_F(SearchTest, FindAgainAndTheDialogClosing) {
    SetText("еще еще еще");
    EXPECT_FALSE(search.SearchMade());
    search.OpenFind(false);
    search.FindDialogClosed();
    EXPECT_TRUE(host.commands.empty()); // no search yet: nothing enabled

    ui.text = "еще";
    search.OpenFind(false);
    search.FindNextClicked();
    const int shownBefore = ui.shown;
    search.FindDialogClosed();
    EXPECT_TRUE(host.commands["Findagain1"]);
    EXPECT_EQ(ui.caption, "Найти снова");

    search.FindAgain();
    EXPECT_TRUE(search.FindAgainMode());
    EXPECT_EQ(editor.SelStart(), 4);
    EXPECT_EQ(ui.shown, shownBefore); // the focus stays in the editor

    // Opening the regular-expression search and closing it without searching
    // keeps the command and changes its caption.
    search.OpenFind(true);
    search.FindDialogClosed();
    EXPECT_TRUE(host.commands["Findagain1"]);
    EXPECT_EQ(ui.caption, "Найти РВ снова");
    // A new plain opening forgets the earlier search.
    search.OpenFind(false);
    EXPECT_FALSE(search.SearchMade());

    // Nothing happens for an empty search text.
    ui.text = "";
    editor.SetCaret(2);
    search.FindAgain();
    EXPECT_EQ(editor.SelStart(), 2);
}

TEST_F(SearchTest, DictionaryEditorPaneIsItsOwnTarget) {
    MemoryTextBuffer pane;
    pane.SetAllText(u"аа\r\nбб");
    SetText("бб");
    editor.SetCaret(1);
    ui.text = "бб";
    search.OpenFindForPane(pane, false);
    search.FindNextClicked();
    EXPECT_EQ(&search.SearchTarget(), &pane);
    EXPECT_EQ(ui.focused, &pane);
    EXPECT_EQ(pane.SelStart(), 3);
    EXPECT_EQ(editor.SelStart(), 1); // the main editor is untouched
}

TEST_F(SearchTest, ReplacementPlacesForwardAndBack) {
    SetText("трёхвёдерный");
    const std::vector<std::int32_t> positions = {3, 6};
    editor.SetCaret(0);
    search.NextReplacement(positions);
    EXPECT_EQ(editor.SelStart(), 3);
    search.NextReplacement(positions);
    EXPECT_EQ(editor.SelStart(), 6);
    search.NextReplacement(positions);
    EXPECT_EQ(editor.SelStart(), 6); // nothing further
    search.PreviousReplacement(positions);
    EXPECT_EQ(editor.SelStart(), 3);
    search.PreviousReplacement(positions);
    EXPECT_EQ(editor.SelStart(), 3);
    search.NextReplacement({});
    EXPECT_EQ(editor.SelStart(), 3);
    EXPECT_EQ(NextReplacementPlace({1, 5, 9}, 5), 9);
    EXPECT_EQ(PreviousReplacementPlace({1, 5, 9}, 5), 1);
}

} // namespace
} // namespace umlo
