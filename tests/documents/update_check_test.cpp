// The update check without a network: version extraction and comparison, the
// page's lines and markers, the result lines and the request a check sends.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "documents/update_check.h"

namespace umlo {
namespace {

TEST(ExtractVersion, TextBetweenTheMarkerAndTheNextBracket) {
    EXPECT_EQ(ExtractVersion(Cp("<a href=\"umlox.zip\">umlox.zip</a> (версия 2.4)")), "2.4");
    EXPECT_EQ(ExtractVersion(Cp("x (версия 1.0) и (версия 2.0)")), "1.0");
    EXPECT_EQ(ExtractVersion(Cp("(версия )")), "");
    // Without the closing bracket, or without the marker, there is none.
    EXPECT_EQ(ExtractVersion(Cp("umlox.zip (версия 2.4")), "");
    EXPECT_EQ(ExtractVersion(Cp("umlox.zip (версия2.4)")), "");
    EXPECT_EQ(ExtractVersion(Cp("umlox.zip 2.4)")), "");
}

TEST(ReadLocaleNumber, OnlyTheLocaleSeparatorIsADecimalPoint) {
    double v = -1;
    ASSERT_TRUE(ReadLocaleNumber("0.98", '.', v));
    EXPECT_DOUBLE_EQ(v, 0.98);
    ASSERT_TRUE(ReadLocaleNumber("0,98", ',', v));
    EXPECT_DOUBLE_EQ(v, 0.98);
    EXPECT_FALSE(ReadLocaleNumber("0.98", ',', v));
    EXPECT_FALSE(ReadLocaleNumber("1,000.5", '.', v));
}

TEST(ReadLocaleNumber, SignsBlanksAndExponents) {
    double v = 0;
    ASSERT_TRUE(ReadLocaleNumber("  -2.5 ", '.', v));
    EXPECT_DOUBLE_EQ(v, -2.5);
    ASSERT_TRUE(ReadLocaleNumber("+3", '.', v));
    EXPECT_DOUBLE_EQ(v, 3);
    ASSERT_TRUE(ReadLocaleNumber("1.5e2", '.', v));
    EXPECT_DOUBLE_EQ(v, 150);
    ASSERT_TRUE(ReadLocaleNumber(".5", '.', v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    for (const char* bad : {"", " ", ".", "-", "1e", "1.2.3", "0.972b2", "v1", "1 2", "1e999"}) {
        EXPECT_FALSE(ReadLocaleNumber(bad, '.', v)) << bad;
    }
}

TEST(VersionGreater, OneTrailingNonDigitIsDropped) {
    EXPECT_TRUE(VersionGreater("1.3b", "1.2", '.'));
    EXPECT_FALSE(VersionGreater("1.2b", "1.2", '.'));
    EXPECT_FALSE(VersionGreater("1.2", "1.2b", '.'));
    // Only one character goes: "1.2ab" keeps its "a" and reads as 0.
    EXPECT_TRUE(VersionGreater("0.1", "1.2ab", '.'));
    // A letter inside keeps the version from being read at all.
    EXPECT_TRUE(VersionGreater("0.1", "1.2b3", '.'));
    EXPECT_FALSE(VersionGreater("1.2b3", "0", '.'));
}

TEST(VersionGreater, TheProgramVersionCountsAsZero) {
    EXPECT_TRUE(VersionGreater("0.98", std::string(kProgramVersion), '.'));
    EXPECT_TRUE(VersionGreater("0.001", std::string(kProgramVersion), '.'));
    EXPECT_FALSE(VersionGreater("0.98", std::string(kProgramVersion), ','));
    EXPECT_FALSE(VersionGreater(std::string(kProgramVersion), "0.98", ','));
}

TEST(SplitPageLines, EveryKindOfLineBreak) {
    EXPECT_EQ(SplitPageLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitPageLines("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitPageLines("\r\r\n"), (std::vector<std::string>{"", ""}));
    EXPECT_TRUE(SplitPageLines("").empty());
}

TEST(FindPublishedVersions, MarkersWithExactCaseAndTheLastLineWins) {
    const std::vector<std::string> page = {
        "<p>umlo_exe.zip (версия 0.97)</p>", "<p>UMLOX.ZIP (версия 9.9)</p>",
        "<p>umlox.zip (версия 2.4)</p>",     "<p>umlo_regexpr.zip (версия 1.1)</p>",
        "<p>umlo_exe.zip (версия 0.98)</p>",
    };
    const PublishedVersions found = FindPublishedVersions(page);
    EXPECT_EQ(found.Program, "0.98");
    EXPECT_EQ(found.MainDictionary, "2.4");
    EXPECT_EQ(found.RegExprDictionary, "1.1");
}

TEST(FindPublishedVersions, OneLineServesOneMarkerAndLinesAreUtf8) {
    // The program's marker is looked for first; the dictionary on that line is lost.
    EXPECT_EQ(FindPublishedVersions({"umlo_exe.zip umlox.zip (версия 3)"}).MainDictionary, "");
    // A page in cp1251 is not UTF-8: its "(версия " never matches.
    EXPECT_EQ(FindPublishedVersions({Cp("umlox.zip (версия 2.4)")}).MainDictionary, "");
    // A later line without a version empties an earlier one.
    EXPECT_EQ(FindPublishedVersions({"umlox.zip (версия 2.4)", "umlox.zip"}).MainDictionary, "");
    const PublishedVersions none = FindPublishedVersions({});
    EXPECT_TRUE(none.Program.empty() && none.MainDictionary.empty() &&
                none.RegExprDictionary.empty());
}

const std::string kProgramPrefix = Cp("Доступная версия программы: ");
const std::string kDicPrefix = Cp("Доступная версия словаря: ");

TEST(ShowAvailable, ProgramAgainstTheVersionInUse) {
    const auto program = [](const char* published, char separator) {
        return ShowAvailable(kProgramPrefix, published, false, {}, {}, kProgramVersion, separator);
    };
    EXPECT_EQ(program("0.98", '.'),
              (AvailableLine{Cp("Доступная версия программы: v. 0.98 (>)"), kVersionNewerColor}));
    EXPECT_EQ(program("0.98", ','),
              (AvailableLine{Cp("Доступная версия программы: v. 0.98 (=)"), kVersionSameColor}));
    EXPECT_EQ(program("", '.'),
              (AvailableLine{Cp("Доступная версия программы: не найдена"), kVersionUnknownColor}));
}

TEST(ShowAvailable, DictionaryByNameAndVersion) {
    const auto dic = [](const char* published, const char* name, const char* inUse) {
        return ShowAvailable(kDicPrefix, published, true, kDefaultMainDictionaryName, name, inUse,
                             '.');
    };
    EXPECT_EQ(
        dic("2.4", "umlox.dat", "2.5"),
        (AvailableLine{Cp("Доступная версия словаря: umlox.dat, v. 2.4 (<)"), kVersionOlderColor}));
    EXPECT_EQ(dic("2.5", "umlox.dat", "2.4").Colour, kVersionNewerColor);
    EXPECT_EQ(
        dic("2.4", "umlox.dat", "2.4b"),
        (AvailableLine{Cp("Доступная версия словаря: umlox.dat, v. 2.4 (=)"), kVersionSameColor}));
    // Another file name, even one differing only in case, is always older.
    EXPECT_EQ(
        dic("1.0", "my.dat", "9.0"),
        (AvailableLine{Cp("Доступная версия словаря: umlox.dat, v. 1.0 (>)"), kVersionNewerColor}));
    EXPECT_EQ(dic("1.0", "UMLOX.dat", "9.0").Colour, kVersionNewerColor);
    EXPECT_EQ(dic("", "my.dat", "9.0"),
              (AvailableLine{Cp("Доступная версия словаря: не найдена"), kVersionUnknownColor}));
}

TEST(NotCheckedLines, GreyAndNotChecked) {
    const UpdateLines lines = NotCheckedLines();
    EXPECT_EQ(lines.Program.Text, Cp("Доступная версия программы: не проверена"));
    EXPECT_EQ(lines.MainDictionary.Text, Cp("Доступная версия словаря: не проверена"));
    EXPECT_EQ(lines.RegExprDictionary.Text, Cp("Доступная версия СРВ: не проверена"));
    for (const AvailableLine* line :
         {&lines.Program, &lines.MainDictionary, &lines.RegExprDictionary}) {
        EXPECT_EQ(line->Colour, kVersionUnknownColor);
    }
}

// Answers with a fixed body, or fails, and keeps the request it was given.
class FakeFetcher : public HttpFetcher {
public:
    explicit FakeFetcher(std::optional<std::string> body) : body_(std::move(body)) {}
    std::optional<std::string> Get(const HttpRequest& request) override {
        requests.push_back(request);
        return body_;
    }
    std::vector<HttpRequest> requests;

private:
    std::optional<std::string> body_;
};

const VersionsInUse kInUse = {"umlox.dat", "2.5", Cp("мой.dat"), "1.0"};

TEST(CheckForUpdate, SendsTheUpdatePageRequestThroughTheProxy) {
    FakeFetcher fetcher(std::nullopt);
    std::vector<std::string> lines;
    CheckForUpdate(fetcher, "proxy.local", 8080, kInUse, '.', lines);
    ASSERT_EQ(fetcher.requests.size(), 1u);
    const HttpRequest& r = fetcher.requests[0];
    EXPECT_EQ(r.Url, "http://" + std::string(kUpdateServer) + "/umlo/umlo_get.html");
    EXPECT_EQ(r.ProxyHost, "proxy.local");
    EXPECT_EQ(r.ProxyPort, 8080);
    using Header = std::pair<std::string, std::string>;
    EXPECT_EQ(r.Headers,
              (std::vector<Header>{{"Accept", "text/html, */*"},
                                   {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}}));
    EXPECT_EQ(HomePageUrl(), "http://" + std::string(kUpdateServer) + "/umlo/umlo.html");
}

TEST(CheckForUpdate, AFailureIsSilentAndForgetsTheEarlierPage) {
    FakeFetcher fetcher(std::nullopt);
    std::vector<std::string> lines = {"umlox.zip (версия 2.4)"};
    const UpdateLines result = CheckForUpdate(fetcher, "", 3128, kInUse, '.', lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(result.Program.Text, Cp("Доступная версия программы: не найдена"));
    EXPECT_EQ(result.MainDictionary.Text, Cp("Доступная версия словаря: не найдена"));
    EXPECT_EQ(result.RegExprDictionary.Text, Cp("Доступная версия СРВ: не найдена"));
    EXPECT_EQ(result.RegExprDictionary.Colour, kVersionUnknownColor);
}

TEST(CheckForUpdate, ComparesEachPublishedVersion) {
    FakeFetcher fetcher(std::string("<html>\r\n<a href=\"umlo_exe.zip\">программа</a> (версия "
                                    "0.98)<br>\r\n<a>umlox.zip</a> (версия 2.4)\r\n"
                                    "<a>umlo_regexpr.zip</a> (версия 1.0)\r\n</html>\r\n"));
    std::vector<std::string> lines;
    const UpdateLines result = CheckForUpdate(fetcher, "", 3128, kInUse, '.', lines);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(result.Program,
              (AvailableLine{Cp("Доступная версия программы: v. 0.98 (>)"), kVersionNewerColor}));
    EXPECT_EQ(
        result.MainDictionary,
        (AvailableLine{Cp("Доступная версия словаря: umlox.dat, v. 2.4 (<)"), kVersionOlderColor}));
    // Same version, but the expressions in use come from another file.
    EXPECT_EQ(result.RegExprDictionary,
              (AvailableLine{Cp("Доступная версия СРВ: umlo_regexpr.dat, v. 1.0 (>)"),
                             kVersionNewerColor}));
}

} // namespace
} // namespace umlo
