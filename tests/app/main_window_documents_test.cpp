// Documents (DOCX, ODT, FictionBook, EPUB) in the window: shown as their
// paragraphs, passed, saved back into themselves with only the letters
// changed, and closed to typing with a message saying why.
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <deque>
#include <functional>

#include "app/ask_panel.h"
#include "documents/file_properties.h"
#include "documents/package_document.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/zip_builder.h"

namespace umlo {
namespace {

using umlo::testing::MakeZip;
using umlo::testing::ZipEntries;

class MainWindowDocumentsTest : public MainWindowFixture {
protected:
    void SetUp() override {
        StartWindow("# Версия: 1\nвсё?\nёж\nёжик\nёлка\nещё\nмёд\n");
        // Every question is answered by the next key, from the panel's loop.
        QObject::connect(&window_->Panel(), &AskPanel::questionShown, [this] {
            ASSERT_FALSE(keys_.empty()) << "unexpected question";
            const Qt::Key key = keys_.front();
            keys_.pop_front();
            QTimer::singleShot(0, [this, key] { QTest::keyClick(window_->Panel().window(), key); });
        });
    }
    std::deque<Qt::Key> keys_;
    std::string ReadFile(const QString& name) {
        return umlo::testing::ReadBytes(dir_.filePath(name).toStdString());
    }
};

struct Sample {
    QString name;
    std::string bytes;
    TextFormat format;
    std::string formatRow;
};

std::vector<Sample> Samples() {
    const std::string book = "<FictionBook><description><title-info><book-title>Еж"
                             "</book-title></title-info></description><body><section>"
                             "<p>Мед и <emphasis>е</emphasis>лка</p></section></body>"
                             "<binary id=\"p\">0LXQtg==</binary></FictionBook>";
    return {
        {"a.docx",
         MakeZip({{"word/document.xml",
                   "<w:document><w:body><w:p><w:r><w:t>Еж</w:t></w:r></w:p><w:p><w:r><w:t>Мед и "
                   "</w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t>е</w:t></w:r><w:r><w:t>лка</w:t>"
                   "</w:r></w:p></w:body></w:document>"}}),
         FormatDocx, "UTF-8, DOCX"},
        {"a.odt",
         MakeZip(
             {{"mimetype", "application/vnd.oasis.opendocument.text", true},
              {"content.xml", "<office:document-content><office:body><office:text>"
                              "<text:h>Еж</text:h><text:p>Мед и <text:span>е</text:span>лка"
                              "</text:p></office:text></office:body></office:document-content>"}}),
         FormatOdt, "UTF-8, ODT"},
        {"a.fb2", Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n") + Cp(book), FormatFb2,
         "ANSI, FictionBook"},
        {"a.epub",
         MakeZip({{"mimetype", "application/epub+zip", true},
                  {"META-INF/container.xml", "<c><rootfile full-path=\"b.opf\"/></c>"},
                  {"b.opf", "<package><manifest><item id=\"x\" href=\"x.xhtml\"/></manifest>"
                            "<spine><itemref idref=\"x\"/></spine></package>"},
                  {"x.xhtml", "<html><body><h1>Еж</h1><p>Мед и <b>е</b>лка</p></body></html>"}}),
         FormatEpub, "UTF-8, EPUB"},
    };
}

TEST_F(MainWindowDocumentsTest, EachFormatIsPassedAndSavedWithOnlyItsLettersChanged) {
    for (const Sample& sample : Samples()) {
        Write(sample.name, sample.bytes);
        ASSERT_TRUE(window_->Files().LoadText(Path(sample.name), 0)) << sample.name.toStdString();
        EXPECT_EQ(Text(), u"Еж\rМед и елка") << sample.name.toStdString();
        EXPECT_EQ(DocumentBits(window_->Files().CurrentFormat()), sample.format);
        EXPECT_EQ(FormatDescription(window_->Files().CurrentFormat()), sample.formatRow);

        Trigger("Umlobegin1");
        EXPECT_EQ(Text(), u"Ёж\rМёд и ёлка") << sample.name.toStdString();
        EXPECT_TRUE(window_->Modified());
        Trigger("Save1");
        EXPECT_FALSE(window_->Modified());

        PackageDocument saved;
        std::string error;
        ASSERT_TRUE(ReadPackageDocument(ReadFile(sample.name), sample.format, saved, error))
            << error;
        EXPECT_EQ(saved.text, u"Ёж\rМёд и ёлка");
        // A book of the same size; a package with the same entries in the same order.
        if (sample.format == FormatFb2) {
            EXPECT_EQ(ReadFile(sample.name).size(), sample.bytes.size());
        } else {
            const auto before = ZipEntries(sample.bytes);
            const auto after = ZipEntries(ReadFile(sample.name));
            ASSERT_EQ(after.size(), before.size());
            for (std::size_t i = 0; i < before.size(); ++i) {
                EXPECT_EQ(after[i].name, before[i].name);
                EXPECT_EQ(after[i].method, before[i].method);
            }
        }
    }
}

TEST_F(MainWindowDocumentsTest, TypingInADocumentSaysWhyAndChangesNothing) {
    Write("a.docx", Samples()[0].bytes);
    ASSERT_TRUE(window_->Files().LoadText(Path("a.docx"), 0));
    QPlainTextEdit& edit = Editor().Widget();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_X);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(Text(), u"Еж\rМед и елка");
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].kind, MessageKind::Information);
    EXPECT_NE(messages_[0].text.find("DOCX можно только ёфицировать"), std::string::npos);
    // Moving about still works; a plain text loaded next takes typing again.
    QTest::keyClick(&edit, Qt::Key_Right);
    EXPECT_EQ(Editor().SelStart(), 1);
    EXPECT_EQ(messages_.size(), 2u);
    Trigger("Umlobegin1");
    Trigger("Save1");
    LoadText("текст");
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_EQ(Text(), u"xтекст");
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(MainWindowDocumentsTest, AnsweredLettersAreUndoneAndOnlyWhatStaysIsSaved) {
    const std::string docx = MakeZip(
        {{"word/document.xml", "<w:document><w:body><w:p><w:r><w:t>все и мед, все</w:t></w:r>"
                               "</w:p></w:body></w:document>"}});
    Write("b.docx", docx);
    ASSERT_TRUE(window_->Files().LoadText(Path("b.docx"), 0));
    keys_ = {Qt::Key_2, Qt::Key_2}; // всё, twice
    Trigger("Umlobegin1");
    EXPECT_TRUE(keys_.empty());
    EXPECT_EQ(Text(), u"всё и мёд, всё");
    Trigger("Undo1"); // the last answer
    EXPECT_EQ(Text(), u"всё и мёд, все");
    Trigger("Save1");
    EXPECT_EQ(ZipEntries(ReadFile("b.docx")).at(0).data,
              "<w:document><w:body><w:p><w:r><w:t>всё и мёд, все</w:t></w:r></w:p></w:body>"
              "</w:document>");
    EXPECT_TRUE(messages_.empty()) << messages_.front().text;
}

