#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "core/codepage.h"
#include "documents/profile_file.h"
#include "documents/settings_file.h"
#include "documents/settings_location.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("umlo-settings-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Path() const { return path_.string(); }

private:
    fs::path path_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

ProfileFile Profile(std::string_view text) {
    ProfileFile file;
    file.SetText(text);
    return file;
}

const SettingsContext kContext{"/opt/umlo", {1920, 1080}, false};

struct Loaded {
    OptionCopies options;
    SettingsValues values;
    RecentFiles recent;
};

Loaded Read(const ProfileFile& file, const SettingsContext& context = kContext) {
    Loaded l;
    ReadSettings(file, context, l.options, l.values, l.recent);
    return l;
}

// --- The profile file -------------------------------------------------------

TEST(ProfileFileTest, SectionAndKeyNamesMatchRegardlessOfCase) {
    ProfileFile file = Profile(Cp("[umlo]\r\nalwaysASK=1\r\n[ФАЙЛЫ]\r\nИмя=x\r\n"));
    EXPECT_TRUE(file.ReadBool("Umlo", "AlwaysAsk", false));
    EXPECT_EQ(file.ReadValue(Cp("файлы"), Cp("имя")), "x");

    EXPECT_TRUE(Profile("\xEF\xBB\xBF[Umlo]\nMark=0\n").HasKey("umlo", "mark"));
    file.WriteBool("UMLO", "AlwaysAsk", false);
    EXPECT_EQ(file.Text(), Cp("[umlo]\r\nAlwaysAsk=0\r\n[ФАЙЛЫ]\r\nИмя=x\r\n"));
}

TEST(ProfileFileTest, IntegersThatCannotBeReadGiveTheDefault) {
    ProfileFile file = Profile("[S]\nA=yes\nB=12pt\nC=\nD=99999999999\nE= -7 \nF=2\nG=+5\n"
                               "H=-2147483648\nI=2147483648\nJ=0x10\n");
    EXPECT_EQ(file.ReadInteger("S", "A", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "B", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "C", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "D", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "E", 42), -7);
    EXPECT_EQ(file.ReadInteger("S", "G", 42), 5);
    EXPECT_EQ(file.ReadInteger("S", "H", 42), -2147483648);
    EXPECT_EQ(file.ReadInteger("S", "I", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "J", 42), 42);
    EXPECT_EQ(file.ReadInteger("S", "Missing", 42), 42);
    EXPECT_EQ(file.ReadInteger("Nowhere", "A", 42), 42);
    // Booleans are integers: any non-zero value is true, unreadable ones the default.
    EXPECT_TRUE(file.ReadBool("S", "F", false));
    EXPECT_TRUE(file.ReadBool("S", "E", false));
    EXPECT_TRUE(file.ReadBool("S", "A", true));
    EXPECT_FALSE(file.ReadBool("S", "A", false));
}

TEST(ProfileFileTest, AbsentAndEmptyStringsDiffer) {
    ProfileFile file =
        Profile("Top=1\n[S]\nEmpty=\nSpaced= a b \nEq=x=y\n;Key=comment\n[T]\nKey=3\n");
    EXPECT_EQ(file.ReadString("S", "Empty", "default"), "");
    EXPECT_EQ(file.ReadString("S", "Absent", "default"), "default");
    // The rest of the line after the first "=", as written.
    EXPECT_EQ(file.ReadString("S", "Spaced", ""), " a b ");
    EXPECT_EQ(file.ReadString("S", "Eq", ""), "x=y");
    // Comments, lines before the first section and other sections' keys are not read.
    EXPECT_FALSE(file.HasKey("S", "Key"));
    EXPECT_FALSE(file.HasKey("S", "Top"));
}

