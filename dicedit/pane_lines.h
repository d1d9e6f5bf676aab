// An editor pane seen as a list of cp1251 lines: the dictionary editor reads,
// inserts, replaces, deletes and colours whole lines through these.
//
// A text that ends in a line break has no empty line after it, the way a list
// of lines saved with line ends reads back: "a\r" is one line, "" none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/text_buffer.h"

namespace umlo {

constexpr Color kRed = 255;
constexpr Color kBlue = 16711680;

int PaneLineCount(const TextBuffer& pane);
// cp1251; "" for an index outside the pane.
std::string PaneLine(const TextBuffer& pane, int index);
std::vector<std::string> PaneLines(const TextBuffer& pane);
// The whole text replaced by the lines; the caret goes to the start.
void SetPaneLines(TextBuffer& pane, const std::vector<std::string>& lines);

// Insert before line index; index PaneLineCount appends.
void InsertPaneLine(TextBuffer& pane, int index, std::string_view line);
void ReplacePaneLine(TextBuffer& pane, int index, std::string_view line);
// The line and its line break.
void DeletePaneLine(TextBuffer& pane, int index);
void ColorPaneLine(TextBuffer& pane, int index, Color color);
// Selects the first `length` characters of the line (all of it when -1).
void SelectPaneLine(TextBuffer& pane, int index, int length = -1);
// The caret at the start of the line (the end of the text past the last) and
// scrolled into view.
void GotoPaneLine(TextBuffer& pane, int index);

// The line of the caret, and the line of the selection's last character.
int CaretLine(const TextBuffer& pane);
int SelectionEndLine(const TextBuffer& pane);

} // namespace umlo
