// The update check: the page the update server publishes, the versions it
// names and how each compares with the one in use. Nothing is downloaded
// beyond the page itself. Texts are cp1251 unless said otherwise.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/http_fetcher.h"
#include "documents/text_buffer.h"

namespace umlo {

inline constexpr std::string_view kProgramVersion = "0.972b2";
// The update server; the update page and the home page live on it.
inline constexpr std::string_view kUpdateServer = "www.umlo.ru";
inline constexpr std::string_view kUpdatePagePath = "/umlo/umlo_get.html";
inline constexpr std::string_view kHomePagePath = "/umlo/umlo.html";

// The page names each published file by its archive name.
inline constexpr std::string_view kProgramMarker = "umlo_exe.zip";
inline constexpr std::string_view kMainDictionaryMarker = "umlox.zip";
inline constexpr std::string_view kRegExprDictionaryMarker = "umlo_regexpr.zip";

inline constexpr std::string_view kDefaultMainDictionaryName = "umlox.dat";
inline constexpr std::string_view kDefaultRegExprDictionaryName = "umlo_regexpr.dat";

// Colours of the result lines.
inline constexpr Color kVersionUnknownColor = 8421504; // grey: not fetched or not found
inline constexpr Color kVersionNewerColor = 255;       // red: the published one is newer
inline constexpr Color kVersionOlderColor = 16711680;  // blue: the published one is older
inline constexpr Color kVersionSameColor = 32768;      // green

std::string UpdatePageUrl();
std::string HomePageUrl();
// When no browser takes the home page: the message, with the address to
// open by hand.
std::string HomePageNotOpenedMessage();

// The GET of the update page with its fixed headers, through the proxy when
// proxyName is not empty.
HttpRequest UpdateRequest(std::string_view proxyName, int proxyPort);

// The text after the first "(версия " up to the next ")"; empty without either.
std::string ExtractVersion(std::string_view line);

// A decimal number written with the locale's decimal separator: optional
// blanks around it, a sign, digits with at most one separator, an exponent.
// False for anything else (thousands separators included) and on overflow.
bool ReadLocaleNumber(std::string_view text, char decimalSeparator, double& value);

// a > b as numbers, after each loses one trailing character that is not a
// digit; a string that cannot be read counts as 0.
bool VersionGreater(std::string_view a, std::string_view b, char decimalSeparator);

// The lines of a response body: CR LF, a lone CR and a lone LF each end one;
// a break at the very end starts no further line. Bytes are kept as they are.
std::vector<std::string> SplitPageLines(std::string_view body);

struct PublishedVersions {
    std::string Program;
    std::string MainDictionary;
    std::string RegExprDictionary;
};

// Each UTF-8 page line is taken as cp1251 and looked at for the markers (exact
// case; the program's first, then the dictionaries'); a later line overrides
// an earlier one. No lines give three empty versions.
PublishedVersions FindPublishedVersions(const std::vector<std::string>& pageLines);

struct AvailableLine {
    std::string Text;
    Color Colour = kVersionUnknownColor;
    friend bool operator==(const AvailableLine&, const AvailableLine&) = default;
};

// One result line: the published version and, unless none was found, whether
// it is newer (" (>)"), older (" (<)") or the same (" (=)"). A dictionary in
// use under another name than the default one always counts as older.
AvailableLine ShowAvailable(std::string_view prefix, std::string_view published, bool isDictionary,
                            std::string_view defaultName, std::string_view nameInUse,
                            std::string_view versionInUse, char decimalSeparator);

// File names (without folders) and versions of the two dictionaries in use.
struct VersionsInUse {
    std::string MainDictionaryName;
    std::string MainDictionaryVersion;
    std::string RegExprDictionaryName;
    std::string RegExprDictionaryVersion;
};

struct UpdateLines {
    AvailableLine Program;
    AvailableLine MainDictionary;
    AvailableLine RegExprDictionary;
};

// "… не проверена" in grey, as each showing of the about box starts.
UpdateLines NotCheckedLines();

UpdateLines CompareWithPublished(const PublishedVersions& published, const VersionsInUse& inUse,
                                 char decimalSeparator);

// One check: fetches the update page (into pageLines, emptied on any failure)
// and compares. A failure is silent: every line reads "не найдена".
UpdateLines CheckForUpdate(HttpFetcher& fetcher, std::string_view proxyName, int proxyPort,
                           const VersionsInUse& inUse, char decimalSeparator,
                           std::vector<std::string>& pageLines);

} // namespace umlo