TEST(ProfileFileTest, WritesChangeOnlyTheirOwnLines) {
    const std::string original = "; user notes\r\n"
                                 "[Umlo]\r\n"
                                 "Mark=1\r\n"
                                 "  custom = kept as is \r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1";
    ProfileFile file = Profile(original);
    file.WriteString("Umlo", "Mark", "0");
    file.WriteString("Umlo", "New", "v");
    file.WriteString("Other", "y", "2");
    file.WriteString("Fresh", "z", "3");
    // The new key goes before the blank line that ends its section; a file
    // without a last line break gets one before anything is added after it.
    EXPECT_EQ(file.Text(), "; user notes\r\n"
                           "[Umlo]\r\n"
                           "Mark=0\r\n"
                           "  custom = kept as is \r\n"
                           "New=v\r\n"
                           "\r\n"
                           "[Other]\r\n"
                           "x=1\r\n"
                           "y=2\r\n"
                           "[Fresh]\r\n"
                           "z=3\r\n");
    // New lines follow the file's own line ends; an empty file gets CR LF.
    ProfileFile unix = Profile("[A]\nx=1\n");
    unix.WriteString("A", "y", "2");
    EXPECT_EQ(unix.Text(), "[A]\nx=1\ny=2\n");
}

TEST(ProfileFileTest, ALineBreakInAValueCannotStartALineOfItsOwn) {
    ProfileFile file;
    file.WriteString("Files", "Name1", "/t/a\n[Umlo]\nDictionary=/evil.dat,0");
    EXPECT_FALSE(file.HasKey("Umlo", "Dictionary"));
    EXPECT_EQ(file.ReadString("Files", "Name1", ""), "/t/a?[Umlo]?Dictionary=/evil.dat,0");
}

TEST(ProfileFileTest, DeleteRemovesEveryCopyOfTheKeyOnly) {
    ProfileFile file = Profile("[Umlo]\nLastFileName=a\nMark=1\nlastfilename=b\nLastFilePos=3\n"
                               "[Files]\nLastFileName=other section\n");
    file.DeleteKey("Umlo", "LastFileName");
    file.DeleteKey("Umlo", "LastFilePos");
    file.DeleteKey("Nowhere", "x");
    EXPECT_EQ(file.Text(), "[Umlo]\nMark=1\n[Files]\nLastFileName=other section\n");
}

TEST(ProfileFileTest, SaveCreatesOrReplacesTheFileAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("umlo.ini");
    ProfileFile file;
    ASSERT_TRUE(file.Load(path)); // missing: an empty profile
    file.WriteInteger("A", "x", 1);
    ASSERT_TRUE(file.Save(path));
    WriteAll(path, "[A]\nx=1\n");
    ASSERT_TRUE(file.Load(path));
    file.WriteInteger("A", "x", 2);
    std::string error;
    ASSERT_TRUE(file.Save(path, &error)) << error;
    EXPECT_EQ(ReadAll(path), "[A]\nx=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    // A link is written through: it still names the file, which holds the new text.
    const std::string link = folder.File("link.ini");
    fs::create_symlink(path, link);
    file.WriteInteger("A", "x", 3);
    ASSERT_TRUE(file.Save(link));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadAll(path), "[A]\nx=3\n");
}

