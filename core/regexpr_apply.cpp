#include "core/regexpr_apply.h"

#include "core/codepage.h"
#include "core/regexpr_prefilter.h"
#include "core/words.h"

namespace umlo {

int TryExpression(TRegExprDic& dic, int k, const WordContext& context, std::string_view word,
                  std::string_view plainForm, std::string_view diaeresisForm) {
    RegexMatcher& matcher = dic.Compiled(k);
    if (!matcher.SetCaseless(!dic.CaseSensitive(k))) {
        return 0;
    }
    const std::string& source = dic.Source(k);
    const std::vector<int>& deciding = dic.Deciding(k);
    const std::string& x = context.text;
    const size_t wordFrom = static_cast<size_t>(context.offset);
    const size_t wordTo = wordFrom + word.size();

    // The working copy is made at the first match only: most expressions
    // never match a given context.
    std::string y;
    bool copied = false;
    RegexMatch match;
    size_t start = 0;
    while (start <= x.size() && matcher.Match(x, start, match)) {
        if (!copied) {
            y = x;
            copied = true;
        }
        size_t j = 0;
        bool inWord = false;
        for (int g = 1; g <= match.HighestGroup(); ++g) {
            const RegexGroup& group = match.groups[static_cast<size_t>(g)];
            if (!group.Matched() || group.length != 1) {
                continue;
            }
            const auto place = static_cast<size_t>(group.pos);
            if (!IsAnyE(static_cast<unsigned char>(x[place]))) {
                continue;
            }
            // Groups beyond the line's own е and ё letters change nothing.
            if (j >= deciding.size()) {
                continue;
            }
            y[place] = source[static_cast<size_t>(deciding[j])];
            ++j;
            if (place >= wordFrom && place < wordTo) {
                inWord = true;
            }
        }
        y = TransferCase(y, x);
        if (inWord) {
            const std::string_view candidate = std::string_view(y).substr(wordFrom, word.size());
            if (candidate == plainForm) {
                return 1;
            }
            if (candidate == diaeresisForm) {
                return 2;
            }
        }
        start = match.Length() == 0 ? match.End() + 1 : match.End();
    }
    return 0;
}

namespace {

void WriteLogLine(RegExprApplication& app, int k, const LineColumn& place,
                  const WordContext& context, std::string_view word, std::string_view variant) {
    RegExprLog& log = *app.log;
    if (log.Suspended()) {
        return;
    }
    const std::string line = RegExprLogLine(place.line, place.column, context.text, context.offset,
                                            word, variant, app.dictionary.Expression(k));
    std::string error;
    if (!log.Write(line, app.textPath, error)) {
        // One message for the fault, not one for every later word.
        log.Suspend();
        app.host.ShowError(IsValidUtf8(error) ? error : Cp1251ToUtf8(error));
    }
}

} // namespace

RegExprVerdict ApplyRegExprs(RegExprApplication& app, std::string_view word, int position,
                             std::string_view plainForm, std::string_view diaeresisForm) {
    TRegExprDic& dic = app.dictionary;
    if (dic.Count() > 0) {
        const LineColumn place = app.buffer.LineAndColumn(position);
        const int halfWords = app.wordsBufferLength / 2;
        const WordContext context =
            app.lines != nullptr
                ? BuildWordContext(*app.lines, place.line, place.column, word, halfWords)
                : BuildWordContext(app.buffer, place.line, place.column, word, halfWords);
        const std::string folded = FoldForPrefilter(context.text);
        const LetterPairs pairs(folded);
        for (int k = 0; k < dic.Count(); ++k) {
            const std::string& required = dic.Required(k);
            if (!required.empty() && (!pairs.Covers(dic.RequiredPairs(k)) ||
                                      folded.find(required) == std::string::npos)) {
                continue; // cannot match this context
            }
            const int choice = TryExpression(dic, k, context, word, plainForm, diaeresisForm);
            if (choice == 0) {
                continue;
            }
            dic.AddUse(k);
            ++app.counters.RegExprHits;
            if (app.log != nullptr) {
                WriteLogLine(app, k, place, context, word, choice == 1 ? plainForm : diaeresisForm);
            }
            return {true, choice};
        }
    }
    ++app.counters.RegExprMisses;
    return {false, 0};
}

} // namespace umlo
