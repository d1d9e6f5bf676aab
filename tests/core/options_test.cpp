#include <gtest/gtest.h>

#include "core/options.h"

namespace umlo {
namespace {

TEST(OptionsTest, DialogCopiesDecideWhatIsInForceAndWhatIsRemembered) {
    OptionCopies copies;
    copies.StartDialog();
    copies.DialogOptions.AlwaysAsk = true;
    copies.DialogOptions.LinesBelow = 9;
    // "Отменить": nothing changes.
    EXPECT_EQ(copies.CurrentOptions, TOptions{});

    copies.ApplyDialog();
    EXPECT_TRUE(copies.CurrentOptions.AlwaysAsk);
    EXPECT_EQ(copies.CurrentOptions.LinesBelow, 9);
    EXPECT_EQ(copies.SavedOptions, TOptions{});

    // The dialog starts afresh from the settings in force, not from its last copy.
    copies.DialogOptions.Mark = false;
    copies.StartDialog();
    EXPECT_TRUE(copies.DialogOptions.Mark);
    EXPECT_TRUE(copies.DialogOptions.AlwaysAsk);

    copies.DialogOptions.AlwaysAsk = false;
    copies.ApplyAndRemember();
    EXPECT_FALSE(copies.SavedOptions.AlwaysAsk);
    EXPECT_EQ(copies.SavedOptions.LinesBelow, 9);
    EXPECT_EQ(copies.SavedOptions, copies.CurrentOptions);
}

TEST(OptionsTest, TestingModeDiffersFromTheDefaultsWhereTheSelfTestNeedsIt) {
    const TOptions t = TestingModeOptions();
    const TOptions d;
    // Switched off although on by default, so the self-test never waits for an answer.
    EXPECT_TRUE(d.ProposeLast && d.ToConfirmAbbr && d.ToConfirmEllipsis && d.WordWrap &&
                d.AutoUnicode && d.RecallLastFile);
    EXPECT_FALSE(t.ProposeLast || t.ToConfirmAbbr || t.ToConfirmEllipsis || t.WordWrap ||
                 t.AutoUnicode || t.RecallLastFile);
    EXPECT_TRUE(t.Mark && t.CheckUmlo && t.RegExprs);
    EXPECT_EQ(t.LinesBelow, 0);
    EXPECT_EQ(t.ColorMark, d.ColorMark);
    EXPECT_EQ(t.ColorBackMark, d.ColorBackMark);
    EXPECT_TRUE(t.FontName.empty());
    EXPECT_TRUE(t.ProxyName.empty());
    EXPECT_EQ(t.ProxyPort, 0);
}

} // namespace
} // namespace umlo
