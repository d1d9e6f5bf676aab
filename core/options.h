// The settings record that the options dialog edits, and its three copies.
//
// Strings are cp1251 like every other text in the core. The defaults are those
// of a missing settings file; testing mode uses its own fixed values.
#pragma once

#include <cstdint>
#include <string>

#include "documents/text_buffer.h"

namespace umlo {

struct TOptions {
    bool CheckUmlo = true;
    bool NoVarOnly = false;
    bool VarOnly = false;
    bool AlwaysAsk = false;
    bool ToConfirmAbbr = true;
    bool ToConfirmCap = false;
    bool ToConfirmEllipsis = true;
    bool ProposeLast = true;
    bool RegExprs = true;
    bool FastScroll = false;
    bool Mark = true;
    bool WordWrap = true;
    bool RecallLastFile = true;
    bool FBFormat = false;
    bool AutoUnicode = true;
    std::int32_t LinesBelow = 2;
    std::string FontName = "Courier New";
    std::uint8_t FontCharset = 1;
    std::int32_t FontSize = 10; // points
    Color ColorMark = 16711680;
    Color ColorBackMark = 65535;
    // Not stored: filled in by the main window before the options dialog opens.
    Color BackColor = kWhite;
    bool PlainText = true;
    bool RegExprDicLoaded = false;
    std::string ProxyName;
    std::int32_t ProxyPort = 3128;
    bool ShowToolBar = false;
    bool NotConfirmOnClose = false;

    friend bool operator==(const TOptions&, const TOptions&) = default;
};

// The fixed settings of testing mode: everything not named there is off, 0 or
// empty, the font fields included (the editor gets its font separately).
TOptions TestingModeOptions();

// The three copies, owned by the application for the whole run.
struct OptionCopies {
    TOptions CurrentOptions; // in force: every part of the program reads these
    TOptions SavedOptions;   // written to the settings file at exit
    TOptions DialogOptions;  // the options dialog's working copy

    // The dialog starts from the settings in force.
    void StartDialog() { DialogOptions = CurrentOptions; }
    // "Применить": in force for this run only.
    void ApplyDialog() { CurrentOptions = DialogOptions; }
    // "Применить и запомнить": in force and written at exit.
    void ApplyAndRemember() {
        ApplyDialog();
        SavedOptions = CurrentOptions;
    }
};

} // namespace umlo
