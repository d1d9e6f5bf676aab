#include "core/self_test.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/self_test_data.h"
#include "core/self_test_notation.h"
#include "core/words.h"

namespace umlo {
namespace {

constexpr Color kTestWordColor = 32768; // green
constexpr int kTestWordSize = 30;       // points
// The word «Еще» on line 15 stands after "Проверка RTF: ".
constexpr int kTestWordColumn = 14;
constexpr int kTestWordLength = 3;

} // namespace

void LoadTestDictionary(TDic& dic, Host& host) {
    dic.Clear();
    dic.SetPath("***");
    std::string previousKey;
    bool first = true;
    for (const TestEntry& entry : TestDictionaryEntries()) {
        const std::string word = Cp(entry.word);
        std::string key = EKey(word);
        if (!first && DicCompare(key, previousKey) < 0) {
            host.ShowError("Порядок слов в словаре нарушен словом \"" + std::string(entry.word) +
                           "\"");
        }
        dic.AddEntry(word, entry.doubtful);
        previousKey = std::move(key);
        first = false;
    }
    host.EnableCommand("Umlobegin1", true);
    host.EnableCommand("Umlopos1", true);
    host.EnableCommand("Clearusersel1", false);
}

void LoadTestRegExprDictionary(TRegExprDic& dic, std::string& pathInForce) {
    pathInForce = "***";
    dic.Clear();
    for (const std::string_view line : TestRegExprLines()) {
        dic.AddLine(Cp(line));
    }
}

void SelfTest::AddTestLine(std::string_view notation, TextBuffer& buffer) {
    TestLine line = ParseTestLine(notation);
    buffer.AppendLine(Cp1251ToUtf16(line.input));
    expectedLines_.push_back(std::move(line.expected));
    expectedAnswers_.insert(expectedAnswers_.end(), line.answers.begin(), line.answers.end());
    for (auto& word : line.askedWords) {
        expectedAskedWords_.push_back(std::move(word));
    }
}

bool SelfTest::EndTestSection(const TextBuffer& buffer) {
    const int last = buffer.LineCount() - 1;
    if (last < 0 || last > 127) {
        return false;
    }
    sectionEnds_.push_back(static_cast<std::int8_t>(last));
    return true;
}

void SelfTest::BuildTestText(PassEngine& engine) {
    TOptions& o = engine.Options();
    o.AlwaysAsk = false;
    o.CheckUmlo = true;
    o.NoVarOnly = false;
    o.VarOnly = false;
    o.FBFormat = false;
    o.RegExprs = true;
    o.ToConfirmAbbr = true;
    o.ToConfirmEllipsis = true;
    o.ToConfirmCap = false;
    engine.RegExprConfig().log = true;
    engine.SetTestingHooks(this);

    TextBuffer& buffer = engine.Buffer();
    buffer.SetReadOnly(false);
    buffer.ClearText();
    expectedLines_.clear();
    expectedAnswers_.clear();
    expectedAskedWords_.clear();
    sectionEnds_.clear();

    for (const std::string& line : text_.mainSection) {
        AddTestLine(Cp(line), buffer);
    }
    mainSectionLines_ = buffer.LineCount();
    const auto& sections = text_.oneLineSections;
    for (size_t i = 0; i < sections.size(); ++i) {
        AddTestLine(Cp(sections[i]), buffer);
        if (i + 1 < sections.size()) {
            EndTestSection(buffer);
        }
    }

    // A replacement inside formatted text must keep the letter's format.
    if (buffer.LineCount() > mainSectionLines_) {
        buffer.SetCaret(buffer.LineStart(mainSectionLines_) + kTestWordColumn);
        buffer.SetSelLength(kTestWordLength);
        buffer.SetSelectionTextColor(kTestWordColor);
        buffer.SetSelectionFontSize(kTestWordSize);
        buffer.SetSelectionBold(true);
    }

    buffer.SetCaret(0);
    buffer.SetReadOnly(true);
}

SelfTestOutcome SelfTest::RunSelfTest(PassEngine& engine) {
    TextBuffer& buffer = engine.Buffer();
    PassHost& host = engine.Window();
    if (expectedLines_.empty()) {
        BuildTestText(engine);
        host.EnableCommand("Testing1", false);
        buffer.SetReadOnly(false);
        host.SetStatusText(1, "");
        testingMode_ = false;
        buffer.SetCaret(0);
        SelfTestOutcome reset;
        reset.kind = SelfTestOutcome::Kind::Reset;
        return reset;
    }

    engine.SetTestingHooks(this);
    answerIndex_ = 0;
    lastShownAnswer_ = 0;
    questionsShown_ = 0;
    buffer.SetReadOnly(false);
    buffer.SetCaret(0);

    bool cancelled = false;
    for (int run = 0; run < kTestRunCount && !cancelled; ++run) {
        if (run >= 1) {
            const size_t end = static_cast<size_t>(run - 1);
            if (end >= sectionEnds_.size()) {
                break;
            }
            buffer.SetCaret(buffer.LineStart(sectionEnds_[end] + 1));
            ChangeOptionsForRun(run, engine.Options());
        }
        const LineColumn at = engine.CaretLineColumn();
        engine.DoUmloficate(at.line, at.column);
        cancelled = run < kTestRunCount - 1 && lastShownAnswer_ == AnswerCancel;
    }

    SelfTestOutcome outcome;
    if (cancelled) {
        outcome.kind = SelfTestOutcome::Kind::Cancelled;
    } else {
        outcome = Compare(buffer, host);
    }
    outcome.answersExpected =
        static_cast<int>(std::min(expectedAnswers_.size(), expectedAskedWords_.size()));
    outcome.answersGiven = answerIndex_;
    outcome.questionsShown = questionsShown_;

    // A second run over the text the first one changed would prove nothing:
    // the next Testing1 rebuilds it instead.
    expectedLines_.clear();
    host.SetCommandCaption("Testing1", kResetTestCaption);
    buffer.SetReadOnly(true);
    return outcome;
}

SelfTestOutcome SelfTest::Compare(TextBuffer& buffer, Host& host) const {
    SelfTestOutcome outcome;
    const int lines = std::max(buffer.LineCount(), static_cast<int>(expectedLines_.size()));
    for (int i = 0; i < lines; ++i) {
        const bool inText = i < buffer.LineCount();
        const bool inExpected = static_cast<size_t>(i) < expectedLines_.size();
        if (inText && inExpected &&
            buffer.LineText(i) == Cp1251ToUtf16(expectedLines_[static_cast<size_t>(i)])) {
            continue;
        }
        outcome.failedLines.push_back(i);
    }
    outcome.linesCompared = lines;
    if (!outcome.failedLines.empty()) {
        const int first = outcome.failedLines.front();
        if (first < buffer.LineCount()) {
            buffer.SetCaret(buffer.LineStart(first));
            buffer.SetSelLength(static_cast<int>(buffer.LineText(first).size()));
        } else {
            buffer.SetCaret(buffer.TextLength());
        }
        host.ShowMessage(MessageKind::Plain, kTestFailedMessage, MessageButtons::Ok,
                         MessageResult::Ok);
    }
    return outcome;
}

int SelfTest::AutoAnswer(std::string_view plainForm, std::string_view diaeresisForm,
                         bool misplaced) {
    if (!testingMode_) {
        return 0;
    }
    const size_t index = static_cast<size_t>(answerIndex_);
    if (index >= expectedAnswers_.size() || index >= expectedAskedWords_.size()) {
        return 0;
    }
    const std::string_view asked = misplaced ? diaeresisForm : plainForm;
    if (expectedAskedWords_[index] != asked) {
        return 0;
    }
    ++answerIndex_;
    return expectedAnswers_[index] == 1 ? AnswerDiaeresis : AnswerPlain;
}

void SelfTest::AnswerShown(int answer) {
    if (testingMode_) {
        lastShownAnswer_ = answer;
        ++questionsShown_;
    }
}

int SelfTest::SectionStop() const {
    return testingMode_ && !sectionEnds_.empty() ? sectionEnds_.front() : -1;
}

} // namespace umlo
