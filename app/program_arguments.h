// What the first argument of umlo asks for before any window is made: the
// usage, the versions, or the window itself (with a text or "/t").
#pragma once

#include <string>
#include <string_view>

namespace umlo {

enum class ProgramRequest { Window, Help, Version };

// "--help" and "-h" ask for the usage, "--version" and "-V" for the versions;
// anything else, "/t" included, is for the window. A text whose name starts
// like that is opened as "./--help".
ProgramRequest RequestOf(std::string_view firstArgument);

// The text of "umlo --help", UTF-8.
std::string WindowUsageText();

} // namespace umlo
