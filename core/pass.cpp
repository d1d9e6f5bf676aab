#include "core/pass.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <utility>

#include "core/codepage.h"
#include "core/decision.h"
#include "core/statistics.h"
#include "core/words.h"

namespace umlo {

namespace {

// Read for every word the pass checks, where the precise clock costs as much
// as a dictionary lookup; batches of 100 ms need only the coarse one.
double SteadySeconds() {
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) == 0) {
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }
#endif
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Clears PassRunning and puts the window back even when the pass is left early.
class RunningPass {
public:
    explicit RunningPass(PassEngine& engine) : engine_(engine) {
        engine_.Flags().PassRunning = true;
        engine_.Window().ShowConfirmationPanel();
        engine_.Window().SetPassMenus(false);
    }
    ~RunningPass() {
        engine_.Flags().PassRunning = false;
        engine_.Window().SetPassMenus(true);
        engine_.Window().HideConfirmationPanel();
    }
    RunningPass(const RunningPass&) = delete;
    RunningPass& operator=(const RunningPass&) = delete;

private:
    PassEngine& engine_;
};

// Only the Latin letters, so that "<binary" is found as "<BINARY".
void UpperAscii(std::string_view in, std::string& out) {
    out.assign(in);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

// Appends numbers as printf's "%d" and "%0.Nf" would write them.
struct SummaryText {
    std::string text;
    SummaryText& Add(std::string_view s) {
        text += s;
        return *this;
    }
    SummaryText& Add(long long n) {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, n);
        text.append(buf, r.ptr);
        return *this;
    }
    SummaryText& Fixed(double x, int precision) {
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, precision);
        text.append(buf, r.ec == std::errc() ? r.ptr : buf);
        return *this;
    }
};

// How long the scan's letters may wait before the editor shows them; a
// window that takes long to show them (a very long paragraph is laid out
// whole) is given at least twice that long of work between two showings.
constexpr double kBatchSeconds = 0.1;

} // namespace

PassEngine::PassEngine(TDic& dic, TRegExprDic& regExprs, TOptions& options, TextBuffer& buffer,
                       PassHost& host)
    : dic_(dic), regExprs_(regExprs), options_(options), buffer_(buffer), host_(host),
      clock_(SteadySeconds) {}

void PassEngine::TakeStartTime() {
    startTime_ = clock_();
}

LineColumn PassEngine::CaretLineColumn() const {
    return buffer_.LineAndColumn(buffer_.SelStart());
}

void PassEngine::DoUmloficate(int line, int column) {
    if (flags_.PassRunning || flags_.CollectMode) {
        return; // the scan keeps its place on the stack; a second one would corrupt it
    }
    undo_.ClearUndo(host_);
    RunningPass running(*this);
    TakeStartTime();
    do {
        flags_.UndoRequested = false;
        ScanText(line, column);
        if (flags_.UndoRequested) {
            // Nothing to take back (an "Откат" without an answered change) ends
            // the pass instead of asking the same word for ever.
            if (!undo_.UndoStep(buffer_, host_)) {
                flags_.UndoRequested = false;
                break;
            }
            const LineColumn at = CaretLineColumn();
            line = at.line;
            column = at.column;
        }
    } while (flags_.UndoRequested);
}

void PassEngine::ScanText(int line, int column) {
    host_.WaitEscReleased();
    RefreshSummary();
    buffer_.SetBusyCursor(true);
    flags_.Stop = false;
    flags_.FictionBookStop = false;

    const int lineCount = buffer_.LineCount();
    if (line >= 0 && line < lineCount) {
        lines_.Forget();
        scanning_ = true;
        HoldUpdates();
        std::string_view text = lines_.ScanLine(line);
        const auto at = [&text](int col) {
            return static_cast<unsigned char>(text[static_cast<size_t>(col - 1)]);
        };
        // Started inside a word: the rest of that word is not examined.
        bool skipFirst = column > 1 && static_cast<size_t>(column) <= text.size() &&
                         IsLetter(at(column)) && IsLetter(at(column - 1));
        if (column < 1) {
            column = 1;
        }
        const int sectionStop = testing_ != nullptr ? testing_->SectionStop() : -1;
        for (int i = line; i < lineCount; ++i) {
            if (!options_.FastScroll && i > line) {
                buffer_.GotoOffset(buffer_.LineStart(i));
            } else {
                ShowCaretPosition(buffer_.SelStart());
            }
            if (i > line) {
                text = lines_.ScanLine(i);
            }
            ScanLine(i, text, column, skipFirst);
            if (flags_.Stop || flags_.FictionBookStop) {
                break;
            }
            column = 1;
            if (sectionStop >= 0 && i >= sectionStop) {
                break;
            }
        }
        ReleaseUpdates();
        scanning_ = false;
    }
    buffer_.SetBusyCursor(false);
    RefreshSummary();
}

