#include "dicedit/dic_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/codepage.h"
#include "core/morpho_gen.h"
#include "dicedit/pane_lines.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/recording_host.h"
#include "tests/support/test_files.h"

namespace umlo {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::RecordingHost;
using testing::WriteBytes;

class FakeUi : public DicEditUi {
public:
    std::optional<std::string> AskOpenPath(const std::string& folder,
                                           std::string_view title) override {
        openFolders.push_back(folder);
        openTitles.emplace_back(title);
        return NextPath();
    }
    std::optional<std::string> AskSavePath(const std::string& folder,
                                           const std::string& fileName) override {
        saveFolders.push_back(folder);
        saveNames.push_back(fileName);
        return NextPath();
    }
    void SetCaption(std::string_view text) override { caption = std::string(text); }
    DicPane FocusedPane() const override { return focus; }
    void FocusPane(DicPane pane) override { focus = pane; }
    bool EscPressed() override { return ++polls == escAt; }

    std::optional<std::string> NextPath() {
        if (paths.empty()) {
            return std::nullopt;
        }
        auto p = paths.front();
        paths.erase(paths.begin());
        return p;
    }

    std::vector<std::optional<std::string>> paths; // dialog answers, nullopt = Cancel
    std::vector<std::string> openFolders, openTitles, saveFolders, saveNames;
    std::string caption;
    DicPane focus = DicPane::Words;
    int polls = 0;
    int escAt = 0; // the poll (1-based) that sees Esc; 0 never
};

std::string Text(std::initializer_list<const char*> utf8Lines) {
    std::string out;
    for (const char* l : utf8Lines) {
        out += Cp(l);
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> Lines(std::initializer_list<const char*> utf8) {
    std::vector<std::string> out;
    for (const char* l : utf8) {
        out.push_back(Cp(l));
    }
    return out;
}

class DicEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = umlo::testing::FreshTestFolder("umlo_dicedit");
        mainPath = (folder / "umlox.dat").string();
        regExprPath = (folder / "umlo_regexpr.dat").string();
        DicEditContext context;
        context.programFolder = folder.string();
        context.workFolder = (folder / "work").string();
        fs::create_directories(folder / "work");
        context.mainDictionaryPath = [this] { return mainPath; };
        context.regExprDictionaryPath = [this] { return regExprPath; };
        context.wordForms = &rules;
        context.openFind = [this](TextBuffer& pane, bool regExpr) {
            findPane = &pane;
            findRegExpr = regExpr;
        };
        context.reloadMainDictionary = [this] { ++mainReloads; };
        context.reloadRegExprDictionary = [this] { ++regExprReloads; };
        editor.emplace(dic, words, host, ui, std::move(context));
        editor->Opened();
    }
    void TearDown() override { fs::remove_all(folder); }

    // A dictionary file loaded into the pane as "Загрузить текущий словарь" does.
    void LoadMain(std::initializer_list<const char*> lines) {
        WriteBytes(mainPath, Text(lines));
        editor->OpenCurrDic1Click();
    }
    void SetWords(std::initializer_list<const char*> lines) { SetPaneLines(words, Lines(lines)); }
    std::vector<std::string> DicLines() const { return PaneLines(dic); }
    std::vector<std::string> WordLines() const { return PaneLines(words); }
    Color LineColor(const TextBuffer& pane, int line) const {
        return pane.FormatAt(pane.LineStart(line)).text;
    }
    // A typed change: the widget's change notification reaches the editor.
    void TypeIntoDictionary(const char* utf8) {
        dic.SetCaret(dic.TextLength());
        dic.ReplaceSelection(Cp1251ToUtf16(Cp(utf8)));
        editor->DictionaryChanged();
    }

    fs::path folder;
    std::string mainPath, regExprPath;
    MemoryTextBuffer dic, words;
    RecordingHost host;
    FakeUi ui;
    MorphoGen rules;
    std::optional<DicEditor> editor;
    TextBuffer* findPane = nullptr;
    bool findRegExpr = false;
    int mainReloads = 0, regExprReloads = 0;
};

// --- Loading ---

TEST_F(DicEditorTest, LoadingShowsTheFileUnderItsBareNameWithTheWordCount) {
    LoadMain({"# Версия: 1", "ёж", "", "ёлка", "ёрш"});
    EXPECT_EQ(DicLines(), Lines({"# Версия: 1", "ёж", "", "ёлка", "ёрш"}));
    EXPECT_EQ(ui.caption, "umlox.dat");
    EXPECT_EQ(editor->WordCount(), 3);
    EXPECT_EQ(host.StatusText(0), "Словоформ: 3");
    EXPECT_FALSE(editor->Modified());
    EXPECT_FALSE(editor->RegExprMode());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(host.busy);
}

TEST_F(DicEditorTest, AFileElsewhereIsShownWithItsFullPath) {
    const fs::path other = folder / "sub";
    fs::create_directories(other);
    const std::string path = (other / "my.dat").string();
    WriteBytes(path, Text({"ёж"}));
    ui.paths = {path};
    editor->Open1Click();
    EXPECT_EQ(ui.caption, path);
    ASSERT_EQ(ui.openFolders.size(), 1u);
    EXPECT_EQ(ui.openFolders[0], folder.string());
    // Titled like the command, as the main window's dialogs are.
    EXPECT_EQ(ui.openTitles, std::vector<std::string>{"Загрузить словарь"});
}

TEST_F(DicEditorTest, AnOrderBreakIsReportedOnceAndSelected) {
    LoadMain({"ёж", "ёрш", "ёлка", "ёжик", "ёж?"});
    ASSERT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Порядок слов в словаре нарушен словом \"ёлка\""});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dic.SelectedText(), u"ёлка");
    EXPECT_EQ(DicLines().size(), 5u); // loaded all the same
}

