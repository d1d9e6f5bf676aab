#include <gtest/gtest.h>

#include <filesystem>

#include "documents/full_path.h"
#include "documents/memory_text_buffer.h"
#include "documents/recent_files.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

std::vector<std::string> Paths(const RecentFiles& recent) {
    std::vector<std::string> out;
    for (const RecentEntry& e : recent.Entries()) {
        out.push_back(e.Path);
    }
    return out;
}

TEST(RecentFilesTest, PathsAreComparedRegardlessOfCase) {
    RecentFiles recent;
    recent.AddRecent("C:\\Тексты\\a.txt", 10, 0);
    recent.AddRecent("c:\\тексты\\A.TXT", 20, FormatUtf8);
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Entries()[0], (RecentEntry{"C:\\Тексты\\a.txt", 10, 0}));
    EXPECT_EQ(recent.FindRecent("C:\\ТЕКСТЫ\\A.txt"), 1);
    EXPECT_EQ(recent.RecentPosition("c:\\ТЕКСТЫ\\a.TXT"), 10);
    EXPECT_EQ(recent.FindRecent(""), 0);
    EXPECT_EQ(recent.FindRecent("C:\\Тексты\\b.txt"), 0);
    EXPECT_EQ(recent.RecentPosition("C:\\Тексты\\b.txt"), 0);
    EXPECT_TRUE(SamePath("/ЁЖ/Ab", "/ёж/aB"));
    EXPECT_FALSE(SamePath("/a/b", "/a/b/"));
}

TEST(RecentFilesTest, TheTenthFilePushesOutTheOldest) {
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i) {
        recent.AddRecent("/t/" + std::to_string(i) + ".txt", i * 100, i == 10 ? FormatRtf : 0);
    }
    ASSERT_EQ(recent.Count(), RecentFiles::kCapacity);
    EXPECT_EQ(recent.FindRecent("/t/1.txt"), 0);
    EXPECT_EQ(recent.Entries().front(), (RecentEntry{"/t/2.txt", 200, 0}));
    EXPECT_EQ(recent.Entries().back(), (RecentEntry{"/t/10.txt", 1000, FormatRtf}));
    EXPECT_EQ(recent.FindRecent("/t/10.txt"), 9);
    // A listed path does not scroll the list.
    recent.AddRecent("/t/5.txt", 0, 0);
    EXPECT_EQ(recent.Entries().front().Path, "/t/2.txt");
    EXPECT_EQ(recent.RecentPosition("/t/5.txt"), 500);
}

TEST(RecentFilesTest, AnEntryKeepsTheFormatItWasFirstLoadedWith) {
    RecentFiles recent;
    recent.AddRecent("/t/a.txt", 0, 0);
    recent.AddRecent("/t/a.txt", 0, FormatUtf8 | FormatSignature);
    EXPECT_EQ(recent.EntryAt(1)->Format, 0);
    EXPECT_FALSE(recent.EntryAt(0).has_value());
    EXPECT_FALSE(recent.EntryAt(2).has_value());
}

TEST(RecentFilesTest, RememberPositionTakesTheEditorsSelectionStart) {
    RecentFiles recent;
    recent.AddRecent("/t/a.txt", 0, 0);
    recent.AddRecent("/t/b.txt", 7, 0);
    MemoryTextBuffer editor;
    editor.SetAllText(std::u16string(600, u'x'));
    editor.SetCaret(500);
    recent.RememberPosition("/T/A.TXT", editor);
    EXPECT_EQ(recent.RecentPosition("/t/a.txt"), 500);
    EXPECT_EQ(recent.RecentPosition("/t/b.txt"), 7);
    // No current file: nothing changes.
    recent.RememberPosition("", 1);
    recent.RememberPosition("/t/c.txt", 1);
    EXPECT_EQ(recent.RecentPosition("/t/a.txt"), 500);
    EXPECT_EQ(recent.RecentPosition("/t/b.txt"), 7);
}

