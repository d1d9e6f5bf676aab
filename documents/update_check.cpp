#include "documents/update_check.h"

#include <charconv>
#include <system_error>

#include "core/codepage.h"

namespace umlo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const std::string& ProgramPrefix() {
    static const std::string prefix = Cp("Доступная версия программы: ");
    return prefix;
}
const std::string& MainDictionaryPrefix() {
    static const std::string prefix = Cp("Доступная версия словаря: ");
    return prefix;
}
const std::string& RegExprDictionaryPrefix() {
    static const std::string prefix = Cp("Доступная версия СРВ: ");
    return prefix;
}

// A version that cannot be read as a number counts as 0.
double VersionNumber(std::string_view version, char decimalSeparator) {
    if (!version.empty() && !IsDigit(version.back())) {
        version.remove_suffix(1);
    }
    double value = 0;
    return ReadLocaleNumber(version, decimalSeparator, value) ? value : 0.0;
}

} // namespace

std::string UpdatePageUrl() {
    return "http://" + std::string(kUpdateServer) + std::string(kUpdatePagePath);
}

std::string HomePageUrl() {
    return "http://" + std::string(kUpdateServer) + std::string(kHomePagePath);
}

std::string HomePageNotOpenedMessage() {
    return "Не удалось открыть страницу программы в браузере.\rЕё адрес: " + HomePageUrl();
}

HttpRequest UpdateRequest(std::string_view proxyName, int proxyPort) {
    HttpRequest request;
    request.Url = UpdatePageUrl();
    request.Headers = {{"Accept", "text/html, */*"},
                       {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"}};
    request.ProxyHost = std::string(proxyName);
    request.ProxyPort = proxyPort;
    return request;
}

std::string ExtractVersion(std::string_view line) {
    static const std::string marker = Cp("(версия ");
    const size_t at = line.find(marker);
    if (at == std::string_view::npos) {
        return {};
    }
    const size_t start = at + marker.size();
    const size_t close = line.find(')', start);
    if (close == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(start, close - start));
}

bool ReadLocaleNumber(std::string_view text, char decimalSeparator, double& value) {
    size_t i = 0;
    size_t end = text.size();
    while (i < end && text[i] == ' ') {
        ++i;
    }
    while (end > i && text[end - 1] == ' ') {
        --end;
    }
    // Rewritten with a point for the locale-independent converter.
    std::string number;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number += '-';
        }
        ++i;
    }
    int digits = 0;
    while (i < end && IsDigit(text[i])) {
        number += text[i++];
        ++digits;
    }
    if (i < end && text[i] == decimalSeparator) {
        number += '.';
        ++i;
        while (i < end && IsDigit(text[i])) {
            number += text[i++];
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            number += text[i++];
        }
        int exponentDigits = 0;
        while (i < end && IsDigit(text[i])) {
            number += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    if (i != end) {
        return false;
    }
    double parsed = 0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, parsed);
    if (ec != std::errc() || ptr != last) {
        return false;
    }
    value = parsed;
    return true;
}

bool VersionGreater(std::string_view a, std::string_view b, char decimalSeparator) {
    return VersionNumber(a, decimalSeparator) > VersionNumber(b, decimalSeparator);
}

std::vector<std::string> SplitPageLines(std::string_view body) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(body.substr(start, i - start));
        i += (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < body.size()) {
        lines.emplace_back(body.substr(start));
    }
    return lines;
}

PublishedVersions FindPublishedVersions(const std::vector<std::string>& pageLines) {
    PublishedVersions found;
    for (const std::string& utf8 : pageLines) {
        const std::string line = Utf8ToCp1251(utf8);
        if (line.find(kProgramMarker) != std::string::npos) {
            found.Program = ExtractVersion(line);
        } else if (line.find(kMainDictionaryMarker) != std::string::npos) {
            found.MainDictionary = ExtractVersion(line);
        } else if (line.find(kRegExprDictionaryMarker) != std::string::npos) {
            found.RegExprDictionary = ExtractVersion(line);
        }
    }
    return found;
}

AvailableLine ShowAvailable(std::string_view prefix, std::string_view published, bool isDictionary,
                            std::string_view defaultName, std::string_view nameInUse,
                            std::string_view versionInUse, char decimalSeparator) {
    AvailableLine line;
    line.Text = std::string(prefix);
    if (published.empty()) {
        line.Text += Cp("не найдена");
        line.Colour = kVersionUnknownColor;
        return line;
    }
    if (isDictionary) {
        line.Text += std::string(defaultName) + ", v. ";
    } else {
        line.Text += "v. ";
    }
    line.Text += published;
    if (nameInUse != defaultName || VersionGreater(published, versionInUse, decimalSeparator)) {
        line.Text += " (>)";
        line.Colour = kVersionNewerColor;
    } else if (VersionGreater(versionInUse, published, decimalSeparator)) {
        line.Text += " (<)";
        line.Colour = kVersionOlderColor;
    } else {
        line.Text += " (=)";
        line.Colour = kVersionSameColor;
    }
    return line;
}

UpdateLines NotCheckedLines() {
    const std::string notChecked = Cp("не проверена");
    return {{ProgramPrefix() + notChecked, kVersionUnknownColor},
            {MainDictionaryPrefix() + notChecked, kVersionUnknownColor},
            {RegExprDictionaryPrefix() + notChecked, kVersionUnknownColor}};
}

UpdateLines CompareWithPublished(const PublishedVersions& published, const VersionsInUse& inUse,
                                 char decimalSeparator) {
    UpdateLines lines;
    lines.Program = ShowAvailable(ProgramPrefix(), published.Program, false, {}, {},
                                  kProgramVersion, decimalSeparator);
    lines.MainDictionary = ShowAvailable(MainDictionaryPrefix(), published.MainDictionary, true,
                                         kDefaultMainDictionaryName, inUse.MainDictionaryName,
                                         inUse.MainDictionaryVersion, decimalSeparator);
    lines.RegExprDictionary = ShowAvailable(
        RegExprDictionaryPrefix(), published.RegExprDictionary, true, kDefaultRegExprDictionaryName,
        inUse.RegExprDictionaryName, inUse.RegExprDictionaryVersion, decimalSeparator);
    return lines;
}

UpdateLines CheckForUpdate(HttpFetcher& fetcher, std::string_view proxyName, int proxyPort,
                           const VersionsInUse& inUse, char decimalSeparator,
                           std::vector<std::string>& pageLines) {
    pageLines.clear();
    if (std::optional<std::string> body = fetcher.Get(UpdateRequest(proxyName, proxyPort))) {
        pageLines = SplitPageLines(*body);
    }
    return CompareWithPublished(FindPublishedVersions(pageLines), inUse, decimalSeparator);
}

} // namespace umlo
