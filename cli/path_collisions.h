// Before umlo-cli writes anything: no output may be an input (other than the
// text itself with --in-place) or another output, or one would destroy the
// other (a shell's "*.txt" after --stats makes the first text the statistics
// file).
#pragma once

#include <string>
#include <vector>

#include "cli/options_parser.h"

namespace umlo::cli {

// Empty when the paths are apart; otherwise the message (UTF-8) naming both.
// logs are further files the run appends to (regexpr.log); settings is the
// settings file it reads.
std::string FindPathCollision(const CliArguments& args, const std::vector<std::string>& logs = {},
                              const std::string& settings = {});

// --report and --stats replace an existing regular file only when it is
// empty or a report or statistics file already: a text named there (the
// shell's "--stats *.txt") is never replaced by one. Empty, or the message.
std::string FindForeignReportTarget(const CliArguments& args);

} // namespace umlo::cli
