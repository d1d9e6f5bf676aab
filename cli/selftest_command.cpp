#include "cli/selftest_command.h"

#include <filesystem>
#include <unistd.h>
#include <vector>

#include "cli/terminal_host.h"
#include "core/codepage.h"
#include "core/self_test.h"
#include "documents/memory_text_buffer.h"

namespace umlo::cli {
namespace {

// Testing mode logs the expressions it applies; the program folder may be
// read-only once installed.
std::string RegExprLogPath(const std::string& programFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) {
        return programFolder + "/regexpr.log";
    }
    return (std::filesystem::temp_directory_path() / "regexpr.log").string();
}

struct ShownQuestion {
    std::string word;
    std::string prompt;
};

} // namespace

int RunSelfTestCommand(const std::string& programFolder, Console& console, TestText text) {
    std::ostream& out = console.out;
    TerminalHost host(console.err, false);
    TDic dic;
    TRegExprDic regExprs;
    std::string regExprPath;
    TOptions options = TestingModeOptions();
    MemoryTextBuffer buffer;
    PassEngine engine(dic, regExprs, options, buffer, host);
    engine.RegExprConfig().logPath = RegExprLogPath(programFolder);
    SelfTest test;

    // Nobody sits at the panel: a question the test did not expect takes the
    // proposal, as Enter would.
    std::vector<ShownQuestion> shown;
    host.SetAnswerer([&](const AskQuestion& q) {
        shown.push_back({q.proposePlain ? q.plainForm : q.diaeresisForm, q.prompt});
        return q.proposePlain ? AnswerPlain : AnswerDiaeresis;
    });

    test.SetTestText(std::move(text));
    test.SetTestingMode(true);
    LoadTestDictionary(dic, host);
    LoadTestRegExprDictionary(regExprs, regExprPath);
    test.BuildTestText(engine);
    const std::vector<std::string> expected = test.ExpectedLines();
    const std::vector<std::string> askedWords = test.ExpectedAskedWords();

    const SelfTestOutcome outcome = test.RunSelfTest(engine);
    engine.SetTestingHooks(nullptr);

    for (const ShownQuestion& q : shown) {
        out << "неожиданный вопрос о «" << q.word << "»: " << q.prompt << "\n";
    }
    if (outcome.answersGiven < outcome.answersExpected) {
        out << "вопрос " << outcome.answersGiven + 1 << " из " << outcome.answersExpected
            << " не был задан: «"
            << Cp1251ToUtf8(askedWords[static_cast<size_t>(outcome.answersGiven)]) << "»\n";
    }
    if (outcome.kind == SelfTestOutcome::Kind::Cancelled) {
        out << "тест прерван ответом \"Прервать\": строки не сравнивались\n";
    }
    for (const int line : outcome.failedLines) {
        const std::string got =
            line < buffer.LineCount() ? Utf16ToUtf8(buffer.LineText(line)) : "(нет строки)";
        const std::string want = static_cast<size_t>(line) < expected.size()
                                     ? Cp1251ToUtf8(expected[static_cast<size_t>(line)])
                                     : "(нет строки)";
        out << "строка " << line + 1 << ": ожидалось «" << want << "», получено «" << got << "»\n";
    }
    if (!outcome.failedLines.empty() && buffer.SelLength() > 0) {
        out << "выделена строка " << buffer.LineOfOffset(buffer.SelStart()) + 1 << "\n";
    }

    const int failedLines = static_cast<int>(outcome.failedLines.size());
    const int passedLines =
        outcome.kind == SelfTestOutcome::Kind::Compared ? outcome.linesCompared - failedLines : 0;
    const int unasked = outcome.answersExpected - outcome.answersGiven;
    const int passed = passedLines + outcome.answersGiven;
    const int failed = failedLines + unasked + outcome.questionsShown +
                       (outcome.kind == SelfTestOutcome::Kind::Cancelled ? 1 : 0);
    out << passed << " passed, " << failed << " failed\n";
    out.flush();
    return outcome.Passed() && failed == 0 ? kExitOk : kExitFailure;
}

} // namespace umlo::cli
