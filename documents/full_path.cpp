#include "documents/full_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace umlo {

std::string FullPath(std::string_view path, const std::string& base) {
    namespace fs = std::filesystem;
    if (path.empty()) {
        return {};
    }
    const fs::path given{std::string(path)};
    const fs::path joined = given.is_absolute() ? given : fs::path(base) / given;
    fs::path full = joined.lexically_normal();
    if (std::any_of(joined.begin(), joined.end(), [](const fs::path& p) { return p == ".."; })) {
        std::error_code ec;
        fs::path resolved = fs::weakly_canonical(joined, ec);
        if (!ec) {
            full = std::move(resolved);
        }
    }
    // "/a/b/.." normalises to "/a/"; a folder is kept without the separator.
    std::string text = full.string();
    if (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

bool IsSameExistingFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace umlo
