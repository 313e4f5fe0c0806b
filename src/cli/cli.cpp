#include "cli/cli.hpp"

#include <optional>

#include "cli/inspect_json.hpp"
#include "languages/phrase_table.hpp"
#include "base/error.hpp"
#include "job/merge_job.hpp"

namespace velquist {
namespace {

constexpr const char* Usage =
    "usage: velquist-merge [-l LANGUAGE] [-s] [-v] [--strict] -o RESULT REPORT REPORT...\n"
    "       velquist-merge --inspect REPORT\n"
    "       velquist-merge --languages\n";

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
            err << "velquist-merge: " << (arg == "-o" || arg == "-l" ? "missing value for " : "unknown option ")
                << arg << "\n" << Usage;
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

int RunMerge(const TMergeOptions& options, std::ostream& out, std::ostream& err,
             const TChartStep& chartStep) {
    // The two report objects live for the whole run, as the window's do.
    TMT4TestReport reportA;
    TMT4TestReport reportB;
    reportA.WriteSymbol = options.WriteSymbol;
    bool refused = false;
    std::string currentFile;
    TMergeJobCallbacks callbacks;
    callbacks.ChartStep = chartStep;
    callbacks.ShowMessage = [&](const std::string& message) {
        refused = true;
        err << message << "\n";
    };
    callbacks.OnStep = [&](std::string_view step, const std::string& fileName) {
        // An error of the reader whose text does not name its file is told
        // with the file's name.
        currentFile = step == "read" ? fileName : std::string();
        if (options.Verbose) out << step << ": " << fileName << "\n";
    };
    callbacks.OnWarning = [&](const std::string& fileName, const std::string& warning) {
        if (options.Strict) throw Error(fileName + ": " + warning);
        err << "velquist-merge: warning: " << fileName << ": " << warning << "\n";
    };
    try {
        MergeJob(options.Reports, options.Result, options.Language, reportA, reportB, callbacks);
    } catch (const std::exception& error) {
        // Name the file when the message itself does not.
        const std::string message = error.what();
        if (!currentFile.empty() && message.find(currentFile) == std::string::npos)
            err << currentFile << ": ";
        err << message << "\n";
        return ExitError;
    }
    if (refused) return ExitRefused;
    if (options.Verbose) out << "merged " << options.Reports.size() << " reports into " << options.Result << "\n";
    return ExitSuccess;
}

int RunInspect(const std::string& fileName, std::ostream& out, std::ostream& err) {
    TMT4TestReport report;
    try {
        report.ReadFromFile(fileName);
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
        out << Usage;
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
