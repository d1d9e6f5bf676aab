#include "core/regexpr_dictionary.h"

#include "core/codepage.h"
#include "core/regexpr_prefilter.h"
#include "core/words.h"

namespace umlo {

namespace {

const std::string& SeparatorRun() {
    static const std::string text = "\\s+";
    return text;
}
const std::string& HyphenBreak() {
    static const std::string text = "-(\\r\\n){0,1}";
    return text;
}

} // namespace

std::string LineToExpression(std::string_view line) {
    // A deciding letter matches е or ё in its written case.
    static const std::string upperGroup = Cp("([ЕЁ])");
    static const std::string lowerGroup = Cp("([её])");
    std::string out;
    out.reserve(line.size() * 2);
    int depth = 0;
    bool escaped = false;
    bool afterSeparator = false;
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsSeparator(c)) {
            if (!afterSeparator) {
                out += SeparatorRun();
            }
            afterSeparator = true;
            escaped = false;
            continue;
        }
        afterSeparator = false;
        if (!escaped && (ch == '(' || ch == '[')) {
            ++depth;
        } else if (!escaped && (ch == ')' || ch == ']')) {
            --depth;
        }
        if (depth != 0) {
            out += ch;
        } else if (IsAnyE(c)) {
            out += IsUpperLetter(c) ? upperGroup : lowerGroup;
        } else if (ch == '-') {
            out += HyphenBreak();
        } else {
            out += ch;
        }
        escaped = ch == '\\';
    }
    if (!out.empty() && IsLetter(static_cast<unsigned char>(out.front()))) {
        out.insert(0, "\\b");
    }
    if (!out.empty() && IsLetter(static_cast<unsigned char>(out.back()))) {
        out += "\\b";
    }
    return out;
}

std::vector<int> DecidingLetters(std::string_view line) {
    std::vector<int> positions;
    for (size_t i = 0; i < line.size(); ++i) {
        if (IsAnyE(static_cast<unsigned char>(line[i]))) {
            positions.push_back(static_cast<int>(i));
        }
    }
    return positions;
}

void TRegExprDic::Clear() {
    Sources_.Clear();
    Expressions_.Clear();
    Compiled_.Clear();
    UseCount_.Clear();
    CaseSensitive_.Clear();
    Deciding_.Clear();
    Required_.Clear();
    RequiredPairs_.Clear();
}

bool TRegExprDic::AddLine(std::string_view line) {
    std::string expression = LineToExpression(line);
    const bool caseSensitive = HasUpperLetter(line);
    RegexMatcher matcher;
    if (!matcher.Compile(expression, !caseSensitive)) {
        return false;
    }
    Sources_.Add(std::string(line));
    Expressions_.Add(std::move(expression));
    Compiled_.Add(std::move(matcher));
    UseCount_.Add(0);
    CaseSensitive_.Add(caseSensitive ? 1 : 0);
    Deciding_.Add(DecidingLetters(line));
    Required_.Add(RequiredLetters(Expressions_.Get(Count() - 1)));
    RequiredPairs_.Add(LetterPairs(Required_.Get(Count() - 1)));
    return true;
}

} // namespace umlo