TEST(ProfileFileTest, SaveIntoAFolderThatCannotBeWrittenReportsTheError) {
    ProfileFile file = Profile("[A]\nx=1\n");
    std::string error;
    EXPECT_FALSE(file.Save("/proc/umlo.ini", &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(file.Save("/nonexistent-umlo-folder/sub/umlo.ini", &error));
    EXPECT_FALSE(error.empty());
}

// --- The settings file ------------------------------------------------------

TEST(SettingsFileTest, WithoutAFileEveryKeyHasItsDefault) {
    const Loaded l = Read(ProfileFile{});
    EXPECT_EQ(l.options.CurrentOptions, TOptions{});
    EXPECT_EQ(l.options.SavedOptions, TOptions{});
    EXPECT_EQ(l.values.Window, (WindowPlace{810, 1440, 135, 240}));
    EXPECT_EQ(DefaultWindowPlace({1366, 767}), (WindowPlace{575, 1024, 95, 170}));
    EXPECT_FALSE(l.options.CurrentOptions.ShowToolBar);
    EXPECT_EQ(l.options.CurrentOptions.FontName, "Courier New");
    EXPECT_EQ(l.options.CurrentOptions.FontSize, 10);
    EXPECT_EQ(l.values.DictionaryPath, "/opt/umlo/umlox.dat");
    EXPECT_EQ(l.values.RegExprDictionaryPath, "/opt/umlo/umlo_regexpr.dat");
    EXPECT_EQ(l.values.ButtonHotKeys, "1234");
    EXPECT_EQ(l.values.WordsBufferHalf, 2);
    EXPECT_EQ(l.values.UTFLength, 512);
    EXPECT_TRUE(l.values.UTF8Warning);
    EXPECT_EQ(l.values.SplitSize, 90);
    EXPECT_EQ(l.recent.Count(), 0);
    EXPECT_TRUE(l.values.ToolButtons.empty());
}

TEST(SettingsFileTest, EveryWrittenKeyRoundTrips) {
    OptionCopies written;
    TOptions& s = written.SavedOptions;
    s.CheckUmlo = false;
    s.NoVarOnly = true;
    s.VarOnly = true;
    s.AlwaysAsk = true;
    s.ToConfirmAbbr = false;
    s.ToConfirmCap = true;
    s.ToConfirmEllipsis = false;
    s.ProposeLast = false;
    s.RegExprs = false;
    s.FastScroll = true;
    s.Mark = false;
    s.WordWrap = false;
    s.RecallLastFile = false;
    s.FBFormat = true;
    s.AutoUnicode = false;
    s.FontName = Cp("Тахома");
    s.FontCharset = 204;
    s.FontSize = 14;
    s.ColorMark = 255;
    s.ColorBackMark = 16777215;
    s.ProxyName = "proxy.local";
    s.ProxyPort = 8080;
    s.ShowToolBar = true;
    SettingsValues values;
    values.Window = {600, 800, 10, -20};
    values.DictionaryPath = "/home/пользователь/слова.dat";
    values.RegExprDictionaryPath = "";
    values.TextDirectory = "/home/пользователь/Тексты";
    values.ButtonHotKeys = Cp("йцук");
    values.EditorEnabled = true;
    values.InsertLog = true;
    values.SplitSize = 123;
    values.UTF8Warning = false;
    values.ToolButtons = {"Open1", "", "Umlopos1"};
    RecentFiles recent;
    recent.AddRecent("/t/a.txt", 5, 0);
    recent.AddRecent("/t/b,c.rtf", 70, FormatRtf | FormatUtf8 | FormatSignature);

    ProfileFile file;
    WriteSettings(file, written, values, recent, "/T/B,C.RTF");
    const Loaded l = Read(Profile(file.Text()));

    TOptions expected = s;
    // Not written: read back as their defaults.
    expected.LinesBelow = TOptions{}.LinesBelow;
    expected.NotConfirmOnClose = TOptions{}.NotConfirmOnClose;
    EXPECT_EQ(l.options.CurrentOptions, expected);
    EXPECT_EQ(l.options.SavedOptions, expected);
    EXPECT_EQ(l.values.Window, values.Window);
    EXPECT_EQ(l.values.DictionaryPath, values.DictionaryPath);
    EXPECT_EQ(l.values.RegExprDictionaryPath, "");
    EXPECT_EQ(l.values.TextDirectory, values.TextDirectory);
    EXPECT_EQ(l.values.ButtonHotKeys, values.ButtonHotKeys);
    EXPECT_TRUE(l.values.EditorEnabled);
    EXPECT_EQ(l.values.SplitSize, 123);
    EXPECT_FALSE(l.values.UTF8Warning);
    EXPECT_EQ(l.values.ToolButtons, (std::vector<std::string>{"Open1", "-", "Umlopos1"}));
    EXPECT_EQ(l.recent.Entries(), recent.Entries());
    EXPECT_EQ(file.ReadInteger("Files", "LastFileN", -1), 2);
    EXPECT_TRUE(file.ReadBool("Editor", "InsertLog", false));
    // RecallLastFile was saved off, so nothing is opened at start.
    EXPECT_EQ(l.values.StartPath, "");
    // Paths and strings are cp1251 in the file.
    EXPECT_EQ(file.ReadString("Umlo", "TextDirectory", ""), Cp("/home/пользователь/Тексты"));
    EXPECT_EQ(file.ReadString("Umlo", "FontName", ""), Cp("Тахома"));
}

TEST(SettingsFileTest, ReadOnlyKeysComeFromTheFileAndSurviveTheSave) {
    const std::string text =
        "[Umlo]\r\nLinesBelow=7\r\nNotConfirmOnClose=1\r\nWordsBufferLength=9\r\n"
        "RegExprLog=1\r\n[Internal]\r\nUTFLength=64\r\n";
    ProfileFile file = Profile(text);
    Loaded l = Read(file);
    EXPECT_EQ(l.options.CurrentOptions.LinesBelow, 7);
    EXPECT_TRUE(l.options.CurrentOptions.NotConfirmOnClose);
    EXPECT_EQ(l.values.WordsBufferLength, 9);
    EXPECT_EQ(l.values.WordsBufferHalf, 4);
    EXPECT_TRUE(l.values.RegExprLog);
    EXPECT_EQ(l.values.UTFLength, 64);

    // A change of LinesBelow applied and remembered is gone after a restart.
    l.options.StartDialog();
    l.options.DialogOptions.LinesBelow = 1;
    l.options.DialogOptions.NotConfirmOnClose = false;
    l.options.ApplyAndRemember();
    WriteSettings(file, l.options, l.values, l.recent, "");
    const Loaded again = Read(Profile(file.Text()));
    EXPECT_EQ(again.options.CurrentOptions.LinesBelow, 7);
    EXPECT_TRUE(again.options.CurrentOptions.NotConfirmOnClose);
    EXPECT_EQ(again.values.WordsBufferLength, 9);
    EXPECT_TRUE(again.values.RegExprLog);
    EXPECT_EQ(again.values.UTFLength, 64);
}

TEST(SettingsFileTest, UnknownLinesAreKeptByteForByte) {
    const std::string text = "; Umlo settings, edited by hand\r\n"
                             "[Umlo]\r\n"
                             "Mark=1\r\n"
                             "MyOwnKey=  spaced value  \r\n"
                             "# another comment\r\n"
                             "\r\n"
                             "[Plugins]\r\n"
                             "Path=C:\\Program Files\\x\r\n"
                             "odd line without equals\r\n";
    ProfileFile file = Profile(text);
    Loaded l = Read(file);
    WriteSettings(file, l.options, l.values, l.recent, "");
    const std::string saved = file.Text();
    for (const char* line :
         {"; Umlo settings, edited by hand\r\n[Umlo]\r\nMark=1\r\nMyOwnKey=  spaced value  \r\n",
          "# another comment\r\n",
          "\r\n[Plugins]\r\nPath=C:\\Program Files\\x\r\nodd line without equals\r\n"}) {
        EXPECT_NE(saved.find(line), std::string::npos) << line;
    }
    // Saving what was just read changes nothing more.
    WriteSettings(file, l.options, l.values, l.recent, "");
    EXPECT_EQ(file.Text(), saved);
}

TEST(SettingsFileTest, SavedKeysComeFromTheRememberedOrTheCurrentSettings) {
    Loaded l = Read(Profile("[Umlo]\nAlwaysAsk=0\nFastScroll=0\n"));
    // Applied only: dropped at exit.
    l.options.StartDialog();
    l.options.DialogOptions.AlwaysAsk = true;
    l.options.DialogOptions.FastScroll = true;
    l.options.ApplyDialog();
    // Reverted by hand and remembered: saved as reverted.
    l.options.StartDialog();
    l.options.DialogOptions.AlwaysAsk = false;
    l.options.ApplyAndRemember();
    // Switched off by the program itself: not carried into the file.
    l.options.CurrentOptions.RegExprs = false;
    // Values outside the record are saved as they are at exit.
    l.values.ButtonHotKeys = "7234";
    l.values.UTF8Warning = false;
    ProfileFile file;
    WriteSettings(file, l.options, l.values, l.recent, "");
    EXPECT_FALSE(file.ReadBool("Umlo", "AlwaysAsk", true));
    EXPECT_TRUE(file.ReadBool("Umlo", "FastScroll", false));
    EXPECT_TRUE(file.ReadBool("Umlo", "RegExprs", false));
    EXPECT_EQ(file.ReadString("Umlo", "ButtonHotKeys", ""), "7234");
    EXPECT_FALSE(file.ReadBool("Internal", "UTF8Warning", true));
}

// Paths cp1251 can spell are written in cp1251; others (é, CJK) in UTF-8,
// so that they survive a restart instead of coming back with "?".
TEST(SettingsFileTest, PathsOutsideCp1251SurviveARestart) {
    const OptionCopies options;
    SettingsValues values;
    values.DictionaryPath = "/opt/словари/umlox.dat";
    values.TextDirectory = "/home/u/café/тексты";
    RecentFiles recent;
    recent.AddRecent("/home/u/日本/ёлка.txt", 3, FormatUtf8);
    recent.AddRecent("/home/u/Ёлки/а.txt", 1, 0);
    ProfileFile file;
    WriteSettings(file, options, values, recent, "");
    EXPECT_EQ(file.ReadString("Umlo", "Dictionary", ""), Cp("/opt/словари/umlox.dat"));
    EXPECT_EQ(file.ReadString("Umlo", "TextDirectory", ""), "/home/u/café/тексты");

    const Loaded l = Read(Profile(file.Text()));
    EXPECT_EQ(l.values.DictionaryPath, values.DictionaryPath);
    EXPECT_EQ(l.values.TextDirectory, values.TextDirectory);
    EXPECT_EQ(l.recent.Entries(), recent.Entries());
}

TEST(SettingsFileTest, DictionaryPathsAreResolvedAgainstTheProgramFolder) {
    Loaded l = Read(Profile("[Umlo]\nDictionary=my.dat\nRegExprDictionary=/data/re.dat\n"));
    EXPECT_EQ(l.values.DictionaryPath, "/opt/umlo/my.dat");
    EXPECT_EQ(l.values.RegExprDictionaryPath, "/data/re.dat");
    ProfileFile file;
    WriteSettings(file, l.options, l.values, l.recent, "");
    EXPECT_EQ(file.ReadString("Umlo", "Dictionary", ""), "/opt/umlo/my.dat");

    EXPECT_EQ(ResolveDictionaryPath("", "/opt/umlo"), "");
    EXPECT_EQ(ResolveDictionaryPath("dics\\a.dat", "/opt/umlo"), "dics\\a.dat");
    EXPECT_EQ(ResolveDictionaryPath("sub/a.dat", "/opt/umlo"), "sub/a.dat");

    const Loaded empty = Read(Profile("[Umlo]\nDictionary=\nRegExprDictionary=\n"));
    EXPECT_EQ(empty.values.DictionaryPath, "");
    EXPECT_EQ(empty.values.RegExprDictionaryPath, "");
}

TEST(SettingsFileTest, ValuesAreCutToTheirSize) {
    EXPECT_EQ(Read(Profile("[Umlo]\nButtonHotKeys=abcdef\n")).values.ButtonHotKeys, "abcd");
    EXPECT_EQ(Read(Profile("[Umlo]\nButtonHotKeys=ab\n")).values.ButtonHotKeys, "ab");
    EXPECT_EQ(Read(Profile("[Umlo]\nButtonHotKeys=\n")).values.ButtonHotKeys, "");
    // A character set is one byte; a value outside it gives the default.
    EXPECT_EQ(Read(Profile("[Umlo]\nFontCharset=204\n")).options.CurrentOptions.FontCharset, 204);
    EXPECT_EQ(Read(Profile("[Umlo]\nFontCharset=300\n")).options.CurrentOptions.FontCharset, 1);
    SettingsValues values;
    values.ButtonHotKeys = "123456";
    ProfileFile file;
    WriteSettings(file, OptionCopies{}, values, RecentFiles{}, "");
    EXPECT_EQ(file.ReadString("Umlo", "ButtonHotKeys", ""), "1234");
}

TEST(SettingsFileTest, ToolbarKeysPastTheButtonsOnTheBarAreDeleted) {
    std::string text = "[ToolBar]\n";
    for (int i = 1; i <= 20; ++i) {
        text += "ToolButton" + std::to_string(i) + "=Old" + std::to_string(i) + "\n";
    }
    ProfileFile file = Profile(text);
    Loaded l = Read(file);
    ASSERT_EQ(l.values.ToolButtons.size(), 20u);
    l.values.ToolButtons.resize(12);
    WriteSettings(file, l.options, l.values, l.recent, "");
    for (int i = 1; i <= 12; ++i) {
        EXPECT_TRUE(file.HasKey("ToolBar", "ToolButton" + std::to_string(i))) << i;
    }
    for (int i = 13; i <= 50; ++i) {
        EXPECT_FALSE(file.HasKey("ToolBar", "ToolButton" + std::to_string(i))) << i;
    }
    l.values.ToolButtons.clear();
    WriteSettings(file, l.options, l.values, l.recent, "");
    EXPECT_FALSE(file.HasKey("ToolBar", "ToolButton1"));
}

TEST(SettingsFileTest, ToolbarOrderKeepsKeyOrderAndTheHigherKeyOfADuplicate) {
    const Loaded l =
        Read(Profile("[ToolBar]\nToolButton1=Open1\nToolButton2=-\nToolButton3=Umlopos1\n"
                     "ToolButton5=\nToolButton50=Save1\n"));
    EXPECT_EQ(ToolbarOrder(l.values.ToolButtons),
              (std::vector<std::string>{"Open1", "-", "Umlopos1", "Save1"}));
    EXPECT_EQ(ToolbarOrder({"A", "-", "B", "A", "-"}),
              (std::vector<std::string>{"-", "B", "A", "-"}));
}

TEST(SettingsFileTest, TheLastFileIsReopenedOnlyWhenAsked) {
    const std::string text = "[Files]\nName1=/t/a.txt,1\nName2=/t/b.txt,2,US\nLastFileN=2\n";
    const Loaded l = Read(Profile(text));
    EXPECT_EQ(l.values.StartPath, "/t/b.txt");
    EXPECT_EQ(l.values.StartFormat, FormatUtf16LE | FormatSignature);

    SettingsContext named = kContext;
    named.TextOnCommandLine = true;
    EXPECT_EQ(Read(Profile(text), named).values.StartPath, "");
    EXPECT_EQ(Read(Profile(text + "[Umlo]\nRecallLastFile=0\n")).values.StartPath, "");
    EXPECT_EQ(Read(Profile("[Files]\nName1=/t/a.txt,1\nLastFileN=3\n")).values.StartPath, "");
    EXPECT_EQ(Read(Profile("[Files]\nName1=/t/a.txt,1\nLastFileN=0\n")).values.StartPath, "");
    EXPECT_EQ(Read(Profile("[Files]\nName1=/t/a.txt,1\nLastFileN=-1\n")).values.StartPath, "");
}

TEST(SettingsFileTest, RecentListIsWrittenOnlyOnceItExisted) {
    // Never created: the Name keys stay as they were.
    ProfileFile untouched = Profile("[Files]\nName1=\nName5=hand,1\n");
    Loaded none = Read(Profile(""));
    WriteSettings(untouched, none.options, none.values, none.recent, "");
    EXPECT_EQ(untouched.ReadString("Files", "Name5", ""), "hand,1");
    EXPECT_EQ(untouched.ReadInteger("Files", "LastFileN", -1), 0);

    // Created and cleared later: every Name key is written empty.
    ProfileFile file = Profile("[Files]\nName1=/t/a.txt,1\nName2=/t/b.txt,2\nLastFileN=1\n");
    Loaded l = Read(file);
    l.recent.Clear();
    WriteSettings(file, l.options, l.values, l.recent, "/t/a.txt");
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(file.ReadValue("Files", "Name" + std::to_string(i)), "") << i;
    }
    EXPECT_EQ(file.ReadInteger("Files", "LastFileN", -1), 0);
}

TEST(SettingsFileTest, TestingModeUsesFixedValues) {
    OptionCopies options;
    SettingsValues values;
    values.TextDirectory = "/left/over";
    TestingModeSettings({1000, 800}, options, values);
    EXPECT_EQ(options.CurrentOptions, TestingModeOptions());
    EXPECT_EQ(values.Window, DefaultWindowPlace({1000, 800}));
    EXPECT_EQ(values.DictionaryPath, "***");
    EXPECT_EQ(values.RegExprDictionaryPath, "");
    EXPECT_EQ(values.WordsBufferHalf, 2);
    EXPECT_EQ(values.TextDirectory, "");
}

TEST(SettingsFileTest, LoadAndSaveThroughTheFile) {
    TempFolder folder;
    const std::string path = folder.File("umlo.ini");
    WriteAll(path, "[Umlo]\r\nMark=0\r\nNotConfirmOnClose=1\r\nLastFilePos=5\r\n");
    SettingsFile settings(path);
    OptionCopies options;
    SettingsValues values;
    RecentFiles recent;
    ASSERT_TRUE(settings.Load({folder.Path(), {800, 600}, false}, options, values, recent));
    EXPECT_FALSE(options.CurrentOptions.Mark);
    recent.AddRecent("/t/a.txt", 3, 0);
    std::string error;
    ASSERT_TRUE(settings.Save(options, values, recent, "/t/a.txt", &error)) << error;

    ProfileFile saved;
    ASSERT_TRUE(saved.Load(path));
    EXPECT_FALSE(saved.ReadBool("Umlo", "Mark", true));
    EXPECT_EQ(saved.ReadString("Umlo", "NotConfirmOnClose", ""), "1");
    EXPECT_FALSE(saved.HasKey("Umlo", "LastFilePos"));
    EXPECT_EQ(saved.ReadString("Files", "Name1", ""), "/t/a.txt,3");
    EXPECT_EQ(saved.ReadInteger("Files", "LastFileN", 0), 1);
    EXPECT_EQ(saved.ReadInteger("Umlo", "WindowWidth", 0), 600);
}

TEST(SettingsFileTest, TheProgramFoldersFileSeedsSettingsKeptElsewhere) {
    TempFolder program;
    TempFolder config;
    const std::string installed = program.File("umlo.ini");
    const std::string own = config.File("umlo.ini");
    WriteAll(installed, "[Umlo]\nMark=0\nSiteKey=kept\n");
    OptionCopies options;
    SettingsValues values;
    RecentFiles recent;
    SettingsFile settings(own, installed);
    ASSERT_TRUE(settings.Load(kContext, options, values, recent));
    EXPECT_FALSE(options.CurrentOptions.Mark);
    ASSERT_TRUE(settings.Save(options, values, recent, ""));
    EXPECT_EQ(ReadAll(installed), "[Umlo]\nMark=0\nSiteKey=kept\n");
    EXPECT_NE(ReadAll(own).find("SiteKey=kept"), std::string::npos);

    // Once the user's own file exists it wins.
    WriteAll(own, "[Umlo]\nMark=1\n");
    SettingsFile again(own, installed);
    ASSERT_TRUE(again.Load(kContext, options, values, recent));
    EXPECT_TRUE(options.CurrentOptions.Mark);
}

TEST(SettingsFileTest, AnUnreadableFileGivesDefaultsAndIsNotOverwritten) {
    TempFolder folder;
    const std::string path = folder.File("umlo.ini");
    fs::create_directory(path);
    SettingsFile settings(path);
    OptionCopies options;
    SettingsValues values;
    RecentFiles recent;
    std::string error;
    EXPECT_FALSE(settings.Load(kContext, options, values, recent, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(options.CurrentOptions, TOptions{});
    error.clear();
    EXPECT_FALSE(settings.Save(options, values, recent, "", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(path));
}

// --- Where the file lives ---------------------------------------------------

TEST(SettingsLocationTest, AWritableProgramFolderHoldsTheSettings) {
    TempFolder folder;
    EXPECT_EQ(SettingsFolderFor(folder.Path(), "/xdg", "/home/u"), folder.Path());
    EXPECT_EQ(FileInFolder(folder.Path(), kSettingsFileName), folder.Path() + "/umlo.ini");
    // The probe leaves nothing behind.
    EXPECT_TRUE(fs::is_empty(folder.Path()));
}

// An installed program keeps its data in ../share/umlo; a file next to the
// program wins, and with neither the usual place is named.
TEST(SettingsLocationTest, BundledDataIsFoundBesideTheProgramOrInShare) {
    TempFolder root;
    const std::string bin = root.File("bin");
    fs::create_directories(bin);
    EXPECT_EQ(BundledDataFile(bin, "umlox.dat"), bin + "/umlox.dat");
    fs::create_directories(root.File("share/umlo"));
    WriteAll(root.File("share/umlo/umlox.dat"), "x");
    EXPECT_EQ(BundledDataFile(bin, "umlox.dat"), root.File("share/umlo/umlox.dat"));
    EXPECT_EQ(ResolveDictionaryPath("umlox.dat", bin), root.File("share/umlo/umlox.dat"));
    // A folder of that name in share is no data file.
    fs::create_directories(root.File("share/umlo/morphs.dat"));
    EXPECT_EQ(BundledDataFile(bin, "morphs.dat"), bin + "/morphs.dat");
    WriteAll(bin + "/umlox.dat", "y");
    EXPECT_EQ(BundledDataFile(bin, "umlox.dat"), bin + "/umlox.dat");
}

TEST(SettingsLocationTest, AReadOnlyProgramFolderMovesToTheUsersConfigFolder) {
    TempFolder home;
    const std::string xdg = home.File("xdg");
    EXPECT_EQ(SettingsFolderFor("/proc", xdg.c_str(), home.Path().c_str()), xdg + "/umlo");
    EXPECT_TRUE(fs::is_directory(xdg + "/umlo"));
    // An unset, empty or relative XDG_CONFIG_HOME falls back to ~/.config.
    const std::string config = home.File(".config") + "/umlo";
    EXPECT_EQ(SettingsFolderFor("/proc", nullptr, home.Path().c_str()), config);
    EXPECT_EQ(SettingsFolderFor("/proc", "", home.Path().c_str()), config);
    EXPECT_EQ(SettingsFolderFor("/proc", "relative", home.Path().c_str()), config);
    EXPECT_TRUE(fs::is_directory(config));
    // With no home either, the program folder stays.
    EXPECT_EQ(SettingsFolderFor("/proc", nullptr, nullptr), "/proc");
}

// The superuser could write beside /usr/bin/umlo, and a user beside
// ~/.local/bin/umlo; the settings would then outlive the package or be
// shared by every user.
TEST(SettingsLocationTest, AnInstalledProgramKeepsItsSettingsInTheUsersFolder) {
    TempFolder root;
    const std::string bin = root.File("bin");
    fs::create_directories(bin);
    fs::create_directories(root.File("share/umlo"));
    WriteAll(root.File("share/umlo/umlox.dat"), "x");
    const std::string xdg = root.File("xdg");
    EXPECT_TRUE(IsInstalledProgram(bin));
    EXPECT_EQ(SettingsFolderFor(bin, xdg.c_str(), root.Path().c_str()), xdg + "/umlo");
    EXPECT_EQ(DataFolder(bin), root.File("share/umlo"));
    // A copy with its own dictionary beside it keeps everything in its folder.
    WriteAll(bin + "/umlox.dat", "y");
    EXPECT_FALSE(IsInstalledProgram(bin));
    EXPECT_EQ(SettingsFolderFor(bin, xdg.c_str(), root.Path().c_str()), bin);
    EXPECT_EQ(DataFolder(bin), bin);
}

// Names stored relative were taken in the program folder, which used to be
// current; the same file in two spellings is listed once.
TEST(SettingsFileTest, RelativeNamesAreMadeFullAndDuplicatesDropped) {
    TempFolder root;
    const std::string program = root.File("umlo");
    fs::create_directories(program);
    WriteAll(root.File("book.txt"), "x");
    SettingsContext context = kContext;
    context.ProgramFolder = program;
    const std::string book = root.File("book.txt");
    const Loaded l = Read(Profile("[Files]\nName1=../book.txt,5\nName2=" + book +
                                  ",9,u\nName3=other.txt,1\nLastFileN=2\n"
                                  "[Umlo]\nTextDirectory=..\n"),
                          context);
    ASSERT_EQ(l.recent.Count(), 2);
    EXPECT_EQ(l.recent.EntryAt(1), (RecentEntry{book, 5, 0}));
    EXPECT_EQ(l.recent.EntryAt(2)->Path, program + "/other.txt");
    EXPECT_EQ(l.values.TextDirectory, root.Path());
    // LastFileN named the second spelling: the file is still the one reopened.
    EXPECT_EQ(l.values.StartPath, book);
}

} // namespace
} // namespace umlo
