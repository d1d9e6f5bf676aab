// The command line of umlo-cli: the command, its files, the dictionaries, the
// options of the "Ёфикация" page and how questions are answered.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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
    TOptions options;              // the defaults of a missing settings file, with the flags
    // The option flags as given, in order: they win over the settings file.
    std::vector<std::pair<bool TOptions::*, bool>> switches;
    std::optional<std::int32_t> linesBelow;
    std::string settingsPath; // --settings; empty: the window's own settings file
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

// The settings file's options with the flags of the command line put over them.
TOptions OptionsWithFlags(TOptions fromSettings, const CliArguments& args);

// The text of --help, UTF-8.
std::string UsageText();

} // namespace umlo::cli
