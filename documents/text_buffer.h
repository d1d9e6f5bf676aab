// The text-buffer contract: everything the rest of the program needs of the
// editor. Text is UTF-16; a line break is one carriage return (13); offsets are
// 0-based and count a line break as one character; lines are 0-based.
//
// Header-only on purpose: the engine in core/ reaches the editor through it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace umlo {

// 24-bit colour, red in the low byte, blue in the high byte.
using Color = std::uint32_t;
constexpr Color kBlack = 0;
constexpr Color kWhite = 16777215;
constexpr char16_t kLineBreak = u'\r';
constexpr int kTextLimit = 2147483632;

struct CharFormat {
    Color text = kBlack;
    Color back = kWhite;
    bool bold = false;
    int fontSize = 0; // points; 0 = the editor's default size
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// The colours the pass gives a letter it writes; an absent one is kept.
struct LetterColors {
    std::optional<Color> text;
    std::optional<Color> back;
};

// CR LF, LF, CR and the paragraph separator U+2029 each become one line break.
inline std::u16string NormalizeLineBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            out += kLineBreak;
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n' || c == char16_t(0x2029)) {
            out += kLineBreak;
        } else {
            out += c;
        }
    }
    return out;
}

// Whether one character for another is an exchange of е and ё (Е and Ё),
// either way or the letter for itself.
constexpr bool IsLetterExchange(char16_t from, char16_t to) {
    const auto lower = [](char16_t c) { return c == u'е' || c == u'ё'; };
    const auto upper = [](char16_t c) { return c == u'Е' || c == u'Ё'; };
    return (lower(from) && lower(to)) || (upper(from) && upper(to));
}

struct LineColumn {
    int line;   // 0-based
    int column; // 1-based
};

class TextBuffer {
public:
    virtual ~TextBuffer() = default;

    virtual int TextLength() const = 0;
    virtual std::u16string GetAllText() const = 0;
    // The new text gets the default format; the text's line ends (CR LF, LF,
    // CR) each become one line break.
    virtual void SetAllText(std::u16string_view text) = 0;
    // Characters between two offsets in either order; a negative one is the end.
    virtual std::u16string TextRange(int from, int to) const = 0;

    virtual int LineCount() const = 0;
    // Offset of the line's first character, -1 when the line does not exist.
    virtual int LineStart(int line) const = 0;
    // The line without its line break.
    virtual std::u16string LineText(int line) const = 0;
    virtual int LineOfOffset(int offset) const = 0;
    LineColumn LineAndColumn(int offset) const {
        const int line = LineOfOffset(offset);
        return {line, offset - LineStart(line) + 1};
    }

    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void SetCaret(int offset) = 0;
    // Keeps the start; a length reaching past the end selects to the end.
    virtual void SetSelLength(int length) = 0;
    void GotoOffset(int offset) {
        if (offset < 0) {
            return;
        }
        SetCaret(offset);
        ScrollToCaret();
    }
    virtual void ScrollToCaret() = 0;
    virtual std::u16string SelectedText() const = 0;
    // The replacement takes the format of the selection's first character.
    // Returns false (and beeps) when read-only or past the text limit.
    virtual bool ReplaceSelection(std::u16string_view text) = 0;
    // What the pass does to one letter, in one step: the character at the
    // offset becomes `letter` and keeps its format but for the colours given;
    // the caret then stands after it. When read-only the letter is refused
    // (false, a beep, the caret at the offset), the colours are set all the same.
    virtual bool ReplaceLetter(int offset, char16_t letter, const LetterColors& colors) = 0;
    void AppendLine(std::u16string_view line) {
        if (TextLength() == 0) {
            SetAllText(line);
        } else {
            std::u16string all = GetAllText();
            all += u"\r\n";
            all += line;
            SetAllText(all);
        }
    }

    virtual Color SelectionTextColor() const = 0;
    virtual void SetSelectionTextColor(Color color) = 0;
    virtual void SetSelectionBackColor(Color color) = 0;
    virtual void SetSelectionBold(bool on) = 0;
    virtual int SelectionFontSize() const = 0;
    virtual void SetSelectionFontSize(int points) = 0;
    // Format of one character (for writers and tests); the default past the end.
    virtual CharFormat FormatAt(int offset) const = 0;

    // SetAllText(empty), and the widget forgets its own undo history.
    virtual void ClearText() = 0;
    virtual void CutSelection() = 0;
    virtual void CopySelection() = 0;
    virtual void PasteClipboard() = 0;
    void SelectAllText() {
        SetCaret(0);
        SetSelLength(TextLength());
    }

    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool on) = 0;
    // A document that can be written back only where its е and ё changed:
    // every edit but one letter exchanged for its pair (IsLetterExchange) is
    // refused as when read-only, so a pass and its undo still work. Loading a
    // text (SetAllText, ClearText) is no edit.
    virtual bool LettersOnly() const = 0;
    virtual void SetLettersOnly(bool on) = 0;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void SetBusyCursor(bool on) = 0;
};

} // namespace umlo
