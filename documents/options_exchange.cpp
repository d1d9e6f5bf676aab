#include "documents/options_exchange.h"

#include <string>

#include "documents/profile_file.h"

namespace umlo {

OptionEnables EnablesOf(const OptionTicks& ticks, const TOptions& dialog) {
    OptionEnables e;
    e.ToConfirm = !ticks.AlwaysAsk;
    // The two "only" boxes exclude each other, so both can never be ticked.
    e.VarOnly = !ticks.NoVarOnly;
    e.NoVarOnly = !ticks.VarOnly;
    e.MarkColors = ticks.Mark;
    // A rich text carries its own fonts; the editor font is for plain text.
    e.Font = dialog.PlainText;
    e.RegExprs = dialog.RegExprDicLoaded;
    return e;
}

OptionTexts TextsOf(const TOptions& options) {
    return {std::to_string(options.LinesBelow), options.ProxyName,
            std::to_string(options.ProxyPort)};
}

bool CollectTexts(const OptionTexts& texts, TOptions& dialog) {
    const auto lines = ParseProfileInteger(texts.LinesBelow);
    if (!lines) {
        return false;
    }
    dialog.LinesBelow = *lines;
    dialog.ProxyName = texts.ProxyName;
    if (texts.ProxyPort.empty()) {
        dialog.ProxyPort = 0;
        return true;
    }
    const auto port = ParseProfileInteger(texts.ProxyPort);
    if (!port) {
        return false;
    }
    dialog.ProxyPort = *port;
    return true;
}

SampleColors SampleLetterColors(bool markTicked, const TOptions& dialog, Color sampleTextColor) {
    if (markTicked) {
        return {dialog.ColorMark, dialog.ColorBackMark};
    }
    return {sampleTextColor, dialog.BackColor};
}

OptionsChange CommitOptionsDialog(OptionCopies& copies, OptionsResult result) {
    if (result == OptionsResult::Cancel) {
        return {};
    }
    OptionsChange change;
    change.applied = true;
    change.wordWrapChanged = copies.DialogOptions.WordWrap != copies.CurrentOptions.WordWrap;
    if (result == OptionsResult::ApplyAndRemember) {
        copies.ApplyAndRemember();
    } else {
        copies.ApplyDialog();
    }
    return change;
}

void CommitEditorSwitch(EditorSwitch& editor, bool ticked, OptionsResult result) {
    if (result == OptionsResult::Cancel) {
        return;
    }
    editor.InForce = ticked;
    if (result == OptionsResult::ApplyAndRemember) {
        editor.Saved = ticked;
    }
}

} // namespace umlo
