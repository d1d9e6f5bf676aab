// The main window's decisions that need no window: the command line and the
// enabled state of the commands after every change of text, selection or data.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace umlo {

struct CommandLine {
    bool testingMode = false;
    std::string textPath; // empty: no text named
};

// Only the first argument counts: "/t" exactly is testing mode, anything else
// non-empty names the text to open, made full against startFolder, the
// folder the program was started in.
CommandLine ParseCommandLine(std::string_view firstArgument, const std::string& startFolder);

// What the refresh rules look at.
struct CommandInputs {
    bool text = false;          // the editor holds text
    bool selection = false;     // the selection is not empty
    bool dictionary = false;    // the main dictionary holds a word
    bool currentPath = false;   // the current text has a path
    bool editorEnabled = false; // Editor / Enabled
    bool recentFiles = false;   // the recent list is not empty
    bool replacements = false;  // ReplacementPositions is not empty
    bool decided = false;       // Decided of RunCounters is above 0
};

// Every command the refresh sets, with its new state, in a fixed order.
std::vector<std::pair<std::string_view, bool>> RefreshedCommandStates(const CommandInputs& in);

} // namespace umlo
