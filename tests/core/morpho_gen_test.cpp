#include "core/morpho_gen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/codepage.h"
#include "tests/support/recording_host.h"

using namespace umlo;
using umlo::testing::RecordingHost;

namespace {

std::vector<std::string> CpList(std::initializer_list<const char*> words) {
    std::vector<std::string> out;
    for (const char* w : words) {
        out.push_back(Cp(w));
    }
    return out;
}

std::set<std::string> CpSet(std::initializer_list<const char*> words) {
    const auto list = CpList(words);
    return {list.begin(), list.end()};
}

const char* kElkaRule = "ж.р.:[кг]а:1:а,и,е,у,ой,ою,и,ам,ами,ах";

class TempFile {
public:
    explicit TempFile(const std::string& content) {
        path_ = std::filesystem::temp_directory_path() /
                ("morphs_test_" + std::to_string(++counter_) + ".dat");
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string Path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

} // namespace

TEST(MorphoMatch, PatternIsReadFromTheEnd) {
    EXPECT_TRUE(Match(Cp("ёлка"), Cp("[кг]а")).fits);
    EXPECT_EQ(Match(Cp("ёлка"), Cp("[кг]а")).matched, 2);
    EXPECT_TRUE(Match(Cp("нога"), Cp("[кг]а")).fits);
    EXPECT_FALSE(Match(Cp("ёрш"), Cp("[кг]а")).fits);
    EXPECT_FALSE(Match(Cp("ёлча"), Cp("[кг]а")).fits);
    // Case matters: the bytes are compared.
    EXPECT_FALSE(Match(Cp("ЁЛКА"), Cp("[кг]а")).fits);
}

TEST(MorphoMatch, ShortWordsAndEmptyPatterns) {
    // All of a word shorter than the pattern matched: it fits.
    const PatternMatch shortWord = Match(Cp("а"), Cp("[кг]а"));
    EXPECT_TRUE(shortWord.fits);
    EXPECT_EQ(shortWord.matched, 1);
    const PatternMatch empty = Match(Cp("ёлка"), "");
    EXPECT_TRUE(empty.fits);
    EXPECT_EQ(empty.matched, 0);
    EXPECT_TRUE(Match("", Cp("а")).fits);
    EXPECT_EQ(Match("", Cp("а")).matched, 0);
}

TEST(MorphoMatch, ClassesHaveNoRangesAndStrayBracketsStandForThemselves) {
    EXPECT_TRUE(Match("x-", "[a-z]").fits);
    EXPECT_FALSE(Match("xb", "[a-z]").fits);
    EXPECT_TRUE(Match("xz", "[a-z]").fits);
    // A "]" without "[" is one literal element.
    EXPECT_TRUE(Match("a]", "]").fits);
    EXPECT_FALSE(Match("ab", "]").fits);
    const PatternMatch stray = Match("ab]", "b]");
    EXPECT_TRUE(stray.fits);
    EXPECT_EQ(stray.matched, 2);
    // An empty class matches nothing; an unclosed "[" is a plain character.
    EXPECT_FALSE(Match("a", "[]").fits);
    EXPECT_TRUE(Match("x[a", "[a").fits);
}

TEST(MorphoForms, WorkedExampleAndStems) {
    EXPECT_EQ(MakeForms(Cp("ёлка"), Cp("а,и,е,у,ой,ою,и,ам,ами,ах"), 1),
              CpList({"ёлка", "ёлки", "ёлке", "ёлку", "ёлкой", "ёлкою", "ёлки", "ёлкам", "ёлками",
                      "ёлках"}));
    // An empty endings text gives the bare stem.
    EXPECT_EQ(MakeForms(Cp("ёлка"), "", 1), CpList({"ёлк"}));
    // Empty items give the stem among the other forms.
    EXPECT_EQ(MakeForms(Cp("ёж"), Cp(",а,"), 0), CpList({"ёж", "ёжа", "ёж"}));
    // Cut 0 or longer than the word keeps the whole word; the whole word may go.
    EXPECT_EQ(MakeForms(Cp("ёж"), Cp("и"), 0), CpList({"ёжи"}));
    EXPECT_EQ(MakeForms(Cp("ёж"), Cp("и"), 5), CpList({"ёжи"}));
    EXPECT_EQ(MakeForms(Cp("ёж"), Cp("и"), 2), CpList({"и"}));
}

TEST(MorphoForms, DiaeresisInStemsAndEndings) {
    // ё in the ending, and ё leaving the stem when the stress moves to the ending.
    EXPECT_EQ(MakeForms(Cp("ружьё"), Cp("ё,я,ю,ём"), 1),
              CpList({"ружьё", "ружья", "ружью", "ружьём"}));
    EXPECT_EQ(MakeForms(Cp("падёж"), Cp("ёж,ежа,ежом"), 2), CpList({"падёж", "падежа", "падежом"}));
    EXPECT_EQ(MakeForms(Cp("Ёлка"), Cp("ой"), 1), CpList({"Ёлкой"}));
}

TEST(MorphoForms, DoubtfulBaseFormMarksEveryForm) {
    const BaseForm base = SplitDoubtful(Cp("ёлка?"));
    EXPECT_EQ(base.word, Cp("ёлка"));
    EXPECT_TRUE(base.doubtful);
    EXPECT_EQ(MarkForms(MakeForms(base.word, Cp("а,и,ой"), 1), base.doubtful),
              CpList({"ёлка?", "ёлки?", "ёлкой?"}));
    const BaseForm plain = SplitDoubtful(Cp("ёлка"));
    EXPECT_FALSE(plain.doubtful);
    EXPECT_EQ(MarkForms(CpList({"ёлки"}), plain.doubtful), CpList({"ёлки"}));
    EXPECT_EQ(SplitDoubtful("?").word, "");
}

TEST(MorphoLoad, SectionsLabelsAndMalformedLines) {
    MorphoGen gen;
    gen.LoadRulesFromText(Cp("x:а:0:а\r\n"
                             "# комментарий\r\n"
                             "\r\n"
                             "=Существительное\r\n") +
                          Cp(kElkaRule) +
                          Cp("\r\n"
                             "x:а:2\r\n"
                             "x:а:-1:ы\r\n"
                             "x:а:один:ы\r\n"
                             "x:а:99999999999:ы\r\n"
                             "без двоеточий\r\n"
                             "=Глагол \r\n"
                             "с двоеточием:ать: 3 :ать,ал:ся\n"
                             "пустой::0:\r\n"));
    ASSERT_TRUE(gen.Loaded());
    const auto& rules = gen.Rules();
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_EQ(rules[0].label, Cp(" (x)"));
    EXPECT_EQ(rules[1].label, Cp("Существительное (ж.р.)"));
    EXPECT_EQ(rules[1].pattern, Cp("[кг]а"));
    EXPECT_EQ(rules[1].cut, 1);
    EXPECT_EQ(rules[1].endings, Cp("а,и,е,у,ой,ою,и,ам,ами,ах"));
    // The section name is kept as written; colons after the third belong to the endings.
    EXPECT_EQ(rules[2].label, Cp("Глагол  (с двоеточием)"));
    EXPECT_EQ(rules[2].cut, 3);
    EXPECT_EQ(rules[2].endings, Cp("ать,ал:ся"));
    EXPECT_EQ(rules[3].pattern, "");
    EXPECT_EQ(rules[3].endings, "");

    // Lines ended by a lone CR are lines too.
    gen.LoadRulesFromText(Cp("=С\rодин:а:1:а\rдва:я:1:я"));
    ASSERT_EQ(gen.Rules().size(), 2u);
    EXPECT_EQ(gen.Rules()[0].label, Cp("С (один)"));
    EXPECT_EQ(gen.Rules()[1].endings, Cp("я"));
}

TEST(MorphoLoad, FilesAndTheirFaults) {
    RecordingHost host;
    MorphoGen gen;
    TempFile good("=" + Cp("Существительное") + "\r\n" + Cp(kElkaRule) + "\r\n");
    ASSERT_TRUE(gen.LoadRules(good.Path(), host));
    EXPECT_EQ(gen.Rules().size(), 1u);
    EXPECT_TRUE(host.messages.empty());

    // A file that is not there or not a file: reported, and no rules stay.
    const std::string missing = good.Path() + ".missing";
    EXPECT_FALSE(gen.LoadRules(missing, host));
    EXPECT_FALSE(gen.Loaded());
    EXPECT_TRUE(gen.Rules().empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(host.messages[0].text.rfind("Ошибка чтения файла \"" + missing + "\".\r", 0), 0u);
    EXPECT_GT(host.messages[0].text.size(), missing.size() + 30);

    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_FALSE(gen.LoadRules(folder, host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text.rfind("Ошибка чтения файла \"" + folder + "\".\r", 0), 0u);

    // At start a missing file only leaves generation off, without a message.
    EXPECT_FALSE(gen.LoadRulesIfPresent(missing, host));
    EXPECT_FALSE(gen.Loaded());
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(gen.LoadRulesIfPresent(good.Path(), host));
    EXPECT_EQ(gen.Rules().size(), 1u);

    // An empty file is a rule file without rules: generation offers nothing.
    TempFile empty("");
    EXPECT_TRUE(gen.LoadRules(empty.Path(), host));
    EXPECT_TRUE(gen.Loaded());
    EXPECT_TRUE(gen.Rules().empty());
    EXPECT_TRUE(gen.CollectCandidates(Cp("ёлка")).empty());
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST(MorphoLoad, UnreadableFileIsReported) {
    TempFile locked(Cp(kElkaRule));
    std::filesystem::permissions(locked.Path(), std::filesystem::perms::none);
    if (std::ifstream(locked.Path())) {
        GTEST_SKIP() << "permissions do not apply to this user";
    }
    RecordingHost host;
    MorphoGen gen;
    EXPECT_FALSE(gen.LoadRules(locked.Path(), host));
    EXPECT_FALSE(gen.LoadRulesIfPresent(locked.Path(), host));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text,
              "Ошибка чтения файла \"" + locked.Path() + "\".\r" +
                  std::make_error_code(std::errc::permission_denied).message());
}

TEST(MorphoLoad, BinaryBytesAndOverlongLines) {
    RecordingHost host;
    MorphoGen gen;
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 37) & 0xFF);
    }
    binary += std::string("a\0b:c\0:1:x\0,y", 13) + "\r\n";
    TempFile junk(binary);
    ASSERT_TRUE(gen.LoadRules(junk.Path(), host));
    ASSERT_FALSE(gen.Rules().empty());
    for (const auto& rule : gen.Rules()) {
        EXPECT_GE(rule.cut, 0);
    }
    // NUL bytes are characters like any other.
    const MorphRule& last = gen.Rules().back();
    EXPECT_EQ(last.pattern, std::string("c\0", 2));
    const std::string word("zc\0", 3);
    bool offered = false;
    for (const auto& c : gen.CollectCandidates(word)) {
        offered = offered || c.endings == std::string("x\0,y", 4);
    }
    EXPECT_TRUE(offered);
    EXPECT_EQ(MakeForms(word, last.endings, last.cut),
              (std::vector<std::string>{std::string("zcx\0", 4), "zcy"}));
    const std::string longEndings(200'000, ',');
    TempFile overlong("n:" + std::string(100'000, '[') + ":1:" + longEndings + "\r\n" +
                      "m:]]]]:3:a\r\n");
    ASSERT_TRUE(gen.LoadRules(overlong.Path(), host));
    ASSERT_EQ(gen.Rules().size(), 2u);
    EXPECT_EQ(MakeForms("ab", gen.Rules()[0].endings, 1).size(), longEndings.size() + 1);
    // A run of "[" is a run of plain characters; a word of them fits.
    EXPECT_EQ(Match("[[[", gen.Rules()[0].pattern).matched, 3);
    EXPECT_EQ(gen.CollectCandidates("[[[").size(), 1u);
    EXPECT_TRUE(gen.CollectCandidates("a[").empty());
    EXPECT_EQ(gen.CollectCandidates("x]]]]").size(), 1u);
    EXPECT_TRUE(host.messages.empty());
}

TEST(MorphoCandidates, WorkedExampleAndOrder) {
    MorphoGen gen;
    gen.LoadRulesFromText("=" + Cp("Существительное") + "\r\n" + Cp(kElkaRule) + "\r\n");
    const auto elka = gen.CollectCandidates(Cp("ёлка"));
    ASSERT_EQ(elka.size(), 1u);
    EXPECT_EQ(elka[0].label, Cp("Существительное (ж.р.)"));
    EXPECT_EQ(MakeForms(Cp("ёлка"), elka[0].endings, elka[0].cut),
              CpList({"ёлка", "ёлки", "ёлке", "ёлку", "ёлкой", "ёлкою", "ёлки", "ёлкам", "ёлками",
                      "ёлках"}));
    EXPECT_TRUE(gen.CollectCandidates(Cp("ёрш")).empty());

    // cut 1 first; a later rule matching 3 elements goes before it; a later one
    // matching 1 element goes after it.
    gen.LoadRulesFromText(Cp("=С\r\n"
                             "один:а:1:а\r\n"
                             "три:лка:1:а\r\n"
                             "чужое:ы:1:ы\r\n"
                             "одна буква:а:0:,х\r\n"));
    const auto order = gen.CollectCandidates(Cp("ёлка"));
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].label, Cp("С (три)"));
    EXPECT_EQ(order[1].label, Cp("С (один)"));
    EXPECT_EQ(order[2].label, Cp("С (одна буква)"));
    EXPECT_EQ(order[2].cut, 0);
    EXPECT_EQ(order[2].endings, Cp(",х"));
}

// The bundled rule file: every rule line is well formed, and the first rule
// offered for words of the main classes gives their Russian forms.
class BundledMorphs : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RecordingHost host;
        path_ = std::string(UMLO_SOURCE_DIR) + "/data/" + std::string(kMorphsFileName);
        ASSERT_TRUE(gen_.LoadRules(path_, host));
    }
    // The forms of the index-th rule offered for the word.
    static std::set<std::string> Offered(const char* word, size_t index) {
        const auto candidates = gen_.CollectCandidates(Cp(word));
        if (index >= candidates.size()) {
            return {};
        }
        const auto& c = candidates[index];
        const auto forms = MakeForms(Cp(word), c.endings, c.cut);
        return {forms.begin(), forms.end()};
    }
    static std::set<std::string> First(const char* word) { return Offered(word, 0); }
    static inline MorphoGen gen_;
    static inline std::string path_;
};

