// Collecting new ё-words: the words of a text written with ё that the main
// dictionary does not know in that form go to the dictionary editor's word
// window for review.
#pragma once

namespace umlo {

class PassEngine;

// "Сбор новых Ё" (Umlocollect1): takes the start time, then collects.
void Umlocollect1(PassEngine& engine);
// Scans from the caret with the collection flag set; CheckUmlo and RegExprs
// are switched on and off for the scan and restored afterwards. Does nothing
// while a pass or a collection runs already.
void CollectNewWords(PassEngine& engine);

} // namespace umlo
