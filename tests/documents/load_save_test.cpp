// The commands that load and save texts: the questions they ask, the state they
// change and what they leave alone when the user says No or a file fails.
#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/codepage.h"
#include "documents/load_save.h"
#include "documents/memory_text_buffer.h"
#include "documents/rtf_reader.h"
#include "tests/support/test_files.h"
#include "tests/support/zip_builder.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLoss =
    "При сохранении файла в данном формате\rнекоторые символы могут быть потеряны.\r Продолжить?";
constexpr std::string_view kUtf8 =
    "Внимание! Файлы формата UTF-8 обычно обрабатываются программой очень медленно.\rВы уверены, "
    "что хотите загружать подобные файлы?";

class FakeWindow : public TextIoHost {
public:
    // Host
    void SetStatusText(int panel, std::string_view text) override {
        status[panel] = std::string(text);
        statusHistory.push_back(std::string(text));
    }
    std::string StatusText(int panel) const override {
        const auto it = status.find(panel);
        return it == status.end() ? std::string() : it->second;
    }
    void SetBusy(bool on) override { busy = on; }
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override {
        messages.push_back(std::string(text));
        kinds.push_back(kind);
        defaults.push_back(defaultButton);
        if (buttons == MessageButtons::Ok) {
            return MessageResult::Ok;
        }
        if (answers.empty()) {
            return defaultButton;
        }
        const MessageResult r = answers.front();
        answers.pop_front();
        return r;
    }
    void EnableCommand(std::string_view, bool) override {}

    // TextIoHost
    std::optional<FileDialogChoice> ShowOpenDialog(const FileDialogSetup& setup) override {
        openSetups.push_back(setup);
        return Next();
    }
    std::optional<FileDialogChoice> ShowSaveDialog(const FileDialogSetup& setup) override {
        saveSetups.push_back(setup);
        return Next();
    }
    void SetCaption(std::string_view path) override { caption = std::string(path); }
    bool Modified() const override { return modified; }
    void SetModified(bool on) override { modified = on; }
    void ApplyWordWrap(bool on) override { wordWrap = on; }
    void ShowCaretPosition(int offset) override { caretShown = offset; }
    void ClearPassLists() override { ++passListsCleared; }
    void RefreshCommands() override { ++refreshes; }

    std::optional<FileDialogChoice> Next() {
        if (choices.empty()) {
            return std::nullopt;
        }
        auto c = choices.front();
        choices.pop_front();
        return c;
    }

    std::map<int, std::string> status;
    std::vector<std::string> statusHistory;
    bool busy = false;
    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;
    std::vector<MessageResult> defaults;
    std::deque<MessageResult> answers;
    std::deque<std::optional<FileDialogChoice>> choices;
    std::vector<FileDialogSetup> openSetups;
    std::vector<FileDialogSetup> saveSetups;
    std::string caption;
    bool modified = false;
    std::optional<bool> wordWrap;
    int caretShown = -1;
    int passListsCleared = 0;
    int refreshes = 0;
};

class LoadSaveTest : public ::testing::Test {
protected:
    LoadSaveTest() : files(editor, window, recent, options, values) {}

