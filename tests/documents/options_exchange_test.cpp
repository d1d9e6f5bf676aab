#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/options_exchange.h"

namespace umlo {
namespace {

TEST(OptionEnables, AlwaysAskAndTheTwoOnlyBoxesAndMarkDecideTheirNeighbours) {
    const TOptions dialog;
    const OptionEnables none = EnablesOf({}, dialog);
    EXPECT_TRUE(none.ToConfirm && none.VarOnly && none.NoVarOnly);
    EXPECT_FALSE(none.MarkColors);

    OptionTicks ticks;
    ticks.AlwaysAsk = true;
    ticks.Mark = true;
    const OptionEnables asked = EnablesOf(ticks, dialog);
    EXPECT_FALSE(asked.ToConfirm);
    EXPECT_TRUE(asked.MarkColors);

    // Each "only" box locks the other, never itself.
    ticks = {};
    ticks.NoVarOnly = true;
    EXPECT_FALSE(EnablesOf(ticks, dialog).VarOnly);
    EXPECT_TRUE(EnablesOf(ticks, dialog).NoVarOnly);
    ticks = {};
    ticks.VarOnly = true;
    EXPECT_FALSE(EnablesOf(ticks, dialog).NoVarOnly);
    EXPECT_TRUE(EnablesOf(ticks, dialog).VarOnly);
}

TEST(OptionEnables, FontNeedsPlainTextAndRegExprsNeedALoadedDictionary) {
    TOptions dialog;
    dialog.PlainText = false;
    dialog.RegExprDicLoaded = false;
    OptionEnables e = EnablesOf({}, dialog);
    EXPECT_FALSE(e.Font);
    EXPECT_FALSE(e.RegExprs);
    dialog.PlainText = true;
    dialog.RegExprDicLoaded = true;
    e = EnablesOf({}, dialog);
    EXPECT_TRUE(e.Font);
    EXPECT_TRUE(e.RegExprs);
}

TEST(OptionTexts, NumbersAreShownInDecimal) {
    TOptions o;
    o.LinesBelow = -3;
    o.ProxyName = Cp("прокси.local");
    o.ProxyPort = 8080;
    const OptionTexts t = TextsOf(o);
    EXPECT_EQ(t.LinesBelow, "-3");
    EXPECT_EQ(t.ProxyName, Cp("прокси.local"));
    EXPECT_EQ(t.ProxyPort, "8080");
}

TEST(OptionTexts, CollectedWhenBothNumbersRead) {
    TOptions d;
    EXPECT_TRUE(CollectTexts({"7", "proxy", "80"}, d));
    EXPECT_EQ(d.LinesBelow, 7);
    EXPECT_EQ(d.ProxyName, "proxy");
    EXPECT_EQ(d.ProxyPort, 80);

    // An empty port is port 0; a name is taken as written, blanks and all.
    EXPECT_TRUE(CollectTexts({" 4 ", " host ", ""}, d));
    EXPECT_EQ(d.LinesBelow, 4);
    EXPECT_EQ(d.ProxyName, " host ");
    EXPECT_EQ(d.ProxyPort, 0);
}

TEST(OptionTexts, ABadPortFailsAfterTheLineCountAndNameAreTaken) {
    TOptions d;
    d.ProxyPort = 3128;
    EXPECT_FALSE(CollectTexts({"5", "host", "80a"}, d));
    EXPECT_EQ(d.LinesBelow, 5);
    EXPECT_EQ(d.ProxyName, "host");
    EXPECT_EQ(d.ProxyPort, 3128);
    // Blanks alone are not an empty field, and a port past 32 bits does not wrap.
    EXPECT_FALSE(CollectTexts({"5", "host", "  "}, d));
    EXPECT_FALSE(CollectTexts({"5", "host", "4294967376"}, d));
    EXPECT_EQ(d.ProxyPort, 3128);
}

TEST(OptionTexts, ABadLineCountFailsBeforeAnythingElse) {
    TOptions d;
    d.LinesBelow = 2;
    d.ProxyName = "old";
    d.ProxyPort = 3128;
    for (const char* lines : {"", "x", "2.5", "99999999999"}) {
        EXPECT_FALSE(CollectTexts({lines, "new", "81"}, d)) << lines;
    }
    EXPECT_EQ(d.LinesBelow, 2);
    EXPECT_EQ(d.ProxyName, "old");
    EXPECT_EQ(d.ProxyPort, 3128);
}

TEST(SampleLetter, MarkedColoursOrThePlainOnes) {
    TOptions d;
    d.ColorMark = 255;
    d.ColorBackMark = 65280;
    d.BackColor = 12345;
    const SampleColors marked = SampleLetterColors(true, d, 777);
    EXPECT_EQ(marked.text, 255u);
    EXPECT_EQ(marked.back, 65280u);
    const SampleColors plain = SampleLetterColors(false, d, 777);
    EXPECT_EQ(plain.text, 777u);
    EXPECT_EQ(plain.back, 12345u);
}

TEST(CommitOptions, CancelChangesNothing) {
    OptionCopies copies;
    copies.StartDialog();
    copies.DialogOptions.WordWrap = !copies.CurrentOptions.WordWrap;
    copies.DialogOptions.FontSize = 14;
    const OptionsChange c = CommitOptionsDialog(copies, OptionsResult::Cancel);
    EXPECT_FALSE(c.applied);
    EXPECT_FALSE(c.wordWrapChanged);
    EXPECT_EQ(copies.CurrentOptions, TOptions{});
    EXPECT_EQ(copies.SavedOptions, TOptions{});
}

TEST(CommitOptions, ApplyIsForThisRunAndRememberAlsoForTheSave) {
    OptionCopies copies;
    copies.StartDialog();
    copies.DialogOptions.FontSize = 14;
    OptionsChange c = CommitOptionsDialog(copies, OptionsResult::Apply);
    EXPECT_TRUE(c.applied);
    EXPECT_FALSE(c.wordWrapChanged);
    EXPECT_EQ(copies.CurrentOptions.FontSize, 14);
    EXPECT_EQ(copies.SavedOptions.FontSize, 10);

    copies.StartDialog();
    copies.DialogOptions.WordWrap = false;
    c = CommitOptionsDialog(copies, OptionsResult::ApplyAndRemember);
    EXPECT_TRUE(c.applied);
    // Compared with the settings in force before the copy.
    EXPECT_TRUE(c.wordWrapChanged);
    EXPECT_FALSE(copies.CurrentOptions.WordWrap);
    EXPECT_EQ(copies.SavedOptions, copies.CurrentOptions);
    EXPECT_EQ(copies.SavedOptions.FontSize, 14);

    // Applying the same value again is no change of the wrap.
    copies.StartDialog();
    EXPECT_FALSE(CommitOptionsDialog(copies, OptionsResult::Apply).wordWrapChanged);
}

} // namespace
} // namespace umlo
