// "umlo-cli restore": a pass over each file, the results written back safely.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "cli/options_parser.h"

namespace umlo::cli {

// Exit codes of the program.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // bad input, a file or dictionary that cannot be used
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

struct Console {
    std::istream& in;
    std::ostream& out; // the summary lines
    std::ostream& err; // messages, progress, and the questions of --interactive
    bool errIsTerminal = false;
    int width = 80;
};

// programFolder holds the bundled dictionaries.
int RunRestore(const CliArguments& args, const std::string& programFolder, Console& console);

} // namespace umlo::cli
