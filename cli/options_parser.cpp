#include "cli/options_parser.h"

#include <algorithm>

#include <charconv>
#include <optional>
#include <string_view>

namespace umlo::cli {
namespace {

// The switches of the "Ёфикация" page: each sets one field of TOptions.
struct Switch {
    std::string_view name;
    bool TOptions::*field;
    bool value;
};

constexpr Switch kSwitches[] = {
    {"--regexprs", &TOptions::RegExprs, true},
    {"--no-regexprs", &TOptions::RegExprs, false},
    {"--no-var-only", &TOptions::NoVarOnly, true},
    {"--var-only", &TOptions::VarOnly, true},
    {"--check-umlo", &TOptions::CheckUmlo, true},
    {"--no-check-umlo", &TOptions::CheckUmlo, false},
    {"--always-ask", &TOptions::AlwaysAsk, true},
    {"--confirm-abbr", &TOptions::ToConfirmAbbr, true},
    {"--no-confirm-abbr", &TOptions::ToConfirmAbbr, false},
    {"--confirm-cap", &TOptions::ToConfirmCap, true},
    {"--confirm-ellipsis", &TOptions::ToConfirmEllipsis, true},
    {"--no-confirm-ellipsis", &TOptions::ToConfirmEllipsis, false},
    {"--propose-last", &TOptions::ProposeLast, true},
    {"--no-propose-last", &TOptions::ProposeLast, false},
    {"--fb-format", &TOptions::FBFormat, true},
    {"--fast-scroll", &TOptions::FastScroll, true},
    {"--mark", &TOptions::Mark, true},
    {"--no-mark", &TOptions::Mark, false},
};

// Options that take a value, as "-o FILE", "-oFILE", "--report FILE" or "--report=FILE".
enum class Valued {
    Output,
    MainDic,
    RegExprDic,
    Answer,
    Report,
    Stats,
    LinesBelow,
    Encoding,
    Settings
};

struct ValuedName {
    std::string_view name;
    Valued which;
};

constexpr ValuedName kValued[] = {
    {"-o", Valued::Output},           {"--output", Valued::Output},
    {"-d", Valued::MainDic},          {"--dictionary", Valued::MainDic},
    {"-r", Valued::RegExprDic},       {"--regexpr-dictionary", Valued::RegExprDic},
    {"--answer", Valued::Answer},     {"--report", Valued::Report},
    {"--stats", Valued::Stats},       {"--lines-below", Valued::LinesBelow},
    {"--encoding", Valued::Encoding}, {"--settings", Valued::Settings},
};

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// Splits "--name=value" and "-oVALUE"; the value is empty when none is attached.
std::optional<Valued> MatchValued(std::string_view arg, std::optional<std::string>& attached) {
    for (const auto& v : kValued) {
        if (arg == v.name) {
            return v.which;
        }
        if (v.name.starts_with("--")) {
            if (arg.size() > v.name.size() && arg.starts_with(v.name) &&
                arg[v.name.size()] == '=') {
                attached = std::string(arg.substr(v.name.size() + 1));
                return v.which;
            }
        } else if (arg.size() > v.name.size() && arg.starts_with(v.name)) {
            attached = std::string(arg.substr(v.name.size()));
            return v.which;
        }
    }
    return std::nullopt;
}

std::string ApplyValued(Valued which, std::string_view name, const std::string& value,
                        CliArguments& a) {
    switch (which) {
    case Valued::Output:
        a.output = value;
        break;
    case Valued::MainDic:
        a.mainDictionary = value;
        break;
    case Valued::RegExprDic:
        a.regExprDictionary = value;
        break;
    case Valued::Report:
        a.reportPath = value;
        break;
    case Valued::Stats:
        a.statsPath = value;
        break;
    case Valued::Settings:
        a.settingsPath = value;
        break;
    case Valued::Answer: {
        const auto policy = ParseAnswerPolicy(value);
        if (!policy) {
            return "неизвестный способ ответа " + Quoted(value) +
                   " (допустимы keep, proposal, plain, diaeresis)";
        }
        a.policy = *policy;
        break;
    }
    case Valued::Encoding: {
        const auto encoding = ParseEncodingChoice(value);
        if (!encoding) {
            return "неизвестная кодировка " + Quoted(value) +
                   " (допустимы auto, ansi, utf-8, utf-16)";
        }
        a.encoding = *encoding;
        break;
    }
    case Valued::LinesBelow: {
        int n = 0;
        const auto* end = value.data() + value.size();
        const auto r = std::from_chars(value.data(), end, n);
        if (value.empty() || r.ec != std::errc() || r.ptr != end || n < 0) {
            return "для " + std::string(name) + " нужно неотрицательное целое, а не " +
                   Quoted(value);
        }
        a.options.LinesBelow = n;
        a.linesBelow = n;
        break;
    }
    }
    return {};
}

// Combinations that cannot be carried out; empty when the arguments agree.
std::string CheckConsistency(const CliArguments& a, bool policyGiven) {
    if (a.command == Command::SelfTest) {
        if (!a.files.empty()) {
            return "команда selftest не принимает файлов";
        }
        return {};
    }
    if (a.files.empty()) {
        return "не указан ни один файл";
    }
    if (a.command == Command::Info) {
        return {};
    }
    if (!a.output.empty() && a.inPlace) {
        return "-o и --in-place несовместимы";
    }
    if (a.output.empty() && !a.inPlace) {
        return "укажите -o ФАЙЛ или --in-place";
    }
    if (!a.output.empty() && a.files.size() != 1) {
        return "-o допустим только для одного входного файла; для нескольких используйте "
               "--in-place";
    }
    if (a.interactive && policyGiven) {
        return "--interactive и --answer несовместимы";
    }
    const bool fromStandardInput = std::find(a.files.begin(), a.files.end(), "-") != a.files.end();
    if (fromStandardInput && a.inPlace) {
        return "стандартный ввод (-) нельзя заменить на месте; укажите -o ФАЙЛ или -o -";
    }
    if (fromStandardInput && a.interactive) {
        return "--interactive читает ответы со стандартного ввода, а текст из него читать "
               "нельзя; укажите файл";
    }
    return {};
}

} // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
    ParseResult result;
    CliArguments& a = result.args;
    if (args.empty()) {
        result.error = "не указана команда (restore, info или selftest); см. umlo-cli --help";
        return result;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        a.command = Command::Help;
        result.ok = true;
        return result;
    }
    if (command == "--version" || command == "-V") {
        a.command = Command::Version;
        result.ok = true;
        return result;
    }
    if (command == "restore") {
        a.command = Command::Restore;
    } else if (command == "info") {
        a.command = Command::Info;
    } else if (command == "selftest") {
        a.command = Command::SelfTest;
    } else {
        result.error = "неизвестная команда " + Quoted(command) + "; см. umlo-cli --help";
        return result;
    }

