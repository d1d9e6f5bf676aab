// Measures how well a rule file serves real words: for each lemma of a sample
// (its base form and the forms a reference dictionary gives it), whether the
// first offered rule, or one of the first three, produces every reference form.
//
// Usage: morphs_quality RULES SAMPLE [KNOWN] [--failures N] [--show WORD]...
//   RULES   the rule file (cp1251)
//   SAMPLE  UTF-8 lines "lemma<TAB>flags<TAB>form form ..."
//   KNOWN   optional UTF-8 word list, one a line: the generated forms found in
//           it give the share of real words among the first rule's forms
//   --failures N  the first-rule share by flags and N missed lemmas of each
//   --by-flags    the first-rule share by flags alone
//   --show WORD   the rules offered for WORD (UTF-8) and their forms
//   --unknown N   per first rule, its forms Hunspell does not know (N shown)
// tools/measure-morphs prepares the sample from the Hunspell data.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/codepage.h"
#include "core/morpho_gen.h"

namespace {

struct Lemma {
    std::string word;  // cp1251
    std::string flags; // as the reference gives them
    std::set<std::string> forms;
};

struct ConsoleHost : umlo::Host {
    void SetStatusText(int, std::string_view) override {}
    std::string StatusText(int) const override { return {}; }
    void SetBusy(bool) override {}
    umlo::MessageResult ShowMessage(umlo::MessageKind, std::string_view text, umlo::MessageButtons,
                                    umlo::MessageResult) override {
        std::cerr << text << '\n';
        return umlo::MessageResult::Ok;
    }
    void EnableCommand(std::string_view, bool) override {}
};

std::vector<Lemma> ReadSample(const std::string& path) {
    std::vector<Lemma> lemmas;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Lemma lemma;
        std::string word, flags, forms;
        if (!std::getline(fields, word, '\t') || !std::getline(fields, flags, '\t')) {
            continue;
        }
        std::getline(fields, forms);
        lemma.word = umlo::Cp(word);
        lemma.flags = flags;
        std::istringstream each(forms);
        std::string form;
        while (each >> form) {
            lemma.forms.insert(umlo::Cp(form));
        }
        lemma.forms.insert(lemma.word);
        lemmas.push_back(std::move(lemma));
    }
    return lemmas;
}

std::unordered_set<std::string> ReadKnown(const std::string& path) {
    std::unordered_set<std::string> known;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) {
            known.insert(umlo::Cp(line));
        }
    }
    return known;
}

bool Covers(const umlo::MorphCandidate& c, const Lemma& lemma, bool exact) {
    const auto made = umlo::MakeForms(lemma.word, c.endings, c.cut);
    const std::set<std::string> got(made.begin(), made.end());
    if (exact) {
        return got == lemma.forms;
    }
    return std::includes(got.begin(), got.end(), lemma.forms.begin(), lemma.forms.end());
}

double Share(long part, long whole) {
    return whole == 0 ? 0.0 : 100.0 * part / whole;
}

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// unmunch leaves out the .aff's own short forms of participles in -ённый
// (решён, решена, решено, решены) and gives решёна, решёно, решёны instead,
// which are not Russian. The standard reading puts the .aff's forms back.
std::vector<Lemma> StandardShortForms(std::vector<Lemma> lemmas) {
    const std::string full = umlo::Cp("ённый");
    const std::string yo = umlo::Cp("ён");
    const std::string ye = umlo::Cp("ен");
    for (auto& lemma : lemmas) {
        if (!EndsWith(lemma.word, full)) {
            continue;
        }
        const std::string stem = lemma.word.substr(0, lemma.word.size() - full.size());
        for (const char* end : {"а", "о", "ы"}) {
            const std::string tail = umlo::Cp(end);
            if (lemma.forms.erase(stem + yo + tail) > 0) {
                lemma.forms.insert(stem + ye + tail);
            }
        }
    }
    return lemmas;
}

// Per label of the first rule: how many of its forms the reference does not
// know, with a few of them; these show rules that make forms nobody uses.
void PrintUnknown(const umlo::MorphoGen& gen, const std::vector<Lemma>& lemmas,
                  const std::unordered_set<std::string>& known, int count) {
    std::map<std::string, std::pair<long, std::string>> byLabel;
    for (const auto& lemma : lemmas) {
        const auto candidates = gen.CollectCandidates(lemma.word);
        if (candidates.empty()) {
            continue;
        }
        auto& entry = byLabel[candidates[0].label];
        for (const auto& form :
             umlo::MakeForms(lemma.word, candidates[0].endings, candidates[0].cut)) {
            if (known.count(form) == 0 && lemma.forms.count(form) == 0) {
                if (entry.first++ < count) {
                    entry.second += " " + umlo::Cp1251ToUtf8(form);
                }
            }
        }
    }
    std::printf("\nforms unknown to Hunspell, by first rule:\n");
    for (const auto& [label, entry] : byLabel) {
        std::printf("  %5ld %s:%s\n", entry.first, umlo::Cp1251ToUtf8(label).c_str(),
                    entry.second.c_str());
    }
}

struct Figures {
    long lemmas = 0, first = 0, topThree = 0, exact = 0, none = 0, made = 0, real = 0;
    std::map<std::string, std::vector<const Lemma*>> failures; // by flags
    std::map<std::string, std::pair<long, long>> byFlags;      // first-rule hits, lemmas
};

