// The ё-restoration pass: walks the text word by word from a line and column,
// hands every candidate word to the decision rules, writes and marks the
// changed letters, records them for undo and for the search for replacements,
// and keeps the running counters. The same scan serves new-word collection.
//
// One PassEngine holds the whole state of the pass for the program's run; the
// window, the command-line tool and the self-test drive it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251_lines.h"
#include "core/main_dictionary.h"
#include "core/options.h"
#include "core/pass_host.h"
#include "core/regexpr_apply.h"
#include "core/regexpr_dictionary.h"
#include "core/regexpr_log.h"
#include "core/run_counters.h"
#include "core/undo.h"
#include "documents/text_buffer.h"

namespace umlo {

// What the self-test needs of the pass (absent outside testing mode).
class TestingHooks {
public:
    virtual ~TestingHooks() = default;
    // Before a question is shown: an answer code to take without showing it,
    // or 0 to show the question. The forms are cp1251.
    virtual int AutoAnswer(std::string_view plainForm, std::string_view diaeresisForm,
                           bool misplaced) = 0;
    // The answer the user gave on a question that was shown.
    virtual void AnswerShown(int answer) = 0;
    // The scan ends after the first line whose index reaches this; -1 for none.
    virtual int SectionStop() const = 0;
};

// How the regular-expression dictionary is applied (settings outside TOptions).
struct RegExprSettings {
    int wordsBufferLength = 5; // WordsBufferLength; half of it is taken each side
    bool log = false;          // RegExprLog
    std::string logPath;       // "regexpr.log" in the program folder
    std::string textPath;      // path of the text in the editor, for the log
};

// Flags of the pass (all start false).
struct PassFlags {
    bool PassRunning = false;
    bool CollectMode = false;
    bool AskedFlag = false;
    bool UndoRequested = false;
    bool AbbrAheadFlag = false;
    bool EllipsisAheadFlag = false;
    bool Stop = false;
    bool FictionBookStop = false;
};

class PassEngine {
public:
    // Seconds on some steady clock; tests replace it.
    using Clock = std::function<double()>;

    PassEngine(TDic& dic, TRegExprDic& regExprs, TOptions& options, TextBuffer& buffer,
               PassHost& host);

    // "Ёфицировать с начала текста": DoUmloficate(0, 1).
    // Does nothing while a pass or a collection runs already.
    // "Ёфицировать с текущей позиции": DoUmloficate at CaretLineColumn().
    void DoUmloficate(int line, int column);
    LineColumn CaretLineColumn() const;
    // The scanning loop from a line and a 1-based column to the end of the text.
    void ScanText(int line, int column);

    // Pieces of the scan (line 0-based, positions 1-based in the cp1251 line).
    void CheckCandidate(int line, int positionAfterWord, std::string_view word,
                        unsigned char nextByte);
    void CheckWord(int startOffset, std::string_view word);
    bool AbbreviationAhead(unsigned char nextByte, int line, int positionAfterWord) const;
    bool EllipsisAhead(int line, int positionAfterWord) const;
    void ApplyReplacement(int startOffset, std::string_view oldWord, std::string_view newWord);

    // The status-bar summary (UTF-8), and setting it into panel 1.
    static std::string SummaryTooltip();
    std::string RunSummary() const;
    void RefreshSummary();
    void TakeStartTime();

    // Caret position indicator in panel 0: "line:column (lines)".
    void ShowCaretPosition(int offset);
    void GotoAndShow(int offset);

    // The question of the decision rules, with the self-test's auto-answer.
    int AskUser(std::string_view plainForm, std::string_view diaeresisForm, bool proposePlain,
                bool misplaced, bool strange, bool suggest);
    RegExprVerdict ApplyRegExprs(std::string_view word, int startOffset, std::string_view plainForm,
                                 std::string_view diaeresisForm);

    TDic& Dictionary() { return dic_; }
    TRegExprDic& RegExprDictionary() { return regExprs_; }
    TOptions& Options() { return options_; }
    TextBuffer& Buffer() { return buffer_; }
    PassHost& Window() { return host_; }

    PassFlags& Flags() { return flags_; }
    const PassFlags& Flags() const { return flags_; }
    RunCounters& Counters() { return counters_; }
    const RunCounters& Counters() const { return counters_; }
    UndoStack& Undo() { return undo_; }
    // Ascending text offsets + 1 of every letter the pass changed.
    const std::vector<std::int32_t>& ReplacementPositions() const { return positions_; }
    void ClearReplacementPositions() { positions_.clear(); }
    // A key typed into the editor, a text loaded or the text window cleared:
    // the changed letters can no longer be found or taken back.
    void ForgetReplacements() {
        undo_.ClearUndo(host_);
        positions_.clear();
    }
    // "Откат" outside a pass (Ctrl+Z): one letter back.
    bool UndoStep() { return undo_.UndoStep(buffer_, host_); }

    struct RegExprSettings& RegExprConfig() {
        return regExprSettings_;
    }
    void SetTestingHooks(TestingHooks* hooks) { testing_ = hooks; }
    TestingHooks* Testing() const { return testing_; }
    void SetClock(Clock clock) { clock_ = std::move(clock); }

private:
    void ScanLine(int line, std::string_view text, int fromColumn, bool& skipFirst);
    // The scan's letters reach the buffer in batches under its update lock,
    // let go before a question, at the end and every kBatchSeconds, so that
    // an editor lays out and paints once a batch rather than once a letter.
    void HoldUpdates();
    void ReleaseUpdates();
    void ShowBatchIfDue();
    // The look-arounds read the scan's converted lines; outside a scan the
    // buffer may have changed since, so they read it afresh.
    Cp1251Lines& Lines() const;

    TDic& dic_;
    TRegExprDic& regExprs_;
    TOptions& options_;
    TextBuffer& buffer_;
    PassHost& host_;

    PassFlags flags_;
    RunCounters counters_;
    UndoStack undo_;
    std::vector<std::int32_t> positions_;
    RegExprSettings regExprSettings_;
    std::optional<RegExprLog> regExprLog_;
    TestingHooks* testing_ = nullptr;
    Clock clock_;
    double startTime_ = 0;
    mutable Cp1251Lines lines_{buffer_};
    bool scanning_ = false;
    bool holdingUpdates_ = false;
    double batchStart_ = 0;
    double showingCost_ = 0; // seconds the last showing of a batch took
    // While a batch is held nobody sees the status bar: its texts wait for
    // the batch to be shown.
    bool summaryDue_ = false;
    int caretDue_ = -1;
    std::string word_;        // the word being decided, apart from the line it came from
    std::string upperBuffer_; // the scan line with Latin capitals, for "<BINARY"
};

} // namespace umlo