    void SetUp() override { dir = umlo::testing::FreshTestFolder("umlo_ls"); }
    void TearDown() override { fs::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void Choose(const std::string& path, int encoding = 0, int filter = 0) {
        window.choices.push_back(FileDialogChoice{path, encoding, filter});
    }

    MemoryTextBuffer editor;
    FakeWindow window;
    RecentFiles recent;
    TOptions options;
    SettingsValues values;
    TextFiles files;
    fs::path dir;
};

TEST_F(LoadSaveTest, LoadTextMakesTheFileCurrent) {
    const std::string path = Write("a.txt", Cp("Ёлка\r\nи ёж"));
    window.status[1] = "прежний";
    window.modified = true;
    options.WordWrap = false;
    ASSERT_TRUE(files.LoadText(path, 0));
    EXPECT_EQ(editor.GetAllText(), u"Ёлка\rи ёж");
    EXPECT_EQ(files.CurrentPath(), path);
    EXPECT_EQ(files.CurrentFormat(), 0);
    EXPECT_EQ(window.caption, path);
    EXPECT_FALSE(window.modified);
    EXPECT_EQ(window.wordWrap, false);
    EXPECT_EQ(window.caretShown, 0);
    EXPECT_EQ(window.passListsCleared, 1);
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(values.TextDirectory, dir.string());
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_EQ(recent.Entries()[0].Path, path);
    // The busy message came and went, the panel's text came back.
    EXPECT_NE(std::find(window.statusHistory.begin(), window.statusHistory.end(),
                        "Загрузка файла " + path + " ..."),
              window.statusHistory.end());
    EXPECT_EQ(window.status[1], "прежний");
    EXPECT_FALSE(window.busy);
    EXPECT_FALSE(editor.BusyCursor());
}

TEST_F(LoadSaveTest, LoadTextPutsTheCaretWhereTheUserLeftIt) {
    const std::string a = Write("a.txt", std::string(600, 'x'));
    const std::string b = Write("b.txt", "b");
    ASSERT_TRUE(files.LoadText(a, 0));
    editor.SetCaret(500);
    window.choices.clear();
    Choose(b);
    ASSERT_TRUE(files.OpenText()); // stores the caret of a.txt first
    ASSERT_TRUE(files.LoadText(a, 0));
    EXPECT_EQ(editor.SelStart(), 500);
    EXPECT_EQ(window.caretShown, 500);
    // A shrunken file: the caret goes to the end.
    Write("a.txt", "short");
    editor.SetCaret(0);
    ASSERT_TRUE(files.LoadText(a, 0));
    EXPECT_EQ(editor.SelStart(), 5);
}

TEST_F(LoadSaveTest, MissingAndUnreadableFilesChangeNothing) {
    const std::string path = Write("a.txt", "keep");
    ASSERT_TRUE(files.LoadText(path, 0));
    window.modified = true;
    const std::string missing = (dir / "нет.txt").string();
    EXPECT_FALSE(files.LoadText(missing, FormatUtf8));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], "Файл \"" + missing + "\" не найден");
    EXPECT_EQ(window.kinds[0], MessageKind::Error);
    // A folder exists but cannot be read as a text.
    EXPECT_FALSE(files.LoadText(dir.string(), 0));
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(editor.GetAllText(), u"keep");
    EXPECT_EQ(files.CurrentPath(), path);
    EXPECT_EQ(files.CurrentFormat(), 0);
    EXPECT_EQ(window.caption, path);
    EXPECT_TRUE(window.modified);
    EXPECT_EQ(recent.Count(), 1);
    EXPECT_FALSE(window.busy);
}

TEST_F(LoadSaveTest, OpenTextWithAutoUnicode) {
    const std::string le = Write("le.txt", std::string("\xFF\xFE\x01\x04", 4));
    values.TextDirectory = "/start/here";
    options.AutoUnicode = true;
    Choose(le, 1 /* UTF-8 in the list plays no part */);
    ASSERT_TRUE(files.OpenText());
    ASSERT_EQ(window.openSetups.size(), 1u);
    EXPECT_EQ(window.openSetups[0].folder, "/start/here");
    EXPECT_FALSE(window.openSetups[0].encodingEnabled);
    EXPECT_EQ(window.openSetups[0].filterIndex, kOpenFilterAllTypes);
    EXPECT_EQ(editor.GetAllText(), u"Ё");
    EXPECT_EQ(files.CurrentFormat(), FormatUtf16LE | FormatSignature);
    EXPECT_EQ(files.OpenDialogFormat(), FormatUtf16LE | FormatSignature);
    EXPECT_TRUE(window.messages.empty());
    // The next showing keeps the filter and preselects the detected encoding.
    Choose(le);
    ASSERT_TRUE(files.OpenText());
    EXPECT_FALSE(window.openSetups[1].filterIndex.has_value());
    EXPECT_EQ(window.openSetups[1].encodingIndex, 2); // the signature is no encoding bit
}

