#include "documents/program_folder.h"

#include <filesystem>

namespace umlo {

std::string ProgramFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) {
        return exe.parent_path().string();
    }
    const fs::path given = fs::absolute(argv0 != nullptr ? argv0 : "", ec);
    return ec ? std::string(".") : given.parent_path().string();
}

} // namespace umlo
