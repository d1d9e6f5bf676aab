// Testing mode: the built-in test dictionary, expressions and text, the eleven
// runs of the pass over it with their options, the automatic answers, the stop
// after each section and the comparison with the expected text.
//
// The window adds what only it can do: the caption "[Testing mode]", the item
// "Тестирование" (Testing1, F11), a width of 700 pixels and the answer keys
// "1234" and the text marked as not modified when the test text is built, and
// the caption "[Free testing mode]" when RunSelfTest reports a reset.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/main_dictionary.h"
#include "core/pass.h"
#include "core/regexpr_dictionary.h"
#include "core/self_test_data.h"
#include "documents/text_buffer.h"

namespace umlo {

// The caption of Testing1 once the test has run.
inline constexpr std::string_view kResetTestCaption = "Сброс теста";
inline constexpr std::string_view kTestFailedMessage = "Тест не прошёл !";

// Empties the dictionary, names it "***" and adds the test entries; an entry out
// of dictionary order is reported and added all the same.
void LoadTestDictionary(TDic& dic, Host& host);
// Empties the expressions, names them "***" and adds the four test lines.
void LoadTestRegExprDictionary(TRegExprDic& dic, std::string& pathInForce);

struct SelfTestOutcome {
    enum class Kind {
        Reset,     // the test had run: the text was rebuilt for free testing
        Cancelled, // a shown question was cancelled: nothing was compared
        Compared,
    };
    Kind kind = Kind::Compared;
    int linesCompared = 0;
    std::vector<int> failedLines; // every line that differs; the first is selected
    int answersExpected = 0;
    int answersGiven = 0;   // expected questions that came and were answered
    int questionsShown = 0; // questions the test did not expect
    bool Passed() const {
        return kind == Kind::Compared && failedLines.empty() && questionsShown == 0 &&
               answersGiven == answersExpected;
    }
};

class SelfTest : public TestingHooks {
public:
    bool TestingMode() const { return testingMode_; }
    void SetTestingMode(bool on) { testingMode_ = on; }

    // Appends the input of one notation line (cp1251) as the editor's new last
    // line and records what is expected of it.
    void AddTestLine(std::string_view notation, TextBuffer& buffer);
    // Ends a section at the editor's last line; false (nothing recorded) when
    // that line's index does not fit the list's signed 8-bit entries.
    bool EndTestSection(const TextBuffer& buffer);

    // The text BuildTestText writes; the built-in one unless replaced.
    void SetTestText(TestText text) { text_ = std::move(text); }

    // Sets the test options, empties the editor and the lists, writes the test
    // text, formats the word on line 15 and makes the editor read-only.
    void BuildTestText(PassEngine& engine);

    // The item Testing1: the eleven runs and the comparison, or, once the test
    // has run, the reset to free testing. Reports through engine.Window().
    SelfTestOutcome RunSelfTest(PassEngine& engine);

    // TestingHooks.
    int AutoAnswer(std::string_view plainForm, std::string_view diaeresisForm,
                   bool misplaced) override;
    void AnswerShown(int answer) override;
    int SectionStop() const override;

    const std::vector<std::string>& ExpectedLines() const { return expectedLines_; }
    const std::vector<std::int8_t>& ExpectedAnswers() const { return expectedAnswers_; }
    const std::vector<std::string>& ExpectedAskedWords() const { return expectedAskedWords_; }
    const std::vector<std::int8_t>& SectionEnds() const { return sectionEnds_; }
    int AnswerIndex() const { return answerIndex_; }
    int LastShownAnswer() const { return lastShownAnswer_; }
    int MainSectionLines() const { return mainSectionLines_; }

private:
    SelfTestOutcome Compare(TextBuffer& buffer, Host& host) const;

    TestText text_ = BuiltInTestText();
    bool testingMode_ = false;
    std::vector<std::string> expectedLines_;
    std::vector<std::int8_t> expectedAnswers_;
    std::vector<std::string> expectedAskedWords_;
    std::vector<std::int8_t> sectionEnds_;
    std::int32_t answerIndex_ = 0;
    std::int32_t lastShownAnswer_ = 0;
    int mainSectionLines_ = 0;
    int questionsShown_ = 0;
};

} // namespace umlo
