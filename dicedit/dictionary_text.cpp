#include "dicedit/dictionary_text.h"

#include <cstdio>
#include <filesystem>

#include "core/codepage.h"
#include "core/file_replace.h"
#include "core/words.h"
#include "dicedit/dic_operations.h"
#include "documents/settings_location.h"

namespace umlo {

namespace {

constexpr size_t kModeSampleLines = 100;

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

LoadedText ScanLoadedLines(const std::vector<std::string>& lines, bool orderCheck) {
    LoadedText result;
    const std::string* previous = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (IsCommentLine(line)) {
            continue;
        }
        ++result.wordCount;
        if (orderCheck && result.orderBreak < 0 && previous != nullptr &&
            DicLineCompare(line, *previous) < 0) {
            result.orderBreak = static_cast<int>(i);
        }
        previous = &line;
    }
    return result;
}

std::string OrderBreakMessage(std::string_view line) {
    return "Порядок слов в словаре нарушен словом \"" + Cp1251ToUtf8(line) + "\"";
}

bool LooksLikeRegExprDictionary(const std::vector<std::string>& lines) {
    const size_t n = std::min(lines.size(), kModeSampleLines);
    for (size_t i = 0; i < n; ++i) {
        if (!IsCommentLine(lines[i]) && !AllLettersOrQuery(lines[i])) {
            return true;
        }
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string DisplayName(const std::string& path, const std::string& programFolder) {
    const std::string folder = FolderOf(path);
    if (!folder.empty() && folder == WithoutTrailingSlashes(programFolder)) {
        return path.substr(path.rfind('/') + 1);
    }
    return path;
}

int WriteDictionaryFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return ReplaceFileContents(path, bytes);
}

TempDictionaryFile::TempDictionaryFile(const std::string& folder)
    : path_(folder.empty() ? std::string(kTempFileName)
                           : FileInFolder(folder, std::string(kTempFileName))) {}

TempDictionaryFile::~TempDictionaryFile() {
    if (written_) {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
}

int TempDictionaryFile::Write(const std::vector<std::string>& lines) {
    const int error = WriteDictionaryFile(path_, lines);
    written_ = written_ || error == 0;
    return error;
}

int TempDictionaryFile::Read(std::vector<std::string>& lines) const {
    return ReadDictionaryLines(path_, lines);
}

} // namespace umlo