TEST_F(DicEditorTest, TheRegularExpressionDictionaryLoadsWithoutOrderCheckAndSetsTheMode) {
    WriteBytes(regExprPath, Text({"# СРВ", "\\bвс[её] равно", "а\\s+ещё"}));
    editor->OpenCurrRegExprDic1Click();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(editor->RegExprMode());
    EXPECT_EQ(ui.caption, "umlo_regexpr.dat");
    // A word list switches it off again; comments and "?" do not count.
    LoadMain({"# a b c", "ёлка?"});
    EXPECT_FALSE(editor->RegExprMode());
}

TEST_F(DicEditorTest, ModifiedTextAsksBeforeItIsLost) {
    LoadMain({"ёж"});
    TypeIntoDictionary("\rёлка");
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(ui.caption, "umlox.dat *");
    EXPECT_EQ(host.StatusText(0), ""); // a change clears the status

    host.answers = {MessageResult::No};
    editor->OpenCurrDic1Click();
    EXPECT_EQ(host.MessageTexts().back(),
              "Результаты редактирования будут потеряны. Продолжить операцию?");
    EXPECT_EQ(host.messages.back().kind, MessageKind::Warning);
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка"}));

    host.answers = {MessageResult::Yes};
    editor->OpenCurrDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж"}));
    EXPECT_FALSE(editor->Modified());
    EXPECT_EQ(ui.caption, "umlox.dat");
}

TEST_F(DicEditorTest, MissingOrCancelledFilesChangeNothing) {
    LoadMain({"ёж"});
    fs::remove(mainPath);
    editor->OpenCurrDic1Click();
    ui.paths = {std::nullopt};
    editor->Open1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж"}));
    EXPECT_TRUE(host.messages.empty());
}

// --- Saving ---

TEST_F(DicEditorTest, SavingWritesCrLfLinesAndAsksBeforeOverwriting) {
    LoadMain({"ёж", "ёлка"});
    const std::string path = (folder / "new.dat").string();
    ui.paths = {path};
    editor->Save1Click();
    EXPECT_EQ(ReadBytes(path), Text({"ёж", "ёлка"}));
    EXPECT_EQ(ui.caption, path);
    ASSERT_EQ(ui.saveFolders.size(), 1u);
    EXPECT_EQ(ui.saveFolders[0], folder.string());
    EXPECT_EQ(ui.saveNames[0], "umlox.dat");
    EXPECT_TRUE(host.messages.empty());

    TypeIntoDictionary("\rёрш");
    ui.paths = {path};
    host.answers = {MessageResult::No};
    editor->Save1Click();
    EXPECT_EQ(host.MessageTexts().back(), "Файл " + path + " существует. Переписать?");
    EXPECT_EQ(ReadBytes(path), Text({"ёж", "ёлка"}));
    EXPECT_TRUE(editor->Modified());
    // The next dialog starts where the file was saved.
    EXPECT_EQ(ui.saveNames.back(), path);

    ui.paths = {path};
    host.answers = {MessageResult::Yes};
    editor->Save1Click();
    EXPECT_EQ(ReadBytes(path), Text({"ёж", "ёлка", "ёрш"}));
    EXPECT_FALSE(editor->Modified());
}

