#include "documents/input_file.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "core/system_message.h"

namespace umlo {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;
// How long a FIFO may stay silent before the user is told what is awaited.
constexpr int kWaitNoteMilliseconds = 2000;

bool IsStandardInput(const std::string& path) {
    return path == "-";
}

// Waits until a FIFO has a writer (or data, or its writer's end): reading an
// unopened FIFO would give its end at once, and an empty text.
int AwaitWriter(int fd, const std::function<void()>& waiting) {
    int timeout = kWaitNoteMilliseconds;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, timeout);
        if (r > 0) {
            return 0;
        }
        if (r < 0 && errno != EINTR) {
            return errno;
        }
        if (r == 0) {
            if (waiting) {
                waiting();
            }
            timeout = -1;
        }
    }
}

} // namespace

InputFile::~InputFile() {
    if (owned_ && fd_ >= 0) {
        ::close(fd_);
    }
}

FileResult InputFile::Failure(int error) const {
    return FileResult::Failure(FileErrorMessage(FileAction::Read, path_, error));
}

FileResult InputFile::Open(const std::string& path, const std::function<void()>& waiting) {
    path_ = path;
    if (IsStandardInput(path)) {
        fd_ = STDIN_FILENO;
        owned_ = false;
    } else {
        // Not blocking, so that a FIFO without a writer does not hang the open.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd_ < 0) {
            return Failure(errno);
        }
        owned_ = true;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        return Failure(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return Failure(EISDIR);
    }
    regular_ = S_ISREG(info.st_mode);
    size_ = regular_ ? static_cast<std::int64_t>(info.st_size) : 0;
    // The editor holds at most kTextLimit characters; a larger file cannot be a text.
    if (regular_ && size_ > static_cast<std::int64_t>(kTextLimit)) {
        return Failure(EFBIG);
    }
    if (owned_) {
        if (S_ISFIFO(info.st_mode)) {
            if (const int error = AwaitWriter(fd_, waiting); error != 0) {
                return Failure(error);
            }
        }
        const int flags = ::fcntl(fd_, F_GETFL);
        if (flags >= 0) {
            ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
        }
    }
    return {};
}

FileResult InputFile::Next(std::string& piece) {
    piece.clear();
    const std::int64_t limit = regular_ ? static_cast<std::int64_t>(kTextLimit) : streamLimit_;
    try {
        piece.resize(kPiece);
    } catch (const std::bad_alloc&) {
        return Failure(ENOMEM);
    }
    for (;;) {
        const ssize_t n = ::read(fd_, piece.data(), piece.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            piece.clear();
            return Failure(errno);
        }
        piece.resize(static_cast<std::size_t>(n));
        done_ += n;
        if (done_ > limit) {
            piece.clear();
            if (regular_) {
                return Failure(EFBIG);
            }
            return FileResult::Failure("Файл \"" + path_ + "\" не кончается: прочитано больше " +
                                       std::to_string(limit >> 20) + " МиБ, это не текст");
        }
        return {};
    }
}

FileResult ReadWholeInput(const std::string& path, std::string& bytes,
                          const std::function<void()>& waiting, std::int64_t streamLimit) {
    InputFile input(streamLimit);
    if (FileResult r = input.Open(path, waiting); !r) {
        return r;
    }
    std::string all;
    std::string piece;
    try {
        // A regular file is read into a string of its size; a file that
        // grows meanwhile is read on to its end.
        all.reserve(static_cast<std::size_t>(input.Size()));
        for (;;) {
            if (FileResult r = input.Next(piece); !r) {
                return r;
            }
            if (piece.empty()) {
                break;
            }
            all += piece;
        }
    } catch (const std::bad_alloc&) {
        return FileResult::Failure(FileErrorMessage(FileAction::Read, path, ENOMEM));
    }
    bytes = std::move(all);
    return {};
}

} // namespace umlo
