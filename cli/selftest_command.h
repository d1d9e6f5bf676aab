// "umlo-cli selftest": the built-in test without a window.
#pragma once

#include <string>

#include "cli/restore_command.h"

namespace umlo::cli {

// Prints every failure, then "N passed, N failed" alone on a line; 0 when the
// test passed.
int RunSelfTestCommand(const std::string& programFolder, Console& console);

} // namespace umlo::cli