void PassEngine::HoldUpdates() {
    if (!holdingUpdates_) {
        buffer_.BeginUpdate();
        holdingUpdates_ = true;
        batchStart_ = clock_();
    }
}

void PassEngine::ReleaseUpdates() {
    if (holdingUpdates_) {
        holdingUpdates_ = false;
        buffer_.EndUpdate();
    }
    if (caretDue_ >= 0) {
        ShowCaretPosition(std::exchange(caretDue_, -1));
    }
    if (summaryDue_) {
        RefreshSummary();
    }
}

void PassEngine::ShowBatchIfDue() {
    if (!holdingUpdates_) {
        return;
    }
    const double now = clock_();
    if (now - batchStart_ >= std::max(kBatchSeconds, 2 * showingCost_)) {
        ReleaseUpdates();
        host_.ShowProgress();
        HoldUpdates();
        showingCost_ = batchStart_ - now;
    }
}

Cp1251Lines& PassEngine::Lines() const {
    if (!scanning_) {
        lines_.Forget();
    }
    return lines_;
}

void PassEngine::ScanLine(int line, std::string_view text, int fromColumn, bool& skipFirst) {
    size_t end = text.size(); // 1-based position of the last byte scanned
    if (options_.FBFormat) {
        UpperAscii(text, upperBuffer_);
        const size_t p = PosFrom("<BINARY", upperBuffer_, static_cast<size_t>(fromColumn));
        if (p != 0) {
            end = p - 1;
            flags_.FictionBookStop = true;
        }
    }
    size_t wordStart = 0; // 1-based; 0 while no word is open
    for (size_t pos = static_cast<size_t>(fromColumn); pos <= end; ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos - 1]);
        if (IsLetter(byte)) {
            if (wordStart == 0) {
                wordStart = pos;
            }
            continue;
        }
        if (wordStart == 0) {
            continue;
        }
        if (!skipFirst) {
            CheckCandidate(line, static_cast<int>(pos), text.substr(wordStart - 1, pos - wordStart),
                           byte);
        }
        skipFirst = false;
        wordStart = 0;
        if (flags_.Stop) {
            return;
        }
    }
    if (wordStart != 0) {
        // The word runs to the end of the scanned part; its own last letter is
        // the byte after it, so it never looks like an abbreviation.
        const std::string_view word = text.substr(wordStart - 1, end + 1 - wordStart);
        if (!skipFirst) {
            CheckCandidate(line, static_cast<int>(end + 1), word,
                           static_cast<unsigned char>(word.back()));
        }
        skipFirst = false;
    }
}

void PassEngine::CheckCandidate(int line, int positionAfterWord, std::string_view word,
                                unsigned char nextByte) {
    if (!IsCandidateWord(word, flags_.CollectMode, options_.CheckUmlo)) {
        return;
    }
    const int start =
        buffer_.LineStart(line) + positionAfterWord - 1 - static_cast<int>(word.size());
    flags_.AbbrAheadFlag =
        options_.ToConfirmAbbr && AbbreviationAhead(nextByte, line, positionAfterWord);
    flags_.EllipsisAheadFlag = options_.ToConfirmEllipsis && EllipsisAhead(line, positionAfterWord);
    // The decision may change the word's letters in the line it comes from.
    word_.assign(word);
    CheckWord(start, word_);
    ShowBatchIfDue();
    if (!flags_.Stop && host_.EscPressed()) {
        flags_.Stop = true;
    }
}

bool PassEngine::AbbreviationAhead(unsigned char nextByte, int line, int positionAfterWord) const {
    if (nextByte != '.') {
        return false;
    }
    Cp1251Lines& lines = Lines();
    const int lineCount = lines.LineCount();
    if (line < 0 || line >= lineCount) {
        return false;
    }
    std::string_view text = lines.Line(line);
    size_t pos = static_cast<size_t>(std::max(positionAfterWord, 0)) + 1;
    for (;;) {
        while (pos > text.size()) {
            if (++line >= lineCount) {
                return false;
            }
            text = lines.Line(line);
            pos = 1;
        }
        const auto byte = static_cast<unsigned char>(text[pos - 1]);
        if (IsLowerLetter(byte)) {
            return true;
        }
        if (!IsSeparator(byte)) {
            return false;
        }
        ++pos;
    }
}

