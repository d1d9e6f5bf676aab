#include "cli/cli_settings.h"

#include <filesystem>
#include <system_error>

#include "core/codepage.h"
#include "documents/settings_file.h"
#include "documents/settings_location.h"

namespace umlo::cli {
namespace {

std::string SettingsFolderOf(const CliArguments& args, const std::string& programFolder) {
    if (!args.settingsPath.empty()) {
        const std::filesystem::path parent = std::filesystem::path(args.settingsPath).parent_path();
        return parent.empty() ? std::string(".") : parent.string();
    }
    // Reading must not create the user's configuration folder.
    return SettingsFolder(programFolder, false);
}

} // namespace

std::string CliSettingsPath(const CliArguments& args, const std::string& programFolder) {
    return args.settingsPath.empty()
               ? FileInFolder(SettingsFolderOf(args, programFolder), kSettingsFileName)
               : args.settingsPath;
}

bool ReadCliSettings(const CliArguments& args, const std::string& programFolder,
                     CliSettings& settings, std::string& error, std::string& warning) {
    SettingsContext context;
    context.ProgramFolder = programFolder;
    context.TextOnCommandLine = true;
    OptionCopies copies;
    SettingsValues values;
    RecentFiles recent;
    std::string failure;
    if (!args.settingsPath.empty()) {
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
        SettingsFile file =
            ProgramSettingsFile(SettingsFolderOf(args, programFolder), programFolder);
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
    settings.regExprLogPath =
        FileInFolder(SettingsFolderOf(args, programFolder), kRegExprLogFileName);
    settings.answerKeys = AnswerKeysFrom(Cp1251ToUtf8(values.ButtonHotKeys));
    return true;
}

} // namespace umlo::cli
