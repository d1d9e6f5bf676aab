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
#include "core/regexpr_dictionary.h"
#include "core/words.h"

namespace umlo {
namespace {

constexpr size_t kChunkBytes = 1 << 16;

std::string PathText(const std::string& path) {
    return IsValidUtf8(path) ? path : Cp1251ToUtf8(path);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Version from a comment line holding "Версия:" and a non-blank remainder.
bool TakeVersion(std::string_view line, std::string& version) {
    static const std::string marker = Cp("Версия:");
    const size_t at = line.find(marker);
    if (at == std::string_view::npos) {
        return false;
    }
    std::string_view rest = line.substr(at + marker.size());
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!rest.empty() && blank(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && blank(rest.back())) {
        rest.remove_suffix(1);
    }
    if (rest.empty()) {
        return false;
    }
    version.assign(rest);
    return true;
}

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

// Feeds every line of the file to the loader. A line ends with LF, a CR before
// it is dropped; the last line needs no line end. Returns errno on a read error.
int ReadLines(std::FILE* file, Loader& loader) {
    std::string buffer(kChunkBytes, '\0');
    std::string pending; // a line that runs across chunks
    const auto emit = [&loader](std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        loader.Line(line);
    };
    for (;;) {
        const size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
        if (got == 0) {
            if (std::ferror(file)) {
                return errno != 0 ? errno : EIO;
            }
            break;
        }
        std::string_view chunk(buffer.data(), got);
        size_t lf;
        while ((lf = chunk.find('\n')) != std::string_view::npos) {
            if (pending.empty()) {
                emit(chunk.substr(0, lf));
            } else {
                pending.append(chunk.substr(0, lf));
                emit(pending);
                pending.clear();
            }
            chunk.remove_prefix(lf + 1);
        }
        pending.append(chunk);
    }
    if (!pending.empty()) {
        emit(pending);
    }
    return 0;
}

bool FileMissing(const std::string& path) {
    std::error_code ec;
    return std::filesystem::status(std::filesystem::path(path), ec).type() ==
           std::filesystem::file_type::not_found;
}

void ReportMissing(const std::string& path, Host& host) {
    host.ShowError("Файл \"" + PathText(path) + "\" не найден");
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
        host.ShowError(std::strerror(ec.value()));
        return false;
    }
    if (fs::is_directory(status)) {
        host.ShowError(std::strerror(EISDIR));
        return false;
    }

    BusyStatus busy(host,
                    "Загрузка словаря регулярных выражений " + PathText(pathInForce) + " ...");
    errno = 0;
    File file(std::fopen(pathInForce.c_str(), "rb"));
    if (!file) {
        host.ShowError(std::strerror(errno != 0 ? errno : EIO));
        return false;
    }
    Loader loader(dic);
    const int error = ReadLines(file.get(), loader);
    dic.SetVersion(loader.Version());
    if (error != 0) {
        host.ShowError(std::strerror(error));
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