TEST_F(DicEditorTest, AFailedSaveIsReportedAndTheTextStaysModified) {
    LoadMain({"ёж"});
    TypeIntoDictionary("\rёлка");
    ui.paths = {(folder / "no" / "such" / "x.dat").string()};
    editor->Save1Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(editor->Modified());
}

TEST_F(DicEditorTest, SavingTheMainDictionaryOffersItForUseAtClose) {
    LoadMain({"ёж"});
    TypeIntoDictionary("\rёлка");
    ui.paths = {mainPath};
    host.answers = {MessageResult::Yes};
    editor->Save1Click();
    EXPECT_TRUE(editor->MainDictionarySaved());
    EXPECT_FALSE(editor->RegExprDictionarySaved());

    ASSERT_TRUE(editor->CanClose());
    host.messages.clear();
    host.answers = {MessageResult::Yes};
    editor->Closed();
    EXPECT_EQ(
        host.MessageTexts(),
        std::vector<std::string>{"Вы отредактировали текущий словарь. Использовать его сейчас?"});
    EXPECT_EQ(mainReloads, 1);
    EXPECT_EQ(regExprReloads, 0);
    EXPECT_EQ(dic.TextLength(), 0);
}

TEST_F(DicEditorTest, AnUnchangedSaveOverTheDictionaryDoesNotOfferIt) {
    LoadMain({"ёж"});
    ui.paths = {mainPath};
    host.answers = {MessageResult::Yes};
    editor->Save1Click();
    EXPECT_FALSE(editor->MainDictionarySaved());
    host.messages.clear();
    editor->Closed();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(mainReloads, 0);
}

TEST_F(DicEditorTest, TheRegularExpressionDictionaryIsOfferedAndNoLeavesItAlone) {
    WriteBytes(regExprPath, Text({"а\\s+ещё"}));
    editor->OpenCurrRegExprDic1Click();
    TypeIntoDictionary("\rвсё\\s+равно");
    ui.paths = {regExprPath};
    host.answers = {MessageResult::Yes};
    editor->Save1Click();
    host.messages.clear();
    host.answers = {MessageResult::No};
    editor->Closed();
    EXPECT_EQ(host.MessageTexts(),
              std::vector<std::string>{"Вы отредактировали текущий СРВ. Использовать его сейчас?"});
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(regExprReloads, 0);
    // The next opening forgets the note.
    editor->Opened();
    EXPECT_FALSE(editor->RegExprDictionarySaved());
}

TEST_F(DicEditorTest, CloseQueryAsksOnlyForAModifiedText) {
    LoadMain({"ёж"});
    EXPECT_TRUE(editor->CanClose());
    EXPECT_TRUE(host.messages.empty());
    TypeIntoDictionary("\rёлка");
    host.answers = {MessageResult::No};
    EXPECT_FALSE(editor->CanClose());
    host.answers = {MessageResult::Yes};
    EXPECT_TRUE(editor->CanClose());
}

// --- Adding words ---

TEST_F(DicEditorTest, InsertPutsTheWordAtItsPlaceInRedAndTakesItFromTheWordWindow) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"ёлочка"});
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёлочка", "ёрш"}));
    EXPECT_EQ(LineColor(dic, 2), kRed);
    EXPECT_EQ(LineColor(dic, 1), kBlack);
    EXPECT_EQ(words.TextLength(), 0);
    EXPECT_EQ(editor->WordCount(), 4);
    EXPECT_EQ(host.StatusText(0), "Словоформ: 4");
    EXPECT_TRUE(editor->Modified());
}

