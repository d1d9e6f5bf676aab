// What "--version" prints for umlo and umlo-cli: the program's version and
// the versions of the bundled dictionaries it uses.
#pragma once

#include <optional>
#include <string>

namespace umlo {

// The version a dictionary file carries, read the way the loaders read it:
// the first comment line with "Версия:". Empty when the file has none;
// nullopt when it cannot be read.
std::optional<std::string> DictionaryFileVersion(const std::string& path);

// Lines in UTF-8, each ending with a line feed: "<program> <version>", then
// the main dictionary and the dictionary of regular expressions as found
// from programFolder (next to the program or in ../share/umlo), each with
// its path and version.
std::string VersionText(const std::string& programName, const std::string& programFolder);

} // namespace umlo
