#include "cli/options_parser.h"

#include <gtest/gtest.h>

namespace umlo::cli {
namespace {

ParseResult Parse(std::vector<std::string> args) {
    return ParseCommandLine(args);
}

TEST(OptionsParser, RestoreWithOutputKeepsTheDefaultsOfAMissingSettingsFile) {
    const auto r = Parse({"restore", "in.txt", "-o", "out.txt"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.args.command, Command::Restore);
    EXPECT_EQ(r.args.files, std::vector<std::string>{"in.txt"});
    EXPECT_EQ(r.args.output, "out.txt");
    EXPECT_FALSE(r.args.inPlace);
    EXPECT_EQ(r.args.options, TOptions{});
    EXPECT_EQ(r.args.policy, AnswerPolicy::Keep);
    EXPECT_FALSE(r.args.interactive);
}

TEST(OptionsParser, EverySwitchOfThePassPageReachesItsField) {
    const auto r = Parse({"restore", "--in-place", "--no-regexprs", "--no-var-only", "--var-only",
                          "--no-check-umlo", "--always-ask", "--no-confirm-abbr", "--confirm-cap",
                          "--no-confirm-ellipsis", "--no-propose-last", "--fb-format",
                          "--fast-scroll", "--lines-below", "7", "a.txt", "b.txt"});
    ASSERT_TRUE(r.ok) << r.error;
    const TOptions& o = r.args.options;
    EXPECT_FALSE(o.RegExprs);
    EXPECT_TRUE(o.NoVarOnly);
    EXPECT_TRUE(o.VarOnly);
    EXPECT_FALSE(o.CheckUmlo);
    EXPECT_TRUE(o.AlwaysAsk);
    EXPECT_FALSE(o.ToConfirmAbbr);
    EXPECT_TRUE(o.ToConfirmCap);
    EXPECT_FALSE(o.ToConfirmEllipsis);
    EXPECT_FALSE(o.ProposeLast);
    EXPECT_TRUE(o.FBFormat);
    EXPECT_TRUE(o.FastScroll);
    EXPECT_EQ(o.LinesBelow, 7);
    EXPECT_EQ(r.args.files, (std::vector<std::string>{"a.txt", "b.txt"}));

    // The positive forms switch back on, the last one given wins.
    const auto back =
        Parse({"restore", "--in-place", "--no-check-umlo", "--check-umlo", "--no-regexprs",
               "--regexprs", "--no-confirm-abbr", "--confirm-abbr", "--no-confirm-ellipsis",
               "--confirm-ellipsis", "--no-propose-last", "--propose-last", "x"});
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.args.options, TOptions{});
}

TEST(OptionsParser, TheFlagsGivenArePutOverTheSettingsFile) {
    const auto r = Parse({"restore", "--in-place", "--settings=my.ini", "--no-mark", "--always-ask",
                          "--lines-below", "0", "x"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.args.settingsPath, "my.ini");
    TOptions fromFile;
    fromFile.Mark = true;
    fromFile.AlwaysAsk = false;
    fromFile.RegExprs = false; // no flag: the file's value stays
    fromFile.LinesBelow = 9;
    const TOptions o = OptionsWithFlags(fromFile, r.args);
    EXPECT_FALSE(o.Mark);
    EXPECT_TRUE(o.AlwaysAsk);
    EXPECT_FALSE(o.RegExprs);
    EXPECT_EQ(o.LinesBelow, 0);
    // Without flags the file decides everything.
    const auto plain = Parse({"restore", "--in-place", "x"});
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(OptionsWithFlags(fromFile, plain.args), fromFile);
    EXPECT_FALSE(Parse({"restore", "--in-place", "--settings"}).ok);
}

TEST(OptionsParser, ValuesAttachedOrSeparate) {
    const auto r = Parse({"restore", "-dmain.dat", "--regexpr-dictionary=re.dat", "--report",
                          "rep.tsv", "--stats=st.log", "--answer=proposal", "-oout", "in"});
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.args.mainDictionary, "main.dat");
    EXPECT_EQ(r.args.regExprDictionary, "re.dat");
    EXPECT_EQ(r.args.reportPath, "rep.tsv");
    EXPECT_EQ(r.args.statsPath, "st.log");
    EXPECT_EQ(r.args.policy, AnswerPolicy::Proposal);
    EXPECT_EQ(r.args.output, "out");

    // After "--" a name that looks like an option is a file.
    const auto files = Parse({"restore", "--in-place", "--", "--always-ask"});
    ASSERT_TRUE(files.ok) << files.error;
    EXPECT_EQ(files.args.files, std::vector<std::string>{"--always-ask"});
    EXPECT_FALSE(files.args.options.AlwaysAsk);
}

TEST(OptionsParser, RefusesWhatCannotBeCarriedOut) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"restore", "--in-place", "--bogus", "a"},
        {"restore", "a"},                            // no output named
        {"restore", "-o", "out"},                    // no input
        {"restore", "a", "b", "-o", "out"},          // -o with two inputs
        {"restore", "a", "-o", "out", "--in-place"}, // both outputs
        {"restore", "a", "--in-place", "--answer", "maybe"},
        {"restore", "a", "--in-place", "--answer"},  // value missing
        {"restore", "a", "--in-place", "--report="}, // empty value
        {"restore", "a", "--in-place", "--lines-below", "-1"},
        {"restore", "a", "--in-place", "--lines-below", "3x"},
        {"restore", "a", "--in-place", "--interactive", "--answer", "plain"},
        {"selftest", "file.txt"},
        {"selftest", "--answer", "plain"},
        {"selftest", "--always-ask"},
        {"selftest", "-d", "main.dat"},
        {"restore", "a", "--in-place", "--encoding", "koi8-r"},
        {"info"},
        {"info", "a", "-o", "b"},
        {"info", "a", "--answer", "plain"},
    };
    for (const auto& args : bad) {
        const auto r = Parse(args);
        std::string joined;
        for (const auto& a : args) {
            joined += a + " ";
        }
        EXPECT_FALSE(r.ok) << joined;
        EXPECT_FALSE(r.error.empty()) << joined;
    }
}

