#include "core/main_dictionary.h"
#include "core/system_message.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/codepage.h"
#include "core/words.h"
#include "tests/support/recording_host.h"

using namespace umlo;
using umlo::testing::RecordingHost;
namespace fs = std::filesystem;

namespace {

// The small dictionary, in file order.
const std::vector<std::string> kSmall = {
    "Алёша",      "всё?",   "двухрублёвая", "двухрублёвые", "двухрублёвый", "ещё",
    "киносъёмка", "Лёвин?", "Лёвина?",      "лёт?",         "мёд",          "полёт?",
    "съёмка",     "Тёр?",   "тёр",          "трёхведёрный", "фотосъёмка",   "чём?"};

std::string Lines(const std::vector<std::string>& utf8Lines, const char* end = "\r\n") {
    std::string out;
    for (const auto& line : utf8Lines) {
        out += Cp(line) + end;
    }
    return out;
}

class MainDictionaryFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("umlo_dic_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_ / "umlox.dat", fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    std::string Write(const std::string& bytes, const std::string& name = "umlox.dat") {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    // Loads bytes written to a file; returns the path used.
    std::string Load(const std::string& bytes) {
        path_ = Write(bytes);
        LoadMainDictionary(dic_, path_, host_);
        return path_;
    }

    fs::path dir_;
    std::string path_;
    TDic dic_;
    RecordingHost host_;
};

TDic SmallDictionary() {
    TDic dic;
    for (const auto& line : kSmall) {
        const std::string w = Cp(line);
        const bool doubtful = w.back() == '?';
        dic.AddEntry(doubtful ? w.substr(0, w.size() - 1) : w, doubtful);
    }
    return dic;
}

} // namespace

TEST(MainDictionaryLookup, CapitalizedEntriesAreFoundOnlyFromCapitalizedWords) {
    const TDic dic = SmallDictionary();
    const LookupResult alesha = dic.LookupWord(Cp("Алеша"));
    EXPECT_EQ(alesha.index, 0);
    EXPECT_EQ(alesha.DiaeresisForm, Cp("Алёша"));
    EXPECT_EQ(alesha.WordVerdict, kDiaeresisForm);
    EXPECT_FALSE(alesha.NeedsAsk);
    EXPECT_EQ(dic.FindKey(Cp("АЛЕША")), 0);
    for (const char* word : {"алеша", "аЛеШа"}) {
        const LookupResult r = dic.LookupWord(Cp(word));
        EXPECT_EQ(r.index, -1) << word;
        EXPECT_EQ(r.WordVerdict, kPlainForm) << word;
        EXPECT_TRUE(r.DiaeresisForm.empty()) << word;
        EXPECT_FALSE(r.NeedsAsk || r.HasAlways) << word;
    }
    EXPECT_EQ(dic.FindKey(Cp("Левин")), 7);
    EXPECT_EQ(dic.FindKey(Cp("ЛЕВИН")), 7);
    EXPECT_TRUE(dic.LookupWord(Cp("ЛЕВИН")).NeedsAsk);
    EXPECT_EQ(dic.FindKey(Cp("левин")), -1);
}

TEST(MainDictionaryLookup, CapitalizedTwinComesBeforeLowerCaseEntry) {
    const TDic dic = SmallDictionary();
    const LookupResult capital = dic.LookupWord(Cp("Тер"));
    EXPECT_EQ(capital.DiaeresisForm, Cp("Тёр"));
    EXPECT_TRUE(capital.NeedsAsk);
    const LookupResult lower = dic.LookupWord(Cp("тер"));
    EXPECT_EQ(lower.DiaeresisForm, Cp("тёр"));
    EXPECT_FALSE(lower.NeedsAsk);
    EXPECT_EQ(lower.WordVerdict, kDiaeresisForm);
    EXPECT_EQ(dic.LookupWord(Cp("ТЕР")).DiaeresisForm, Cp("Тёр"));
    // An upper-case word without a capitalized entry falls back to lower case.
    EXPECT_EQ(dic.LookupWord(Cp("МЕД")).DiaeresisForm, Cp("мёд"));
    EXPECT_EQ(dic.LookupWord(Cp("ВсЕ")).DiaeresisForm, Cp("всё"));
}

