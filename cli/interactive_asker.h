// The confirmation panel on a terminal: the word in its context, the prompt and
// both forms, answered with the panel's keys.
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass_host.h"
#include "documents/text_buffer.h"

namespace umlo::cli {

// The panel's accelerators: Е, Ё, Всегда Е, Всегда Ё.
inline constexpr std::string_view kAnswerKeys = "1234";

// About half of width characters of text on each side of the word, line
// breaks shown as spaces; the word is marked (in red and bold with color).
std::string ContextExcerpt(const TextBuffer& buffer, int wordStart, int wordLength, int width,
                           bool color);

// One typed line: "1".."4", "5" or "u" for "Откат", Esc or "q" to stop, an empty
// line for the proposal. A key the question does not offer gives nullopt and
// the reason in complaint (UTF-8).
std::optional<int> ParseTerminalAnswer(std::string_view input, const AskQuestion& question,
                                       std::string& complaint);

// Shows the question on out and reads lines from in until one answers it; the
// end of the input stops the pass.
int AskOnTerminal(const AskQuestion& question, const TextBuffer& buffer, std::istream& in,
                  std::ostream& out, bool color, int width);

} // namespace umlo::cli
