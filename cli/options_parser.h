// The command line of umlo-cli: the command, its files, the dictionaries, the
// options of the "Ёфикация" page and how questions are answered.
#pragma once

#include <string>
#include <vector>

#include "cli/answer_policy.h"
#include "cli/text_document.h"
#include "core/options.h"

namespace umlo::cli {

enum class Command { Restore, Info, SelfTest, Help, Version };

struct CliArguments {
    Command command = Command::Help;
    std::vector<std::string> files;
    std::string output; // -o: the result of the one input file
    bool inPlace = false;
    std::string mainDictionary;    // -d; empty: the bundled umlox.dat
    std::string regExprDictionary; // -r; empty: the bundled umlo_regexpr.dat
    TOptions options;              // the defaults of a missing settings file
    AnswerPolicy policy = AnswerPolicy::Keep;
    bool interactive = false;
    std::string reportPath;
    std::string statsPath;
    EncodingChoice encoding = EncodingChoice::Auto; // --encoding
};

struct ParseResult {
    bool ok = false;
    std::string error; // UTF-8, for stderr
    CliArguments args;
};

// args are the words after the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& args);

// The text of --help, UTF-8.
std::string UsageText();

} // namespace umlo::cli