TEST(RecentFilesTest, OpenRecentStoresTheCaretAndLoadsInTheStoredFormat) {
    RecentFiles recent;
    recent.AddRecent("/t/a.txt", 0, 0);
    recent.AddRecent("/t/b.txt", 9, FormatUtf8);
    MemoryTextBuffer editor;
    editor.SetAllText(std::u16string(600, u'x'));
    editor.SetCaret(500);
    std::vector<std::pair<std::string, TextFormat>> loads;
    auto load = [&](const std::string& path, TextFormat format) {
        loads.emplace_back(path, format);
        return true;
    };
    EXPECT_FALSE(OpenRecent(
        recent, 2, "/t/a.txt", editor, [] { return false; }, load));
    EXPECT_TRUE(loads.empty());
    EXPECT_EQ(recent.RecentPosition("/t/a.txt"), 0);

    EXPECT_TRUE(OpenRecent(
        recent, 2, "/t/a.txt", editor, [] { return true; }, load));
    EXPECT_EQ(loads, (std::vector<std::pair<std::string, TextFormat>>{{"/t/b.txt", FormatUtf8}}));
    EXPECT_EQ(recent.RecentPosition("/t/a.txt"), 500);
    EXPECT_FALSE(OpenRecent(
        recent, 3, "", editor, [] { return true; }, load));
}

TEST(RecentFilesTest, ClearingAsksFirstAndTheListStartsAgainAtPlaceOne) {
    testing::RecordingHost host;
    RecentFiles recent(&host);
    int changes = 0;
    recent.SetOnChanged([&] { ++changes; });
    EXPECT_FALSE(recent.BlockCreated());
    recent.AddRecent("/t/a.txt", 1, 0);
    recent.AddRecent("/t/b.txt", 2, 0);
    EXPECT_TRUE(host.commands["Clearfilelist1"]);
    EXPECT_EQ(changes, 2);

    host.answers.push_back(MessageResult::No);
    EXPECT_FALSE(recent.ClearRecent(host));
    EXPECT_EQ(recent.Count(), 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Очистить список последних файлов?");
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNo);

    host.answers.push_back(MessageResult::Yes);
    EXPECT_TRUE(recent.ClearRecent(host));
    EXPECT_EQ(recent.Count(), 0);
    EXPECT_FALSE(host.commands["Clearfilelist1"]);
    EXPECT_TRUE(recent.BlockCreated());

    recent.AddRecent("/t/c.rtf", 0, FormatRtf);
    EXPECT_EQ(Paths(recent), std::vector<std::string>{"/t/c.rtf"});
    EXPECT_EQ(recent.EntryAt(1)->Format, FormatRtf);
    EXPECT_TRUE(host.commands["Clearfilelist1"]);
}

TEST(RecentFilesTest, ValueFormatWritesFlagLettersInTheirOrder) {
    EXPECT_EQ(FormatRecentValue({"/a.txt", 5, 0}), "/a.txt,5");
    EXPECT_EQ(FormatRecentValue({"/a.txt", 5, FormatUtf8}), "/a.txt,5,u");
    EXPECT_EQ(FormatRecentValue({"/a.txt", 5, FormatUtf16LE | FormatSignature}), "/a.txt,5,US");
    EXPECT_EQ(FormatRecentValue({"/a.rtf", 0, FormatRtf | FormatSignature | FormatUtf8}),
              "/a.rtf,0,uSR");
    // UTF-8 wins when both encodings are set.
    EXPECT_EQ(FormatRecentValue({"/a", -1, FormatUtf8 | FormatUtf16LE}), "/a,-1,u");

    for (TextFormat f : {0, 1, 2, 4, 16, 2 | 16, 4 | 16, 1 | 16, 1 | 2 | 16}) {
        const RecentEntry entry{"C:\\a,b\\c.txt", 42, static_cast<TextFormat>(f)};
        EXPECT_EQ(ParseRecentValue(FormatRecentValue(entry)), entry) << int(f);
    }
}

