// The confirmation panel's pieces that need no window: the captions of the
// answer buttons (the excerpt around the asked word is core/ask_context.h).
#pragma once

#include <string>
#include <string_view>

#include "core/ask_context.h"

namespace umlo {

// "<form> (&<key>)": the form or base caption with its accelerator.
std::string AnswerCaption(std::string_view form, std::string_view key);

} // namespace umlo
