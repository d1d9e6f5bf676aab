// Runs one umlo-cli command as the program's main does, for the tests: the
// words after the program name, input on standard input, and the two output
// streams caught.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/info_command.h"
#include "cli/options_parser.h"
#include "cli/restore_command.h"

namespace umlo::cli::testing {

// programFolder holds the bundled dictionaries (and the settings) of restore.
inline int RunCommand(const std::vector<std::string>& words, const std::string& programFolder,
                      std::ostringstream& out, std::ostringstream& err,
                      const std::string& input = "") {
    const ParseResult parsed = ParseCommandLine(words);
    EXPECT_TRUE(parsed.ok) << parsed.error;
    std::istringstream in(input);
    out.str("");
    err.str("");
    Console console{in, out, err, false, 80};
    return parsed.args.command == Command::Info ? RunInfo(parsed.args, console)
                                                : RunRestore(parsed.args, programFolder, console);
}

} // namespace umlo::cli::testing
