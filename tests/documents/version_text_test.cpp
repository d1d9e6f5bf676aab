#include <gtest/gtest.h>

#include <filesystem>

#include "core/codepage.h"
#include "documents/update_check.h"
#include "documents/version_text.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

TEST(VersionTextTest, DictionaryVersionIsTheFirstCommentThatCarriesOne) {
    const fs::path folder = testing::FreshTestFolder("umlo_version");
    const fs::path dic = folder / "dic.dat";
    // Comments may stand anywhere; a "Версия:" with nothing after it is none.
    testing::WriteBytes(dic, Cp("# Основной словарь\r\n# Версия:  \r\nёж\r\n# Версия: 2.5б \r\n"
                                "# Версия: 3\r\n"));
    EXPECT_EQ(DictionaryFileVersion(dic.string()), Cp("2.5б"));
    testing::WriteBytes(dic, Cp("ёж\nмёд\n"));
    EXPECT_EQ(DictionaryFileVersion(dic.string()), "");
    // Not an entry line: "Версия:" on a word line does not count.
    testing::WriteBytes(dic, Cp("Версия: 9\n"));
    EXPECT_EQ(DictionaryFileVersion(dic.string()), "");
    EXPECT_EQ(DictionaryFileVersion((folder / "none.dat").string()), std::nullopt);
    EXPECT_EQ(DictionaryFileVersion(folder.string()), std::nullopt);
    fs::remove_all(folder);
}

// The installed layout: the program in bin, its dictionaries in share/umlo.
TEST(VersionTextTest, NamesTheProgramAndTheDictionariesItWouldLoad) {
    const fs::path root = testing::FreshTestFolder("umlo_version_text");
    fs::create_directories(root / "bin");
    fs::create_directories(root / "share" / "umlo");
    testing::WriteBytes(root / "share" / "umlo" / "umlox.dat", Cp("# Версия: 1.7\nёж\n"));
    const std::string text = VersionText("umlo-cli", (root / "bin").string());
    const std::string main = (root / "share" / "umlo" / "umlox.dat").string();
    const std::string regexpr = (root / "bin" / "umlo_regexpr.dat").string();
    EXPECT_EQ(text, "umlo-cli " + std::string(kProgramVersion) + "\n" +
                        "Основной словарь: " + main + ", версия 1.7\n" +
                        "Словарь регулярных выражений: " + regexpr + " (не найден)\n");
    testing::WriteBytes(root / "share" / "umlo" / "umlo_regexpr.dat", "\\bx\n");
    EXPECT_NE(VersionText("umlo", (root / "bin").string())
                  .find("Словарь регулярных выражений: " +
                        (root / "share" / "umlo" / "umlo_regexpr.dat").string() +
                        " (версия не указана)\n"),
              std::string::npos);
    fs::remove_all(root);
}

} // namespace
} // namespace umlo