TEST(OptionsParser, SelfTestAndHelp) {
    const auto self = Parse({"selftest"});
    ASSERT_TRUE(self.ok) << self.error;
    EXPECT_EQ(self.args.command, Command::SelfTest);
    EXPECT_EQ(Parse({"--help"}).args.command, Command::Help);
    EXPECT_EQ(Parse({"restore", "-h"}).args.command, Command::Help);
    EXPECT_EQ(Parse({"--version"}).args.command, Command::Version);
    EXPECT_EQ(Parse({"-V"}).args.command, Command::Version);
    // Only in the command's place: after a command it is no option of it.
    EXPECT_FALSE(Parse({"restore", "--version", "a", "-o", "b"}).ok);
    // The help names every switch the parser accepts.
    for (const char* s :
         {"--no-regexprs", "--no-var-only", "--var-only", "--check-umlo", "--always-ask",
          "--confirm-abbr", "--confirm-cap", "--confirm-ellipsis", "--propose-last", "--fb-format",
          "--fast-scroll", "--lines-below", "--interactive", "--report", "--stats", "--in-place",
          "--encoding", "info", "--version"}) {
        EXPECT_NE(UsageText().find(s), std::string::npos) << s;
    }
}

TEST(OptionsParser, EncodingForRestoreAndInfo) {
    EXPECT_EQ(Parse({"restore", "a", "--in-place"}).args.encoding, EncodingChoice::Auto);
    const auto restore = Parse({"restore", "--encoding=utf-16", "a", "-o", "b"});
    ASSERT_TRUE(restore.ok) << restore.error;
    EXPECT_EQ(restore.args.encoding, EncodingChoice::Utf16);
    const auto info = Parse({"info", "a", "--encoding", "ansi", "b"});
    ASSERT_TRUE(info.ok) << info.error;
    EXPECT_EQ(info.args.command, Command::Info);
    EXPECT_EQ(info.args.encoding, EncodingChoice::Ansi);
    EXPECT_EQ(info.args.files, (std::vector<std::string>{"a", "b"}));
}

} // namespace
} // namespace umlo::cli
