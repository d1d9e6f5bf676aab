#include "core/decision.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/pass.h"
#include "core/words.h"

namespace umlo {

std::string AskPrompt(bool misplaced, bool strange, bool suggest) {
    if (strange) {
        return "Странное расположение \"Ё\"";
    }
    if (misplaced) {
        return "Вероятно, здесь должна быть \"Е\"";
    }
    if (suggest) {
        return "Вероятно, здесь должна быть \"Ё\"";
    }
    return "Выберите верный вариант";
}

void Clearusersel1Click(TDic& dic, Host& host) {
    dic.ClearAlwaysChoices();
    host.EnableCommand("Clearusersel1", false);
}

namespace {

// The user's answer for a word put on the panel; WordVerdict −1 on a stop.
int Ask(PassEngine& engine, int index, int startOffset, const std::string& plainForm,
        const std::string& diaeresisForm, int verdict, bool hasDiaeresis, bool misplaced,
        bool strange, bool suggest) {
    TextBuffer& buffer = engine.Buffer();
    const TOptions& options = engine.Options();
    PassFlags& flags = engine.Flags();

    // Show the word with up to LinesBelow lines of text below it.
    // The count comes from the settings file or the dialog: a huge or
    // negative value must neither overflow nor point outside the text.
    const int line = buffer.LineAndColumn(startOffset).line;
    const long long below =
        std::clamp<long long>(static_cast<long long>(line) + std::max(0, options.LinesBelow), line,
                              std::max(line, buffer.LineCount() - 1));
    engine.GotoAndShow(buffer.LineStart(static_cast<int>(below)));
    engine.GotoAndShow(startOffset);
    buffer.SetSelLength(static_cast<int>(plainForm.size()));

    bool proposePlain;
    if (verdict != 0 && options.ProposeLast && !misplaced) {
        proposePlain = verdict == kPlainForm;
    } else {
        proposePlain = !hasDiaeresis || misplaced;
    }
    int answer =
        engine.AskUser(plainForm, diaeresisForm, proposePlain, misplaced, strange, suggest);
    if (answer == AnswerPlainAlways || answer == AnswerDiaeresisAlways) {
        engine.Window().EnableCommand("Clearusersel1", true);
        const bool plain = answer == AnswerPlainAlways;
        engine.Dictionary().SetAlwaysChoice(index, plain ? kPlainForm : kDiaeresisForm);
        answer = plain ? AnswerPlain : AnswerDiaeresis;
    }
    flags.AskedFlag = true;
    buffer.SetSelLength(0);
    flags.UndoRequested = answer == AnswerUndo;
    switch (answer) {
    case AnswerPlain:
        verdict = kPlainForm;
        break;
    case AnswerDiaeresis:
        verdict = kDiaeresisForm;
        break;
    default:
        verdict = kStopPass;
        break;
    }
    if (index >= 0 && verdict > 0) {
        engine.Dictionary().SetLastAnswer(index, verdict);
    }
    return verdict;
}

} // namespace

Decision DecideWord(PassEngine& engine, std::string_view w, int startOffset) {
    const TOptions& options = engine.Options();
    PassFlags& flags = engine.Flags();
    Decision d;

    flags.UndoRequested = false;
    flags.AskedFlag = false;
    if (!options.FastScroll) {
        engine.GotoAndShow(startOffset);
    }
    std::string plainForm = EKey(w);
    const LookupResult found = engine.Dictionary().LookupWord(plainForm);
    d.index = found.index;
    const bool inDictionary = found.index >= 0;
    std::string diaeresisForm = found.DiaeresisForm;
    int verdict = found.WordVerdict;
    const bool capital = !w.empty() && IsUpperLetter(static_cast<unsigned char>(w.front()));
    bool needsAsk = found.NeedsAsk ||
                    (inDictionary && (flags.AbbrAheadFlag || flags.EllipsisAheadFlag)) ||
                    (inDictionary && options.ToConfirmCap && capital && !found.HasAlways);
    const bool hasDiaeresis = HasDiaeresisE(w);
    const bool misplaced = hasDiaeresis && LowerCase(diaeresisForm) != LowerCase(w);
    d.misplaced = misplaced;
    const bool strange = misplaced && inDictionary;
    const bool suggest = !hasDiaeresis && !needsAsk && verdict == kDiaeresisForm;
    if (strange) {
        plainForm = TransferCase(diaeresisForm, w);
    }
    if ((!inDictionary && hasDiaeresis) || strange) {
        diaeresisForm = std::string(w);
    }
    diaeresisForm = TransferCase(diaeresisForm, w);

    if (flags.CollectMode) {
        if (misplaced) {
            ++engine.Counters().NewWordCount;
            engine.Window().AppendToWordWindow(Cp1251ToUtf8(diaeresisForm));
        }
        return d;
    }
    if (!needsAsk && options.VarOnly && !misplaced) {
        return d;
    }
    if (options.RegExprs && needsAsk) {
        const RegExprVerdict re = engine.ApplyRegExprs(w, startOffset, plainForm, diaeresisForm);
        if (re.settled) {
            needsAsk = false;
            verdict = re.verdict;
            const bool changes = (verdict == kPlainForm && w == diaeresisForm) ||
                                 (verdict == kDiaeresisForm && w == plainForm);
            ++(changes ? engine.Counters().RegExprHitsChanged : engine.Counters().RegExprHitsKept);
        }
    }
    if (needsAsk && options.NoVarOnly) {
        return d;
    }
    if (misplaced) {
        if (options.NoVarOnly) {
            return d;
        }
        needsAsk = true; // a misplaced ё is never changed silently
    }
    if (!needsAsk && options.AlwaysAsk && inDictionary) {
        needsAsk = true;
    }
    flags.AskedFlag = false;
    if (needsAsk) {
        verdict = Ask(engine, d.index, startOffset, plainForm, diaeresisForm, verdict, hasDiaeresis,
                      misplaced, strange, suggest);
    }
    if (verdict == kPlainForm) {
        d.replacement = plainForm;
    } else if (verdict == kDiaeresisForm) {
        d.replacement = diaeresisForm;
    } else {
        d.stop = true;
    }
    if (d.replacement == w) {
        d.replacement.clear();
    }
    return d;
}

} // namespace umlo
