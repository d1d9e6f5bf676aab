// Where the settings file and the user-facing logs (regexpr.log, insert.log,
// umlo_stat.log) live: the program's own folder, or, for an installed program
// or a folder that is not writable, the user's configuration folder.
#pragma once

#include <string>

namespace umlo {

inline constexpr const char* kSettingsFileName = "umlo.ini";
inline constexpr const char* kMainDictionaryFileName = "umlox.dat";
// The user-facing logs, kept in the same folder as the settings.
inline constexpr const char* kRegExprLogFileName = "regexpr.log";
inline constexpr const char* kInsertLogFileName = "insert.log";
inline constexpr const char* kStatisticsFileName = "umlo_stat.log";

// The folder for the settings file and the logs, given the program folder.
// On Linux an installed program (IsInstalledProgram) or a non-writable
// program folder gives $XDG_CONFIG_HOME/umlo, or ~/.config/umlo when that
// variable is unset, empty or not absolute; the folder is created when it is missing. Without a
// home folder either, the program folder is kept (the save then reports why it cannot write). A
// settings file kept elsewhere is first read from the program folder's own file until it has been
// saved (SettingsFile's fallback path).
// A reader that must not write anything (umlo-cli) passes create = false.
std::string SettingsFolder(const std::string& programFolder, bool create = true);

// The same choice with the environment given, for the tests.
std::string SettingsFolderFor(const std::string& programFolder, const char* xdgConfigHome,
                              const char* home, bool create = true);

// A file in a folder, joined with the platform's separator.
std::string FileInFolder(const std::string& folder, const std::string& name);

// A bundled data file (umlox.dat, umlo_regexpr.dat, morphs.dat): the one next
// to the program, or, for an installed program (bin/), the one in
// ../share/umlo; when neither exists, the path next to the program, so that
// the message names the usual place.
std::string BundledDataFile(const std::string& programFolder, const std::string& name);

// True when the program's main dictionary is the installed one in
// ../share/umlo rather than one beside the program.
bool IsInstalledProgram(const std::string& programFolder);

// The folder of the bundled dictionaries, where the dictionary dialogs start:
// the program folder, or ../share/umlo of an installed program.
std::string DataFolder(const std::string& programFolder);

} // namespace umlo
