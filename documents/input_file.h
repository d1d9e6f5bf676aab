// Reading a text the user named, whatever the path is: a regular file, "-"
// for standard input, a pipe, a FIFO, a terminal, a device or a /proc file,
// always to its end and a piece at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "documents/text_file.h"

namespace umlo {

// What is read of an input that is not a regular file before it counts as
// endless (/dev/zero, a terminal left open): no text is that long.
inline constexpr std::int64_t kStreamLimit = std::int64_t{512} << 20;

class InputFile {
public:
    explicit InputFile(std::int64_t streamLimit = kStreamLimit) : streamLimit_(streamLimit) {}
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens path, "-" being standard input; a folder is refused. A FIFO that
    // has no writer yet is waited for; waiting, when given, is told once
    // after a while, so that a terminal can say what the program waits for.
    FileResult Open(const std::string& path, const std::function<void()>& waiting = {});
    // The next piece (piece is cleared first); empty at the end.
    FileResult Next(std::string& piece);

    bool Regular() const { return regular_; }
    // The size of a regular file when it was opened; 0 for other kinds.
    std::int64_t Size() const { return size_; }
    // The bytes read so far.
    std::int64_t Done() const { return done_; }

private:
    FileResult Failure(int error) const;

    std::int64_t streamLimit_;
    std::string path_;
    int fd_ = -1;
    bool owned_ = false;
    bool regular_ = false;
    std::int64_t size_ = 0;
    std::int64_t done_ = 0;
};

// Every byte of an input, as InputFile reads it.
FileResult ReadWholeInput(const std::string& path, std::string& bytes,
                          const std::function<void()>& waiting = {},
                          std::int64_t streamLimit = kStreamLimit);

} // namespace umlo
