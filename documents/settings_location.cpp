#include "documents/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace umlo {

namespace {

bool IsWritableFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
    return true;
#else
    return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

} // namespace

std::string FileInFolder(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

std::string SettingsFolderFor(const std::string& programFolder, const char* xdgConfigHome,
                              const char* home) {
    if (IsWritableFolder(programFolder)) {
        return programFolder;
    }
    std::filesystem::path base;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        base = xdgConfigHome;
    } else if (home != nullptr && home[0] != '\0') {
        base = std::filesystem::path(home) / ".config";
    } else {
        return programFolder;
    }
    const std::filesystem::path folder = base / "umlo";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder.string();
}

std::string SettingsFolder(const std::string& programFolder) {
    return SettingsFolderFor(programFolder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

} // namespace umlo
