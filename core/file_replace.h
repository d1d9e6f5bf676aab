// Replacing a file's contents safely: the bytes go to a new temporary file
// beside the target, reach the disk, and are renamed over the target, so a
// crash or a full disk never leaves a half-written file.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// 0 on success, otherwise the errno of the failure; the target is then as it
// was. A link is written through (the file it names is replaced), the new file
// keeps the old one's access rights, and a directory or a file without write
// permission is refused rather than replaced by the rename.
int ReplaceFileContents(const std::string& path, std::string_view bytes);

} // namespace umlo
