// What the pass benchmarks share: the bundled dictionaries, a prose text of a
// given length, a host that answers every question with the proposal, and a
// reporter that prints how two runs compare.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/main_dictionary.h"
#include "core/options.h"
#include "core/pass_host.h"
#include "core/regexpr_dictionary.h"

namespace umlo::bench {

// The folder of the running benchmark, where the build puts the bundled data.
std::string ProgramFolder();

struct Dictionaries {
    TDic dic;
    TRegExprDic regExprs;
};
// The bundled main and regular-expression dictionaries; loaded once.
Dictionaries& BundledDictionaries();

// About `chars` characters of Russian prose with every ё typed as е: the
// UTF-8 file named by UMLO_BENCH_TEXT (a text written with ё), or the check
// texts of the repository, repeated. Paragraphs end in a line break, or, for
// one paragraph, in a space.
std::u16string ProseText(std::size_t chars, bool oneParagraph);

class PolicyHost : public PassHost {
public:
    void SetStatusText(int, std::string_view) override {}
    std::string StatusText(int) const override { return {}; }
    void SetBusy(bool) override {}
    MessageResult ShowMessage(MessageKind, std::string_view, MessageButtons,
                              MessageResult defaultButton) override {
        return defaultButton;
    }
    void EnableCommand(std::string_view, bool) override {}
    int AskUser(const AskQuestion& q) override {
        ++questions;
        return q.proposePlain ? AnswerPlain : AnswerDiaeresis;
    }
    bool EscPressed() override { return false; }
    void WaitEscReleased() override {}
    void ShowConfirmationPanel() override {}
    void HideConfirmationPanel() override {}
    void SetPassMenus(bool) override {}
    void SetCommandCaption(std::string_view, std::string_view) override {}
    void AppendToWordWindow(std::string_view) override {}
    long long questions = 0;
};

// The console report, and afterwards one line for each pair of runs (named
// by the start of their names): "name / base: ratio" of their fastest real
// times per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs)
        : pairs_(std::move(pairs)) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, double> seconds_;
};

} // namespace umlo::bench