TEST_F(DicEditorTest, WordsGoToTheEndAndIntoAnEmptyPane) {
    SetWords({"ёрш"});
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёрш"}));
    SetWords({"ёршик"});
    editor->AddToDic1Click();
    SetWords({"ёж"});
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёрш", "ёршик"}));
}

TEST_F(DicEditorTest, EveryLineOfTheSelectionIsAddedAtItsOwnPlace) {
    LoadMain({"ёж", "ёрш"});
    SetWords({"ёлка", "Алёша", "ёрш", "щётка", "берёза"});
    // From the second line to the middle of the fourth.
    words.SetCaret(words.LineStart(1) + 2);
    words.SetSelLength(words.LineStart(3) + 2 - words.SelStart());
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"Алёша", "ёж", "ёрш", "щётка"}));
    // «ёрш» is there already and stays in the word window, the others left it.
    EXPECT_EQ(WordLines(), Lines({"ёлка", "ёрш", "берёза"}));
}

TEST_F(DicEditorTest, AWordAlreadyThereIsOnlySelected) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"ёлка"});
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёрш"}));
    EXPECT_EQ(dic.SelectedText(), u"ёлка");
    EXPECT_EQ(WordLines(), Lines({"ёлка"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(editor->Modified());
}

TEST_F(DicEditorTest, ACaseTwinAsksWhetherToChangeTheLine) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"Ёлка"});
    host.answers = {MessageResult::No};
    editor->AddToDic1Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Изменить \"ёлка\" на \"Ёлка\" ?");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::YesNoCancel);
    // No: a line of its own, before «ёлка».
    EXPECT_EQ(DicLines(), Lines({"ёж", "Ёлка", "ёлка", "ёрш"}));
    EXPECT_EQ(editor->WordCount(), 4);

    SetWords({"Ёж"});
    host.answers = {MessageResult::Yes};
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"Ёж", "Ёлка", "ёлка", "ёрш"}));
    EXPECT_EQ(LineColor(dic, 0), kRed);
    EXPECT_EQ(editor->WordCount(), 4); // a replacement adds no word

    SetWords({"Ёрш"});
    host.answers = {MessageResult::Cancel};
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"Ёж", "Ёлка", "ёлка", "ёрш"}));
    EXPECT_EQ(WordLines(), Lines({"Ёрш"}));
}

TEST_F(DicEditorTest, ADoubtfulMarkOrEAgainstYoAsksWithOkAndCancel) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"ёлка?"});
    host.answers = {MessageResult::Cancel};
    editor->AddToDic1Click();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Изменить \"ёлка\" на \"ёлка?\" ?");
    EXPECT_EQ(host.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёрш"}));

    host.answers = {MessageResult::Ok};
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка?", "ёрш"}));
    EXPECT_EQ(editor->WordCount(), 3);
    EXPECT_EQ(words.TextLength(), 0);
}

TEST_F(DicEditorTest, AWordThatFailsTheCheckIsRefusedButItsPlaceShown) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"елка"});
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёрш"}));
    EXPECT_EQ(host.StatusText(0), "Ошибка: строка без Ё");
    EXPECT_EQ(dic.SelectedText(), u"ёлка");
    EXPECT_EQ(WordLines(), Lines({"елка"}));
}

TEST_F(DicEditorTest, InsertLogRecordsInsertionsReplacementsAndDeletions) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    editor->InsertLog1Click();
    ASSERT_TRUE(editor->InsertLogOn());
    SetWords({"ёлочка", "ёлка?"});
    words.SetCaret(0);
    words.SetSelLength(words.TextLength());
    host.answers = {MessageResult::Ok};
    editor->AddToDic1Click();
    ui.focus = DicPane::Dictionary;
    dic.SetCaret(dic.LineStart(0));
    editor->DelFromDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёлка?", "ёлочка", "ёрш"}));
    EXPECT_EQ(ReadBytes(editor->InsertLogPath()), Text({"ёлочка", "ёлка\tёлка?", "-\tёж"}));
    EXPECT_EQ(editor->InsertLogPath(), (folder / "work" / "insert.log").string());

    editor->InsertLog1Click(); // off: nothing more is written
    dic.SetCaret(0);
    editor->DelFromDic1Click();
    EXPECT_EQ(ReadBytes(editor->InsertLogPath()), Text({"ёлочка", "ёлка\tёлка?", "-\tёж"}));
}

