// The word-form dialog without its window: the rules offered for a base form,
// the forms of the one chosen, and the forms that go back into the word
// window. Every text is cp1251.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morpho_gen.h"

namespace umlo {

// The candidates of one base form, rebuilt each time the dialog is shown.
class MorphChoice {
public:
    MorphChoice() = default;
    MorphChoice(const MorphoGen& rules, std::string_view word);

    const std::string& Word() const { return word_; }
    int Count() const { return static_cast<int>(candidates_.size()); }
    // The labels in candidate order; the first is selected when shown.
    std::vector<std::string> Labels() const;
    // The forms of candidate `index`; none when no candidate has that index.
    std::vector<std::string> Forms(int index) const;

private:
    std::string word_;
    std::vector<MorphCandidate> candidates_;
};

// The word window's caret line as a base form: a trailing "?" taken off and
// remembered. An empty line offers nothing.
std::optional<BaseForm> BaseFormOfLine(std::string_view line);

// The form list's text as lines. Empty lines hold no form and are left out,
// so a line break after the last form adds nothing.
std::vector<std::string> FormLines(std::string_view text);

} // namespace umlo