TEST_F(LoadSaveTest, OpenTextAsksAboutUtf8OnceAndStopsOnNo) {
    const std::string u = Write("u.txt", "\xEF\xBB\xBF" + Utf16ToUtf8(u"ёж"));
    options.AutoUnicode = true;
    Choose(u);
    window.answers.push_back(MessageResult::No);
    EXPECT_FALSE(files.OpenText());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], kUtf8);
    EXPECT_EQ(window.defaults[0], MessageResult::No);
    EXPECT_TRUE(values.UTF8Warning);
    EXPECT_TRUE(files.CurrentPath().empty());
    EXPECT_EQ(editor.TextLength(), 0);
    Choose(u);
    window.answers.push_back(MessageResult::Yes);
    ASSERT_TRUE(files.OpenText());
    EXPECT_EQ(editor.GetAllText(), u"ёж");
    EXPECT_FALSE(values.UTF8Warning);
    Choose(u);
    ASSERT_TRUE(files.OpenText());
    EXPECT_EQ(window.messages.size(), 2u); // not asked again
}

TEST_F(LoadSaveTest, OpenTextWithTheUsersEncoding) {
    options.AutoUnicode = false;
    // "UTF-16" chosen for a big-endian file: read as big-endian, no notice.
    const std::string be = Write("be.txt", std::string("\xFE\xFF\x04\x01", 4));
    Choose(be, 2);
    ASSERT_TRUE(files.OpenText());
    EXPECT_TRUE(window.openSetups[0].encodingEnabled);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(files.CurrentFormat(), 28);
    EXPECT_EQ(editor.GetAllText(), u"Ё");
    // "ANSI" for a UTF-8 file with signature: read as cp1251.
    const std::string u = Write("u.txt", "\xEF\xBB\xBF"
                                         "a");
    Choose(u, 0);
    ASSERT_TRUE(files.OpenText());
    EXPECT_EQ(editor.GetAllText(), u"п»їa");
    EXPECT_EQ(files.CurrentFormat(), 0);
    // A rich-text name with "All types" is read as rich text.
    const std::string rtf = Write("Текст.RtF", "{\\rtf1 \\u1105?}");
    Choose(rtf, 0, kOpenFilterAllTypes);
    ASSERT_TRUE(files.OpenText());
    EXPECT_EQ(editor.GetAllText(), u"ё");
    EXPECT_EQ(files.CurrentFormat(), FormatRtf);
}

TEST_F(LoadSaveTest, CancelledDialogsAndSaveChangesQuestion) {
    EXPECT_FALSE(files.OpenText()); // the dialog cancelled
    EXPECT_FALSE(files.SaveAs());
    const std::string path = Write("a.txt", "text");
    ASSERT_TRUE(files.LoadText(path, 0));
    window.modified = true;
    // Cancel keeps everything.
    window.answers.push_back(MessageResult::Cancel);
    Choose(Write("b.txt", "other"));
    EXPECT_FALSE(files.OpenText());
    EXPECT_EQ(window.messages.back(), "Файл был изменён. Сохранить изменения?");
    EXPECT_EQ(window.defaults.back(), MessageResult::Yes);
    EXPECT_EQ(files.CurrentPath(), path);
    EXPECT_EQ(window.openSetups.size(), 1u);
    // Yes saves to the current path first.
    editor.SetAllText(u"changed");
    window.answers.push_back(MessageResult::Yes);
    ASSERT_TRUE(files.OpenText());
    EXPECT_EQ(Read(path), "changed");
    EXPECT_EQ(editor.GetAllText(), u"other");
}

TEST_F(LoadSaveTest, SaveChangesOfATextWithoutPathGoesThroughSaveAs) {
    editor.SetAllText(u"new text");
    window.modified = true;
    window.answers.push_back(MessageResult::Yes);
    EXPECT_FALSE(files.AskSaveChanges()); // Save-as cancelled: do not proceed
    const std::string target = (dir / "saved.txt").string();
    Choose(target);
    window.answers.push_back(MessageResult::Yes);
    EXPECT_TRUE(files.AskSaveChanges());
    EXPECT_EQ(Read(target), "new text");
    window.modified = true;
    window.answers.push_back(MessageResult::No);
    EXPECT_TRUE(files.AskSaveChanges());
    window.modified = false;
    EXPECT_TRUE(files.AskSaveChanges()); // nothing to ask
}