TEST_F(DicEditorTest, ALogThatCannotBeWrittenIsReportedOnceAndSwitchedOff) {
    fs::create_directories(editor->InsertLogPath()); // a folder in the log's way
    LoadMain({"ёж"});
    editor->InsertLog1Click();
    SetWords({"ёлка", "ёрш"});
    words.SelectAllText();
    editor->AddToDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёрш"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(editor->InsertLogOn());
}

TEST_F(DicEditorTest, FindingThePlaceMovesOnlyTheCaret) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    SetWords({"ёлочка", "ёрш"});
    editor->FindInDic1Click();
    EXPECT_EQ(dic.SelStart(), dic.LineStart(2));
    EXPECT_EQ(dic.SelLength(), 0);
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка", "ёрш"}));
    EXPECT_EQ(WordLines().size(), 2u);
    // The wait message came and went.
    bool waited = false;
    for (const auto& [panel, text] : host.statusHistory) {
        waited = waited || text == "Подождите...";
    }
    EXPECT_TRUE(waited);
    EXPECT_NE(host.StatusText(0), "Подождите...");
}

// --- The word window ---

TEST_F(DicEditorTest, SweepRemovesTheWordsTheDictionaryHoldsExactly) {
    LoadMain({"Ёж", "ёлка", "ёрш"});
    SetWords({"ёлка", "ёж", "ёлка?", "ёрш", "щётка"});
    editor->SweepWordEditor1Click();
    EXPECT_EQ(WordLines(), Lines({"ёж", "ёлка?", "щётка"}));
    EXPECT_EQ(host.StatusText(0), "2 слова убрано из окна слов");

    SetWords({"ёлка"});
    editor->SweepWordEditor1Click();
    EXPECT_EQ(host.StatusText(0), "1 слово убрано из окна слов");
    SetWords({"щётка"});
    editor->SweepWordEditor1Click();
    EXPECT_EQ(host.StatusText(0), "0 слов убрано из окна слов");
}

TEST_F(DicEditorTest, EscStopsTheSweepWithTheWordsRemovedSoFar) {
    LoadMain({"ёлка", "ёрш"});
    SetWords({"ёлка", "ёрш", "ёлка"});
    ui.escAt = 2;
    editor->SweepWordEditor1Click();
    EXPECT_EQ(WordLines(), Lines({"ёрш", "ёлка"}));
    EXPECT_EQ(host.StatusText(0), "1 слово убрано из окна слов");
    EXPECT_EQ(words.SelStart(), 0);
}

TEST_F(DicEditorTest, AppendedWordsCollectAtTheEndAndLeaveTheRestAlone) {
    editor->AppendWord(Cp("ёлка"));
    editor->AppendWord(Cp("ёрш"));
    EXPECT_EQ(WordLines(), Lines({"ёлка", "ёрш"}));
    editor->InsertWordForms(0, Lines({"ёлки"}));
    words.SetCaret(1);
    words.SetSelLength(2);
    editor->AppendWord(Cp("щётка"));
    EXPECT_EQ(WordLines(), Lines({"ёлка", "ёлки", "ёрш", "щётка"}));
    EXPECT_EQ(LineColor(words, 1), kBlue);
    EXPECT_EQ(LineColor(words, 3), kBlack);
    EXPECT_EQ(words.SelStart(), 1);
    EXPECT_EQ(words.SelLength(), 2);
    // After a final line break the word still gets a line of its own.
    words.SetAllText(u"ёж\r");
    editor->AppendWord(Cp("ёрш"));
    EXPECT_EQ(WordLines(), Lines({"ёж", "ёрш"}));
}

