// The dictionary editor's files: what a loaded dictionary text tells (word
// count, order break, which kind of dictionary), the name it is shown under,
// the save with Windows line ends, and the temporary file "umlo.tmp".
//
// Lines are cp1251; paths and texts for the user are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace umlo {

inline constexpr std::string_view kTempFileName = "umlo.tmp";

struct LoadedText {
    int wordCount = 0; // lines that are not comment lines
    // With the order check: the first entry line sorting before the entry line
    // above it, or -1.
    int orderBreak = -1;
};
LoadedText ScanLoadedLines(const std::vector<std::string>& lines, bool orderCheck);

// "Порядок слов в словаре нарушен словом "<line>"".
std::string OrderBreakMessage(std::string_view line);

// A regular-expression dictionary: among the first 100 lines an entry line
// holds something other than Russian letters and "?".
bool LooksLikeRegExprDictionary(const std::vector<std::string>& lines);

// The bare file name for a file in the program folder (the folder compared
// exactly), the full path otherwise.
std::string DisplayName(const std::string& path, const std::string& programFolder);
// The folder part of a path; "" for a bare name.
std::string FolderOf(const std::string& path);

// The lines, each ended by CR LF, replacing the file's contents. 0 or errno.
int WriteDictionaryFile(const std::string& path, const std::vector<std::string>& lines);

// The temporary file in a folder, written and read back by the whole-text
// operations and removed when the object goes.
class TempDictionaryFile {
public:
    explicit TempDictionaryFile(const std::string& folder);
    ~TempDictionaryFile();
    TempDictionaryFile(const TempDictionaryFile&) = delete;
    TempDictionaryFile& operator=(const TempDictionaryFile&) = delete;

    // 0 or errno.
    int Write(const std::vector<std::string>& lines);
    int Read(std::vector<std::string>& lines) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool written_ = false;
};

} // namespace umlo
