#include "documents/version_text.h"

#include <cerrno>

#include "core/codepage.h"
#include "core/dictionary_file.h"
#include "core/words.h"
#include "documents/settings_location.h"
#include "documents/update_check.h"

namespace umlo {

namespace {

std::string DictionaryLine(const char* what, const std::string& path) {
    std::string line = std::string(what) + ": " + PathForMessage(path);
    const std::optional<std::string> version = DictionaryFileVersion(path);
    if (!version) {
        return line + " (не найден)\n";
    }
    if (version->empty()) {
        return line + " (версия не указана)\n";
    }
    // The version is cp1251 like the rest of the file.
    return line + ", версия " + Cp1251ToUtf8(*version) + "\n";
}

} // namespace

std::optional<std::string> DictionaryFileVersion(const std::string& path) {
    std::error_code ec;
    if (NotARegularFileError(std::filesystem::status(path, ec)) != 0) {
        return std::nullopt;
    }
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string version;
    bool found = false;
    const int error = ReadLines(file.get(), [&](std::string_view line) {
        if (!found && IsCommentLine(line)) {
            found = TakeVersion(line, version);
        }
    });
    if (error != 0) {
        return std::nullopt;
    }
    return version;
}

std::string VersionText(const std::string& programName, const std::string& programFolder) {
    return programName + " " + std::string(kProgramVersion) + "\n" +
           DictionaryLine("Основной словарь",
                          BundledDataFile(programFolder, kMainDictionaryFileName)) +
           DictionaryLine("Словарь регулярных выражений",
                          BundledDataFile(programFolder, "umlo_regexpr.dat"));
}

} // namespace umlo
