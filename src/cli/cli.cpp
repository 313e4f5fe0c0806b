#include "cli/cli.hpp"

#include <new>
#include <optional>

#include "base/error.hpp"
#include "base/version.hpp"
#include "cli/command_line.hpp"
#include "cli/inspect_json.hpp"
#include "languages/phrase_table.hpp"
#include "system/system_text.hpp"

namespace velquist {
namespace {

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

int RunMerge(const TCommandLine& options, std::ostream& out, std::ostream& err,
             const TChartSetUp& chartSetUp) {
    const TMergeRequest request{options.Reports, options.Result, options.Language, options.Strict};
    // A refusal is told before the chart is set up, which may fail or take
    // its time; the set-up comes before anything is read or written.
    if (const std::optional<std::string> refusal = MergeRefusal(request)) {
        err << *refusal << "\n";
        return ExitRefused;
    }
    TChartStep chartStep;
    if (chartSetUp) {
        try {
            chartStep = chartSetUp();
        } catch (const std::exception& error) {
            err << error.what() << "\n";
            return ExitError;
        }
    }
    // The two report objects live for the whole run, as the window's do.
    TMT4TestReport reportA;
    TMT4TestReport reportB;
    reportA.WriteSymbol = options.WriteSymbol;
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
           const TChartSetUp& chartSetUp) {
    const std::optional<TCommandLine> line = ParseCommandLine(args, err);
    if (!line) return ExitRefused;
    switch (line->Action) {
        case TCommandLine::TAction::Help:
            out << HelpText();
            return ExitSuccess;
        case TCommandLine::TAction::Version:
            out << "velquist-merge " << VelquistVersion << "\n";
            return ExitSuccess;
        case TCommandLine::TAction::Languages:
            for (std::string_view name : LanguageNames()) out << name << "\n";
            return ExitSuccess;
        case TCommandLine::TAction::Inspect:
            return RunInspect(line->Reports.front(), out, err);
        case TCommandLine::TAction::Merge:
            break;
    }
    return RunMerge(*line, out, err, chartSetUp);
}

int ExitCodeAfterOutput(int code, TStandardOutputBuffer& out, TStandardOutputBuffer& err) {
    const bool written = out.Flush();
    if (!written) {
        std::ostream tell(&err);
        tell << "velquist-merge: cannot write to standard output: "
             << SystemErrorText(out.ErrorNumber()) << "\n";
    }
    const bool told = err.Flush();
    return code == ExitSuccess && !(written && told) ? ExitError : code;
}

}  // namespace velquist
