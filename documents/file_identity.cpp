#include "documents/file_identity.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace umlo {

FileIdentity IdentifyPath(const std::string& path, bool output) {
    FileIdentity id;
    struct stat info {};
    const bool found = path == "-" ? ::fstat(output ? STDOUT_FILENO : STDIN_FILENO, &info) == 0
                                   : ::stat(path.c_str(), &info) == 0;
    if (found) {
        id.exists = true;
        id.shared = S_ISCHR(info.st_mode);
        id.device = info.st_dev;
        id.inode = info.st_ino;
        return id;
    }
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::weakly_canonical(path, ec);
    id.fullPath =
        ec ? std::filesystem::absolute(path, ec).lexically_normal().string() : full.string();
    return id;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    if (a.exists != b.exists || a.shared || b.shared) {
        return false;
    }
    return a.exists ? a.device == b.device && a.inode == b.inode : a.fullPath == b.fullPath;
}

} // namespace umlo
