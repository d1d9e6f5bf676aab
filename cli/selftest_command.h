// "umlo-cli selftest": the built-in test without a window.
#pragma once

#include <string>

#include "cli/restore_command.h"
#include "core/self_test_data.h"

namespace umlo::cli {

// Prints every failure, then "N passed, N failed" alone on a line; 0 when the
// test passed. Checks are the lines compared and the questions expected.
int RunSelfTestCommand(const std::string& programFolder, Console& console,
                       TestText text = BuiltInTestText());

} // namespace umlo::cli