TEST_F(BundledMorphs, EveryRuleLineLoads) {
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    size_t ruleLines = 0;
    while (std::getline(in, line)) {
        ASSERT_FALSE(line.empty()) << "lines end in CR LF";
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        if (!line.empty() && line[0] != '#' && line[0] != '=') {
            ++ruleLines;
        }
    }
    EXPECT_GT(ruleLines, 50u);
    EXPECT_EQ(gen_.Rules().size(), ruleLines);
    // The dialog lists rules by label: no two may read the same.
    std::set<std::string> labels;
    bool hasExample = false;
    for (const auto& rule : gen_.Rules()) {
        EXPECT_TRUE(labels.insert(rule.label).second) << Cp1251ToUtf8(rule.label);
        hasExample = hasExample ||
                     (rule.label == Cp("Существительное (ж.р.)") && rule.pattern == Cp("[кг]а") &&
                      rule.cut == 1 && rule.endings == Cp("а,и,е,у,ой,ою,и,ам,ами,ах"));
    }
    EXPECT_TRUE(hasExample);
}

TEST_F(BundledMorphs, Nouns) {
    EXPECT_EQ(First("шахтёр"), CpSet({"шахтёр", "шахтёра", "шахтёру", "шахтёром", "шахтёре",
                                      "шахтёры", "шахтёров", "шахтёрам", "шахтёрами", "шахтёрах"}));
    EXPECT_EQ(First("ёлка"), CpSet({"ёлка", "ёлки", "ёлке", "ёлку", "ёлкой", "ёлкою", "ёлок",
                                    "ёлкам", "ёлками", "ёлках"}));
    EXPECT_EQ(First("берёза"), CpSet({"берёза", "берёзы", "берёзе", "берёзу", "берёзой", "берёзою",
                                      "берёз", "берёзам", "берёзами", "берёзах"}));
    EXPECT_EQ(First("тётя"), CpSet({"тётя", "тёти", "тёте", "тётю", "тётей", "тётею", "тёть",
                                    "тётям", "тётями", "тётях"}));
    EXPECT_EQ(First("нерешённость"),
              CpSet({"нерешённость", "нерешённости", "нерешённостью", "нерешённостей",
                     "нерешённостям", "нерешённостями", "нерешённостях"}));
    EXPECT_EQ(First("котёнок"), CpSet({"котёнок", "котёнка", "котёнку", "котёнком", "котёнке",
                                       "котята", "котят", "котятам", "котятами", "котятах"}));
    EXPECT_EQ(First("огонёк"), CpSet({"огонёк", "огонька", "огоньку", "огоньком", "огоньке",
                                      "огоньки", "огоньков", "огонькам", "огоньками", "огоньках"}));
    const auto gun = First("ружьё");
    EXPECT_TRUE(gun.count(Cp("ружьём")) && gun.count(Cp("ружья")) && gun.count(Cp("ружью")));
    const auto plunder = First("грабёж");
    EXPECT_TRUE(plunder.count(Cp("грабежа")) && plunder.count(Cp("грабежом")));
    EXPECT_FALSE(plunder.count(Cp("грабёжа")));
}

