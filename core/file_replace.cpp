#include "core/file_replace.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace umlo {
namespace {

// A target's name is cut to this many bytes in its temporary file's name, so
// that the name stays within the file system's limit.
constexpr std::size_t kNameInTemporary = 120;
constexpr std::string_view kMarker = ".umlo-";
constexpr std::string_view kSuffix = ".tmp";

int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// Written where it is: a device, a FIFO, a pipe, standard output, or a
// regular file that must stay the same file (its inode, owner and other
// names), which is then cut to the new length and synced.
int WriteInPlace(const std::string& path, std::string_view bytes) {
    const bool standardOutput = path == "-";
    const int fd =
        standardOutput ? STDOUT_FILENO : ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = WriteAll(fd, bytes);
    // Standard output may be a file appended to: it is never cut.
    struct stat info {};
    if (error == 0 && !standardOutput && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
            (::fsync(fd) != 0 && errno != EINVAL)) {
            error = errno;
        }
    }
    if (!standardOutput && ::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error;
}

// The "<name>" of ".<name>.umlo-<pid>-<attempt>.tmp".
std::string NamePart(const std::string& targetName) {
    return "." + targetName.substr(0, kNameInTemporary) + std::string(kMarker);
}

// Removes the temporary files of this target whose writer is gone.
void RemoveLeftovers(const std::filesystem::path& folder, const std::string& targetName) {
    const std::string prefix = NamePart(targetName);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || !name.ends_with(kSuffix)) {
            continue;
        }
        const std::string rest(name.substr(prefix.size()));
        char* end = nullptr;
        const long pid = std::strtol(rest.c_str(), &end, 10);
        if (end == rest.c_str() || *end != '-' || pid <= 0 || pid == ::getpid()) {
            continue;
        }
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            ::unlink((folder / std::string(name)).c_str());
        }
    }
    ::closedir(dir);
}

} // namespace

std::string TemporaryFileName(const std::string& targetName, long pid, int attempt) {
    return NamePart(targetName) + std::to_string(pid) + "-" + std::to_string(attempt) +
           std::string(kSuffix);
}

int ReplaceFileContents(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    if (path == "-") {
        return WriteInPlace(path, bytes);
    }
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
    if (exists && !S_ISREG(info.st_mode)) {
        return WriteInPlace(target.string(), bytes);
    }
    // The rename would get past a read-only file; refuse as a direct write would.
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        return errno;
    }
    const fs::path folder = target.parent_path();
    const std::string targetName = target.filename().string();
    RemoveLeftovers(folder, targetName);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Beside the target, so the rename stays on one file system; never
        // over an existing file.
        temp = (folder / TemporaryFileName(targetName, ::getpid(), attempt)).string();
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
    // Whether the renamed copy would be the same file to everyone else.
    bool sameFile = true;
    if (exists) {
        // The owner where the process may give it (the superuser rewriting a
        // user's file), else at least the group; then the rights, which a
        // change of owner may have cut.
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            sameFile = false;
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), info.st_gid);
        }
        ::fchmod(fd, info.st_mode & 07777);
        // Its other names would keep the old bytes.
        sameFile = sameFile && info.st_nlink == 1;
    }
    if (const int error = WriteAll(fd, bytes); error != 0) {
        return fail(error);
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
    if (!sameFile && WriteInPlace(target.string(), bytes) == 0) {
        // Someone else's file, or one with other names, is rewritten where it
        // is and stays theirs; the full copy, already on disk, was the
        // safeguard, and replaces the file only if that write failed.
        ::unlink(temp.c_str());
        return 0;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return 0;
}

} // namespace umlo
