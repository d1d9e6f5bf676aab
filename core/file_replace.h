// The one way the program writes a file the user named. A regular file (or a
// new name) gets its new bytes through a temporary file beside it that
// reaches the disk and is renamed over it, so a crash or a full disk never
// leaves it half-written; it keeps its access rights, owner and group. A file
// whose owner or group the process may not give, or that has other names
// (hard links), is rewritten in place once that full copy is on disk, so it
// stays the same file. Anything else that exists (a terminal, /dev/null, a
// FIFO, a pipe behind /dev/stdout) is written in place, never renamed over.
// "-" is standard output.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// 0 on success, otherwise the errno of the failure; the target is then as it
// was. A link is written through (the file it names is replaced), and a
// directory or a file without write permission is refused rather than
// replaced by the rename. A temporary file that a killed run left beside the
// same target is removed.
int ReplaceFileContents(const std::string& path, std::string_view bytes);

// The temporary file's name for a target (in the same folder): hidden, and
// recognisable as ours and as the target's.
std::string TemporaryFileName(const std::string& targetName, long pid, int attempt);

} // namespace umlo