TEST_F(BundledMorphs, Adjectives) {
    EXPECT_EQ(
        First("четырёхтомный"),
        CpSet({"четырёхтомный", "четырёхтомного", "четырёхтомному", "четырёхтомным",
               "четырёхтомном", "четырёхтомная", "четырёхтомной", "четырёхтомною", "четырёхтомную",
               "четырёхтомное", "четырёхтомные", "четырёхтомных", "четырёхтомными"}));
    // Short forms with the inserted е are offered next.
    const auto serious = Offered("серьёзный", 1);
    for (const char* form : {"серьёзен", "серьёзна", "серьёзно", "серьёзны", "серьёзного"}) {
        EXPECT_TRUE(serious.count(Cp(form))) << form;
    }
    const auto solved = First("решённый");
    for (const char* form : {"решённого", "решёнными", "решён", "решена", "решено", "решены"}) {
        EXPECT_TRUE(solved.count(Cp(form))) << form;
    }
    // The short forms of participles take the stress off the ё.
    for (const char* wrong : {"решёна", "решёно", "решёны"}) {
        EXPECT_FALSE(solved.count(Cp(wrong))) << wrong;
    }
    const auto curled = First("свёрнутый");
    EXPECT_TRUE(curled.count(Cp("свёрнут")) && curled.count(Cp("свёрнутая")));
    const auto crossing = First("перечёркивающий");
    EXPECT_TRUE(crossing.count(Cp("перечёркивающего")) && crossing.count(Cp("перечёркивающее")));
    EXPECT_FALSE(crossing.count(Cp("перечёркивающого")));
    const auto clean = First("чистёхонький");
    EXPECT_TRUE(clean.count(Cp("чистёхонек")) && clean.count(Cp("чистёхонькая")));
    const auto rolling = First("свёртывающийся");
    EXPECT_TRUE(rolling.count(Cp("свёртывающегося")) && rolling.count(Cp("свёртывающимися")));
}

