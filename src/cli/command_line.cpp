#include "cli/command_line.hpp"

#include <CLI/CLI.hpp>
#include <memory>

#include "languages/phrase_table.hpp"

namespace velquist {

const char* const UsageText =
    "usage: velquist-merge [-l LANGUAGE] [-s] [-v] [--strict] -o RESULT REPORT REPORT...\n"
    "       velquist-merge --inspect REPORT\n"
    "       velquist-merge --languages\n"
    "       velquist-merge --help | --version\n";

namespace {

constexpr const char* Description =
    "Merges strategy tester reports into one report, as if all their strategies\n"
    "had traded one account, and draws its balance chart beside it (RESULT with\n"
    "the extension .gif).\n";

constexpr const char* ExitCodes =
    "Exit codes: 0 done; 1 an error (its text on stderr, naming the file; a\n"
    "failed write of stdout or stderr too); 2 refused input (usage, fewer than\n"
    "two reports, no result name, a result whose picture RESULT.gif would\n"
    "replace it or a report, an unknown language). Warnings go to stderr and\n"
    "keep exit code 0.";

// CLI11's layout, headed by our usage lines instead of its generated one.
class THelpFormatter : public CLI::Formatter {
  public:
    THelpFormatter() { column_width(17); }
    std::string make_usage(const CLI::App*, std::string) const override { return UsageText; }
};

// The requests that make up a command line of their own.
struct TStandalone {
    bool Inspect = false;
    bool Languages = false;
    bool Version = false;
};

void DefineGrammar(CLI::App& app, TCommandLine& line, TStandalone& alone) {
    app.formatter(std::make_shared<THelpFormatter>());
    app.footer(ExitCodes);
    // Unknown options are collected rather than thrown, so that the message
    // names the option.
    app.allow_extras();
    // A name such as "/reports/a.htm" is a report on Windows too, never "/a".
    app.allow_windows_style_options(false);
    app.set_help_flag("-h,--help", "print this help");
    const auto last = CLI::MultiOptionPolicy::TakeLast;
    app.add_option("-o", line.Result, "the merged report to write (replaced when it exists)")
        ->type_name("RESULT")
        ->multi_option_policy(last);
    app.add_option("-l", line.Language,
                   "the report's language, one of --languages (default English)")
        ->type_name("LANGUAGE")
        ->multi_option_policy(last);
    app.add_flag("-s", line.WriteSymbol, "add the \"Symbol\" column to the operations table");
    app.add_flag("-v", line.Verbose, "tell each step on stdout");
    app.add_flag("--strict", line.Strict,
                 "a warning about a report is an error: nothing is written");
    app.add_flag("--inspect", alone.Inspect, "print what was read of one REPORT, as JSON");
    app.add_flag("--languages", alone.Languages, "print the languages a report can be written in");
    app.add_flag("--version", alone.Version, "print the version");
    app.add_option("REPORT", line.Reports, "the reports to merge, in this order")->type_name("");
}

std::string LanguageList() {
    std::string list;
    for (std::string_view name : LanguageNames()) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}

// The first argument CLI11 set aside as no option of ours; CLI11 sets aside the
// "--" that ends the options too.
std::string FirstUnknownOption(const CLI::App& app) {
    for (const std::string& arg : app.remaining())
        if (arg != "--") return arg;
    return {};
}

std::optional<TCommandLine> Refuse(std::ostream& err, const std::string& reason) {
    err << "velquist-merge: " << reason << "\n" << UsageText;
    return std::nullopt;
}

// The first option given besides the one named, in the usage's order: what a
// request that stands alone must not have.
std::string FirstOtherOption(const CLI::App& app, const std::string& alone) {
    for (const char* option :
         {"-l", "-s", "-v", "--strict", "-o", "--inspect", "--languages", "--version"})
        if (option != alone && app.count(option) > 0) return option;
    return {};
}

// The request a parsed command line makes, or nullopt (told on err).
std::optional<TCommandLine> Request(TCommandLine line, const CLI::App& app,
                                    const TStandalone& alone, std::size_t argCount,
                                    std::ostream& err) {
    if (alone.Version || alone.Languages) {
        const std::string name = alone.Version ? "--version" : "--languages";
        if (app.count(name) > 1) return Refuse(err, name + " is given more than once");
        std::string other = FirstOtherOption(app, name);
        if (other.empty() && !line.Reports.empty()) other = line.Reports.front();
        if (!other.empty()) return Refuse(err, name + " takes no other arguments: " + other);
        line.Action =
            alone.Version ? TCommandLine::TAction::Version : TCommandLine::TAction::Languages;
        return line;
    }
    if (alone.Inspect) {
        line.Action = TCommandLine::TAction::Inspect;
        if (app.count("--inspect") > 1) return Refuse(err, "--inspect is given more than once");
        const std::string other = FirstOtherOption(app, "--inspect");
        if (!other.empty()) return Refuse(err, "--inspect takes no other options: " + other);
        if (line.Reports.empty()) return Refuse(err, "--inspect needs a report");
        if (line.Reports.size() > 1)
            return Refuse(err,
                          "--inspect takes one report, not " + std::to_string(line.Reports.size()));
        return line;
    }
    if (argCount == 0) return Refuse(err, "no arguments");
    if (LanguageIndex(line.Language) < 0) {
        err << "velquist-merge: unknown language \"" << line.Language
            << "\". Use one of: " << LanguageList() << "\n";
        return std::nullopt;
    }
    return line;
}

}  // namespace

std::optional<TCommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                             std::ostream& err) {
    TCommandLine line;
    TStandalone alone;
    CLI::App app;
    DefineGrammar(app, line, alone);
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        line.Action = TCommandLine::TAction::Help;
        return line;
    } catch (const CLI::ArgumentMismatch&) {
        // A value is missing only after the last argument, so an unknown
        // option, if any, came first.
        const std::string unknown = FirstUnknownOption(app);
        if (!unknown.empty()) return Refuse(err, "unknown option " + unknown);
        return Refuse(err, "missing value for -" + std::string(1, args.back().back()));
    } catch (const CLI::ParseError& error) {
        return Refuse(err, error.what());
    }
    const std::string unknown = FirstUnknownOption(app);
    if (!unknown.empty()) return Refuse(err, "unknown option " + unknown);
    return Request(std::move(line), app, alone, args.size(), err);
}

std::string HelpText() {
    TCommandLine line;
    TStandalone alone;
    CLI::App app(Description, "velquist-merge");
    DefineGrammar(app, line, alone);
    return app.help();
}

}  // namespace velquist
