#include "cli/answer_policy.h"

#include <gtest/gtest.h>

#include "core/codepage.h"

namespace umlo::cli {
namespace {

TEST(AnswerPolicy, NamesOfTheCommandLine) {
    EXPECT_EQ(ParseAnswerPolicy("keep"), AnswerPolicy::Keep);
    EXPECT_EQ(ParseAnswerPolicy("proposal"), AnswerPolicy::Proposal);
    EXPECT_EQ(ParseAnswerPolicy("plain"), AnswerPolicy::Plain);
    EXPECT_EQ(ParseAnswerPolicy("diaeresis"), AnswerPolicy::Diaeresis);
    EXPECT_FALSE(ParseAnswerPolicy("Keep"));
    EXPECT_FALSE(ParseAnswerPolicy(""));
}

TEST(AnswerPolicy, KeepPressesTheButtonOfTheWordAsWritten) {
    const std::string vse = Cp("все"), vsyo = Cp("всё");
    // A doubtful word without ё stays without it.
    EXPECT_EQ(PolicyChoice(AnswerPolicy::Keep, {vse, vse, vsyo, false}), Choice::Plain);
    // A ё the author wrote is kept, even against the proposal.
    EXPECT_EQ(PolicyChoice(AnswerPolicy::Keep, {vsyo, vse, vsyo, true}), Choice::Diaeresis);
    // A strange ё: the first button holds the dictionary's form, the second the word.
    const std::string written = Cp("Трехвёдёрный"), dic = Cp("Трёхведёрный");
    EXPECT_EQ(PolicyChoice(AnswerPolicy::Keep, {written, dic, written, true}), Choice::Diaeresis);
}

TEST(AnswerPolicy, OtherPoliciesIgnoreTheWrittenWord) {
    const std::string vse = Cp("все"), vsyo = Cp("всё");
    for (const bool proposalIsPlain : {true, false}) {
        const QuestionForms q{vsyo, vse, vsyo, proposalIsPlain};
        EXPECT_EQ(PolicyChoice(AnswerPolicy::Plain, q), Choice::Plain);
        EXPECT_EQ(PolicyChoice(AnswerPolicy::Diaeresis, q), Choice::Diaeresis);
        EXPECT_EQ(PolicyChoice(AnswerPolicy::Proposal, q),
                  proposalIsPlain ? Choice::Plain : Choice::Diaeresis);
    }
}

} // namespace
} // namespace umlo::cli
