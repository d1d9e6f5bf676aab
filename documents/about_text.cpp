#include "documents/about_text.h"

#include "core/codepage.h"
#include "core/words.h"

namespace umlo {

namespace {

// " (v.2.3)" when the dictionary file carries a version.
std::string VersionPart(std::string_view version) {
    return version.empty() ? std::string() : " (v." + std::string(version) + ")";
}

} // namespace

AboutState AboutStateOf(const TDic& mainDictionary, const std::string& mainDictionaryPath,
                        const TRegExprDic& regExprDictionary,
                        const std::string& regExprDictionaryPath, const TOptions& options) {
    AboutState state;
    state.MainDictionaryPath = mainDictionaryPath;
    state.MainDictionaryVersion = mainDictionary.Version();
    state.MainDictionaryCount = mainDictionary.Count();
    state.RegExprDictionaryPath = regExprDictionaryPath;
    state.RegExprDictionaryVersion = regExprDictionary.Version();
    state.RegExprDictionaryCount = regExprDictionary.Count();
    state.ProxyName = options.ProxyName;
    state.ProxyPort = options.ProxyPort;
    return state;
}

std::string FileNameOf(std::string_view utf8Path) {
    const size_t slash = utf8Path.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? utf8Path : utf8Path.substr(slash + 1);
    // A path that is not UTF-8 came from a cp1251 source already.
    return IsValidUtf8(name) ? Utf8ToCp1251(name) : std::string(name);
}

std::string ProgramVersionLine() {
    return Cp("Версия программы: ") + std::string(kProgramVersion);
}

std::string MainDictionaryLine(std::string_view fileName, std::string_view version, int count) {
    return Cp("Основной словарь: ") + std::string(fileName) + VersionPart(version) + ", " +
           std::to_string(count) + Cp(" слов") + PluralEnding(count, 2);
}

std::string RegExprDictionaryLine(std::string_view fileName, std::string_view version, int count) {
    return Cp("СРВ: ") + std::string(fileName) + VersionPart(version) + ", " +
           std::to_string(count) + Cp(" выражени") + PluralEnding(count, 3);
}

VersionsInUse VersionsOf(const AboutState& state) {
    return {FileNameOf(state.MainDictionaryPath), state.MainDictionaryVersion,
            FileNameOf(state.RegExprDictionaryPath), state.RegExprDictionaryVersion};
}

BoxPosition CentredOver(int mainLeft, int mainTop, int mainWidth, int mainHeight, int boxWidth,
                        int boxHeight) {
    return {mainLeft + (mainWidth - boxWidth) / 2, mainTop + (mainHeight - boxHeight) / 2};
}

} // namespace umlo
