// What the ё-restoration pass needs of the main window beyond the plain Host:
// the confirmation panel, the Esc key, the pass menus, command captions and
// the dictionary editor's word window. The window implements it; tests and the
// command-line tool answer from scripts or policies.
//
// Every text passed to a host is UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "core/host.h"

namespace umlo {

// Answers of the confirmation panel.
constexpr int AnswerPlain = 65281;           // first answer button (the е-form)
constexpr int AnswerDiaeresis = 65282;       // second answer button (the ё-form)
constexpr int AnswerPlainAlways = 65283;     // "Всегда Е"
constexpr int AnswerDiaeresisAlways = 65284; // "Всегда Ё"
constexpr int AnswerUndo = 65285;            // "Откат"
constexpr int AnswerCancel = 2;              // "Прервать (Esc)"

// One question for the confirmation panel, with everything the panel shows.
// The word to ask about is selected in the editor when the question comes.
struct AskQuestion {
    std::string plainForm;     // first button
    std::string diaeresisForm; // second button
    bool proposePlain = true;  // the focus (Enter) goes to the first button
    bool misplaced = false;    // MisplacedDiaeresis
    bool strange = false;      // StrangeDiaeresis
    bool suggest = false;      // SuggestDiaeresis
    std::string prompt;
    bool promptWarning = false; // red prompt instead of navy
    bool alwaysEnabled = true;  // "Всегда Е" and "Всегда Ё"
    bool undoEnabled = false;   // "Откат"
    std::string undoCaption;
    int wordStart = 0; // text offset of the word
    int wordLength = 0;
};

class PassHost : public Host {
public:
    // Shows the question in the asking state and waits until the user answers.
    // The engine has selected the word and made the editor read-only; it takes
    // any code but the six answers (or "always" where not offered) as a stop.
    virtual int AskUser(const AskQuestion& question) = 0;

    // The pass let go of the editor's update lock for a moment so that the
    // letters written so far can be shown; a window repaints here.
    virtual void ShowProgress() {}

    // Whether Esc is down now or was pressed since the last poll.
    virtual bool EscPressed() = 0;
    // Returns once the Esc key is no longer held down.
    virtual void WaitEscReleased() = 0;

    // The confirmation panel: shown in its waiting look at the start of a pass;
    // at the end back to the waiting look, hidden, focus to the editor.
    virtual void ShowConfirmationPanel() = 0;
    virtual void HideConfirmationPanel() = 0;
    // false: everything disabled but the Edit menu's "Копировать в редактор
    // словарей"; true: menus enabled and the command states recomputed.
    virtual void SetPassMenus(bool enabled) = 0;

    virtual void SetCommandCaption(std::string_view itemName, std::string_view caption) = 0;
    // Appends one line to the dictionary editor's word window.
    virtual void AppendToWordWindow(std::string_view word) = 0;
};

} // namespace umlo
