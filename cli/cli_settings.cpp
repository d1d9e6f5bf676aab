#include "cli/cli_settings.h"

#include <filesystem>
#include <system_error>

#include "core/codepage.h"
#include "documents/settings_file.h"
#include "documents/settings_location.h"

namespace umlo::cli {

bool ReadCliSettings(const CliArguments& args, const std::string& programFolder,
                     CliSettings& settings, std::string& error, std::string& warning) {
    // The settings' folder, which also keeps the logs; reading must not
    // create the user's configuration folder.
    std::string folder;
    if (!args.settingsPath.empty()) {
        const std::filesystem::path parent = std::filesystem::path(args.settingsPath).parent_path();
        folder = parent.empty() ? std::string(".") : parent.string();
    } else {
        folder = SettingsFolder(programFolder, false);
    }
    SettingsContext context;
    context.ProgramFolder = programFolder;
    context.TextOnCommandLine = true;
    OptionCopies copies;
    SettingsValues values;
    RecentFiles recent;
    std::string failure;
    if (!args.settingsPath.empty()) {
        settings.path = args.settingsPath;
        // A named file that is not there is a mistake, not a wish for defaults.
        std::error_code ec;
        if (!std::filesystem::exists(args.settingsPath, ec)) {
            error = "файл настроек \"" + args.settingsPath + "\" не найден";
            return false;
        }
        SettingsFile file(args.settingsPath);
        if (!file.Load(context, copies, values, recent, &failure)) {
            error = failure;
            return false;
        }
    } else {
        SettingsFile file = ProgramSettingsFile(folder, programFolder);
        settings.path = file.Path();
        if (!file.Load(context, copies, values, recent, &failure)) {
            warning = failure + "; используются настройки по умолчанию";
        }
    }
    settings.options = OptionsWithFlags(copies.CurrentOptions, args);
    settings.mainDictionary =
        !args.mainDictionary.empty() ? args.mainDictionary : values.DictionaryPath;
    settings.regExprDictionary =
        !args.regExprDictionary.empty() ? args.regExprDictionary : values.RegExprDictionaryPath;
    settings.wordsBufferLength = values.WordsBufferLength;
    settings.regExprLog = values.RegExprLog;
    settings.regExprLogPath = FileInFolder(folder, kRegExprLogFileName);
    settings.answerKeys = AnswerKeysFrom(Cp1251ToUtf8(values.ButtonHotKeys));
    return true;
}

} // namespace umlo::cli