TEST_F(DicEditorTest, AcceptedWordFormsFollowTheBaseWordInBlue) {
    SetWords({"ёлка", "ёрш"});
    editor->InsertWordForms(0, Lines({"ёлки", "ёлке"}));
    EXPECT_EQ(WordLines(), Lines({"ёлка", "ёлки", "ёлке", "ёрш"}));
    EXPECT_EQ(LineColor(words, 1), kBlue);
    EXPECT_EQ(LineColor(words, 2), kBlue);
    EXPECT_EQ(LineColor(words, 3), kBlack);
    EXPECT_EQ(words.SelStart(), 0);
    editor->InsertWordForms(4, Lines({"ерши"})); // after the last line
    EXPECT_EQ(WordLines().back(), Cp("ерши"));
}

// --- Operations on the pane ---

TEST_F(DicEditorTest, SortingGoesThroughTheTemporaryFileAndRemovesIt) {
    LoadMain({"# Версия: 1", "ёрш", "# a", "ёж"});
    editor->Sort1Click();
    EXPECT_EQ(DicLines(), Lines({"# Версия: 1", "# a", "ёж", "ёрш"}));
    EXPECT_EQ(host.StatusText(0), "Словоформ: 2");
    EXPECT_TRUE(editor->Modified());
    EXPECT_FALSE(fs::exists(folder / "work" / "umlo.tmp"));
}

TEST_F(DicEditorTest, AnUnwritableTemporaryFileStopsTheSortAndLeavesTheText) {
    LoadMain({"ёрш", "ёж"});
    fs::create_directories(folder / "work" / "umlo.tmp"); // a folder in the file's way
    host.messages.clear();                                // the order break of the load
    editor->Sort1Click();
    EXPECT_EQ(DicLines(), Lines({"ёрш", "ёж"}));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_FALSE(editor->Modified());
    EXPECT_FALSE(host.busy);
}

TEST_F(DicEditorTest, DuplicatesGoAndTheCaretStays) {
    LoadMain({"ёж", "ёж", "ёж", "ёлка"});
    dic.SetCaret(2);
    editor->DelDoubles1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёлка"}));
    EXPECT_EQ(host.StatusText(0), "Словоформ: 2, удалено дублей: 2");
    EXPECT_EQ(dic.SelStart(), 2);
}

TEST_F(DicEditorTest, TheErrorSearchSelectsTheFaultyLineAndKeepsItsMessage) {
    LoadMain({"ёж", "ёлка", "Ёлка", "ёрш"});
    host.messages.clear();
    dic.SetCaret(0);
    editor->CheckDic1Click();
    EXPECT_EQ(host.StatusText(0), "Ошибка: нарушен порядок слов");
    EXPECT_EQ(dic.SelectedText(), u"Ёлка");

    dic.SetCaret(dic.LineStart(3));
    ui.focus = DicPane::Words;
    editor->CheckDic1Click();
    EXPECT_EQ(host.StatusText(0), "Ошибок не найдено");
    EXPECT_EQ(ui.focus, DicPane::Dictionary);
    EXPECT_EQ(dic.SelStart(), dic.TextLength());
}

TEST_F(DicEditorTest, SubtractionTakesTheOtherFilesLinesOut) {
    LoadMain({"ёж", "ёлка", "ёрш", "щётка"});
    const std::string other = (folder / "other.dat").string();
    WriteBytes(other, Text({"ёлка", "ЁРШ", "щётка"}));
    ui.paths = {other};
    editor->Subtract1Click();
    EXPECT_EQ(ui.openTitles, std::vector<std::string>{"Вычесть словарь"});
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёрш"}));
    EXPECT_EQ(host.StatusText(0), "Словоформ: 2");
    EXPECT_EQ(ui.focus, DicPane::Dictionary);
    EXPECT_EQ(dic.SelStart(), 0);
    EXPECT_FALSE(fs::exists(folder / "work" / "umlo.tmp"));

    ui.paths = {(folder / "missing.dat").string()};
    editor->Subtract1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "ёрш"}));
    EXPECT_EQ(host.messages.back().kind, MessageKind::Error);
}

