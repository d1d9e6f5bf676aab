// Reading the main dictionary file: progress, the version line, and the three
// kinds of faulty lines, each reported once after the whole file was read.
#include <algorithm>
#include <cerrno>
#include <cmath>
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
#include "core/main_dictionary.h"
#include "core/system_message.h"
#include "core/words.h"

namespace umlo {
namespace {

// The assumed mean length of a dictionary line, in bytes, for the progress.
constexpr double kMeanLineBytes = 13.2;

std::string Utf8(std::string_view cp1251) {
    return Cp1251ToUtf8(cp1251);
}

// The state of one load: what was noted so far and the progress shown.
class Loader {
public:
    Loader(TDic& dic, const std::string& path, BusyStatus& busy, std::uintmax_t size)
        : dic_(dic), pathText_(PathForMessage(path)), busy_(busy), size_(size) {}

    void Line(std::string_view line) {
        ++lines_;
        ShowProgress();
        if (IsCommentLine(line)) {
            if (!versionFound_) {
                versionFound_ = TakeVersion(line, version_);
            }
            return;
        }
        Entry(line);
    }

    void Report(Host& host) const {
        if (orderBreak_) {
            host.ShowError("Порядок слов в словаре нарушен словом \"" + Utf8(*orderBreak_) + "\"");
        }
        if (badLine_) {
            host.ShowError("В строке словаре содержится неверная строка \"" + Utf8(*badLine_) +
                           "\"");
        } else if (withoutYo_) {
            host.ShowError("Слово \"" + Utf8(*withoutYo_) +
                           "\" из словаря не содержит буквы \"Ё\"");
        }
    }

    const std::string& Version() const { return version_; }

private:
    void ShowProgress() {
        if (size_ == 0) {
            return;
        }
        const long p = std::lround(static_cast<double>(lines_) * kMeanLineBytes /
                                   static_cast<double>(size_) * 100.0);
        if (p != lastPercent_) {
            lastPercent_ = p;
            busy_.Show("Загрузка словаря " + pathText_ + ": " + std::to_string(p) + "% ...");
        }
    }

    void Entry(std::string_view line) {
        const bool doubtful = line.back() == '?';
        const std::string_view word = doubtful ? line.substr(0, line.size() - 1) : line;
        dic_.AddEntry(word, doubtful);
        const std::string& key = dic_.Key(dic_.Count() - 1);
        if (!badLine_ && !AllLetters(key)) {
            badLine_.emplace(line);
        }
        if (!orderBreak_ && DicCompare(key, previousKey_) <= 0) {
            orderBreak_.emplace(word);
        }
        if (!withoutYo_ && !HasDiaeresisE(line)) {
            withoutYo_.emplace(line);
        }
        previousKey_ = key;
    }

    TDic& dic_;
    std::string pathText_;
    BusyStatus& busy_;
    std::uintmax_t size_;
    long long lines_ = 0;
    long lastPercent_ = -1;
    bool versionFound_ = false;
    std::string version_;
    std::string previousKey_;
    std::optional<std::string> orderBreak_;
    std::optional<std::string> badLine_;
    std::optional<std::string> withoutYo_;
};

} // namespace

bool LoadMainDictionary(TDic& dic, std::string& pathInForce, Host& host) {
    dic.SetVersion({});
    dic.Clear();
    dic.SetPath(pathInForce);
    if (pathInForce.empty()) {
        host.ShowError("Не задан файл словаря");
        return false;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(pathInForce);
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        host.ShowError("Файл \"" + PathForMessage(pathInForce) + "\" не найден");
        pathInForce.clear();
        dic.SetPath({});
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

    bool complete = false;
    {
        BusyStatus busy(host, "Загрузка словаря " + PathForMessage(pathInForce) + " ...");
        errno = 0;
        File file(std::fopen(pathInForce.c_str(), "rb"));
        if (!file) {
            const int error = errno != 0 ? errno : EIO;
            host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, error));
            return false;
        }
        const std::uintmax_t size = fs::file_size(path, ec);
        if (!ec && size > 0) {
            dic.Reserve(static_cast<int>(std::min<std::uintmax_t>(size / 13, 1u << 24)));
        }
        Loader loader(dic, pathInForce, busy, ec ? 0 : size);
        const int error =
            ReadLines(file.get(), [&loader](std::string_view line) { loader.Line(line); });
        dic.SetVersion(loader.Version());
        if (dic.Count() > 0) {
            host.EnableCommand("Umlobegin1", true);
            host.EnableCommand("Umlopos1", true);
        }
        host.EnableCommand("Clearusersel1", false);
        if (error != 0) {
            host.ShowError(FileErrorMessage(FileAction::Read, pathInForce, error));
        } else {
            loader.Report(host);
            complete = true;
        }
    }
    return complete;
}

} // namespace umlo
