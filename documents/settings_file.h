// The settings file "umlo.ini": read once at start into the three copies of
// TOptions, the single values beside them and the recent-files list; written
// once at exit. Keys the program reads but never writes keep what the user put
// there, and so does every line the program does not know.
//
// Paths (dictionaries, TextDirectory, recent files) are UTF-8 in memory and
// cp1251 in the file; the other strings are cp1251 throughout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/options.h"
#include "documents/profile_file.h"
#include "documents/recent_files.h"
#include "documents/text_format.h"

namespace umlo {

struct ScreenSize {
    int Width = 0;
    int Height = 0;
};

struct WindowPlace {
    std::int32_t Height = 0;
    std::int32_t Width = 0;
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// Three quarters of the screen, one eighth from the left and top edges.
WindowPlace DefaultWindowPlace(ScreenSize screen);

// The values held outside TOptions, one each for the whole run.
struct SettingsValues {
    WindowPlace Window;
    std::string DictionaryPath;        // in force; empty when there is none
    std::string RegExprDictionaryPath; // in force; empty when there is none
    std::string TextDirectory;
    std::string ButtonHotKeys = "1234"; // at most four characters
    bool EditorEnabled = false;         // Editor / Enabled, written back as read
    bool InsertLog = false;             // written, never read
    std::int32_t SplitSize = 90;        // the dictionary editor's word window
    bool UTF8Warning = true;
    std::int32_t UTFLength = 512;
    std::int32_t WordsBufferLength = 5;
    std::int32_t WordsBufferHalf = 2; // WordsBufferLength div 2
    bool RegExprLog = false;
    // The names saved in ToolButton1 … ToolButton50, in key order, empty values
    // left out. At save: the buttons on the toolbar in order, "" or "-" for a separator.
    std::vector<std::string> ToolButtons;
    // With RecallLastFile and no text on the command line: the recent entry
    // LastFileN, the text to open at start and its format; empty otherwise.
    std::string StartPath;
    TextFormat StartFormat = 0;
};

struct SettingsContext {
    std::string ProgramFolder; // bare dictionary file names are taken from here
    ScreenSize Screen;
    bool TextOnCommandLine = false;
};

// A dictionary value with a folder part is used as it is; a bare file name is
// taken from the program folder; an empty value stays empty.
std::string ResolveDictionaryPath(std::string_view value, const std::string& programFolder);

// The toolbar made of the saved names in key order: each name is added in
// front, from the last key to the first, and a name already on the bar is not
// added again, so its higher-numbered key decides its place. Separators ("-")
// are never merged.
std::vector<std::string> ToolbarOrder(const std::vector<std::string>& savedNames);

// Reads every key from a profile already in memory.
void ReadSettings(const ProfileFile& file, const SettingsContext& context, OptionCopies& options,
                  SettingsValues& values, RecentFiles& recent);
// Writes every key that the save at exit writes, and deletes the retired ones.
void WriteSettings(ProfileFile& file, const OptionCopies& options, const SettingsValues& values,
                   const RecentFiles& recent, std::string_view currentPath);

// The fixed settings of testing mode, used instead of the file.
void TestingModeSettings(ScreenSize screen, OptionCopies& options, SettingsValues& values);

// The file itself: the same profile serves the load at start and the save at exit.
class SettingsFile {
public:
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}
    // When the settings live outside the program folder and have not been
    // saved there yet, the program folder's own file (installed defaults, or
    // the user's file from before) is read instead; the save goes to path.
    SettingsFile(std::string path, std::string fallbackPath)
        : path_(std::move(path)), fallbackPath_(std::move(fallbackPath)) {}

    const std::string& Path() const { return path_; }
    const ProfileFile& Profile() const { return profile_; }

    // A missing file gives every key its default. A file that exists but
    // cannot be read gives the defaults too, returns false with the system's
    // message, and is then never overwritten.
    bool Load(const SettingsContext& context, OptionCopies& options, SettingsValues& values,
              RecentFiles& recent, std::string* error = nullptr);
    // Returns false with the system's message; the old file stays whole then.
    bool Save(const OptionCopies& options, const SettingsValues& values, const RecentFiles& recent,
              std::string_view currentPath, std::string* error = nullptr);

private:
    std::string path_;
    std::string fallbackPath_;
    ProfileFile profile_;
};

// The program's own settings file in settingsFolder, read from the program
// folder's file until it has been saved there; the window and umlo-cli read
// the same one.
SettingsFile ProgramSettingsFile(const std::string& settingsFolder,
                                 const std::string& programFolder);

} // namespace umlo