TEST(MainDictionaryLookup, AnswersOfTheRunDecideDoubtfulWords) {
    TDic dic = SmallDictionary();
    const int vse = dic.FindKey(Cp("все"));
    ASSERT_GE(vse, 0);
    LookupResult r = dic.LookupWord(Cp("все"));
    EXPECT_TRUE(r.NeedsAsk);
    EXPECT_FALSE(r.HasAlways);
    EXPECT_EQ(r.WordVerdict, kNoVerdict);

    dic.SetLastAnswer(vse, 2);
    r = dic.LookupWord(Cp("все"));
    EXPECT_TRUE(r.NeedsAsk);
    EXPECT_EQ(r.WordVerdict, kDiaeresisForm);

    dic.SetAlwaysChoice(vse, 1);
    r = dic.LookupWord(Cp("все"));
    EXPECT_TRUE(r.HasAlways);
    EXPECT_FALSE(r.NeedsAsk);
    EXPECT_EQ(r.WordVerdict, kPlainForm);

    dic.ClearAlwaysChoices();
    r = dic.LookupWord(Cp("все"));
    EXPECT_FALSE(r.HasAlways);
    EXPECT_TRUE(r.NeedsAsk);
    EXPECT_EQ(r.WordVerdict, kDiaeresisForm); // the last answer is kept

    // A sure word remembers an "always" answer too.
    const int med = dic.FindKey(Cp("мед"));
    dic.SetAlwaysChoice(med, 1);
    EXPECT_EQ(dic.LookupWord(Cp("мед")).WordVerdict, kPlainForm);
}

TEST(MainDictionaryLookup, BadIndexesAndOddKeysAreHarmless) {
    TDic dic = SmallDictionary();
    dic.SetAlwaysChoice(-1, 2);
    dic.SetLastAnswer(dic.Count(), 2);
    dic.AddToCounter(99, WordCounter::PlainKept);
    EXPECT_EQ(dic.Counter(-3, WordCounter::PlainKept), 0);
    dic.SetAlwaysChoice(0, 7); // not an answer code: stays unanswered
    EXPECT_EQ(dic.AlwaysChoice(0), 0);
    EXPECT_EQ(dic.FindKey(""), -1);
    EXPECT_EQ(dic.FindKey(std::string(1, '\0')), -1);
    EXPECT_EQ(TDic().FindKey(Cp("все")), -1);

    // Keys longer than any ordinary word are still found.
    TDic longDic;
    std::string word = Cp("Ё");
    for (int i = 0; i < 200; ++i) {
        word += Cp("ж");
    }
    longDic.AddEntry(word, false);
    std::string key = EKey(word);
    for (char& c : key) {
        c = ToUpperByte(c);
    }
    EXPECT_EQ(longDic.FindKey(key), 0);
}

TEST(MainDictionaryLookup, CountersAreKeptPerEntryAndReset) {
    TDic dic = SmallDictionary();
    dic.AddToCounter(2, WordCounter::PlainToDiaeresis);
    dic.AddToCounter(2, WordCounter::PlainToDiaeresis);
    dic.AddToCounter(2, WordCounter::DiaeresisKept, 5);
    dic.AddToCounter(3, WordCounter::PlainKept);
    EXPECT_EQ(dic.Counter(2, WordCounter::PlainToDiaeresis), 2);
    EXPECT_EQ(dic.Counter(2, WordCounter::DiaeresisKept), 5);
    EXPECT_EQ(dic.Counter(2, WordCounter::PlainKept), 0);
    EXPECT_EQ(dic.Counter(3, WordCounter::PlainKept), 1);
    EXPECT_EQ(dic.CounterList(WordCounter::DiaeresisToPlain).Count(), dic.Count());
    dic.ResetCounters();
    for (auto which : {WordCounter::PlainKept, WordCounter::PlainToDiaeresis,
                       WordCounter::DiaeresisToPlain, WordCounter::DiaeresisKept}) {
        EXPECT_EQ(dic.Counter(2, which), 0);
    }
    EXPECT_EQ(dic.Count(), static_cast<int>(kSmall.size()));
    dic.Clear();
    EXPECT_EQ(dic.Count(), 0);
    EXPECT_TRUE(dic.Keys().empty());
}