TEST(RecentFilesTest, ValueParsingHandlesCommasAndWords) {
    EXPECT_EQ(ParseRecentValue("C:\\my,docs\\a.txt,120,uS"),
              (RecentEntry{"C:\\my,docs\\a.txt", 120, FormatUtf8 | FormatSignature}));
    EXPECT_EQ(ParseRecentValue("C:\\a.txt"), (RecentEntry{"C:\\a.txt", 0, 0}));
    EXPECT_EQ(ParseRecentValue("C:\\a.txt,abc"), (RecentEntry{"C:\\a.txt", 0, 0}));
    EXPECT_EQ(ParseRecentValue("/a.txt,77"), (RecentEntry{"/a.txt", 77, 0}));
    EXPECT_EQ(ParseRecentValue("/a.txt,77,R"), (RecentEntry{"/a.txt", 77, FormatRtf}));
    EXPECT_EQ(ParseRecentValue("/a.txt,x9,U"), (RecentEntry{"/a.txt", 0, FormatUtf16LE}));
}

// --- Full paths ---------------------------------------------------------------

TEST(FullPathTest, RelativePathsAreMadeFullAgainstTheGivenFolder) {
    EXPECT_EQ(FullPath("книга.txt", "/home/u/тексты"), "/home/u/тексты/книга.txt");
    EXPECT_EQ(FullPath("./a//b/./c.txt", "/home/u"), "/home/u/a/b/c.txt");
    EXPECT_EQ(FullPath("/srv//a.txt", "/home/u"), "/srv/a.txt");
    EXPECT_EQ(FullPath("", "/home/u"), "");
    EXPECT_EQ(FullPath("/", "/home/u"), "/");
}

// ".." after a symbolic link climbs from where the link points, as the
// kernel does; dropping "link/.." by the spelling would name another file.
TEST(FullPathTest, ClimbingIsResolvedOnTheDisk) {
    namespace fs = std::filesystem;
    // Canonical itself, so that a linked temporary folder does not matter.
    const fs::path root = fs::canonical(testing::FreshTestFolder("umlo_full_path"));
    fs::create_directories(root / "real" / "deep");
    fs::create_directory_symlink(root / "real" / "deep", root / "link");
    testing::WriteBytes(root / "real" / "book.txt", "x");
    EXPECT_EQ(FullPath("link/../book.txt", root.string()), (root / "real" / "book.txt").string());
    EXPECT_EQ(FullPath("real/deep/..", root.string()), (root / "real").string());
    // A missing tail is kept as spelt after the existing part.
    EXPECT_EQ(FullPath("real/../gone/x.txt", root.string()), (root / "gone" / "x.txt").string());
    fs::remove_all(root);
}

TEST(RecentFilesTest, AStoredEntryOfAFileAlreadyListedIsDropped) {
    namespace fs = std::filesystem;
    const fs::path root = testing::FreshTestFolder("umlo_recent_same");
    testing::WriteBytes(root / "a.txt", "a");
    testing::WriteBytes(root / "b.txt", "b");
    fs::create_symlink(root / "a.txt", root / "link.txt");
    fs::create_hard_link(root / "b.txt", root / "hard.txt");
    const std::string a = (root / "a.txt").string();

    RecentFiles recent;
    recent.AddStoredRecent({a, 10, FormatUtf8});
    recent.AddStoredRecent({(root / "link.txt").string(), 20, 0});
    recent.AddStoredRecent({(root / "b.txt").string(), 30, 0});
    recent.AddStoredRecent({(root / "hard.txt").string(), 40, 0});
    // Files that are gone are told apart by their spelling alone.
    recent.AddStoredRecent({"/gone/c.txt", 50, 0});
    recent.AddStoredRecent({"/GONE/C.TXT", 60, 0});
    recent.AddStoredRecent({"/gone/d.txt", 70, 0});
    EXPECT_EQ(Paths(recent), (std::vector<std::string>{a, (root / "b.txt").string(), "/gone/c.txt",
                                                       "/gone/d.txt"}));
    // The first spelling keeps its offset and format.
    EXPECT_EQ(recent.EntryAt(1), (RecentEntry{a, 10, FormatUtf8}));
    fs::remove_all(root);
}

} // namespace
} // namespace umlo
