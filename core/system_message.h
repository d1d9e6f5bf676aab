// File errors as the user reads them: the system's reason in Russian, and
// what failed on which path.
#pragma once

#include <string>
#include <string_view>

namespace umlo {

// The reason for an errno value in Russian (UTF-8); the system's own text
// for the rare ones.
std::string SystemMessage(int error);

enum class FileAction { Read, Write, Create, Remove };

// "Не удалось прочитать файл "PATH": нет доступа" and the like; the path as
// the user gave it (UTF-8, or cp1251 that is not valid UTF-8).
std::string FileErrorMessage(FileAction action, std::string_view path, int error);

} // namespace umlo
