// Reading the regular-expression dictionary file: the version line, the first
// line that does not compile and the old-format mark, reported after the whole
// file was read.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/codepage.h"
#include "core/dictionary_file.h"
#include "core/regexpr_dictionary.h"
#include "core/system_message.h"
#include "core/words.h"

namespace umlo {
namespace {

class Loader {
public:
    explicit Loader(TRegExprDic& dic) : dic_(dic) {}

    void Line(std::string_view line) {
        if (IsCommentLine(line)) {
            if (!versionFound_) {
                versionFound_ = TakeVersion(line, version_);
            }
            return;
        }
        if (!dic_.AddLine(line) && !badLine_) {
            badLine_.emplace(line);
        }
        if (line.find("\\0") != std::string_view::npos) {
            oldFormat_ = true;
        }
    }

    void Report(Host& host) const {
        if (badLine_) {
            host.ShowError("В словаре регулярных выражений содержится неверное выражение \"" +
                           Cp1251ToUtf8(*badLine_) + "\"");
        } else if (oldFormat_) {
            host.ShowError("Словарь регулярных выражений имеет старый формат.\rПрочитайте "
                           "umlo_plus.html, чтобы узнать, как переформатировать его.");
        }
    }

    const std::string& Version() const { return version_; }

private:
    TRegExprDic& dic_;
    bool versionFound_ = false;
    std::string version_;
    std::optional<std::string> badLine_;
    bool oldFormat_ = false;
};

bool FileMissing(const std::string& path) {
    std::error_code ec;
    return std::filesystem::status(std::filesystem::path(path), ec).type() ==
           std::filesystem::file_type::not_found;
}

void ReportMissing(const std::string& path, Host& host) {
    host.ShowError("Файл \"" + PathForMessage(path) + "\" не найден");
}

} // namespace

bool LoadRegExprDictionary(TRegExprDic& dic, std::string& pathInForce, TOptions& options,
                           Host& host) {
    dic.SetVersion({});
    if (pathInForce.empty()) {
        options.RegExprs = false;
        return false;
    }
    dic.Clear();
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(pathInForce), ec);
    if (status.type() == fs::file_type::not_found) {
        ReportMissing(pathInForce, host);
        pathInForce.clear();
        return false;
    }
    if (ec) {
        host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, ec.value()));
        return false;
    }
    if (const int error = NotARegularFileError(status); error != 0) {
        host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, error));
        return false;
    }

    BusyStatus busy(host, "Загрузка словаря регулярных выражений " + PathForMessage(pathInForce) +
                              " ...");
    errno = 0;
    File file(std::fopen(pathInForce.c_str(), "rb"));
    if (!file) {
        host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, errno != 0 ? errno : EIO));
        return false;
    }
    Loader loader(dic);
    const int error =
        ReadLines(file.get(), [&loader](std::string_view line) { loader.Line(line); });
    dic.SetVersion(loader.Version());
    if (error != 0) {
        host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, error));
        return false;
    }
    loader.Report(host);
    return true;
}

bool LoadChosenRegExprDictionary(TRegExprDic& dic, const std::string& chosenPath,
                                 std::string& pathInForce, TOptions& options, Host& host) {
    if (chosenPath.empty() || FileMissing(chosenPath)) {
        ReportMissing(chosenPath, host);
        return false;
    }
    pathInForce = chosenPath;
    const bool complete = LoadRegExprDictionary(dic, pathInForce, options, host);
    options.RegExprs = true;
    return complete;
}

} // namespace umlo