    bool policyGiven = false;
    bool onlyFiles = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles || arg == "-" || !arg.starts_with("-")) {
            a.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyFiles = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            a.command = Command::Help;
            result.ok = true;
            return result;
        }
        // The self-test brings its own dictionaries, text and options.
        if (a.command == Command::SelfTest) {
            result.error = "команда selftest не принимает параметров (" + arg + ")";
            return result;
        }
        // Properties need the file and its encoding, nothing of the pass.
        if (a.command == Command::Info && !arg.starts_with("--encoding")) {
            result.error = "команда info принимает только --encoding (" + arg + ")";
            return result;
        }
        if (arg == "--in-place") {
            a.inPlace = true;
            continue;
        }
        if (arg == "--interactive") {
            a.interactive = true;
            continue;
        }
        bool matched = false;
        for (const auto& s : kSwitches) {
            if (arg == s.name) {
                a.options.*s.field = s.value;
                a.switches.emplace_back(s.field, s.value);
                matched = true;
                break;
            }
        }
        if (matched) {
            continue;
        }
        std::optional<std::string> value;
        const auto valued = MatchValued(arg, value);
        if (!valued) {
            result.error = "неизвестный параметр " + Quoted(arg) + "; см. umlo-cli --help";
            return result;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                result.error = "после " + arg + " нужно значение";
                return result;
            }
            value = args[++i];
        }
        if (value->empty()) {
            result.error = "пустое значение для " + arg;
            return result;
        }
        if (*valued == Valued::Answer) {
            policyGiven = true;
        }
        result.error = ApplyValued(*valued, arg, *value, a);
        if (!result.error.empty()) {
            return result;
        }
    }
    result.error = CheckConsistency(a, policyGiven);
    result.ok = result.error.empty();
    return result;
}

TOptions OptionsWithFlags(TOptions fromSettings, const CliArguments& args) {
    for (const auto& [field, value] : args.switches) {
        fromSettings.*field = value;
    }
    if (args.linesBelow) {
        fromSettings.LinesBelow = *args.linesBelow;
    }
    return fromSettings;
}

