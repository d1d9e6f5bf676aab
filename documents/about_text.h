// The about box's texts: the program's version and the two dictionaries in
// use with their versions and sizes. Texts are cp1251.
#pragma once

#include <string>
#include <string_view>

#include "core/main_dictionary.h"
#include "core/options.h"
#include "core/regexpr_dictionary.h"
#include "documents/update_check.h"

namespace umlo {

// What the about box shows and checks, taken each time it is opened.
struct AboutState {
    std::string MainDictionaryPath; // UTF-8, as the settings hold it; empty for none
    std::string MainDictionaryVersion;
    int MainDictionaryCount = 0;
    std::string RegExprDictionaryPath; // UTF-8
    std::string RegExprDictionaryVersion;
    int RegExprDictionaryCount = 0;
    std::string ProxyName; // empty: a direct connection
    int ProxyPort = 3128;
};

AboutState AboutStateOf(const TDic& mainDictionary, const std::string& mainDictionaryPath,
                        const TRegExprDic& regExprDictionary,
                        const std::string& regExprDictionaryPath, const TOptions& options);

// The last component of a path ("/" and "\" both separate folders), cp1251.
std::string FileNameOf(std::string_view utf8Path);

std::string ProgramVersionLine();
std::string MainDictionaryLine(std::string_view fileName, std::string_view version, int count);
std::string RegExprDictionaryLine(std::string_view fileName, std::string_view version, int count);

VersionsInUse VersionsOf(const AboutState& state);

struct BoxPosition {
    int Left = 0;
    int Top = 0;
    friend bool operator==(const BoxPosition&, const BoxPosition&) = default;
};

// Centred over the main window, each half taken toward zero.
BoxPosition CentredOver(int mainLeft, int mainTop, int mainWidth, int mainHeight, int boxWidth,
                        int boxHeight);

} // namespace umlo