TEST_F(MainDictionaryFile, SmallDictionaryLoadsInFileOrder) {
    host_.status[1] = "before";
    Load(Cp("# Версия: 1.5\r\n# Длина: 18\r\n\r\n") + Lines(kSmall));
    EXPECT_TRUE(host_.messages.empty());
    ASSERT_EQ(dic_.Count(), static_cast<int>(kSmall.size()));
    EXPECT_EQ(dic_.Version(), "1.5");
    EXPECT_EQ(dic_.Word(1), Cp("всё"));
    EXPECT_TRUE(dic_.IsVariant(1));
    EXPECT_EQ(dic_.Key(1), Cp("все"));
    EXPECT_FALSE(dic_.IsVariant(0));
    EXPECT_EQ(dic_.Word(13), Cp("Тёр"));
    EXPECT_EQ(dic_.LookupWord(Cp("ТЕР")).index, 13);
    EXPECT_EQ(host_.commands["Umlobegin1"], true);
    EXPECT_EQ(host_.commands["Umlopos1"], true);
    ASSERT_TRUE(host_.commands.count("Clearusersel1"));
    EXPECT_FALSE(host_.commands["Clearusersel1"]);
    EXPECT_EQ(host_.StatusText(1), "before");
    EXPECT_EQ(host_.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(dic_.Path(), path_);
    ASSERT_GE(host_.statusHistory.size(), 2u);
    EXPECT_EQ(host_.statusHistory.front().second, "Загрузка словаря " + path_ + " ...");
}

TEST_F(MainDictionaryFile, ProgressIsShownOnlyWhenThePercentageChanges) {
    // 100 lines of 1320 bytes: 80 of 13 bytes and 20 of 14, line ends included.
    std::string bytes;
    for (int i = 0; i < 100; ++i) {
        bytes += std::string(i < 80 ? 12 : 13, '#') + "\n";
    }
    ASSERT_EQ(bytes.size(), 1320u);
    Load(bytes);
    const std::string prefix = "Загрузка словаря " + path_ + ": ";
    std::vector<std::string> shown;
    for (const auto& [panel, text] : host_.statusHistory) {
        if (panel == 1 && text.rfind(prefix, 0) == 0) {
            shown.push_back(text);
        }
    }
    // Every line raises the estimate by exactly 1%.
    ASSERT_EQ(shown.size(), 100u);
    EXPECT_EQ(shown.front(), prefix + "1% ...");
    EXPECT_EQ(shown.back(), prefix + "100% ...");
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_NE(shown[i], shown[i - 1]);
    }
}

TEST_F(MainDictionaryFile, ProgressEstimateRepeatsNoValueAndMayPass100) {
    // Short lines: the estimate passes 100; long lines: it stays put for many lines.
    Load(std::string(50, '\n'));
    const std::string last = host_.statusHistory[host_.statusHistory.size() - 2].second;
    EXPECT_EQ(last, "Загрузка словаря " + path_ + ": 1320% ...");

    host_ = RecordingHost();
    std::string longLines;
    for (int i = 0; i < 10; ++i) {
        longLines += "#" + std::string(1000, 'x') + "\n";
    }
    Load(longLines);
    // 13.2 / 1002 per line: 1% after the first line, never an unchanged repeat.
    std::vector<std::string> shown;
    for (const auto& [panel, text] : host_.statusHistory) {
        if (text.find("% ...") != std::string::npos) {
            shown.push_back(text);
        }
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_LT(shown.size(), 10u);
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_NE(shown[i], shown[i - 1]);
    }
}

TEST_F(MainDictionaryFile, OrderBreakIsReportedWithTheWord) {
    Load(Lines({"тёр", "Тёр?"}));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Порядок слов в словаре нарушен словом \"Тёр\""}));
    EXPECT_EQ(host_.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(dic_.Count(), 2);

    host_ = RecordingHost();
    Load(Lines({"всё", "всё?", "ещё", "алёша"}));
    // Equal keys break the order; only the first break is reported.
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Порядок слов в словаре нарушен словом \"всё\""}));
    EXPECT_EQ(dic_.Count(), 4);
}

