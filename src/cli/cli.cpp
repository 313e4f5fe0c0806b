#include "cli/cli.hpp"

#include <new>
#include <optional>

#include "base/error.hpp"
#include "base/version.hpp"
#include "cli/inspect_json.hpp"
#include "languages/phrase_table.hpp"

namespace velquist {
namespace {

constexpr const char* Usage =
    "usage: velquist-merge [-l LANGUAGE] [-s] [-v] [--strict] -o RESULT REPORT REPORT...\n"
    "       velquist-merge --inspect REPORT\n"
    "       velquist-merge --languages\n"
    "       velquist-merge --help | --version\n";

// The usage, then what each option does and the exit codes.
constexpr const char* Help =
    "\n"
    "Merges strategy tester reports into one report, as if all their strategies\n"
    "had traded one account, and draws its balance chart beside it (RESULT with\n"
    "the extension .gif).\n"
    "\n"
    "  -o RESULT      the merged report to write (replaced when it exists)\n"
    "  -l LANGUAGE    the merged report's language, one of --languages\n"
    "                 (default English)\n"
    "  -s             add the \"Symbol\" column to the operations table\n"
    "  -v             tell each step on stdout\n"
    "  --strict       a report that may not have been read right (a warning)\n"
    "                 stops the merge before anything is written\n"
    "  --inspect      print what was read of one report, as JSON\n"
    "  --languages    print the languages a report can be written in\n"
    "\n"
    "Exit codes: 0 done; 1 an error (its text on stderr, naming the file);\n"
    "2 refused input (usage, fewer than two reports, no result name, an\n"
    "unknown language). Warnings go to stderr and keep exit code 0.\n";

struct TMergeOptions {
    std::string Language = "English";
    std::string Result;
    std::vector<std::string> Reports;
    bool WriteSymbol = false;
    bool Verbose = false;
    bool Strict = false;  // a warning about a report stops the merge
};

std::string LanguageList() {
    std::string list;
    for (std::string_view name : LanguageNames()) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}

// Parses the merge options; nullopt (with the reason on err) when they are wrong.
std::optional<TMergeOptions> ParseMergeOptions(const std::vector<std::string>& args,
                                               std::ostream& err) {
    TMergeOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            options.Reports.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-s") {
            options.WriteSymbol = true;
        } else if (arg == "-v") {
            options.Verbose = true;
        } else if (arg == "--strict") {
            options.Strict = true;
        } else if ((arg == "-o" || arg == "-l") && i + 1 < args.size()) {
            (arg == "-o" ? options.Result : options.Language) = args[++i];
        } else {
            err << "velquist-merge: "
                << (arg == "-o" || arg == "-l" ? "missing value for " : "unknown option ") << arg
                << "\n"
                << Usage;
            return std::nullopt;
        }
    }
    if (LanguageIndex(options.Language) < 0) {
        err << "velquist-merge: unknown language \"" << options.Language
            << "\". Use one of: " << LanguageList() << "\n";
        return std::nullopt;
    }
    return options;
}

const char* StepName(TMergeStep step) {
    switch (step) {
        case TMergeStep::Read:
            return "read";
        case TMergeStep::Write:
            return "write";
        case TMergeStep::Chart:
            return "chart";
    }
    return "";
}

int RunMerge(const TMergeOptions& options, std::ostream& out, std::ostream& err,
             const TChartStep& chartStep) {
    // The two report objects live for the whole run, as the window's do.
    TMT4TestReport reportA;
    TMT4TestReport reportB;
    reportA.WriteSymbol = options.WriteSymbol;
    const TMergeRequest request{options.Reports, options.Result, options.Language, options.Strict};
    TStepObserver onStep;
    if (options.Verbose)
        onStep = [&](TMergeStep step, const std::string& fileName) {
            out << StepName(step) << ": " << fileName << "\n";
        };
    const TMergeOutcome outcome = MergeJob(request, reportA, reportB, chartStep, onStep);

    // Under --strict the first warning is the error told below.
    if (!options.Strict) {
        for (const TReadWarning& warning : outcome.Warnings)
            err << "velquist-merge: warning: " << warning.FileName << ": " << warning.Text << "\n";
    }
    switch (outcome.Kind) {
        case TMergeOutcome::TKind::Refused:
            err << outcome.Message << "\n";
            return ExitRefused;
        case TMergeOutcome::TKind::Failed:
            // Name the report when the reader's message itself does not; the
            // messages of the later steps name their files.
            if (outcome.Step == TMergeStep::Read &&
                outcome.Message.find(outcome.FileName) == std::string::npos)
                err << outcome.FileName << ": ";
            err << outcome.Message << "\n";
            return ExitError;
        case TMergeOutcome::TKind::Done:
            break;
    }
    if (options.Verbose)
        out << "merged " << options.Reports.size() << " reports into " << options.Result << "\n";
    return ExitSuccess;
}

int RunInspect(const std::string& fileName, std::ostream& out, std::ostream& err) {
    TMT4TestReport report;
    try {
        report.ReadFromFile(fileName);
    } catch (const std::bad_alloc&) {
        err << OutOfMemoryError(fileName).what() << "\n";
        return ExitError;
    } catch (const std::exception& error) {
        const std::string message = error.what();
        if (message.find(fileName) == std::string::npos) err << fileName << ": ";
        err << message << "\n";
        return ExitError;
    }
    out << ReportToJson(report);
    return ExitSuccess;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TChartStep& chartStep) {
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        out << Usage << Help;
        return ExitSuccess;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "velquist-merge " << VelquistVersion << "\n";
        return ExitSuccess;
    }
    if (args.size() == 1 && args[0] == "--languages") {
        for (std::string_view name : LanguageNames()) out << name << "\n";
        return ExitSuccess;
    }
    if (!args.empty() && args[0] == "--inspect") {
        if (args.size() != 2) {
            err << Usage;
            return ExitRefused;
        }
        return RunInspect(args[1], out, err);
    }
    if (args.empty()) {
        err << Usage;
        return ExitRefused;
    }
    const std::optional<TMergeOptions> options = ParseMergeOptions(args, err);
    if (!options) return ExitRefused;
    return RunMerge(*options, out, err, chartStep);
}

}  // namespace velquist
