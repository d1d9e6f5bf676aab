#include "core/self_test_data.h"

#include <array>

namespace umlo {
namespace {

constexpr std::array<TestEntry, 18> kEntries = {{
    {"Алёша", false},
    {"всё", true},
    {"двухрублёвая", false},
    {"двухрублёвые", false},
    {"двухрублёвый", false},
    {"ещё", false},
    {"киносъёмка", false},
    {"Лёвин", true},
    {"Лёвина", true},
    {"лёт", true},
    {"мёд", false},
    {"полёт", true},
    {"съёмка", false},
    {"Тёр", true},
    {"тёр", false},
    {"трёхведёрный", false},
    {"фотосъёмка", false},
    {"чём", true},
}};

constexpr std::array<std::string_view, 4> kRegExprs = {
    "\\d+ лет",
    "всё-таки",
    "о чём",
    "Тер-[А-Я]",
};

constexpr std::array<std::string_view, 15> kMainSection = {
    "дед дед Дед ДЕД дед",
    "вс[её1] вс[ее0] Вс[её1] ВС[ЕЁ1] вс[её1]",
    "ещ[её] ещ[её] Ещ[её] ЕЩ[ЕЁ] ещ[её]",
    "двухрубл[её]вый Двухрубл[её]вая ДВУХРУБЛ[ЕЁ]ВЫЕ",
    "съ[её]мка Киносъ[её]мка ФОТОСЪ[ЕЁ]МКА",
    "пол[её1]т ПОЛ[ЕЕ0]Т ГРЯДКУ Пол[её1]т",
    "левин Л[её1]вин Л[её1]вина Л[ЕЁ1]ВИН лЕвИн",
    "прив[ёе0]т Прив[ёе0]т ПРИВ[ЁЕ0]Т",
    "вс[её]-таки Вс[её]-таки вс[её]-",
    "таки л[её1]т 125 л[ее]т",
    // Mixed separators: two and three spaces, a tab and a no-break space.
    "ч[ее0]м о  ч[её]м  О   Ч[ЕЁ]М о\t\u00A0 ч[её]м",
    "Ал[её]ша АЛ[ЕЁ]ША алеша аЛеШа",
    "т[её]р Тер-Петросян т[её]р-петросян",
    "трёхведёрный тр[её]хвед[её]рный Тр[её]хв[ёе0]дёрный ТРЁХВ[ЁЕ0]ДЁРНЫЙ",
    "м[её]д м[ее0]д. училище. М[её]д. Это продолжение. оШибка",
};

constexpr std::array<std::string_view, 11> kOneLineSections = {
    "Проверка RTF: Ещ[её]",
    "Без проверки Ё: привёт",
    "Безусловные: все ещ[её]",
    "Только интерактивные: вс[её1] еще прив[ёе0]т",
    "Без анализа RE: вс[её1]-таки",
    "Всегда спрашивать: ещ[ее0] ещ[её1]",
    "Всегда подтверждать имена собственные: мёд М[ее0]д М[её1]д",
    "Без формата FB: <BINARY ...> ещ[её]",
    "С форматом FB: <BINARY ...> еще",
    "Не подтверждать оборванные: ещ[её]... ещ[её]…",
    "Всегда подтверждать оборванные: ещ[её1]... ещ[ее0]…",
};

} // namespace

std::span<const TestEntry> TestDictionaryEntries() {
    return kEntries;
}
std::span<const std::string_view> TestRegExprLines() {
    return kRegExprs;
}

TestText BuiltInTestText() {
    return {{kMainSection.begin(), kMainSection.end()},
            {kOneLineSections.begin(), kOneLineSections.end()}};
}

void ChangeOptionsForRun(int run, TOptions& o) {
    switch (run) {
    case 1:
        o.CheckUmlo = false;
        break;
    case 2:
        o.CheckUmlo = true;
        o.NoVarOnly = true;
        break;
    case 3:
        o.NoVarOnly = false;
        o.VarOnly = true;
        break;
    case 4:
        o.VarOnly = false;
        o.RegExprs = false; // stays off for the later runs
        break;
    case 5:
        o.AlwaysAsk = true;
        break;
    case 6:
        o.AlwaysAsk = false;
        o.ToConfirmCap = true;
        break;
    case 7:
        o.ToConfirmCap = false;
        o.FBFormat = false;
        break;
    case 8:
        o.FBFormat = true;
        break;
    case 9:
        o.ToConfirmEllipsis = false;
        break;
    case 10:
        o.ToConfirmEllipsis = true;
        break;
    default:
        break;
    }
}

} // namespace umlo
