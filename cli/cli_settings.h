// What umlo-cli takes from the window's settings file: the options of a pass,
// the dictionaries, the context length and log of the regular expressions and
// the answer keys. The file is only read, never written.
#pragma once

#include <cstdint>
#include <string>

#include "cli/interactive_asker.h"
#include "cli/options_parser.h"
#include "core/options.h"

namespace umlo::cli {

struct CliSettings {
    std::string path; // the settings file: --settings, or the window's own
    TOptions options; // the file's, with the command line's flags over them
    std::string mainDictionary;
    std::string regExprDictionary;
    std::int32_t wordsBufferLength = 5;
    bool regExprLog = false;
    std::string regExprLogPath;
    AnswerKeys answerKeys;
};

// Reads the settings for args. False, with a message naming the file (UTF-8),
// when --settings names a file that cannot be read; the window's own file may
// be missing (defaults), and when it cannot be read, warning says why and the
// defaults are used.
bool ReadCliSettings(const CliArguments& args, const std::string& programFolder,
                     CliSettings& settings, std::string& error, std::string& warning);

} // namespace umlo::cli
