// Whether two paths the user gave name one file: the same device and inode
// for files that exist, the same full path for new ones; "-" is standard
// input or output, which is the file behind that stream.
#pragma once

#include <string>
#include <sys/types.h>

namespace umlo {

struct FileIdentity {
    bool exists = false;
    // A character device (a terminal, /dev/null) takes any number of writes:
    // it never counts as the same file as another path.
    bool shared = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string fullPath; // for a file that does not exist yet
};

// output: "-" is standard output, otherwise standard input.
FileIdentity IdentifyPath(const std::string& path, bool output);

bool SameFile(const FileIdentity& a, const FileIdentity& b);

} // namespace umlo
