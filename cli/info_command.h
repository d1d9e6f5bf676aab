// "umlo-cli info": the rows of "Свойства файла" for each file, one
// "caption<TAB>value" line per row.
#pragma once

#include "cli/options_parser.h"
#include "cli/restore_command.h"

namespace umlo::cli {

int RunInfo(const CliArguments& args, Console& console);

} // namespace umlo::cli
