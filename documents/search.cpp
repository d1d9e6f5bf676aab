#include "documents/search.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/words.h"

namespace umlo {

namespace {

// The code-page byte of a UTF-16 unit, or 0 for one that cp1251 lacks.
unsigned char ByteOf(char16_t c) {
    const char b = Utf16ToCp1251Char(c);
    return b == '?' && c != u'?' ? 0 : static_cast<unsigned char>(b);
}

char16_t FoldCase(char16_t c) {
    const unsigned char b = ByteOf(c);
    if (b == 0) {
        return c;
    }
    return Cp1251ToUtf16Char(static_cast<unsigned char>(ToLowerByte(static_cast<char>(b))));
}

std::u16string Folded(std::u16string_view text) {
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldCase);
    return out;
}

// Letters of any script cp1251 holds, and digits.
bool IsWordChar(char16_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
        return true;
    }
    const unsigned char b = ByteOf(c);
    if (b < 0x80) {
        return false;
    }
    const char ch = static_cast<char>(b);
    return IsLetter(b) || ToLowerByte(ch) != ToUpperByte(ch);
}

bool WholeWordAt(std::u16string_view text, size_t pos, size_t length) {
    const bool before = pos > 0 && IsWordChar(text[pos - 1]);
    const bool after = pos + length < text.size() && IsWordChar(text[pos + length]);
    return !before && !after;
}

} // namespace

std::optional<SearchHit> FindPlain(std::u16string_view text, std::u16string_view needle, int start,
                                   bool matchCase, bool wholeWord) {
    if (needle.empty() || start < 0 || static_cast<size_t>(start) > text.size()) {
        return std::nullopt;
    }
    std::u16string foldedText;
    std::u16string foldedNeedle;
    if (!matchCase) {
        foldedText = Folded(text);
        foldedNeedle = Folded(needle);
        text = foldedText;
        needle = foldedNeedle;
    }
    for (size_t pos = text.find(needle, static_cast<size_t>(start));
         pos != std::u16string_view::npos; pos = text.find(needle, pos + 1)) {
        if (!wholeWord || WholeWordAt(text, pos, needle.size())) {
            return SearchHit{static_cast<int>(pos), static_cast<int>(needle.size())};
        }
    }
    return std::nullopt;
}

std::optional<SearchHit> FindRegExpr(RegexMatcher& matcher, std::u16string_view text, int start) {
    if (start < 0) {
        return std::nullopt;
    }
    const std::string input = Utf16ToCp1251(text);
    RegexMatch match;
    if (!matcher.Match(input, static_cast<size_t>(start), match)) {
        return std::nullopt;
    }
    return SearchHit{static_cast<int>(match.Pos()), static_cast<int>(match.Length())};
}

std::optional<int> NextReplacementPlace(const std::vector<std::int32_t>& positions, int selStart) {
    for (const std::int32_t value : positions) {
        if (value > selStart) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<int> PreviousReplacementPlace(const std::vector<std::int32_t>& positions,
                                            int selStart) {
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        if (*it < selStart) {
            return *it;
        }
    }
    return std::nullopt;
}

TextSearch::TextSearch(TextBuffer& mainEditor, SearchUi& ui, Host& host)
    : mainEditor_(mainEditor), ui_(ui), host_(host), target_(&mainEditor) {}

void TextSearch::OpenFind(bool regExpr) {
    // The search starts at the caret; a match right there is found again.
    mainEditor_.SetSelLength(0);
    target_ = &mainEditor_;
    regExprMode_ = regExpr;
    ui_.SetWholeWordVisible(!regExpr);
    findAgainMode_ = false;
    if (!regExpr) {
        searchMade_ = false;
    }
    ui_.ShowFindDialog();
    lastOpenedRegExpr_ = regExpr;
}

void TextSearch::OpenFindForPane(TextBuffer& pane, bool regExpr) {
    target_ = &pane;
    regExprMode_ = regExpr;
    ui_.SetWholeWordVisible(!regExpr);
    ui_.ShowFindDialog();
}

void TextSearch::FindNextClicked() {
    searchMade_ = true;
    FindNext(*target_, regExprMode_);
}

void TextSearch::FindAgain() {
    if (ui_.SearchText().empty()) {
        return;
    }
    findAgainMode_ = true;
    FindNextClicked();
}

void TextSearch::FindDialogClosed() {
    if (!searchMade_) {
        return;
    }
    host_.EnableCommand("Findagain1", true);
    ui_.SetFindAgainCaption(lastOpenedRegExpr_ ? "Найти РВ снова" : "Найти снова");
}

bool TextSearch::FindNext(TextBuffer& target, bool regExpr) {
    ui_.FocusTarget(target);
    const int start = target.SelStart() + target.SelLength();
    const std::string pattern = ui_.SearchText();
    std::optional<SearchHit> hit;
    bool searched = true;
    if (regExpr) {
        const bool caseless = !ui_.MatchCase();
        const bool ready = matcher_.IsCompiled() && matcher_.Pattern() == pattern
                               ? matcher_.SetCaseless(caseless)
                               : matcher_.Compile(pattern, caseless);
        if (ready) {
            hit = FindRegExpr(matcher_, target.GetAllText(), start);
        } else {
            host_.ShowError(matcher_.ErrorMessage());
            searched = false;
        }
    } else {
        hit = FindPlain(target.GetAllText(), Cp1251ToUtf16(pattern), start, ui_.MatchCase(),
                        ui_.WholeWord());
    }
    if (hit) {
        target.GotoOffset(hit->offset);
        target.SetSelLength(hit->length);
    } else if (searched) {
        // No wrap to the start of the text, and no message.
        target.SetSelLength(0);
    }
    if (!findAgainMode_) {
        ui_.ShowFindDialog();
    }
    return hit.has_value();
}

void TextSearch::NextReplacement(const std::vector<std::int32_t>& positions) {
    if (const auto place = NextReplacementPlace(positions, mainEditor_.SelStart())) {
        mainEditor_.GotoOffset(*place);
    }
}

void TextSearch::PreviousReplacement(const std::vector<std::int32_t>& positions) {
    if (const auto place = PreviousReplacementPlace(positions, mainEditor_.SelStart())) {
        mainEditor_.GotoOffset(*place);
    }
}

} // namespace umlo
