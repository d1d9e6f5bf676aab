// How umlo-cli answers a question of the pass without a person at the panel.
#pragma once

#include <optional>
#include <string_view>

namespace umlo::cli {

enum class AnswerPolicy {
    Keep,      // the word stays as written: no ё the author wrote is lost
    Proposal,  // what Enter on the panel takes
    Plain,     // always the е-form
    Diaeresis, // always the ё-form
};

std::optional<AnswerPolicy> ParseAnswerPolicy(std::string_view name);

// Which button a policy presses, given the forms of the question.
enum class Choice { Plain, Diaeresis };

struct QuestionForms {
    std::string_view written;       // the word as it stands in the text (cp1251)
    std::string_view plainForm;     // the first button's form
    std::string_view diaeresisForm; // the second button's form
    bool proposalIsPlain = true;
};

Choice PolicyChoice(AnswerPolicy policy, const QuestionForms& question);

} // namespace umlo::cli
