#include "core/system_message.h"

#include <cerrno>
#include <cstring>

#include "core/codepage.h"

namespace umlo {

std::string SystemMessage(int error) {
    switch (error) {
    case 0:
        return "неизвестная ошибка";
    case ENOENT:
        return "нет такого файла или папки";
    case ENOTDIR:
        return "часть пути - не папка";
    case EISDIR:
        return "это папка, а не файл";
    case EACCES:
        return "нет прав доступа";
    case EPERM:
        return "операция не разрешена";
    case EROFS:
        return "файловая система открыта только для чтения";
    case ENOSPC:
        return "на диске нет места";
    case EDQUOT:
        return "исчерпана дисковая квота";
    case EFBIG:
        return "файл слишком велик";
    case ENOMEM:
        return "не хватает памяти";
    case EIO:
        return "ошибка ввода-вывода";
    case ENAMETOOLONG:
        return "слишком длинное имя";
    case ELOOP:
        return "слишком много символических ссылок";
    case EEXIST:
        return "файл уже существует";
    case EBUSY:
        return "файл занят";
    case ETXTBSY:
        return "файл занят выполняемой программой";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case ENXIO:
    case ENODEV:
        return "нет такого устройства";
    case EINVAL:
        return "недопустимый аргумент";
    case EPIPE:
        return "канал закрыт читающей стороной";
    case EXDEV:
        return "файлы на разных файловых системах";
    case EAGAIN:
        return "ресурс временно недоступен";
    case EINTR:
        return "операция прервана";
    default:
        break;
    }
    // The system's text, in whatever language the system speaks.
    return std::strerror(error);
}

std::string FileErrorMessage(FileAction action, std::string_view path, int error) {
    std::string what;
    switch (action) {
    case FileAction::Read:
        what = "Не удалось прочитать файл";
        break;
    case FileAction::Write:
        what = "Не удалось записать файл";
        break;
    case FileAction::Create:
        what = "Не удалось создать файл";
        break;
    case FileAction::Remove:
        what = "Не удалось удалить файл";
        break;
    }
    const std::string shown = IsValidUtf8(path) ? std::string(path) : Cp1251ToUtf8(path);
    return what + " \"" + shown + "\": " + SystemMessage(error);
}

} // namespace umlo
