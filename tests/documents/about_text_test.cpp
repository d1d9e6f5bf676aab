// The about box's version and dictionary lines and its place over the window.
#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/about_text.h"

namespace umlo {
namespace {

TEST(AboutText, ProgramVersion) {
    EXPECT_EQ(ProgramVersionLine(), Cp("Версия программы: 0.972b2"));
}

TEST(AboutText, MainDictionaryLineWithVersionAndPlural) {
    EXPECT_EQ(MainDictionaryLine("umlox.dat", "2.3", 21),
              Cp("Основной словарь: umlox.dat (v.2.3), 21 слово"));
    EXPECT_EQ(MainDictionaryLine("umlox.dat", "2.3", 3),
              Cp("Основной словарь: umlox.dat (v.2.3), 3 слова"));
    EXPECT_EQ(MainDictionaryLine("umlox.dat", "", 100),
              Cp("Основной словарь: umlox.dat, 100 слов"));
    EXPECT_EQ(MainDictionaryLine("", "", 0), Cp("Основной словарь: , 0 слов"));
}

TEST(AboutText, RegExprDictionaryLineWithVersionAndPlural) {
    EXPECT_EQ(RegExprDictionaryLine("r.dat", "1.1", 1), Cp("СРВ: r.dat (v.1.1), 1 выражение"));
    EXPECT_EQ(RegExprDictionaryLine("r.dat", "", 44), Cp("СРВ: r.dat, 44 выражения"));
    EXPECT_EQ(RegExprDictionaryLine("r.dat", "", 111), Cp("СРВ: r.dat, 111 выражений"));
}

TEST(AboutText, FileNameWithoutFolders) {
    EXPECT_EQ(FileNameOf("/opt/umlo/umlox.dat"), "umlox.dat");
    EXPECT_EQ(FileNameOf("C:\\Umlo\\my.dat"), "my.dat");
    EXPECT_EQ(FileNameOf("umlox.dat"), "umlox.dat");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(FileNameOf("/home/я/словарь.dat"), Cp("словарь.dat"));
}

TEST(AboutText, StateOfTheDictionariesInUse) {
    TDic dic;
    dic.SetVersion("2.3");
    TRegExprDic expressions;
    expressions.SetVersion("1.4");
    TOptions options;
    options.ProxyName = "proxy";
    options.ProxyPort = 8080;
    const AboutState state =
        AboutStateOf(dic, "/data/umlox.dat", expressions, "/data/re.dat", options);
    EXPECT_EQ(state.MainDictionaryCount, 0);
    EXPECT_EQ(state.ProxyName, "proxy");
    EXPECT_EQ(state.ProxyPort, 8080);
    const VersionsInUse inUse = VersionsOf(state);
    EXPECT_EQ(inUse.MainDictionaryName, "umlox.dat");
    EXPECT_EQ(inUse.MainDictionaryVersion, "2.3");
    EXPECT_EQ(inUse.RegExprDictionaryName, "re.dat");
    EXPECT_EQ(inUse.RegExprDictionaryVersion, "1.4");
}

TEST(AboutText, CentredOverTheMainWindowHalvesTowardZero) {
    EXPECT_EQ(CentredOver(100, 50, 801, 601, 400, 300), (BoxPosition{300, 200}));
    // A box larger than the window: the negative half is truncated toward zero.
    EXPECT_EQ(CentredOver(0, 0, 100, 100, 301, 201), (BoxPosition{-100, -50}));
}

} // namespace
} // namespace umlo
