// Plain and regular-expression search forward from the selection, and the
// jumps between the places where a pass changed a letter. Searching never
// changes the text; it only moves the selection.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/regex_matcher.h"
#include "documents/text_buffer.h"

namespace umlo {

// What the search needs of the window: the one modeless find dialog, the
// keyboard focus and the caption of "Найти снова".
class SearchUi {
public:
    virtual ~SearchUi() = default;
    virtual std::string SearchText() const = 0; // cp1251
    virtual bool MatchCase() const = 0;
    virtual bool WholeWord() const = 0;
    virtual void SetWholeWordVisible(bool visible) = 0;
    // Shows the dialog beside the main window, or brings it back to the front.
    virtual void ShowFindDialog() = 0;
    virtual void FocusTarget(TextBuffer& target) = 0;
    virtual void SetFindAgainCaption(std::string_view caption) = 0; // UTF-8
};

struct SearchHit {
    int offset = 0;
    int length = 0;
    friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

// The first occurrence of needle in text at or after start. Case-blind unless
// matchCase (Russian and Latin letters); with wholeWord the characters on
// either side must not be letters or digits.
std::optional<SearchHit> FindPlain(std::u16string_view text, std::u16string_view needle, int start,
                                   bool matchCase, bool wholeWord);

// The first match of a compiled matcher in the cp1251 view of text, at or after
// start.
std::optional<SearchHit> FindRegExpr(RegexMatcher& matcher, std::u16string_view text, int start);

// The caret's next place among the ascending (offset + 1) values of the
// changed letters: the first above the selection start, or the last below it.
std::optional<int> NextReplacementPlace(const std::vector<std::int32_t>& positions, int selStart);
std::optional<int> PreviousReplacementPlace(const std::vector<std::int32_t>& positions,
                                            int selStart);

// The search state of the whole run.
class TextSearch {
public:
    TextSearch(TextBuffer& mainEditor, SearchUi& ui, Host& host);

    // "Найти" (plain) and "Найти регулярное выражение".
    void OpenFind(bool regExpr);
    // "Найти подстроку" and "Найти РВ" of the dictionary editor's active pane.
    void OpenFindForPane(TextBuffer& pane, bool regExpr);
    // The dialog's find-next button.
    void FindNextClicked();
    // "Найти снова": the last search again, without the dialog. Nothing
    // happens while the dialog's text is empty.
    void FindAgain();
    void FindDialogClosed();

    // "Искать замену вперёд" and "Искать замену назад" in the main editor.
    void NextReplacement(const std::vector<std::int32_t>& positions);
    void PreviousReplacement(const std::vector<std::int32_t>& positions);

    bool RegExprMode() const { return regExprMode_; }
    bool SearchMade() const { return searchMade_; }
    bool LastOpenedRegExpr() const { return lastOpenedRegExpr_; }
    bool FindAgainMode() const { return findAgainMode_; }
    TextBuffer& SearchTarget() const { return *target_; }

private:
    // One search step in target; false when nothing was found or the pattern
    // did not compile.
    bool FindNext(TextBuffer& target, bool regExpr);

    TextBuffer& mainEditor_;
    SearchUi& ui_;
    Host& host_;
    TextBuffer* target_;
    RegexMatcher matcher_;
    bool regExprMode_ = false;
    bool searchMade_ = false;
    bool lastOpenedRegExpr_ = false;
    bool findAgainMode_ = false;
};

} // namespace umlo