Figures Evaluate(const umlo::MorphoGen& gen, const std::vector<Lemma>& lemmas,
                 const std::unordered_set<std::string>& known) {
    Figures f;
    f.lemmas = static_cast<long>(lemmas.size());
    for (const auto& lemma : lemmas) {
        const auto candidates = gen.CollectCandidates(lemma.word);
        auto& tally = f.byFlags[lemma.flags];
        ++tally.second;
        if (candidates.empty()) {
            ++f.none;
            f.failures[lemma.flags].push_back(&lemma);
            continue;
        }
        const bool hit = Covers(candidates[0], lemma, false);
        f.first += hit;
        tally.first += hit;
        f.exact += Covers(candidates[0], lemma, true);
        bool inThree = false;
        for (size_t i = 0; i < candidates.size() && i < 3; ++i) {
            inThree = inThree || Covers(candidates[i], lemma, false);
        }
        f.topThree += inThree;
        if (!hit) {
            f.failures[lemma.flags].push_back(&lemma);
        }
        for (const auto& form :
             umlo::MakeForms(lemma.word, candidates[0].endings, candidates[0].cut)) {
            ++f.made;
            f.real += known.count(form) > 0;
        }
    }
    return f;
}

void PrintFigures(const char* title, const Figures& f, bool withKnown) {
    std::printf("%s\n", title);
    std::printf("  first rule produces every form:     %6.1f%%\n", Share(f.first, f.lemmas));
    std::printf("  one of the first three does:        %6.1f%%\n", Share(f.topThree, f.lemmas));
    std::printf("  first rule produces exactly them:   %6.1f%%\n", Share(f.exact, f.lemmas));
    std::printf("  no rule fits:                       %6.1f%%\n", Share(f.none, f.lemmas));
    if (withKnown) {
        std::printf("  first rule's forms known to Hunspell: %6.1f%% of %ld\n",
                    Share(f.real, f.made), f.made);
    }
}

void PrintByFlags(const Figures& f) {
    std::printf("\nfirst-rule share by flags:\n");
    for (const auto& [flags, tally] : f.byFlags) {
        std::printf("  %-8s %5ld/%-5ld %6.1f%%\n", flags.c_str(), tally.first, tally.second,
                    Share(tally.first, tally.second));
    }
}

void PrintFailures(const umlo::MorphoGen& gen, const Figures& f, int count) {
    for (const auto& [flags, list] : f.failures) {
        std::printf("\n[%s] %zu missed\n", flags.c_str(), list.size());
        int shown = 0;
        for (const Lemma* lemma : list) {
            if (shown++ >= count) {
                break;
            }
            const auto candidates = gen.CollectCandidates(lemma->word);
            std::string missing;
            if (!candidates.empty()) {
                const auto got =
                    umlo::MakeForms(lemma->word, candidates[0].endings, candidates[0].cut);
                for (const auto& form : lemma->forms) {
                    if (std::find(got.begin(), got.end(), form) == got.end()) {
                        missing += " " + umlo::Cp1251ToUtf8(form);
                    }
                }
            }
            std::printf("  %s  <%s> missing:%s\n", umlo::Cp1251ToUtf8(lemma->word).c_str(),
                        candidates.empty() ? "-" : umlo::Cp1251ToUtf8(candidates[0].label).c_str(),
                        missing.c_str());
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int failuresToShow = 0;
    int unknownToShow = 0;
    bool byFlags = false;
    std::vector<std::string> toShow;
    if (const auto it = std::find(args.begin(), args.end(), "--by-flags"); it != args.end()) {
        byFlags = true;
        args.erase(it);
    }
    for (size_t i = 0; i + 1 < args.size();) {
        if (args[i] == "--failures" || args[i] == "--show" || args[i] == "--unknown") {
            if (args[i] == "--failures") {
                failuresToShow = std::stoi(args[i + 1]);
            } else if (args[i] == "--unknown") {
                unknownToShow = std::stoi(args[i + 1]);
            } else {
                toShow.push_back(args[i + 1]);
            }
            args.erase(args.begin() + static_cast<long>(i),
                       args.begin() + static_cast<long>(i) + 2);
        } else {
            ++i;
        }
    }
    if (args.size() < 2) {
        std::cerr << "usage: morphs_quality RULES SAMPLE [KNOWN] [--failures N] [--by-flags] "
                     "[--show WORD] [--unknown N]\n";
        return 2;
    }
    ConsoleHost host;
    umlo::MorphoGen gen;
    if (!gen.LoadRules(args[0], host)) {
        return 1;
    }
    for (const auto& word : toShow) {
        std::printf("%s:\n", word.c_str());
        for (const auto& c : gen.CollectCandidates(umlo::Cp(word))) {
            std::string forms;
            for (const auto& f : umlo::MakeForms(umlo::Cp(word), c.endings, c.cut)) {
                forms += " " + umlo::Cp1251ToUtf8(f);
            }
            std::printf("  %s:%s\n", umlo::Cp1251ToUtf8(c.label).c_str(), forms.c_str());
        }
    }
    const auto lemmas = ReadSample(args[1]);
    const auto known = args.size() > 2 ? ReadKnown(args[2]) : std::unordered_set<std::string>{};

    const auto standard = StandardShortForms(lemmas);
    std::printf("rules: %zu, lemmas: %zu\n", gen.Rules().size(), lemmas.size());
    const Figures strict = Evaluate(gen, lemmas, known);
    PrintFigures("reference as expanded:", strict, !known.empty());
    const Figures fixed = Evaluate(gen, standard, known);
    PrintFigures("reference with the standard short forms of -ённый participles:", fixed,
                 !known.empty());
    if (byFlags || failuresToShow > 0) {
        PrintByFlags(fixed);
    }
    if (failuresToShow > 0) {
        PrintFailures(gen, fixed, failuresToShow);
    }
    if (unknownToShow > 0) {
        PrintUnknown(gen, standard, known, unknownToShow);
    }
    return 0;
}
