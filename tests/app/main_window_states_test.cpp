// The window's decisions without a window: the command line and the refresh
// rules of the command states.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/main_window_states.h"

namespace umlo {
namespace {

std::map<std::string, bool> States(const CommandInputs& in) {
    std::map<std::string, bool> out;
    for (const auto& [name, on] : RefreshedCommandStates(in)) {
        EXPECT_TRUE(out.emplace(std::string(name), on).second) << "twice: " << name;
    }
    return out;
}

TEST(CommandLine, OnlyLowerCaseSlashTIsTestingMode) {
    const std::string home = "/home/u";
    EXPECT_TRUE(ParseCommandLine("/t", home).testingMode);
    EXPECT_TRUE(ParseCommandLine("/t", home).textPath.empty());
    const CommandLine upper = ParseCommandLine("/T", home);
    EXPECT_FALSE(upper.testingMode);
    EXPECT_EQ(upper.textPath, "/T");
    EXPECT_EQ(ParseCommandLine("/t ", home).textPath, "/t ");
    const CommandLine none = ParseCommandLine("", home);
    EXPECT_FALSE(none.testingMode);
    EXPECT_TRUE(none.textPath.empty());
}

// The caption, the recent list and the settings keep the one full spelling.
TEST(CommandLine, ARelativeTextIsTakenFromTheStartFolder) {
    EXPECT_EQ(ParseCommandLine("книга.txt", "/home/u/тексты").textPath, "/home/u/тексты/книга.txt");
    EXPECT_EQ(ParseCommandLine("./a//b.txt", "/home/u").textPath, "/home/u/a/b.txt");
    EXPECT_EQ(ParseCommandLine("t", "/home/u").textPath, "/home/u/t");
    EXPECT_EQ(ParseCommandLine("/srv/a.txt", "/home/u").textPath, "/srv/a.txt");
    // "-" is the standard input, "./-" a file of that name.
    EXPECT_EQ(ParseCommandLine("-", "/home/u").textPath, "/dev/stdin");
    EXPECT_EQ(ParseCommandLine("./-", "/home/u").textPath, "/home/u/-");
}

TEST(CommandStates, WithoutTextOnlyListsAndCountersCanEnableCommands) {
    CommandInputs in;
    in.selection = true; // a stale selection of an empty editor counts for nothing
    in.dictionary = true;
    in.currentPath = true;
    in.editorEnabled = true;
    in.recentFiles = true;
    in.replacements = true;
    in.decided = true;
    const auto states = States(in);
    EXPECT_EQ(states.size(), 18u);
    for (const auto& [name, on] : states) {
        const bool free = name == "Clearfilelist1" || name == "Findyyfwd1" ||
                          name == "Findyyback1" || name == "Clearstat1" || name == "Stat1";
        EXPECT_EQ(on, free) << name;
    }
    for (const auto& [name, on] : States(CommandInputs{})) {
        EXPECT_FALSE(on) << name;
    }
}

TEST(CommandStates, EachCommandNeedsItsOwnConditions) {
    CommandInputs in;
    in.text = true;
    auto s = States(in);
    EXPECT_TRUE(s["Saveas1"] && s["Close1"] && s["Selectall1"] && s["Find1"] && s["Findreg1"] &&
                s["Fileprop1"]);
    EXPECT_FALSE(s["Save1"]); // no path yet
    EXPECT_FALSE(s["Cut1"] || s["Copy1"] || s["Copytodicedit1"]);
    EXPECT_FALSE(s["Umlobegin1"] || s["Umlopos1"] || s["Umlocollect1"]);

    in.currentPath = true;
    in.selection = true;
    in.dictionary = true;
    s = States(in);
    EXPECT_TRUE(s["Save1"]);
    EXPECT_TRUE(s["Cut1"] && s["Copy1"] && s["Copytodicedit1"]);
    EXPECT_TRUE(s["Umlobegin1"] && s["Umlopos1"]);
    // Collection also needs the dictionary editor.
    EXPECT_FALSE(s["Umlocollect1"]);
    in.editorEnabled = true;
    EXPECT_TRUE(States(in)["Umlocollect1"]);
}

} // namespace
} // namespace umlo
