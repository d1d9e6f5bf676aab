// Settling a doubtful word by its neighbours: the regular-expression
// dictionary is run over a short stretch of text around the word, and the
// first expression that turns the word into its е-form or its ё-form decides.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"
#include "core/regexpr_dictionary.h"
#include "core/regexpr_log.h"
#include "core/run_counters.h"
#include "core/word_context.h"
#include "documents/text_buffer.h"

namespace umlo {

struct RegExprVerdict {
    bool settled = false;
    int verdict = 0; // WordVerdict: 1 the е-form, 2 the ё-form, 0 not settled
};

// The verdict (0, 1 or 2) of expression k of the dictionary over one context.
int TryExpression(TRegExprDic& dic, int k, const WordContext& context, std::string_view word,
                  std::string_view plainForm, std::string_view diaeresisForm);

// Everything one consultation reads and raises. Cheap to build for each call.
struct RegExprApplication {
    const TextBuffer& buffer;
    TRegExprDic& dictionary;
    RunCounters& counters;          // RegExprHits and RegExprMisses are raised here
    Host& host;                     // reports a failure to write the log
    int wordsBufferLength = 5;      // the setting; half of it, truncated, is taken each side
    RegExprLog* log = nullptr;      // null while the setting RegExprLog is off
    std::string_view textPath = {}; // path of the text in the editor, for the log
    Cp1251Lines* lines = nullptr;   // the scan's converted lines; null reads the buffer
};

// word exactly as in the text (cp1251), position its 0-based offset in the
// buffer, plainForm its е-form and diaeresisForm its ё-form in the word's case.
RegExprVerdict ApplyRegExprs(RegExprApplication& app, std::string_view word, int position,
                             std::string_view plainForm, std::string_view diaeresisForm);

} // namespace umlo
