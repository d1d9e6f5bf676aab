// umlo-cli: ё-restoration of text files, their properties and the built-in self-test.
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/info_command.h"
#include "cli/options_parser.h"
#include "cli/restore_command.h"
#include "cli/selftest_command.h"
#include "cli/terminal_host.h"
#include "documents/program_folder.h"
#include "documents/version_text.h"

namespace {

int TerminalWidth() {
    winsize ws{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 20) {
        return ws.ws_col - 4;
    }
    return 76;
}

} // namespace

int main(int argc, char** argv) {
    using namespace umlo::cli;
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = ParseCommandLine(args);
    if (!parsed.ok) {
        std::cerr << "umlo-cli: " << parsed.error << "\n";
        return kExitUsage;
    }
    Console console{std::cin, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, TerminalWidth()};
    const std::string folder = umlo::ProgramFolder(argc > 0 ? argv[0] : nullptr);
    switch (parsed.args.command) {
    case Command::Help:
        std::cout << UsageText();
        return kExitOk;
    case Command::Version:
        std::cout << umlo::VersionText("umlo-cli", folder);
        return kExitOk;
    case Command::Info:
        return RunInfo(parsed.args, console);
    case Command::SelfTest:
        return RunSelfTestCommand(folder, console);
    case Command::Restore:
        CatchInterrupt();
        return RunRestore(parsed.args, folder, console);
    }
    return kExitUsage;
}
