// The options dialog's rules that need no window: which controls are enabled,
// how the number fields are read back, how the sample marks its replaced
// letter, and what the dialog's answer does to the three copies of TOptions.
#pragma once

#include <string>

#include "core/options.h"

namespace umlo {

// How the dialog was closed.
enum class OptionsResult { Cancel, Apply, ApplyAndRemember };

// The check marks the enabled states depend on, as they stand in the dialog.
struct OptionTicks {
    bool NoVarOnly = false;
    bool VarOnly = false;
    bool AlwaysAsk = false;
    bool Mark = false;
};

struct OptionEnables {
    bool ToConfirm = true; // the three boxes for abbreviations, names and truncated words
    bool VarOnly = true;
    bool NoVarOnly = true;
    bool MarkColors = true; // "Цвет" and "Фон"
    bool Font = true;
    bool RegExprs = true;
};

// Disabling never clears a check mark: a disabled box is collected as it stands.
OptionEnables EnablesOf(const OptionTicks& ticks, const TOptions& dialog);

// The texts of the three edit fields, cp1251 like the record's strings.
struct OptionTexts {
    std::string LinesBelow;
    std::string ProxyName;
    std::string ProxyPort;
};

OptionTexts TextsOf(const TOptions& options);

// Reads LinesBelow, ProxyName and ProxyPort in that order. A line count that
// is not an integer, or a port that is neither empty (port 0) nor an integer,
// stops the collection and returns false; the fields read before stay.
bool CollectTexts(const OptionTexts& texts, TOptions& dialog);

// The colours of the sample's replaced letter: the marking colours with Mark
// ticked, otherwise the sample's own text colour on the editor's background.
struct SampleColors {
    Color text = kBlack;
    Color back = kWhite;
};

SampleColors SampleLetterColors(bool markTicked, const TOptions& dialog, Color sampleTextColor);

// What the main window has to do after the dialog's answer has been taken.
struct OptionsChange {
    bool applied = false;         // new settings are in force: font and toolbar
    bool wordWrapChanged = false; // rewrap the editor, keeping its modified flag
};

// Apply copies DialogOptions into CurrentOptions; apply-and-remember also
// copies them into SavedOptions; cancel changes nothing.
OptionsChange CommitOptionsDialog(OptionCopies& copies, OptionsResult result);

// The dictionary editor's switch (Editor / Enabled) lives outside TOptions
// but follows the dialog's answer the same way: in force for the run, and
// written at exit only when remembered.
struct EditorSwitch {
    bool InForce = false;
    bool Saved = false;
};

void CommitEditorSwitch(EditorSwitch& editor, bool ticked, OptionsResult result);

} // namespace umlo