TEST_F(LoadSaveTest, SaveAsWritesTheChosenFormat) {
    const std::string source = Write("u.txt", Utf16ToUtf8(u"ёж\r\nдва"));
    ASSERT_TRUE(files.LoadText(source, FormatUtf8));
    window.modified = true;
    const std::string target = (dir / "out.rtf").string();
    Choose(target, 1, kRichTextFilter);
    ASSERT_TRUE(files.SaveAs());
    const FileDialogSetup& setup = window.saveSetups.at(0);
    EXPECT_EQ(setup.fileName, source);
    EXPECT_EQ(setup.encodingIndex, 1);
    EXPECT_EQ(setup.filterIndex, 0);
    EXPECT_TRUE(setup.encodingEnabled);
    EXPECT_TRUE(Read(target).starts_with("{\\rtf1"));
    EXPECT_EQ(files.CurrentPath(), target);
    EXPECT_EQ(files.CurrentFormat(), FormatRtf | FormatUtf8);
    EXPECT_EQ(window.caption, target);
    EXPECT_FALSE(window.modified);
    EXPECT_EQ(recent.FindRecent(target), 2);
    EXPECT_TRUE(window.messages.empty()); // nothing lost: still rich and Unicode
    // Saving the UTF-8 text loaded without signature writes none.
    ASSERT_TRUE(files.LoadText(source, FormatUtf8));
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(Read(source), Utf16ToUtf8(u"ёж\r\nдва"));
}

// A text opened, changed in its letters only and saved changes nowhere else:
// every encoding with and without its signature, every kind of line end.
TEST_F(LoadSaveTest, SavingWritesTheTextBackAsItWasRead) {
    const std::u16string lines[] = {u"еще\r\nмед\r\n", u"еще\nмед\n", u"еще\rмед",
                                    u"еще\r\nмед\nлед\rвсе"};
    struct Encoding {
        TextFormat format;
        bool signature;
    };
    const Encoding encodings[] = {{0, false},
                                  {FormatUtf8, false},
                                  {FormatUtf8, true},
                                  {FormatUtf16LE, false},
                                  {FormatUtf16LE, true},
                                  {FormatUtf16BE, false},
                                  {FormatUtf16BE, true}};
    const auto bytesOf = [](std::u16string_view text, const Encoding& e) {
        std::string out(e.signature ? SignatureOf(e.format) : std::string_view());
        if (e.format == FormatUtf8) {
            return out + Utf16ToUtf8(text);
        }
        if (e.format == 0) {
            return out + Utf16ToCp1251(text);
        }
        return out + umlo::testing::Utf16Bytes(text, e.format == FormatUtf16BE);
    };
    for (const std::u16string& text : lines) {
        for (const Encoding& e : encodings) {
            const std::string path = Write("t.txt", bytesOf(text, e));
            const TextFormat format = e.format | (e.signature ? FormatSignature : 0);
            ASSERT_TRUE(files.LoadText(path, format));
            // A pass changes letters only.
            for (int at = 0; at < editor.TextLength(); ++at) {
                if (editor.TextRange(at, at + 1) == u"е") {
                    editor.ReplaceLetter(at, u'ё', {});
                }
            }
            ASSERT_TRUE(files.SaveCurrent());
            std::u16string changed = text;
            std::replace(changed.begin(), changed.end(), u'е', u'ё');
            EXPECT_EQ(Read(path), bytesOf(changed, e)) << "format " << int(format);
        }
    }
    // A new line the user adds takes the file's first line end.
    Write("lf.txt", "a\nb");
    ASSERT_TRUE(files.LoadText(Path("lf.txt"), 0));
    editor.SetCaret(editor.TextLength());
    editor.ReplaceSelection(u"\rc");
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(Read(Path("lf.txt")), "a\nb\nc");
    // Saved as another encoding, a text is converted as before: CR LF, signature.
    Choose(Path("other.txt"), 2);
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(Read(Path("other.txt")),
              "\xFF\xFE" + umlo::testing::Utf16Bytes(u"a\r\nb\r\nc", false));
    // and saved there again, stays so.
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(Read(Path("other.txt")),
              "\xFF\xFE" + umlo::testing::Utf16Bytes(u"a\r\nb\r\nc", false));
}