// What pandoc reads in a file, as plain text.
std::optional<std::string> PandocText(const QString& path) {
    QProcess pandoc;
    pandoc.start(QStringLiteral("pandoc"), {QStringLiteral("-t"), QStringLiteral("plain"),
                                            QStringLiteral("--wrap=none"), path});
    if (!pandoc.waitForFinished(60000) || pandoc.exitCode() != 0) {
        return std::nullopt;
    }
    return pandoc.readAllStandardOutput().toStdString();
}

TEST_F(MainWindowDocumentsTest, DocumentsMadeByPandocReadBackByPandocWithTheLettersChanged) {
    if (QStandardPaths::findExecutable(QStringLiteral("pandoc")).isEmpty()) {
        GTEST_SKIP() << "pandoc is missing";
    }
    const QString source = QStringLiteral(UMLO_TEST_DATA_DIR "/manuscript");
    for (const char* name : {"manuscript.md", "picture.png"}) {
        QFile::copy(source + "/" + name, dir_.filePath(QString::fromLatin1(name)));
    }
    // The manuscript's words of the test dictionary, as the pass must write them.
    const std::vector<std::pair<std::string, std::string>> words = {
        {"Еще", "Ещё"}, {"еще", "ещё"}, {"мед", "мёд"}, {"Ежик", "Ёжик"}, {"елка", "ёлка"}};
    for (const char* format : {"docx", "odt", "epub", "fb2"}) {
        const QString name = QStringLiteral("m.%1").arg(QString::fromLatin1(format));
        QProcess pandoc;
        pandoc.setWorkingDirectory(dir_.path());
        pandoc.start(QStringLiteral("pandoc"),
                     {QStringLiteral("manuscript.md"), QStringLiteral("-o"), name});
        ASSERT_TRUE(pandoc.waitForFinished(60000) && pandoc.exitCode() == 0) << format;
        const auto before = PandocText(dir_.filePath(name));
        ASSERT_TRUE(before) << format;

        ASSERT_TRUE(window_->Files().LoadText(Path(name), 0)) << format;
        keys_ = std::deque<Qt::Key>(8, Qt::Key_1); // все stays
        Trigger("Umlobegin1");
        Trigger("Save1");
        EXPECT_FALSE(window_->Modified()) << format;

        std::string expected = *before;
        for (const auto& [plain, yo] : words) {
            for (std::size_t at = 0; (at = expected.find(plain, at)) != std::string::npos;) {
                expected.replace(at, plain.size(), yo);
            }
        }
        ASSERT_NE(expected, *before);
        EXPECT_EQ(PandocText(dir_.filePath(name)), expected) << format;
    }
}

} // namespace
} // namespace umlo
