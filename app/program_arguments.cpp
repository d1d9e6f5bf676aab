#include "app/program_arguments.h"

namespace umlo {

ProgramRequest RequestOf(std::string_view firstArgument) {
    if (firstArgument == "--help" || firstArgument == "-h") {
        return ProgramRequest::Help;
    }
    if (firstArgument == "--version" || firstArgument == "-V") {
        return ProgramRequest::Version;
    }
    return ProgramRequest::Window;
}

std::string WindowUsageText() {
    return R"(Использование:
  umlo [ФАЙЛ]      открыть окно и загрузить текст ("-" — стандартный ввод)
  umlo /t          режим тестирования (пункт "Тестирование" в меню "Файл")
  umlo --help      эта справка
  umlo --version   версии программы и словарей

Учитывается только первый аргумент. Относительный путь к файлу отсчитывается
от папки, из которой запущена программа. Без файла открывается текст, бывший
открытым при последнем выходе (если это не отключено в опциях).
Перед файлом можно указать параметры Qt, например -platform или -style.

Настройки (umlo.ini) и журналы хранятся в $XDG_CONFIG_HOME/umlo или
~/.config/umlo; программа, словари которой лежат в её собственной доступной
для записи папке, хранит их там же. Для пакетной работы: umlo-cli --help.
)";
}

} // namespace umlo