TEST_F(LoadSaveTest, SaveAsAsksBeforeLosingCharacters) {
    const std::string source = Write("u.txt", Utf16ToUtf8(u"ёж"));
    ASSERT_TRUE(files.LoadText(source, FormatUtf8));
    const std::string target = (dir / "a.txt").string();
    Choose(target, 0);
    window.answers.push_back(MessageResult::No);
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], kLoss);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(files.CurrentFormat(), FormatUtf8);
    EXPECT_EQ(files.CurrentPath(), source);
    // From ANSI to UTF-8 nothing is asked.
    const std::string ansi = Write("b.txt", Cp("ёж"));
    ASSERT_TRUE(files.LoadText(ansi, 0));
    Choose(target, 1);
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(Read(target), "\xEF\xBB\xBF" + Utf16ToUtf8(u"ёж"));
    // From rich text to plain text it asks.
    const std::string rtf = Write("c.rtf", "{\\rtf1 x}");
    ASSERT_TRUE(files.LoadText(rtf, FormatRtf));
    Choose((dir / "d.txt").string(), 0, 0);
    window.answers.push_back(MessageResult::Yes);
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(window.messages.back(), kLoss);
    EXPECT_EQ(files.CurrentFormat(), 0);
}

TEST_F(LoadSaveTest, SaveAsOverAnExistingFileAsksFirst) {
    editor.SetAllText(u"new");
    const std::string target = Write("exists.txt", "old");
    Choose(target);
    window.answers.push_back(MessageResult::No);
    EXPECT_FALSE(files.SaveAs());
    EXPECT_EQ(window.messages.at(0), "Файл " + target + " существует. Переписать?");
    EXPECT_EQ(window.defaults.at(0), MessageResult::No);
    EXPECT_EQ(Read(target), "old");
    EXPECT_TRUE(files.CurrentPath().empty());
    Choose(target);
    window.answers.push_back(MessageResult::Yes);
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(Read(target), "new");
}

TEST_F(LoadSaveTest, AFailedSaveIsReportedAndKeepsTheTextChanged) {
    editor.SetAllText(u"text");
    window.modified = true;
    const std::string bad = (dir / "no" / "such.txt").string();
    Choose(bad);
    EXPECT_FALSE(files.SaveAs());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.kinds[0], MessageKind::Error);
    EXPECT_TRUE(window.modified);
    EXPECT_TRUE(files.CurrentPath().empty());
    EXPECT_EQ(recent.Count(), 0);
    files.SetCurrent(bad, 0);
    EXPECT_FALSE(files.SaveCurrent());
    EXPECT_TRUE(window.modified);
    EXPECT_EQ(window.messages.size(), 2u);
    EXPECT_FALSE(window.busy);
}

TEST_F(LoadSaveTest, DroppedFiles) {
    options.AutoUnicode = true;
    const std::string u = Write("u.txt", "\xEF\xBB\xBF" + Utf16ToUtf8(u"ёж"));
    const std::string other = Write("o.txt", "o");
    ASSERT_TRUE(files.LoadDropped({u, other}));
    EXPECT_EQ(editor.GetAllText(), u"ёж");
    EXPECT_EQ(files.CurrentFormat(), FormatUtf8 | FormatSignature);
    EXPECT_TRUE(window.messages.empty()); // no UTF-8 question for a dropped file
    EXPECT_FALSE(files.LoadDropped({}));
}

