// Word-form generation: the rule file "morphs.dat", the choice of the rules that
// fit a base form and the forms a rule makes. The generator knows no grammar of
// its own; everything Russian lives in the rule file.
//
// Every text here is cp1251.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/host.h"

namespace umlo {

// The name of the bundled rule file in the program folder.
inline constexpr std::string_view kMorphsFileName = "morphs.dat";

// One rule line of the file.
struct MorphRule {
    std::string label;   // section + " (" + name + ")"
    std::string pattern; // the word ending the rule applies to
    int cut = 0;         // characters removed from the end of the word
    std::string endings; // comma-separated endings, colons allowed
};

// A rule offered for a base form, in the order the dialog lists them.
struct MorphCandidate {
    std::string endings;
    std::string label;
    int cut = 0;
};

struct PatternMatch {
    bool fits = false;
    int matched = 0; // pattern elements compared with the word's characters
};

// Whether the pattern, read from its end, fits the end of the word. An element
// is one byte or a class "[...]" of bytes; a "]" with no "[" before it stands
// for itself.
PatternMatch Match(std::string_view word, std::string_view pattern);

// The stem is the word without its last `cut` characters (the whole word when
// cut is 0 or longer than the word); each comma-separated item appended to it
// gives one form.
std::vector<std::string> MakeForms(std::string_view word, std::string_view endings, int cut);

// A base form as the word window holds it: a trailing "?" marks a doubtful word.
struct BaseForm {
    std::string word;
    bool doubtful = false;
};
BaseForm SplitDoubtful(std::string_view line);
// The forms to insert: each with "?" appended when the base form was doubtful.
std::vector<std::string> MarkForms(std::vector<std::string> forms, bool doubtful);

class MorphoGen {
public:
    // Reads the rule file, replacing any rules held. A file that cannot be read
    // is reported through the host with the system's message, and no rules are
    // held afterwards. Lines that do not follow the format are skipped.
    bool LoadRules(const std::string& fileName, Host& host);
    // The deferred start's load: a missing file leaves generation unavailable
    // for the run without a message; a file that is there loads as above.
    bool LoadRulesIfPresent(const std::string& fileName, Host& host);
    // The same from the file's text (lines ended by CR LF, LF or CR).
    void LoadRulesFromText(std::string_view text);

    bool Loaded() const { return loaded_; }
    const std::vector<MorphRule>& Rules() const { return rules_; }

    // The rules that fit the word. A rule matching m elements goes before the
    // first candidate already listed whose cut is smaller than m, so that rules
    // looking at more of the word come first; the first candidate is the one
    // the dialog selects.
    std::vector<MorphCandidate> CollectCandidates(std::string_view word) const;

private:
    std::vector<MorphRule> rules_;
    bool loaded_ = false;
};

// One line of the rule file read into `section` or `rule`. Gives false for a
// line that adds no rule (empty, comment, section or malformed line).
bool ParseRuleLine(std::string_view line, std::string& section, MorphRule& rule);

} // namespace umlo
