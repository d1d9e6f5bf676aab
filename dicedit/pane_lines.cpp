#include "dicedit/pane_lines.h"

#include "core/codepage.h"

namespace umlo {

int PaneLineCount(const TextBuffer& pane) {
    const int length = pane.TextLength();
    if (length == 0) {
        return 0;
    }
    const int lines = pane.LineCount();
    return pane.LineStart(lines - 1) == length ? lines - 1 : lines;
}

std::string PaneLine(const TextBuffer& pane, int index) {
    if (index < 0 || index >= PaneLineCount(pane)) {
        return {};
    }
    return Utf16ToCp1251(pane.LineText(index));
}

std::vector<std::string> PaneLines(const TextBuffer& pane) {
    std::vector<std::string> lines;
    const int count = PaneLineCount(pane);
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back(Utf16ToCp1251(pane.LineText(i)));
    }
    return lines;
}

void SetPaneLines(TextBuffer& pane, const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\r';
        }
        text += lines[i];
    }
    pane.SetAllText(Cp1251ToUtf16(text));
    pane.SetCaret(0);
}

void InsertPaneLine(TextBuffer& pane, int index, std::string_view line) {
    const std::u16string text = Cp1251ToUtf16(line);
    if (index < pane.LineCount() && pane.TextLength() > 0) {
        pane.SetCaret(pane.LineStart(index));
        pane.ReplaceSelection(text + kLineBreak);
    } else if (pane.TextLength() == 0) {
        pane.SetCaret(0);
        pane.ReplaceSelection(text);
    } else {
        pane.SetCaret(pane.TextLength());
        pane.ReplaceSelection(kLineBreak + text);
    }
}

void ReplacePaneLine(TextBuffer& pane, int index, std::string_view line) {
    SelectPaneLine(pane, index);
    pane.ReplaceSelection(Cp1251ToUtf16(line));
}

void DeletePaneLine(TextBuffer& pane, int index) {
    if (index < 0 || index >= PaneLineCount(pane)) {
        return;
    }
    const int start = pane.LineStart(index);
    if (index + 1 < pane.LineCount()) {
        pane.SetCaret(start);
        pane.SetSelLength(pane.LineStart(index + 1) - start);
    } else if (index > 0) {
        // The last line takes the break before it along.
        pane.SetCaret(start - 1);
        pane.SetSelLength(pane.TextLength() - start + 1);
    } else {
        pane.SetCaret(0);
        pane.SetSelLength(pane.TextLength());
    }
    pane.ReplaceSelection(u"");
}

void ColorPaneLine(TextBuffer& pane, int index, Color color) {
    SelectPaneLine(pane, index);
    pane.SetSelectionTextColor(color);
}

void SelectPaneLine(TextBuffer& pane, int index, int length) {
    const int start = pane.LineStart(index);
    if (start < 0) {
        return;
    }
    const int full = static_cast<int>(pane.LineText(index).size());
    pane.SetCaret(start);
    pane.SetSelLength(length < 0 || length > full ? full : length);
}

void GotoPaneLine(TextBuffer& pane, int index) {
    const int start = index < PaneLineCount(pane) ? pane.LineStart(index) : -1;
    pane.SetCaret(start < 0 ? pane.TextLength() : start);
    pane.ScrollToCaret();
}

int CaretLine(const TextBuffer& pane) {
    return pane.LineOfOffset(pane.SelStart());
}

int SelectionEndLine(const TextBuffer& pane) {
    const int length = pane.SelLength();
    return length > 0 ? pane.LineOfOffset(pane.SelStart() + length - 1) : CaretLine(pane);
}

} // namespace umlo