TEST_F(BundledMorphs, Verbs) {
    const auto crossOut = First("зачёркивать");
    for (const char* form : {"зачёркиваю", "зачёркиваешь", "зачёркивают", "зачёркивал",
                             "зачёркивала", "зачёркивай", "зачёркивая"}) {
        EXPECT_TRUE(crossOut.count(Cp(form))) << form;
    }
    const auto jerk = First("дёрнуть");
    for (const char* form :
         {"дёрну", "дёрнешь", "дёрнут", "дёрнул", "дёрнула", "дёрни", "дёрнув"}) {
        EXPECT_TRUE(jerk.count(Cp(form))) << form;
    }
    const auto freeze = First("замёрзнуть");
    EXPECT_TRUE(freeze.count(Cp("замёрз")) && freeze.count(Cp("замёрзла")));
    EXPECT_FALSE(freeze.count(Cp("замёрзнул")));
    const auto shrug = First("ёжиться");
    EXPECT_TRUE(shrug.count(Cp("ёжусь")) && shrug.count(Cp("ёжатся")) && shrug.count(Cp("ёжился")));
    EXPECT_FALSE(shrug.count(Cp("ёжюсь")));
    const auto paint = First("резонёрствовать");
    EXPECT_TRUE(paint.count(Cp("резонёрствую")) && paint.count(Cp("резонёрствовал")));
    const auto tangle = First("перепутаться");
    EXPECT_TRUE(tangle.count(Cp("перепутаюсь")) && tangle.count(Cp("перепутался")));
}
