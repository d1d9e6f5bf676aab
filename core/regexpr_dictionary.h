// The dictionary of regular expressions for word combinations ("СРВ"): one
// line of the file per expression, written almost as plain text, with the
// deciding letter written as е or ё. The order of the lines is their priority.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"
#include "core/my_lists.h"
#include "core/options.h"
#include "core/regex_matcher.h"
#include "core/regexpr_prefilter.h"

namespace umlo {

// The regular expression of a dictionary line (cp1251 in, cp1251 out).
std::string LineToExpression(std::string_view line);

// 0-based positions of every е, Е, ё and Ё of a line as written, those inside
// brackets and parentheses included: the letters the deciding groups take.
std::vector<int> DecidingLetters(std::string_view line);

class TRegExprDic {
public:
    void Clear();
    int Count() const { return Sources_.Count(); }

    // Converts and compiles the line; on success appends one entry with
    // UseCount 0 and returns true, otherwise appends nothing.
    bool AddLine(std::string_view line);

    // Entry fields; the index must lie in 0..Count()-1.
    const std::string& Source(int index) const { return Sources_.Get(index); }
    const std::string& Expression(int index) const { return Expressions_.Get(index); }
    RegexMatcher& Compiled(int index) { return Compiled_.Get(index); }
    // Lines holding a capital match case-sensitively, all others case-blind.
    bool CaseSensitive(int index) const { return CaseSensitive_.Get(index) != 0; }
    const std::vector<int>& Deciding(int index) const { return Deciding_.Get(index); }
    // Letters every match must contain (see regexpr_prefilter.h); may be empty.
    const std::string& Required(int index) const { return Required_.Get(index); }
    const LetterPairs& RequiredPairs(int index) const { return RequiredPairs_.Get(index); }

    const TList<std::string>& Sources() const { return Sources_; }
    const TList<std::string>& Expressions() const { return Expressions_; }
    const TIntegerList& UseCount() const { return UseCount_; }
    std::int32_t UseCountOf(int index) const { return UseCount_.Get(index); }
    void AddUse(int index) { UseCount_.Set(index, UseCount_.Get(index) + 1); }
    void ResetUseCounts() { UseCount_.Fill(0); }

    const std::string& Version() const { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }

private:
    TList<std::string> Sources_;
    TList<std::string> Expressions_;
    TRegExprList<RegexMatcher> Compiled_;
    TIntegerList UseCount_;
    TShortIntList CaseSensitive_;
    TList<std::vector<int>> Deciding_;
    TList<std::string> Required_;
    TList<LetterPairs> RequiredPairs_;
    std::string version_;
};

// Replaces the dictionary's content from the file at pathInForce (a file-system
// path, cp1251 or UTF-8). An empty path switches RegExprs off in options and
// keeps the expressions; a missing file empties the dictionary and pathInForce.
// Faults are reported through host after the whole file was read. Returns true
// when the file was read to its end.
bool LoadRegExprDictionary(TRegExprDic& dic, std::string& pathInForce, TOptions& options,
                           Host& host);

// The menu command "Загрузить словарь регулярных выражений" after the file
// dialog: a missing chosen file is reported and changes nothing; otherwise the
// file becomes the path in force, is loaded and RegExprs is switched on.
bool LoadChosenRegExprDictionary(TRegExprDic& dic, const std::string& chosenPath,
                                 std::string& pathInForce, TOptions& options, Host& host);

} // namespace umlo