bool PassEngine::EllipsisAhead(int line, int positionAfterWord) const {
    Cp1251Lines& lines = Lines();
    if (line < 0 || line >= lines.LineCount() || positionAfterWord < 1) {
        return false;
    }
    const std::string_view text = lines.Line(line);
    const size_t from = static_cast<size_t>(positionAfterWord - 1);
    if (from >= text.size()) {
        return false;
    }
    // "…" is the one character that becomes byte 85 in cp1251.
    const std::string_view ahead = text.substr(from, 3);
    return ahead == "..." || ahead.front() == '\x85';
}

void PassEngine::CheckWord(int startOffset, std::string_view word) {
    if (word.size() <= 1 || !HasAnyE(word)) {
        return;
    }
    flags_.Stop = false;
    if (HasDiaeresisE(word) && !options_.CheckUmlo) {
        return;
    }
    const Decision d = DecideWord(*this, word, startOffset);
    if (d.stop) {
        flags_.Stop = true;
        return;
    }
    const bool changed = !d.replacement.empty();
    ++counters_.Decided;
    ++(changed ? counters_.DecidedChanged : counters_.DecidedKept);
    if (flags_.AskedFlag) {
        ++counters_.Asked;
        ++(changed ? counters_.AskedChanged : counters_.AskedKept);
    }
    if (d.misplaced) {
        ++counters_.MisplacedCount;
    }
    RecordWordStatistics(dic_, startOffset, word, d.index, d.replacement);
    if (changed) {
        ApplyReplacement(startOffset, word, d.replacement);
    }
    RefreshSummary();
}

void PassEngine::ApplyReplacement(int startOffset, std::string_view oldWord,
                                  std::string_view newWord) {
    if (oldWord.size() != newWord.size()) {
        return; // only single letters are ever exchanged
    }
    LetterColors colors;
    if (options_.Mark) {
        colors.text = options_.ColorMark;
        if (options_.ColorBackMark != kWhite) {
            colors.back = options_.ColorBackMark;
        }
    }
    for (size_t k = 0; k < oldWord.size(); ++k) {
        if (oldWord[k] == newWord[k]) {
            continue;
        }
        const int offset = startOffset + static_cast<int>(k);
        // The letter's own colour, so that undo gives it back unchanged even
        // when the letter before it was just marked; only answered changes
        // are undone.
        const Color oldColor = flags_.AskedFlag ? buffer_.FormatAt(offset).text : Color{};
        const char16_t letter = Cp1251ToUtf16Char(static_cast<unsigned char>(newWord[k]));
        if (!buffer_.ReplaceLetter(offset, letter, colors)) {
            continue; // a refused change is neither undoable nor a replacement
        }
        lines_.Patch(offset, newWord[k]);
        if (flags_.AskedFlag) {
            undo_.PushUndo(host_, UndoRecord{startOffset, offset, oldColor, oldWord[k],
                                             std::string(oldWord), std::string(newWord)});
        }
        if (positions_.empty() || positions_.back() <= offset + 1) {
            positions_.push_back(offset + 1); // the scan runs forward
        } else {
            const auto it = std::upper_bound(positions_.begin(), positions_.end(), offset + 1);
            positions_.insert(it, offset + 1);
        }
    }
}

std::string PassEngine::RunSummary() const {
    const double seconds = clock_() - startTime_;
    // Replacements (or collected words) per second, rounded half to even.
    const auto perSecond = [seconds](std::int32_t count) {
        if (!(seconds > 0)) {
            return 0LL;
        }
        const double rate = std::nearbyint(count / seconds);
        return rate < 1e18 ? static_cast<long long>(rate) : 1000000000000000000LL;
    };
    // Rebuilt after every examined word, so formatted without printf.
    SummaryText t;
    if (flags_.CollectMode) {
        t.Add("Найдено новых Ё: ").Add(counters_.NewWordCount).Add("; время: ").Fixed(seconds, 2);
        t.Add(" с; скорость: ").Add(perSecond(counters_.NewWordCount)).Add(" Ё/с");
        return t.text;
    }
    const RunCounters& c = counters_;
    const long long consulted = static_cast<long long>(c.RegExprHits) + c.RegExprMisses;
    const double req =
        consulted != 0 ? 100.0 * c.RegExprHits / static_cast<double>(consulted) : 0.0;
    t.Add(c.Decided).Add("=").Add(c.DecidedChanged).Add("+").Add(c.DecidedKept);
    t.Add("  A:").Add(c.Asked).Add("=").Add(c.AskedChanged).Add("+").Add(c.AskedKept);
    t.Add("  RE:").Add(c.RegExprHits).Add("=").Add(c.RegExprHitsChanged).Add("+");
    t.Add(c.RegExprHitsKept).Add("  REQ:").Fixed(req, 1).Add("%  E:").Add(c.MisplacedCount);
    t.Add("  T:").Fixed(seconds, 2).Add("  S:").Add(perSecond(c.DecidedChanged));
    return t.text;
}

