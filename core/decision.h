// The rules that settle one examined word: change it silently, put it to the
// user on the confirmation panel and follow the answer, or leave it.
#pragma once

#include <string>
#include <string_view>

#include "core/main_dictionary.h"
#include "core/pass_host.h"

namespace umlo {

class PassEngine;

struct Decision {
    std::string replacement; // cp1251; empty for no change
    bool misplaced = false;  // MisplacedDiaeresis
    int index = -1;          // dictionary entry, -1 when not found
    bool stop = false;       // the pass stops; the word is not counted
};

// w exactly as written in the text (cp1251), startOffset its text offset.
// Sets AskedFlag and UndoRequested of the engine and may change the entry's
// remembered answers, the counters and the collected words.
Decision DecideWord(PassEngine& engine, std::string_view w, int startOffset);

// "Сбросить "Всегда Е/Ё"" (Clearusersel1): forgets every "always" answer and
// disables itself.
void Clearusersel1Click(TDic& dic, Host& host);

// The panel's prompt for a question (UTF-8).
std::string AskPrompt(bool misplaced, bool strange, bool suggest);

} // namespace umlo