TEST_F(DicEditorTest, CaseCommandsActOnTheFocusedPanesCaretLine) {
    LoadMain({"ёж", "ёлка"});
    editor->InsertLog1Click();
    ui.focus = DicPane::Dictionary;
    dic.SetCaret(dic.LineStart(1) + 2);
    editor->Upper1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "Ёлка"}));
    EXPECT_EQ(LineColor(dic, 1), kRed);
    EXPECT_EQ(dic.SelStart(), dic.LineStart(1) + 2);
    EXPECT_EQ(dic.SelLength(), 0);
    EXPECT_EQ(ReadBytes(editor->InsertLogPath()), Text({"ёлка\tЁлка"}));

    SetWords({"ЁЛКА"});
    ui.focus = DicPane::Words;
    editor->Lower1Click();
    EXPECT_EQ(WordLines(), Lines({"ёлка"}));
    // The word window's changes are not logged.
    EXPECT_EQ(ReadBytes(editor->InsertLogPath()), Text({"ёлка\tЁлка"}));
}

TEST_F(DicEditorTest, TheLengthLineIsWrittenOnceAndThenUpdated) {
    LoadMain({"# Версия: 1", "# Автор", "ёж", "ёлка"});
    host.SetStatusText(0, "before");
    editor->InsertDicSize1Click();
    EXPECT_EQ(DicLines(), Lines({"# Версия: 1", "# Автор", "# Длина: 2", "ёж", "ёлка"}));
    EXPECT_EQ(host.StatusText(0), "before");
    SetWords({"ёрш"});
    editor->AddToDic1Click();
    editor->InsertDicSize1Click();
    EXPECT_EQ(DicLines(), Lines({"# Версия: 1", "# Автор", "# Длина: 3", "ёж", "ёлка", "ёрш"}));
}

TEST_F(DicEditorTest, DeletingAnEmptyLineDoesNothing) {
    LoadMain({"ёж", "", "ёрш"});
    ui.focus = DicPane::Dictionary;
    dic.SetCaret(dic.LineStart(1));
    editor->DelFromDic1Click();
    EXPECT_EQ(DicLines(), Lines({"ёж", "", "ёрш"}));
    EXPECT_FALSE(editor->Modified());
}

TEST_F(DicEditorTest, FindOpensTheMainDialogOnTheFocusedPane) {
    ui.focus = DicPane::Words;
    editor->Find1Click();
    EXPECT_EQ(findPane, &words);
    EXPECT_FALSE(findRegExpr);
    ui.focus = DicPane::Dictionary;
    editor->FindRegExp1Click();
    EXPECT_EQ(findPane, &dic);
    EXPECT_TRUE(findRegExpr);
}

// --- Command states and the caret display ---

TEST_F(DicEditorTest, CommandStatesFollowThePanes) {
    mainPath.clear();
    editor->RefreshCommands();
    EXPECT_FALSE(host.commands["Save1"]);
    EXPECT_FALSE(host.commands["AddToDic1"]);
    EXPECT_FALSE(host.commands["Morph1"]);
    EXPECT_FALSE(host.commands["OpenCurrDic1"]);
    EXPECT_TRUE(host.commands["OpenCurrRegExprDic1"]);
    EXPECT_FALSE(host.commands["Cut1"]); // the focused word window is empty

    SetPaneLines(dic, Lines({"ёж"}));
    SetWords({"ёлка"});
    editor->WordsChanged();
    EXPECT_TRUE(host.commands["Save1"]);
    EXPECT_TRUE(host.commands["Sort1"]);
    EXPECT_TRUE(host.commands["AddToDic1"]);
    EXPECT_TRUE(host.commands["SweepWordEditor1"]);
    EXPECT_TRUE(host.commands["Cut1"]);
    // Without word-form rules there is no generation.
    EXPECT_FALSE(host.commands["Morph1"]);
    rules.LoadRulesFromText(Cp("=Сущ\r\nж.р.:а:1:а,и\r\n"));
    editor->PaneFocused();
    EXPECT_TRUE(host.commands["Morph1"]);
    // Each opening holds it back until the next refresh.
    editor->Opened();
    EXPECT_FALSE(host.commands["Morph1"]);
}

TEST_F(DicEditorTest, TheCaretPositionIsShownForTheDictionaryPane) {
    LoadMain({"ёж", "ёлка", "ёрш"});
    dic.SetCaret(dic.LineStart(1) + 2);
    editor->DictionaryCaretMoved();
    EXPECT_EQ(host.StatusText(0), "2:3 (3)");
}

} // namespace
} // namespace umlo
