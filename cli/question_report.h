// The --report file: one tab-separated line per question of the pass.
#pragma once

#include <string>
#include <string_view>

#include "core/pass_host.h"
#include "documents/text_buffer.h"

namespace umlo::cli {

// The caption of the button an answer code stands for.
std::string_view AnswerName(int answer);

class QuestionReport {
public:
    // Starts the block of one input file; with several files a line "# path"
    // heads each block.
    void BeginFile(std::string_view path, bool severalFiles);
    // line (1-based), column (1-based), the word as written, the е-form, the
    // ё-form, the prompt and the answer, all UTF-8.
    void Add(const TextBuffer& buffer, const AskQuestion& question, int answer);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

} // namespace umlo::cli
