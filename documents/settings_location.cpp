#include "documents/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace umlo {

namespace {

// Tried rather than asked: access() says yes to the superuser even where a
// read-only mount or the kernel refuses the write.
bool IsWritableFolder(const std::string& folder) {
#ifdef _WIN32
    (void)folder;
    return true;
#else
    std::string probe = FileInFolder(folder, ".umlo-write-probe-" + std::to_string(getpid()));
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(probe.c_str());
    return true;
#endif
}

} // namespace

std::string FileInFolder(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

std::string BundledDataFile(const std::string& programFolder, const std::string& name) {
    const std::string beside = FileInFolder(programFolder, name);
    std::error_code error;
    if (std::filesystem::exists(beside, error)) {
        return beside;
    }
    const std::filesystem::path installed =
        std::filesystem::path(programFolder) / ".." / "share" / "umlo" / name;
    if (std::filesystem::is_regular_file(installed, error)) {
        return installed.lexically_normal().string();
    }
    return beside;
}

bool IsInstalledProgram(const std::string& programFolder) {
    return BundledDataFile(programFolder, kMainDictionaryFileName) !=
           FileInFolder(programFolder, kMainDictionaryFileName);
}

std::string DataFolder(const std::string& programFolder) {
    return IsInstalledProgram(programFolder)
               ? std::filesystem::path(BundledDataFile(programFolder, kMainDictionaryFileName))
                     .parent_path()
                     .string()
               : programFolder;
}

std::string SettingsFolderFor(const std::string& programFolder, const char* xdgConfigHome,
                              const char* home, bool create) {
    // An installed program never writes beside itself, even where it could
    // (the superuser in /usr/bin, a prefix in the user's home): the files
    // would outlive the package and be shared by every user.
    if (!IsInstalledProgram(programFolder) && IsWritableFolder(programFolder)) {
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
    if (create) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return folder.string();
}

std::string SettingsFolder(const std::string& programFolder, bool create) {
    return SettingsFolderFor(programFolder, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"),
                             create);
}

} // namespace umlo