TEST(DialogFormats, EncodingListAndFilters) {
    EXPECT_EQ(EncodingIndexOf(0), 0);
    EXPECT_EQ(EncodingIndexOf(FormatUtf8), 1);
    EXPECT_EQ(EncodingIndexOf(FormatUtf8 | FormatRtf | FormatSignature), 1);
    EXPECT_EQ(EncodingIndexOf(FormatUtf16LE), 2);
    EXPECT_EQ(EncodingIndexOf(FormatUtf16LE | FormatUtf16BE), 0);
    EXPECT_EQ(EncodingIndexOf(FormatUtf16BE), 0);
    EXPECT_EQ(DialogChoiceFormat(0, 0), 0);
    EXPECT_EQ(DialogChoiceFormat(1, 0), FormatUtf8);
    EXPECT_EQ(DialogChoiceFormat(2, kRichTextFilter), FormatUtf16LE | FormatRtf);
    EXPECT_EQ(DialogChoiceFormat(0, kOpenFilterAllTypes), 0);
}

// Rich text keeps what the program does not show: a save after a pass
// patches the file; after other edits it asks before writing it anew.
TEST_F(LoadSaveTest, RichTextIsPatchedAndRewrittenOnlyAfterAQuestion) {
    const std::string original = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Helvetica;}}"
                                 "{\\colortbl;\\red0\\green0\\blue255;}\\f0\\li720 "
                                 "{\\i \\'e5\\'f9\\'e5} \\'ec\\'e5\\'e4\\par}";
    const std::string path = Write("book.rtf", original);
    ASSERT_TRUE(files.LoadText(path, FormatRtf));
    ASSERT_EQ(editor.GetAllText(), u"еще мед");
    editor.ReplaceLetter(2, u'ё', {16711680, 65535});
    window.modified = true;
    ASSERT_TRUE(files.SaveCurrent());
    const std::string patched = Read(path);
    EXPECT_EQ(patched, "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Helvetica;}}"
                       "{\\colortbl;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}"
                       "\\f0\\li720 {\\i \\'e5\\'f9{\\cf1\\highlight2\\chcbpat2 \\'b8}} "
                       "\\'ec\\'e5\\'e4\\par}");
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(window.modified);
    // Saved again unchanged: the file is the origin now, byte for byte.
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(Read(path), patched);

    // A word typed in: the file would be written anew; No keeps it.
    editor.SetCaret(0);
    editor.ReplaceSelection(u"x");
    window.modified = true;
    window.answers.push_back(MessageResult::No);
    EXPECT_FALSE(files.SaveCurrent());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].find("курсив"), std::string::npos) << window.messages[0];
    EXPECT_EQ(window.kinds[0], MessageKind::Warning);
    EXPECT_EQ(Read(path), patched);
    EXPECT_TRUE(window.modified);
    window.answers.push_back(MessageResult::Yes);
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(ReadRtf(Read(path)).text, u"xещё мед");
    EXPECT_EQ(Read(path).find("\\li720"), std::string::npos);
}

// A small Word document: a paragraph split into runs, and a picture.
std::string SmallDocx() {
    return umlo::testing::MakeZip(
        {{"word/document.xml",
          "<w:document><w:body><w:p><w:r><w:t>Е</w:t></w:r><w:r><w:t>ще мед</w:t></w:r></w:p>"
          "<w:p><w:r><w:t>лес</w:t></w:r></w:p></w:body></w:document>"},
         {"word/media/a.png", "\x89PNG е", true}});
}

