#include "cli/restore_command.h"

#include "cli/answer_policy.h"
#include "cli/cli_settings.h"
#include "cli/interactive_asker.h"
#include "cli/path_collisions.h"
#include "cli/question_report.h"
#include "cli/terminal_host.h"
#include "cli/text_document.h"
#include "core/codepage.h"
#include "core/main_dictionary.h"
#include "core/pass.h"
#include "core/regexpr_dictionary.h"
#include "core/statistics.h"
#include "documents/file_identity.h"
#include "documents/memory_text_buffer.h"
#include "documents/settings_location.h"
#include "documents/text_file.h"

namespace umlo::cli {
namespace {

struct Input {
    std::string path;
    TextDocument document;
};

int PolicyAnswer(AnswerPolicy policy, const AskQuestion& q, const TextBuffer& buffer) {
    const std::string written =
        Utf16ToCp1251(buffer.TextRange(q.wordStart, q.wordStart + q.wordLength));
    const std::string plain = Utf8ToCp1251(q.plainForm);
    const std::string diaeresis = Utf8ToCp1251(q.diaeresisForm);
    const Choice choice = PolicyChoice(policy, {written, plain, diaeresis, q.proposePlain});
    return choice == Choice::Plain ? AnswerPlain : AnswerDiaeresis;
}

bool LoadDictionaries(const CliSettings& settings, const std::string& programFolder, TDic& dic,
                      TRegExprDic& regExprs, TOptions& options, TerminalHost& host,
                      std::ostream& err) {
    std::string mainPath = settings.mainDictionary.empty()
                               ? BundledDataFile(programFolder, "umlox.dat")
                               : settings.mainDictionary;
    const std::string shownMain = mainPath;
    if (!LoadMainDictionary(dic, mainPath, host) || !dic.Loaded()) {
        err << "umlo-cli: основной словарь " << shownMain << " не загружен\n";
        return false;
    }
    if (!options.RegExprs) {
        return true;
    }
    std::string regExprPath = settings.regExprDictionary.empty()
                                  ? BundledDataFile(programFolder, "umlo_regexpr.dat")
                                  : settings.regExprDictionary;
    const std::string shownRegExpr = regExprPath;
    if (!LoadRegExprDictionary(regExprs, regExprPath, options, host)) {
        err << "umlo-cli: словарь регулярных выражений " << shownRegExpr
            << " не загружен (без него: --no-regexprs)\n";
        return false;
    }
    return true;
}

} // namespace

int RunRestore(const CliArguments& args, const std::string& programFolder, Console& console) {
    std::ostream& err = console.err;
    CliSettings settings;
    std::string error;
    std::string warning;
    if (!ReadCliSettings(args, programFolder, settings, error, warning)) {
        err << "umlo-cli: " << error << "\n";
        return kExitFailure;
    }
    if (!warning.empty()) {
        err << "umlo-cli: " << warning << "\n";
    }
    std::vector<std::string> logs;
    if (settings.regExprLog && settings.options.RegExprs) {
        logs.push_back(settings.regExprLogPath);
    }
    // Nothing is read or written when one output would destroy another file.
    for (const std::string& refusal :
         {FindPathCollision(args, logs, settings.path), FindForeignReportTarget(args)}) {
        if (!refusal.empty()) {
            err << "umlo-cli: " << refusal << "\n";
            return kExitFailure;
        }
    }
    // With the result on standard output (or a path to it), the summaries go
    // beside it to stderr.
    const bool resultOnStdout =
        args.output == "-" || (!args.output.empty() &&
                               SameFile(IdentifyPath(args.output, true), IdentifyPath("-", true)));
    std::ostream& summary = resultOnStdout ? err : console.out;
    // Every input is read before anything is written: a bad one changes nothing.
    std::vector<Input> inputs;
    for (const std::string& path : args.files) {
        Input input{path, {}};
        if (!ReadTextDocument(path, args.encoding, input.document, error,
                              [&err, &path] { err << WaitingNote(path) << std::flush; })) {
            err << "umlo-cli: " << error << "\n";
            return kExitFailure;
        }
        inputs.push_back(std::move(input));
    }

    TerminalHost host(err, console.errIsTerminal);
    TDic dic;
    TRegExprDic regExprs;
    TOptions options = settings.options;
    if (!LoadDictionaries(settings, programFolder, dic, regExprs, options, host, err)) {
        return kExitFailure;
    }

    MemoryTextBuffer buffer;
    PassEngine engine(dic, regExprs, options, buffer, host);
    RegExprSettings& re = engine.RegExprConfig();
    re.wordsBufferLength = settings.wordsBufferLength;
    re.log = settings.regExprLog;
    re.logPath = settings.regExprLogPath;
    QuestionReport report;
    int lastAnswer = 0;
    bool inputEnded = false;
    host.SetAnswerer([&](const AskQuestion& q) {
        const int answer = args.interactive
                               ? AskOnTerminal(q, buffer, console.in, err, console.errIsTerminal,
                                               console.width, settings.answerKeys)
                               : PolicyAnswer(args.policy, q, buffer);
        // The end of the input is no answer of the user's: the pass stops and the
        // file is left alone.
        inputEnded = args.interactive && !console.in;
        if (!inputEnded) {
            report.Add(buffer, q, answer);
        }
        lastAnswer = answer;
        return answer;
    });

    const bool several = inputs.size() > 1;
    bool failed = false;
    for (size_t i = 0; i < inputs.size(); ++i) {
        const Input& input = inputs[i];
        report.BeginFile(input.path, several);
        LoadDocument(input.document, buffer);
        re.textPath = input.path;
        lastAnswer = 0;
        engine.DoUmloficate(0, 1);
        host.EndProgress();
        if (Interrupted()) {
            err << "umlo-cli: прервано; " << input.path << " не записан\n";
            return kExitInterrupted;
        }
        if (inputEnded) {
            err << "umlo-cli: ввод закончился раньше, чем были даны все ответы; " << input.path
                << " не записан\n";
            return kExitFailure;
        }
        const std::string& target = args.inPlace ? input.path : args.output;
        // An unchanged file is left untouched in place.
        if (!args.inPlace || buffer.Text() != input.document.Text()) {
            const bool asRtf = !args.inPlace && IsRtfName(target);
            std::string bytes;
            std::string error;
            if (!EncodeDocumentFile(target, input.document, buffer, asRtf, bytes, error)) {
                err << "umlo-cli: " << error << "\n";
                failed = true;
            } else if (const FileResult r = WriteFileReplacing(target, bytes); !r) {
                err << "umlo-cli: " << r.error << "\n";
                failed = true;
            }
        }
        summary << (several ? input.path + ": " : std::string()) << engine.RunSummary() << "\n";
        if (lastAnswer == AnswerCancel) {
            const LineColumn at = buffer.LineAndColumn(buffer.SelStart());
            err << "umlo-cli: ёфикация " << input.path << " прервана в строке " << at.line + 1
                << "; замены до этого места записаны\n";
            if (i + 1 < inputs.size()) {
                err << "umlo-cli: остальные файлы не обработаны\n";
            }
            break;
        }
    }
    console.out.flush();

    if (!args.statsPath.empty() && !SaveStatistics(args.statsPath, WordStatisticsGrid(dic),
                                                   CombiStatisticsGrid(regExprs), host)) {
        failed = true;
    }
    if (!args.reportPath.empty()) {
        if (const FileResult r = WriteFileReplacing(args.reportPath, report.Text()); !r) {
            err << "umlo-cli: " << r.error << "\n";
            failed = true;
        }
    }
    return failed ? kExitFailure : kExitOk;
}

} // namespace umlo::cli
