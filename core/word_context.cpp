#include "core/word_context.h"

#include <algorithm>
#include <optional>

#include "core/words.h"

namespace umlo {

namespace {

// Reads the text one cp1251 character at a time away from the word, across
// line breaks, in either direction. Lines are fetched only when reading
// reaches them.
class TextReader {
public:
    TextReader(Cp1251Lines& lines, int line, int pos, bool forward)
        : lines_(lines), line_(line), pos_(pos), forward_(forward), text_(lines.Line(line)) {
        pos_ = std::clamp(pos_, 0, static_cast<int>(text_.size()));
    }

    // The next character, or none once reading has stopped.
    std::optional<char> Next() { return forward_ ? NextForward() : NextBackward(); }

private:
    std::optional<char> NextForward() {
        if (stopped_) {
            return std::nullopt;
        }
        if (pos_ < static_cast<int>(text_.size())) {
            return text_[static_cast<size_t>(pos_++)];
        }
        // After the line: CR, LF, then the next line or the end.
        if (breakChars_ == 0) {
            ++breakChars_;
            return '\r';
        }
        if (breakChars_ == 1) {
            ++breakChars_;
            return '\n';
        }
        if (line_ + 1 >= lines_.LineCount()) {
            stopped_ = true;
            return std::nullopt;
        }
        ++line_;
        text_ = lines_.Line(line_);
        pos_ = 0;
        breakChars_ = 0;
        return NextForward();
    }

    std::optional<char> NextBackward() {
        if (stopped_) {
            return std::nullopt;
        }
        if (pos_ > 0) {
            return text_[static_cast<size_t>(--pos_)];
        }
        // Before the line: LF, CR, then the end of the line above.
        if (line_ == 0) {
            stopped_ = true;
            return std::nullopt;
        }
        if (breakChars_ == 0) {
            ++breakChars_;
            return '\n';
        }
        if (breakChars_ == 1) {
            ++breakChars_;
            return '\r';
        }
        --line_;
        text_ = lines_.Line(line_);
        pos_ = static_cast<int>(text_.size());
        breakChars_ = 0;
        return NextBackward();
    }

    Cp1251Lines& lines_;
    int line_;
    int pos_;
    bool forward_;
    std::string_view text_;
    int breakChars_ = 0;
    bool stopped_ = false;
};

// Reads H words away from the word, handing every character read to take.
// Returns true when the last word read ended with a non-letter, which then
// stands one character beyond the H-th word.
template <typename Take> bool ReadWords(TextReader& reader, int halfWords, Take take) {
    bool trailing = false;
    for (int i = 1; i <= halfWords; ++i) {
        trailing = false;
        // Up to and including the first letter of the next word.
        std::optional<char> c;
        while ((c = reader.Next())) {
            take(*c);
            if (IsLetter(static_cast<unsigned char>(*c))) {
                break;
            }
        }
        if (!c) {
            return false;
        }
        // The rest of the word and the non-letter after it.
        while ((c = reader.Next())) {
            take(*c);
            if (!IsLetter(static_cast<unsigned char>(*c))) {
                trailing = true;
                break;
            }
        }
        if (!c) {
            return false;
        }
    }
    return trailing;
}

} // namespace

WordContext BuildWordContext(const TextBuffer& buffer, int line, int column, std::string_view word,
                             int halfWords) {
    Cp1251Lines lines(buffer);
    return BuildWordContext(lines, line, column, word, halfWords);
}

WordContext BuildWordContext(Cp1251Lines& lines, int line, int column, std::string_view word,
                             int halfWords) {
    WordContext context{std::string(word), 0};
    if (halfWords <= 0 || line < 0 || line >= lines.LineCount()) {
        return context;
    }
    const int start = column - 1;

    std::string left; // read backwards, so reversed
    TextReader back(lines, line, start, false);
    const bool trimLeft = ReadWords(back, halfWords, [&left](char c) { left += c; });
    if (trimLeft) {
        left.pop_back();
    }
    std::reverse(left.begin(), left.end());

    std::string right;
    TextReader ahead(lines, line, start + static_cast<int>(word.size()), true);
    const bool trimRight = ReadWords(ahead, halfWords, [&right](char c) { right += c; });
    if (trimRight) {
        right.pop_back();
    }

    context.offset = static_cast<int>(left.size());
    context.text = left + context.text + right;
    return context;
}

} // namespace umlo
