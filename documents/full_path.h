// Paths made full, so that a text keeps one spelling in the caption, the
// recent list and the settings file, whatever folder the program runs in.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// path (UTF-8) against the folder `base` when it is relative, without "."
// parts or doubled separators. A path that climbs with ".." is resolved on
// the disk, because ".." after a symbolic link leads elsewhere than the
// spelling says. Empty stays empty.
std::string FullPath(std::string_view path, const std::string& base);

// True when the two paths name one existing file (hard or symbolic links).
bool IsSameExistingFile(const std::string& a, const std::string& b);

} // namespace umlo
