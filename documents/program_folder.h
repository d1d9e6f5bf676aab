// The folder of the running executable, where the bundled data lies.
#pragma once

#include <string>

namespace umlo {

// From /proc/self/exe; argv0's folder when that cannot be read.
std::string ProgramFolder(const char* argv0);

} // namespace umlo