TEST_F(LoadSaveTest, ADocumentTakesOnlyLetterChangesAndIsSavedIntoItself) {
    const std::string path = Write("doc.docx", SmallDocx());
    ASSERT_TRUE(files.LoadText(path, 0)); // the name tells the format
    EXPECT_EQ(editor.GetAllText(), u"Еще мед\rлес");
    EXPECT_EQ(files.CurrentFormat(), FormatDocx);
    EXPECT_TRUE(editor.LettersOnly());
    // Typing, cutting and pasting are refused; a pass's letter is not.
    editor.SetCaret(0);
    EXPECT_FALSE(editor.ReplaceSelection(u"x"));
    editor.SetSelLength(1);
    editor.CutSelection();
    EXPECT_EQ(editor.GetAllText(), u"Еще мед\rлес");
    EXPECT_TRUE(editor.ReplaceLetter(0, u'Ё', {}));
    EXPECT_FALSE(editor.ReplaceLetter(1, u'ё', {})); // щ is no е
    EXPECT_TRUE(editor.ReplaceLetter(5, u'ё', {}));
    window.modified = true;
    ASSERT_TRUE(files.SaveCurrent()) << (window.messages.empty() ? "" : window.messages.back());
    EXPECT_FALSE(window.modified);
    const auto entries = umlo::testing::ZipEntries(Read(path));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].data,
              "<w:document><w:body><w:p><w:r><w:t>Ё</w:t></w:r><w:r><w:t>ще мёд</w:t></w:r></w:p>"
              "<w:p><w:r><w:t>лес</w:t></w:r></w:p></w:body></w:document>");
    EXPECT_EQ(entries[1].data, "\x89PNG е");
    // A second save patches what the first one wrote.
    EXPECT_TRUE(editor.ReplaceLetter(9, u'ё', {}));
    ASSERT_TRUE(files.SaveCurrent());
    PackageDocument again;
    std::string error;
    ASSERT_TRUE(ReadPackageDocument(Read(path), FormatDocx, again, error)) << error;
    EXPECT_EQ(again.text, u"Ёще мёд\rлёс");
}

TEST_F(LoadSaveTest, SaveAsWritesTheDocumentElsewhereOrExportsItsText) {
    const std::string path = Write("doc.docx", SmallDocx());
    ASSERT_TRUE(files.LoadText(path, 0));
    editor.ReplaceLetter(5, u'ё', {});
    // The document's own format is offered and chosen first.
    const std::string copy = Path("copy.docx");
    Choose(copy, 0, kDocumentFilter);
    ASSERT_TRUE(files.SaveAs());
    ASSERT_EQ(window.saveSetups.size(), 1u);
    EXPECT_EQ(window.saveSetups[0].filter, "Простой текст|*.txt|Текст RTF|*.rtf|DOCX|*.docx");
    EXPECT_EQ(window.saveSetups[0].filterIndex, kDocumentFilter);
    EXPECT_EQ(files.CurrentFormat(), FormatDocx);
    EXPECT_NE(umlo::testing::ZipEntries(Read(copy)).at(0).data.find("ще мёд"), std::string::npos);
    EXPECT_EQ(Read(path), SmallDocx()); // the original is left alone
    // Exported as UTF-8 plain text, it is a text like any other.
    const std::string plain = Path("text.txt");
    Choose(plain, 1, 0);
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(Read(plain), "\xEF\xBB\xBFЕще мёд\r\nлес");
    EXPECT_EQ(files.CurrentFormat(), FormatUtf8);
    EXPECT_FALSE(editor.LettersOnly());
    EXPECT_TRUE(editor.ReplaceSelection(u"x"));

    // Or as rich text.
    ASSERT_TRUE(files.LoadText(copy, 0));
    const std::string rtf = Path("text.rtf");
    Choose(rtf, 0, kRichTextFilter);
    window.answers.push_back(MessageResult::Yes); // characters may be lost
    ASSERT_TRUE(files.SaveAs());
    EXPECT_EQ(window.messages.back(), kLoss);
    EXPECT_EQ(ReadRtf(Read(rtf)).text, u"Еще мёд\rлес");
    EXPECT_EQ(files.CurrentFormat(), FormatRtf);
    EXPECT_FALSE(editor.LettersOnly());
}

