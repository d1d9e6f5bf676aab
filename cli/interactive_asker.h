// The confirmation panel on a terminal: the word in its context, the prompt and
// both forms, answered with the panel's keys.
#pragma once

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass_host.h"
#include "documents/text_buffer.h"

namespace umlo::cli {

// The panel's accelerators: Е, Ё, Всегда Е, Всегда Ё, one character each (UTF-8).
struct AnswerKeys {
    std::array<std::string, 4> keys{"1", "2", "3", "4"};
};
// The keys of the settings' ButtonHotKeys (UTF-8); a missing one keeps its digit.
AnswerKeys AnswerKeysFrom(std::string_view hotKeys);

// About half of width characters of text on each side of the word, line
// breaks shown as spaces; the word is marked (in red and bold with color).
std::string ContextExcerpt(const TextBuffer& buffer, int wordStart, int wordLength, int width,
                           bool color);

// One typed line: one of the answer keys, "5" or "u" for "Откат", Esc or "q" to
// stop, an empty line for the proposal. A key the question does not offer gives
// nullopt and the reason in complaint (UTF-8).
std::optional<int> ParseTerminalAnswer(std::string_view input, const AskQuestion& question,
                                       std::string& complaint, const AnswerKeys& keys = {});

// Shows the question on out and reads lines from in until one answers it; the
// end of the input stops the pass.
int AskOnTerminal(const AskQuestion& question, const TextBuffer& buffer, std::istream& in,
                  std::ostream& out, bool color, int width, const AnswerKeys& keys = {});

} // namespace umlo::cli