std::string UsageText() {
    return R"(Использование:
  umlo-cli restore [параметры] ФАЙЛ...   ёфикация текстов
  umlo-cli info [--encoding К] ФАЙЛ...   свойства файлов и степень ёфикации
  umlo-cli selftest                      встроенный тест
  umlo-cli --help                        эта справка
  umlo-cli --version                     версии программы и словарей

Вывод (одно из двух обязательно):
  -o ФАЙЛ, --output ФАЙЛ    записать результат единственного входного файла
                            ("-o -" - на стандартный вывод)
  --in-place                заменить каждый входной файл результатом

Входной файл "-" - стандартный ввод: umlo-cli restore - -o - работает в конвейере.
Входной файл любого рода (канал, FIFO, /proc) читается до конца. Обычный файл
заменяется через временный файл рядом с ним, сохраняя права и, где можно, владельца;
устройство, канал или терминал записываются на месте. Если два пути (входной файл,
-o, --report, --stats) называют один и тот же файл, ничего не записывается.

Форматы: файл с именем *.rtf читается и пишется как RTF (цвета, жирность и размеры
сохраняются, заменённые буквы выделяются цветом); простой текст - в кодировке ANSI
(cp1251), UTF-8 или UTF-16 LE/BE. Результат сохраняет кодировку, подпись (BOM) или её
отсутствие и концы строк исходного файла. -o ИМЯ.rtf записывает RTF и для простого
текста на входе; RTF на входе записывается как RTF при любом имени результата.
Документы *.docx, *.odt, *.fb2, *.fb2.zip и *.epub (или с таким содержимым) читаются
как текст по абзацам; в результат пишется тот же документ, где изменены только буквы
е на ё, при любом имени результата. Повреждённый или зашифрованный документ не
обрабатывается.
  --encoding auto     определить кодировку: подпись, статистика UTF-16, корректный
                      UTF-8, иначе ANSI (по умолчанию)
  --encoding ansi     читать как cp1251
  --encoding utf-8    читать как UTF-8
  --encoding utf-16   читать как UTF-16 (порядок байтов - по подписи или статистике)

Словари:
  -d ФАЙЛ, --dictionary ФАЙЛ           основной словарь (по умолчанию umlox.dat рядом с
                                       программой или в ../share/umlo)
  -r ФАЙЛ, --regexpr-dictionary ФАЙЛ   словарь регулярных выражений (umlo_regexpr.dat)

Настройки:
  --settings ФАЙЛ   читать настройки из ФАЙЛа вместо umlo.ini окна
Без --settings читается тот же umlo.ini, что и у окна (в папке программы или в
~/.config/umlo); umlo-cli его только читает. Из него берутся параметры ёфикации,
словари, WordsBufferLength, RegExprLog (журнал regexpr.log пишется рядом с
настройками) и ButtonHotKeys (клавиши ответов --interactive). Параметры командной
строки важнее файла.

Параметры страницы "Ёфикация" (по умолчанию - как в настройках):
  --regexprs / --no-regexprs                 использование словаря регулярных выражений (вкл.)
  --no-var-only                              только бесспорные замены
  --var-only                                 только интерактивные замены
  --check-umlo / --no-check-umlo             проверять расстановку "ё" (вкл.)
  --always-ask                               всегда подтверждать замену
  --confirm-abbr / --no-confirm-abbr         подтверждать замену для сокращений (вкл.)
  --confirm-cap                              подтверждать замену для имён собственных
  --confirm-ellipsis / --no-confirm-ellipsis подтверждать замену для оборванных слов (вкл.)
  --propose-last / --no-propose-last         предлагать последний вариант замены (вкл.)
  --fb-format                                учитывать формат "FictionBook"
  --fast-scroll                              быстрая промотка
  --lines-below N                            количество строк промотки
  --mark / --no-mark                         выделять заменённые буквы в RTF цветом (вкл.)

Ответы на вопросы:
  --answer keep        оставить слово, как написано (по умолчанию)
  --answer proposal    принять предложенный вариант (как Enter на панели)
  --answer plain       всегда "Е"
  --answer diaeresis   всегда "Ё"
  --interactive        спрашивать в терминале: 1 - Е, 2 - Ё, 3 - Всегда Е, 4 - Всегда Ё
                       (или клавиши ButtonHotKeys), 5 - Откат, Esc или q - Прервать,
                       Enter - предложенный вариант

Отчёты:
  --report ФАЙЛ   по строке на вопрос: строка, столбец, слово, Е-форма, Ё-форма, подсказка, ответ
  --stats ФАЙЛ    детальная статистика (как "Сохранить" в окне статистики)
)";
}

} // namespace umlo::cli