TEST_F(LoadSaveTest, ADocumentThatCannotBeReadOrWrittenChangesNothing) {
    const std::string text = Write("a.txt", "keep");
    ASSERT_TRUE(files.LoadText(text, 0));
    const std::string docx = SmallDocx();
    const std::string cut = Write("cut.docx", docx.substr(0, docx.size() - 30));
    EXPECT_FALSE(files.LoadText(cut, 0));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].find(cut), std::string::npos) << window.messages[0];
    EXPECT_NE(window.messages[0].find("ZIP"), std::string::npos) << window.messages[0];
    EXPECT_EQ(editor.GetAllText(), u"keep");
    EXPECT_EQ(files.CurrentPath(), text);
    EXPECT_FALSE(editor.LettersOnly());

    // A text that changed beyond its letters is not written into the document.
    const std::string path = Write("doc.docx", docx);
    ASSERT_TRUE(files.LoadText(path, 0));
    editor.SetLettersOnly(false);
    editor.SetCaret(0);
    editor.ReplaceSelection(u"x");
    EXPECT_FALSE(files.SaveCurrent());
    EXPECT_NE(window.messages.back().find("не только в буквах"), std::string::npos);
    EXPECT_NE(window.messages.back().find(path), std::string::npos);
    EXPECT_EQ(Read(path), docx);
}

TEST_F(LoadSaveTest, AFictionBookKeepsItsEncodingWhateverItsName) {
    const std::string xml = Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                               "<FictionBook><body><p>Еж</p></body></FictionBook>");
    const std::string path = Write("book.xml", xml); // known by its content
    ASSERT_TRUE(files.LoadText(path, FormatUtf8));
    EXPECT_EQ(files.CurrentFormat(), FormatFb2);
    EXPECT_EQ(editor.GetAllText(), u"Еж");
    EXPECT_TRUE(editor.ReplaceLetter(0, u'Ё', {}));
    ASSERT_TRUE(files.SaveCurrent());
    EXPECT_EQ(Read(path), Cp("<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                             "<FictionBook><body><p>Ёж</p></body></FictionBook>"));
}

// A pipe or FIFO gives its bytes once: the format is found in the bytes the
// text is read from, so nothing of its beginning is lost, and such a text has
// no file to be saved back to or opened again from the recent list.
TEST_F(LoadSaveTest, APipeIsReadOnceAndHasNoFileToSaveBackTo) {
    const std::string fifo = Path("in.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto feed = [&fifo](std::string bytes) {
        return std::thread([&fifo, bytes] { std::ofstream(fifo, std::ios::binary) << bytes; });
    };
    const std::string folder = values.TextDirectory = "/прежняя";

    // Unsigned UTF-8 found by its bytes, as it is for a file.
    std::thread writer = feed(Utf16ToUtf8(u"Ёлка\nи ёж"));
    const TextFormat format = files.ResolveFormat(fifo, 0);
    EXPECT_EQ(format, FormatUtf8);
    ASSERT_TRUE(files.LoadText(fifo, format)); // the writer has gone: the bytes were kept
    writer.join();
    EXPECT_EQ(editor.GetAllText(), u"Ёлка\rи ёж");
    EXPECT_EQ(window.caption, fifo);
    EXPECT_EQ(files.CurrentPath(), "");
    EXPECT_EQ(files.CurrentFormat(), FormatUtf8);
    EXPECT_FALSE(files.CanSaveCurrent());
    EXPECT_TRUE(files.CanSaveAs());
    EXPECT_EQ(recent.Count(), 0);
    EXPECT_EQ(values.TextDirectory, folder);

    // Loaded without asking for the format first (a dropped FIFO, the recent
    // list), a second time: read anew, whole.
    writer = feed(Cp("Еще мед\r\nи еж"));
    ASSERT_TRUE(files.LoadText(fifo, 0));
    writer.join();
    EXPECT_EQ(editor.GetAllText(), u"Еще мед\rи еж");

    // Saving asks for a name.
    editor.ReplaceLetter(2, u'ё', {});
    window.modified = true;
    window.answers.push_back(MessageResult::Yes);
    Choose(Path("saved.txt"));
    EXPECT_TRUE(files.AskSaveChanges());
    ASSERT_EQ(window.saveSetups.size(), 1u);
    EXPECT_EQ(window.saveSetups[0].fileName, "");
    EXPECT_EQ(Read(Path("saved.txt")), Cp("Ещё мед\r\nи еж"));
    EXPECT_EQ(files.CurrentPath(), Path("saved.txt"));
}

} // namespace
} // namespace umlo