TEST_F(MainDictionaryFile, BadLineIsReportedAndStillLoaded) {
    Load(Lines({"всё ?", "ещё"}));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"В строке словаре содержится неверная строка \"всё ?\""}));
    ASSERT_EQ(dic_.Count(), 2);
    EXPECT_EQ(dic_.Key(0), Cp("все "));
    EXPECT_TRUE(dic_.IsVariant(0));
    EXPECT_EQ(dic_.FindKey(Cp("все")), -1);
    EXPECT_EQ(dic_.FindKey(Cp("еще")), 1);
}

TEST_F(MainDictionaryFile, WordWithoutYoIsReportedUnlessThereIsABadLine) {
    Load(Lines({"мёд", "молоко", "сыр"}));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Слово \"молоко\" из словаря не содержит буквы \"Ё\""}));
    EXPECT_EQ(dic_.LookupWord(Cp("молоко")).WordVerdict, kDiaeresisForm);

    host_ = RecordingHost();
    Load(Lines({"мёд", "мёд1", "молоко", "ещё"}));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Порядок слов в словаре нарушен словом \"ещё\"",
                                        "В строке словаре содержится неверная строка \"мёд1\""}));
    EXPECT_EQ(dic_.Count(), 4);
}

TEST_F(MainDictionaryFile, LineEndsAndOddBytesAreHandled) {
    // LF and CR LF mixed, no final line end.
    Load(Cp("ещё\nмёд\r\nсъёмка"));
    EXPECT_TRUE(host_.messages.empty());
    ASSERT_EQ(dic_.Count(), 3);
    EXPECT_EQ(dic_.Word(1), Cp("мёд"));
    EXPECT_EQ(dic_.Word(2), Cp("съёмка"));

    // A zero byte, high bytes and a lone CR are not letters.
    host_ = RecordingHost();
    std::string binary = Cp("ещё") + std::string("\0\xFF\x98", 3) + "\n" + Cp("мёд\rx") + "\n";
    Load(binary);
    ASSERT_EQ(dic_.Count(), 2);
    EXPECT_EQ(dic_.Word(0).size(), 6u);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text.rfind("В строке словаре содержится неверная строка \"", 0),
              0u);

    // A line far longer than the read buffer arrives whole.
    host_ = RecordingHost();
    const std::string longWord = Cp("ё") + std::string(300000, Cp("ж")[0]);
    Load(longWord + "\n" + Cp("ещё\nсъёмка?"));
    EXPECT_TRUE(host_.messages.empty());
    ASSERT_EQ(dic_.Count(), 3);
    EXPECT_EQ(dic_.Word(0), longWord);
    EXPECT_TRUE(dic_.IsVariant(2));
    EXPECT_EQ(dic_.FindKey(EKey(longWord)), 0);
    EXPECT_EQ(dic_.FindKey(Cp("еще")), 1);

    // A lone "?" is a doubtful entry with an empty word: in order, no letters wrong.
    host_ = RecordingHost();
    Load("?\n");
    ASSERT_EQ(dic_.Count(), 1);
    EXPECT_EQ(dic_.Word(0), "");
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Порядок слов в словаре нарушен словом \"\"",
                                        "Слово \"?\" из словаря не содержит буквы \"Ё\""}));
}

TEST_F(MainDictionaryFile, EmptyFileLeavesAnEmptyDictionary) {
    dic_.AddEntry(Cp("мёд"), false);
    Load("");
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_FALSE(host_.commands.count("Umlobegin1"));
    EXPECT_FALSE(host_.commands["Clearusersel1"]);
}

TEST_F(MainDictionaryFile, VersionIsTheFirstCompleteVersionComment) {
    Load(Cp("# Версия:\n#Версия: \t \n# Версия: 2.0 \t\n# Версия: 3.0\nмёд\n"));
    EXPECT_EQ(dic_.Version(), "2.0");
    host_ = RecordingHost();
    Load(Cp("мёд\n# x Версия:1.7b\n"));
    EXPECT_EQ(dic_.Version(), "1.7b");
    // A reload without a version line forgets the old one.
    Load(Cp("мёд\n"));
    EXPECT_EQ(dic_.Version(), "");
}