std::string PassEngine::SummaryTooltip() {
    return "t=t1+t2 - полное число проверок (t1 - с заменой, t2 - без замены)\r\n"
           "A=a1+a2 - число проверок слов с запросом (a1 - с заменой, a2 - без замены)\r\n"
           "RE=r1+r2 - число применений СРВ (r1 - с заменой, r2 - без замены)\r\n"
           "REQ - эффективность СРВ\r\n"
           "E - число замен Ё на Е\r\n"
           "T - время работы (сек)\r\n"
           "S - скорость работы (замен/сек)";
}

void PassEngine::RefreshSummary() {
    summaryDue_ = holdingUpdates_;
    if (!holdingUpdates_) {
        host_.SetStatusText(1, RunSummary());
    }
}

void PassEngine::ShowCaretPosition(int offset) {
    if (holdingUpdates_) {
        caretDue_ = offset;
        return;
    }
    const LineColumn at = buffer_.LineAndColumn(offset);
    char text[64];
    std::snprintf(text, sizeof text, "%d:%d (%d)", at.line + 1, at.column, buffer_.LineCount());
    host_.SetStatusText(0, text);
}

void PassEngine::GotoAndShow(int offset) {
    buffer_.GotoOffset(offset);
    ShowCaretPosition(buffer_.SelStart());
}

int PassEngine::AskUser(std::string_view plainForm, std::string_view diaeresisForm,
                        bool proposePlain, bool misplaced, bool strange, bool suggest) {
    if (testing_ != nullptr) {
        const int answer = testing_->AutoAnswer(plainForm, diaeresisForm, misplaced);
        if (answer != 0) {
            return answer;
        }
    }
    AskQuestion q;
    q.plainForm = Cp1251ToUtf8(plainForm);
    q.diaeresisForm = Cp1251ToUtf8(diaeresisForm);
    q.proposePlain = proposePlain;
    q.misplaced = misplaced;
    q.strange = strange;
    q.suggest = suggest;
    q.prompt = AskPrompt(misplaced, strange, suggest);
    q.promptWarning = misplaced || suggest;
    q.alwaysEnabled = !misplaced;
    q.undoEnabled = undo_.UndoAvailable();
    q.undoCaption = Cp1251ToUtf8(undo_.UndoCaption());
    q.wordStart = buffer_.SelStart();
    q.wordLength = buffer_.SelLength();

    buffer_.SetBusyCursor(false);
    const bool wasReadOnly = buffer_.ReadOnly();
    buffer_.SetReadOnly(true);
    // The user sees the whole text as it stands while the question waits.
    const bool held = holdingUpdates_;
    ReleaseUpdates();
    int answer = host_.AskUser(q);
    if (held) {
        HoldUpdates();
    }
    buffer_.SetReadOnly(wasReadOnly);
    buffer_.SetBusyCursor(true);
    switch (answer) {
    case AnswerPlain:
    case AnswerDiaeresis:
    case AnswerUndo:
    case AnswerCancel:
        break;
    case AnswerPlainAlways:
    case AnswerDiaeresisAlways:
        if (!misplaced) {
            break;
        }
        [[fallthrough]];
    default:
        // Anything else (or "always" where it is not offered) stops the pass
        // rather than guessing a letter.
        answer = AnswerCancel;
        break;
    }
    if (testing_ != nullptr) {
        testing_->AnswerShown(answer);
    }
    return answer;
}

RegExprVerdict PassEngine::ApplyRegExprs(std::string_view word, int startOffset,
                                         std::string_view plainForm,
                                         std::string_view diaeresisForm) {
    RegExprLog* log = nullptr;
    if (regExprSettings_.log) {
        if (!regExprLog_ || regExprLog_->Path() != regExprSettings_.logPath) {
            regExprLog_.emplace(regExprSettings_.logPath);
        }
        log = &*regExprLog_;
    }
    RegExprApplication app{buffer_,
                           regExprs_,
                           counters_,
                           host_,
                           regExprSettings_.wordsBufferLength,
                           log,
                           regExprSettings_.textPath,
                           &Lines()};
    return umlo::ApplyRegExprs(app, word, startOffset, plainForm, diaeresisForm);
}

} // namespace umlo
