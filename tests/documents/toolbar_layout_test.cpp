// The toolbar arrangement: restoring it from the saved ToolButton values and
// editing it as the customization dialog does.
#include "documents/toolbar_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace umlo {
namespace {

using Names = std::vector<std::string>;

ToolbarLayout Commands() {
    return ToolbarLayout({"Open1", "Save1", "Cut1", "Umlopos1", "Umlobegin1"});
}

TEST(ToolbarLayoutTest, SavedEntriesComeBackInKeyOrder) {
    ToolbarLayout layout = Commands();
    layout.Load({"Open1", "-", "Umlopos1"});
    EXPECT_EQ(layout.Bar(), (Names{"Open1", "-", "Umlopos1"}));
    EXPECT_EQ(layout.Offered(), (Names{"Save1", "Cut1", "Umlobegin1"}));
    // A second load replaces the bar.
    layout.Load({"Cut1"});
    EXPECT_EQ(layout.Bar(), (Names{"Cut1"}));
}

TEST(ToolbarLayoutTest, BadSavedValuesAreSkipped) {
    ToolbarLayout layout = Commands();
    // Unknown names, the wrong letter case, blanks around a name, the hidden
    // recent-files marker: none of them is a command with a button.
    layout.Load({"Nonsense", "open1", " Save1", "Openfile0", "Cut1", "--", "-"});
    EXPECT_EQ(layout.Bar(), (Names{"Cut1", "-"}));

    // A name saved twice stands once, where the higher key puts it;
    // separators are never merged.
    layout.Load({"Save1", "-", "Open1", "-", "Save1"});
    EXPECT_EQ(layout.Bar(), (Names{"-", "Open1", "-", "Save1"}));

    layout.Load({});
    EXPECT_TRUE(layout.Bar().empty());
    EXPECT_EQ(layout.Offered().size(), 5u);
}

TEST(ToolbarLayoutTest, OnlyTheFirstFiftyValuesAreRestored) {
    ToolbarLayout layout = Commands();
    Names saved(kMaxToolbarEntries, "-");
    saved.push_back("Open1");
    layout.Load(saved);
    EXPECT_EQ(layout.Bar().size(), kMaxToolbarEntries);
    EXPECT_FALSE(layout.OnBar("Open1"));
    EXPECT_TRUE(layout.Full());
    // A full bar takes nothing more, so that everything on it can be saved.
    EXPECT_FALSE(layout.Insert(0, "Open1"));
    EXPECT_FALSE(layout.Insert(0, "-"));
}

TEST(ToolbarLayoutTest, InsertPutsOfferedCommandsAndSeparatorsOnTheBar) {
    ToolbarLayout layout = Commands();
    EXPECT_TRUE(layout.Insert(0, "Umlopos1"));
    EXPECT_TRUE(layout.Insert(0, "Open1"));
    EXPECT_TRUE(layout.Insert(1, "-"));
    EXPECT_TRUE(layout.Insert(99, "-")); // past the end: appended
    EXPECT_EQ(layout.Bar(), (Names{"Open1", "-", "Umlopos1", "-"}));
    EXPECT_EQ(layout.Offered(), (Names{"Save1", "Cut1", "Umlobegin1"}));

    // A command already on the bar, or one that is not offered at all.
    EXPECT_FALSE(layout.Insert(0, "Open1"));
    EXPECT_FALSE(layout.Insert(0, "Exit1"));
    EXPECT_FALSE(layout.Insert(0, ""));
    EXPECT_EQ(layout.Bar().size(), 4u);
}

TEST(ToolbarLayoutTest, RemovedCommandsReturnToTheirMenuPlace) {
    ToolbarLayout layout = Commands();
    layout.Load({"Umlobegin1", "-", "Save1", "Open1"});
    EXPECT_TRUE(layout.Remove(2)); // Save1
    EXPECT_TRUE(layout.Remove(1)); // the separator
    EXPECT_FALSE(layout.Remove(2));
    EXPECT_EQ(layout.Bar(), (Names{"Umlobegin1", "Open1"}));
    EXPECT_EQ(layout.Offered(), (Names{"Save1", "Cut1", "Umlopos1"}));
    EXPECT_TRUE(layout.Insert(1, "Save1"));
    EXPECT_EQ(layout.Bar(), (Names{"Umlobegin1", "Save1", "Open1"}));
}

TEST(ToolbarLayoutTest, MoveReordersTheBar) {
    ToolbarLayout layout = Commands();
    layout.Load({"Open1", "-", "Save1", "Cut1"});
    EXPECT_TRUE(layout.Move(3, 0));
    EXPECT_EQ(layout.Bar(), (Names{"Cut1", "Open1", "-", "Save1"}));
    EXPECT_TRUE(layout.Move(1, 3));
    EXPECT_EQ(layout.Bar(), (Names{"Cut1", "-", "Save1", "Open1"}));
    EXPECT_TRUE(layout.Move(2, 2));
    EXPECT_FALSE(layout.Move(4, 0));
    EXPECT_FALSE(layout.Move(0, 4));
    EXPECT_EQ(layout.Bar(), (Names{"Cut1", "-", "Save1", "Open1"}));
}

TEST(ToolbarLayoutTest, EligibleCommandsAreOfferedOnce) {
    const ToolbarLayout layout({"Open1", "", "-", "Open1", "Save1"});
    EXPECT_EQ(layout.Eligible(), (Names{"Open1", "Save1"}));
    EXPECT_FALSE(layout.IsEligible("-"));
}

} // namespace
} // namespace umlo
