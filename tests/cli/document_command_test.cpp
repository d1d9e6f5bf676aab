// umlo-cli on documents: restore keeps the format whatever the output's name,
// refuses a bad document before anything is written, and info names the
// format, known by the name or the content.
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include "cli/info_command.h"
#include "cli/restore_command.h"
#include "core/codepage.h"
#include "documents/package_document.h"
#include "tests/cli/run_command.h"
#include "tests/support/test_files.h"
#include "tests/support/zip_builder.h"

namespace umlo::cli {
namespace {

namespace fs = std::filesystem;

std::string Odt(const std::string& paragraphs) {
    return umlo::testing::MakeZip(
        {{"mimetype", "application/vnd.oasis.opendocument.text", true},
         {"content.xml", "<office:document-content><office:body><office:text>" + paragraphs +
                             "</office:text></office:body></office:document-content>"},
         {"Pictures/a.png", "\x89PNG е"}});
}

class DocumentCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = umlo::testing::FreshTestFolder("umlo_documents");
        Write("umlox.dat", Cp("# Версия: 1\nвсё?\nещё\nмёд\n"));
        Write("umlo_regexpr.dat", "");
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, std::string_view bytes) const {
        umlo::testing::WriteBytes(Path(name), bytes);
    }
    std::string Read(const std::string& name) const { return umlo::testing::ReadBytes(Path(name)); }
    int Run(const std::string& command, std::vector<std::string> words) {
        words.insert(words.begin(), command);
        return testing::RunCommand(words, dir_.string(), out_, err_);
    }
    std::u16string TextOf(const std::string& name, TextFormat format) {
        PackageDocument document;
        std::string error;
        EXPECT_TRUE(ReadPackageDocument(Read(name), format, document, error)) << error;
        return document.text;
    }

    fs::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(DocumentCommand, RestoreWritesTheSameFormatWhateverTheOutputName) {
    const std::string odt = Odt("<text:p>Еще мед</text:p><text:p>все</text:p>");
    Write("in.odt", odt);
    ASSERT_EQ(Run("restore", {Path("in.odt"), "-o", Path("out.txt")}), kExitOk) << err_.str();
    EXPECT_EQ(TextOf("out.txt", FormatOdt), u"Ещё мёд\rвсе");
    EXPECT_EQ(Read("in.odt"), odt);

    // In place, by content under a name that says nothing.
    Write("book", odt);
    ASSERT_EQ(Run("restore", {"--in-place", Path("book")}), kExitOk) << err_.str();
    EXPECT_EQ(TextOf("book", FormatOdt), u"Ещё мёд\rвсе");
    const auto entries = umlo::testing::ZipEntries(Read("book"));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].data, "\x89PNG е");

    // A document the pass leaves alone is not rewritten in place.
    const std::string same = Odt("<text:p>ничего</text:p>");
    Write("same.odt", same);
    const auto before = fs::last_write_time(Path("same.odt"));
    ASSERT_EQ(Run("restore", {"--in-place", Path("same.odt")}), kExitOk);
    EXPECT_EQ(fs::last_write_time(Path("same.odt")), before);
}

TEST_F(DocumentCommand, ABadDocumentAmongTheInputsStopsEverything) {
    Write("good.odt", Odt("<text:p>еще</text:p>"));
    Write("bad.odt", Odt("<text:p>еще</text:p>").substr(0, 80));
    Write("broken.fb2", "<?xml version=\"1.0\"?><FictionBook><p>еще</FictionBook>");
    for (const char* bad : {"bad.odt", "broken.fb2"}) {
        const std::string good = Read("good.odt");
        EXPECT_EQ(Run("restore", {"--in-place", Path("good.odt"), Path(bad)}), kExitFailure);
        EXPECT_NE(err_.str().find(Path(bad)), std::string::npos) << err_.str();
        EXPECT_EQ(Read("good.odt"), good);
    }
    EXPECT_NE(err_.str().find("XML повреждён"), std::string::npos) << err_.str();
}

TEST_F(DocumentCommand, InfoNamesTheDocumentFormat) {
    Write("a.dat", Odt("<text:p>Еще мед, ещё</text:p>"));
    Write("b.fb2", Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                      "<FictionBook><body><p>ёж</p></body></FictionBook>"));
    Write("c.fb2", "просто текст под именем книги");
    ASSERT_EQ(Run("info", {Path("a.dat"), Path("b.fb2"), Path("c.fb2")}), kExitOk) << err_.str();
    const std::string out = out_.str();
    EXPECT_NE(out.find("Формат файла\tUTF-8, ODT\nДлина файла в байтах\t" +
                       std::to_string(Read("a.dat").size()) + "\nДлина текста в символах\t12\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Число е\t4\nЧисло ё\t1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Формат файла\tANSI, FictionBook\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Формат файла\tUTF-8, plain text\n"), std::string::npos) << out;
}

} // namespace
} // namespace umlo::cli