TEST_F(MainDictionaryFile, ReloadForgetsAnswersAndCounters) {
    Load(Lines(kSmall));
    dic_.SetAlwaysChoice(1, 2);
    dic_.SetLastAnswer(1, 1);
    dic_.AddToCounter(1, WordCounter::PlainKept);
    LoadMainDictionary(dic_, path_, host_);
    EXPECT_EQ(dic_.Count(), static_cast<int>(kSmall.size()));
    EXPECT_EQ(dic_.AlwaysChoice(1), 0);
    EXPECT_EQ(dic_.LastAnswer(1), 0);
    EXPECT_EQ(dic_.Counter(1, WordCounter::PlainKept), 0);
}

TEST_F(MainDictionaryFile, MissingPathOrFileEmptiesTheDictionary) {
    std::string empty;
    dic_.AddEntry(Cp("мёд"), false);
    dic_.SetVersion("1.0");
    EXPECT_FALSE(LoadMainDictionary(dic_, empty, host_));
    EXPECT_EQ(host_.MessageTexts(), (std::vector<std::string>{"Не задан файл словаря"}));
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_EQ(dic_.Version(), "");
    EXPECT_TRUE(host_.busyChanges.empty());

    host_ = RecordingHost();
    dic_.AddEntry(Cp("мёд"), false);
    const std::string missing = (dir_ / "нет.dat").string();
    std::string path = missing;
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Файл \"" + missing + "\" не найден"}));
    EXPECT_EQ(path, "");
    EXPECT_EQ(dic_.Path(), "");
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_TRUE(host_.commands.empty());

    // A cp1251 path is shown in UTF-8.
    host_ = RecordingHost();
    path = (dir_ / Cp("словарь.dat")).string();
    LoadMainDictionary(dic_, path, host_);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_NE(host_.messages[0].text.find("словарь.dat"), std::string::npos);
}

TEST_F(MainDictionaryFile, DirectoryGivesTheSystemMessage) {
    std::string path = dir_.string();
    dic_.AddEntry(Cp("мёд"), false);
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    // What failed, where and why, in Russian.
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{"Не удалось прочитать файл \"" + dir_.string() +
                                        "\": это папка, а не файл"}));
    EXPECT_EQ(path, dir_.string());
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_EQ(host_.StatusText(1), "");

    // A path the system cannot even look at.
    host_ = RecordingHost();
    path = std::string(5000, 'a');
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{FileErrorMessage(FileAction::Read, path, ENAMETOOLONG)}));

    // A device has no end to read to; it is refused before reading.
    host_ = RecordingHost();
    path = "/dev/zero";
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{FileErrorMessage(FileAction::Read, path, EINVAL)}));
}

TEST_F(MainDictionaryFile, ReadErrorStopsTheLoadWithTheSystemMessage) {
    // Reading this file's first page fails although opening it succeeds.
    std::string path = "/proc/self/mem";
    if (!fs::exists(path)) {
        GTEST_SKIP() << "no file that fails on reading";
    }
    host_.status[1] = "before";
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    EXPECT_EQ(host_.MessageTexts(), (std::vector<std::string>{"Не удалось прочитать файл "
                                                              "\"/proc/self/mem\": ошибка "
                                                              "ввода-вывода"}));
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_EQ(path, "/proc/self/mem");
    EXPECT_EQ(host_.StatusText(1), "before");
    EXPECT_FALSE(host_.busy);
}

TEST_F(MainDictionaryFile, UnreadableFileGivesTheSystemMessage) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    std::string path = Write(Lines(kSmall));
    fs::permissions(path, fs::perms::none);
    EXPECT_FALSE(LoadMainDictionary(dic_, path, host_));
    EXPECT_EQ(host_.MessageTexts(),
              (std::vector<std::string>{FileErrorMessage(FileAction::Read, path, EACCES)}));
    EXPECT_EQ(dic_.Count(), 0);
    EXPECT_FALSE(host_.busy);
}
