#include "core/file_replace.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace umlo {

int ReplaceFileContents(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target = fs::path(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    // The rename would get past a read-only file; refuse as a direct write would.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return errno;
    }
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Beside the target, so the rename stays on one file system; short, so
        // a long target name cannot make it too long; never over an existing file.
        temp = (target.parent_path() /
                (".umlo-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp"))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (fd < 0) {
        return EEXIST;
    }
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        return error;
    };
    if (exists) {
        ::fchmod(fd, info.st_mode & 07777);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    // On disk before it replaces the old file, so a crash cannot leave an empty one.
    if (::fsync(fd) != 0 && errno != EINVAL) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return 0;
}

} // namespace umlo
