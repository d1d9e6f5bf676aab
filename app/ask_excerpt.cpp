#include "app/ask_excerpt.h"

namespace umlo {

std::string AnswerCaption(std::string_view form, std::string_view key) {
    std::string out(form);
    out += " (&";
    out += key;
    out += ")";
    return out;
}

} // namespace umlo
