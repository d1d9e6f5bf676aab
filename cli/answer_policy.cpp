#include "cli/answer_policy.h"

#include "core/words.h"

namespace umlo::cli {

std::optional<AnswerPolicy> ParseAnswerPolicy(std::string_view name) {
    if (name == "keep") {
        return AnswerPolicy::Keep;
    }
    if (name == "proposal") {
        return AnswerPolicy::Proposal;
    }
    if (name == "plain") {
        return AnswerPolicy::Plain;
    }
    if (name == "diaeresis") {
        return AnswerPolicy::Diaeresis;
    }
    return std::nullopt;
}

Choice PolicyChoice(AnswerPolicy policy, const QuestionForms& question) {
    switch (policy) {
    case AnswerPolicy::Plain:
        return Choice::Plain;
    case AnswerPolicy::Diaeresis:
        return Choice::Diaeresis;
    case AnswerPolicy::Proposal:
        return question.proposalIsPlain ? Choice::Plain : Choice::Diaeresis;
    case AnswerPolicy::Keep:
        break;
    }
    // The button whose form is the word as written leaves the text untouched.
    if (question.written == question.plainForm) {
        return Choice::Plain;
    }
    if (question.written == question.diaeresisForm) {
        return Choice::Diaeresis;
    }
    return HasDiaeresisE(question.written) ? Choice::Diaeresis : Choice::Plain;
}

} // namespace umlo::cli
