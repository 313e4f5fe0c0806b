#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "base/error.hpp"
#include "base/version.hpp"
#include "cli/command_line.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/sample_report.hpp"
#include "fixtures/temp_dir.hpp"
#include "languages/phrase_table.hpp"

namespace velquist {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;

const std::string Examples = VELQUIST_EXAMPLES_DIR;
const std::string Trend = Examples + "/trend_eurusd.htm";
const std::string Scalper = Examples + "/scalper_gbpjpy.htm";

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

// A chart step that draws nothing: these tests look at the page and the output.
const TChartStep NoPicture = [](const TMT4TestReport&) { return TSaveChart(); };

TRun Cli(const std::vector<std::string>& args, const TChartStep& chart = NoPicture) {
    std::ostringstream out, err;
    const int code = RunCli(args, out, err, [&chart] { return chart; });
    return {code, out.str(), err.str()};
}

TEST(Cli, ListsTheLanguagesInTheirFixedOrder) {
    const TRun run = Cli({"--languages"});
    EXPECT_EQ(run.Code, ExitSuccess);
    EXPECT_TRUE(run.Out.starts_with("English\nTurkish\nSpanish\n"));
    EXPECT_TRUE(run.Out.ends_with("Chinese (Simplified)\nBulgarian\nArabic\n"));
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 28);
}

// Every option of the usage lines is explained below them.
TEST(Cli, HelpExplainsEveryOptionAndVersionTellsTheVersion) {
    const TRun help = Cli({"--help"});
    EXPECT_EQ(help.Code, ExitSuccess);
    const std::string body = help.Out.substr(help.Out.find("\n\n"));
    for (const char* option : {"-o RESULT", "-l LANGUAGE", "-s ", "-v ", "--strict", "--inspect",
                               "--languages", "Exit codes"})
        EXPECT_NE(body.find(option), std::string::npos) << option;
    EXPECT_EQ(Cli({"--version"}).Out, std::string("velquist-merge ") + VelquistVersion + "\n");
}

TEST(Cli, InspectPrintsTheModelWithEveryByteRecoverable) {
    const TRun run = Cli({"--inspect", Examples + "/grid_usdjpy_ru.htm"});
    ASSERT_EQ(run.Code, ExitSuccess) << run.Err;
    EXPECT_NE(run.Out.find("\"ExpertName\":\"GridMaster\""), std::string::npos);
    // "Все тики" in Windows 1251: C2 F1 E5 20 F2 E8 EA E8.
    EXPECT_NE(run.Out.find("\"Model\":\"\\u00c2\\u00f1\\u00e5 \\u00f2\\u00e8\\u00ea\\u00e8\""),
              std::string::npos);
    EXPECT_NE(run.Out.find("\"InitialDeposit\":2000,"), std::string::npos);
    EXPECT_NE(run.Out.find("\"TimeText\":\"2023.01.03 "), std::string::npos);
    EXPECT_NE(run.Out.find("\"HasProfit\":false"), std::string::npos);
    // The labels as the file has them, after the model's fields: "Символ".
    EXPECT_NE(run.Out.find("],\"WriteSymbol\":true,\"Warnings\":[],\"Labels\":{"
                           "\"Strategy Tester Report\":\"Strategy Tester Report\","
                           "\"Symbol\":\"\\u00d1\\u00e8\\u00ec\\u00e2\\u00ee\\u00eb\","),
              std::string::npos);
    EXPECT_TRUE(
        run.Out.ends_with("\"Balance\":\"\\u00c1\\u00e0\\u00eb\\u00e0\\u00ed\\u00f1\"}}\n"));
}

// A terminal of another wording, and a list sorted by another column before
// saving, give the model of the report as written.
TEST(Cli, InspectGivesTheSameModelInAnyWordingAndRowOrder) {
    TTempDir dir;
    const std::string path = dir.Path("report.htm");
    const std::string original = ReadFileBytes(Examples + "/breakout_xauusd.htm");
    auto model = [&](const std::string& text) {
        dir.Write("report.htm", text);
        const std::string json = Cli({"--inspect", path}).Out;
        return json.substr(0, json.find(",\"Labels\":"));  // the labels are the wording
    };
    // Every label cell before the first operation row in a word of its own.
    std::string unknown = original;
    for (std::int32_t i = 1; i < PhraseTable().Count(); ++i) {  // the title stays
        const std::string label = PhraseTable().Items(i).GetText("English");
        unknown = testing::Replace(unknown, ">" + label + "<", ">Qx" + std::to_string(i) + "<");
    }
    // The operation rows last first, each place keeping its opening tag (the
    // shading goes by place).
    const std::size_t first = original.find("<tr", original.find("<td>Balance</td>"));
    const std::size_t end = original.rfind("</tr>") + 5;
    std::vector<std::pair<std::string, std::string>> rows;  // opening tag, the rest
    for (std::size_t at = first; at < end; at = original.find("<tr", at)) {
        const std::size_t body = original.find('>', at) + 1;
        const std::size_t rowEnd = original.find("</tr>", at) + 5;
        rows.emplace_back(original.substr(at, body - at), original.substr(body, rowEnd - body));
        at = rowEnd;
    }
    std::string reversed = original.substr(0, first);
    for (std::size_t k = 0; k < rows.size(); ++k)
        reversed += rows[k].first + rows[rows.size() - 1 - k].second + "\n";
    reversed += original.substr(end);
    const std::string expected = model(original);
    ASSERT_NE(expected.find("\"InitialDeposit\":3000"), std::string::npos);
    EXPECT_EQ(model(unknown), expected);
    EXPECT_EQ(model(reversed), expected);
}

TEST(Cli, MergesReportsSilently) {
    TTempDir dir;
    const TRun run = Cli({"-o", dir.Path("merged.htm"), Trend, Scalper});
    EXPECT_EQ(run.Code, ExitSuccess) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    const std::string html = ReadFileBytes(dir.Path("merged.htm"));
    EXPECT_NE(html.find("EURUSD (Euro vs US Dollar), GBPJPY (Great Britain Pound vs Japanese Yen)"),
              std::string::npos);
    EXPECT_EQ(html.find("<td>Symbol</td><td>Order</td>"), std::string::npos);
}

TEST(Cli, AddsTheSymbolColumnAndTheLanguageOnRequest) {
    TTempDir dir;
    const TRun run = Cli({"-s", "-l", "German", "-o", dir.Path("merged.htm"), Trend,
                          Examples + "/breakout_xauusd.htm"});
    ASSERT_EQ(run.Code, ExitSuccess) << run.Err;
    const std::string html = ReadFileBytes(dir.Path("merged.htm"));
    EXPECT_NE(html.find("<td>Nr.</td>"), std::string::npos);
    EXPECT_NE(html.find("</td><td>XAUUSD</td><td>"), std::string::npos);
}

// The job's refusals, told before anything is read or written and before the
// chart is set up: the picture (the result's name with ".gif") may replace
// neither the result nor a report.
TEST(Cli, RefusesInputWithTheJobsMessagesInOrder) {
    TTempDir dir;
    const std::string gifReport = dir.Write("a.gif", ReadFileBytes(Trend));
    const std::string earlier = dir.Write("r.gif", "earlier picture");
    const std::string missing = dir.Path("missing.htm");
    const std::string pictureIsAReport =
        "The result's picture \"" + gifReport + "\" is one of the report files to merge!\n";
    const std::string namedAsPicture =
        "Result report filename must not end in \".gif\": that is the name of its picture!\n";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    std::vector<Case> cases = {
        {{Trend}, "Report files to merge not set!\n"},
        {{Trend, Trend}, "Result report filename not set!\n"},
        {{"-o", "", Trend, Trend}, "Result report filename not set!\n"},
        {{"-o", dir.Path("r.htm"), Trend}, "Report files to merge not set!\n"},
        {{"-o", earlier, Trend, Trend}, namedAsPicture},
        {{"-o", earlier, missing, missing}, namedAsPicture},
        {{"-o", dir.Path("a.htm"), Trend, gifReport}, pictureIsAReport},
        {{"-o", dir.Path("a"), gifReport, Trend}, pictureIsAReport},
    };
#ifdef _WIN32
    // Windows' file names do not tell the case of letters apart.
    cases.push_back({{"-o", dir.Path("r.GIF"), Trend, Trend}, namedAsPicture});
    cases.push_back({{"-o", dir.Path("A.htm"), Trend, gifReport},
                     "The result's picture \"" + dir.Path("A.gif") +
                         "\" is one of the report files to merge!\n"});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        int setUps = 0;
        std::ostringstream out, err;
        const int code = RunCli(c.args, out, err, [&setUps] {
            ++setUps;
            return NoPicture;
        });
        EXPECT_EQ(code, ExitRefused);
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(setUps, 0);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("r.htm")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.htm")));
    EXPECT_EQ(ReadFileBytes(earlier), "earlier picture");
    EXPECT_EQ(ReadFileBytes(gifReport), ReadFileBytes(Trend));
}

// Every refusal of the arguments says why in one line, then gives the usage.
TEST(Cli, RefusesArgumentsWithALineThatSaysWhy) {
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{}, "no arguments"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"-o"}, "missing value for -o"},
        {{"--inspect"}, "--inspect needs a report"},
        {{"--inspect", Trend, Trend}, "--inspect takes one report, not 2"},
        {{"--inspect", Trend, "-o", "x.htm"}, "--inspect takes no other options: -o"},
        {{"-s", "--inspect", Trend}, "--inspect takes no other options: -s"},
        {{"--inspect", "-s", Trend}, "--inspect takes no other options: -s"},
        {{"--inspect", "-l", "German", Trend}, "--inspect takes no other options: -l"},
        {{"--inspect", "-v", Trend}, "--inspect takes no other options: -v"},
        {{"--inspect", "--strict", Trend}, "--inspect takes no other options: --strict"},
        {{"--inspect", "-o", "x.htm", Trend}, "--inspect takes no other options: -o"},
        {{"--inspect", "--inspect", Trend}, "--inspect is given more than once"},
        {{"--languages", "-o", "x.htm", Trend, Trend}, "--languages takes no other arguments: -o"},
        {{"--languages", "-l", "German"}, "--languages takes no other arguments: -l"},
        {{"--languages", "--strict"}, "--languages takes no other arguments: --strict"},
        {{"--version", "extra"}, "--version takes no other arguments: extra"},
        {{"--version", "--languages"}, "--version takes no other arguments: --languages"},
        {{"--version", "--inspect", Trend}, "--version takes no other arguments: --inspect"},
    };
    for (const auto& [args, reason] : refused) {
        SCOPED_TRACE(reason);
        const TRun run = Cli(args);
        EXPECT_EQ(run.Code, ExitRefused);
        EXPECT_EQ(run.Err, "velquist-merge: " + reason + "\n" + UsageText);
        EXPECT_EQ(run.Out, "");
    }
}

TEST(Cli, RefusesUnknownLanguagesWithTheirList) {
    const TRun run = Cli({"-l", "english", "-o", "x.htm", Trend, Trend});
    EXPECT_EQ(run.Code, ExitRefused);
    EXPECT_TRUE(
        run.Err.starts_with("velquist-merge: unknown language \"english\". Use one of: "
                            "English, Turkish, Spanish,"));
}

// Options stand anywhere among the reports; "--" ends them; an option's value
// is the next argument whatever it looks like; the last of a repeated one wins.
TEST(Cli, ParsesOptionsAnywhereAndRefusesWithTheFirstFault) {
    struct Case {
        std::vector<std::string> args;
        std::string result;
        std::vector<std::string> reports;
    };
    const Case parsed[] = {
        {{"a", "-o", "r", "b"}, "r", {"a", "b"}},
        {{"-o", "r", "--", "-x.htm", "b"}, "r", {"-x.htm", "b"}},
        {{"-o", "-r.htm", "-", "b"}, "-r.htm", {"-", "b"}},
        {{"-o", "x", "a", "-o", "y", "b"}, "y", {"a", "b"}},
    };
    for (const Case& c : parsed) {
        std::ostringstream err;
        const std::optional<TCommandLine> line = ParseCommandLine(c.args, err);
        ASSERT_TRUE(line) << err.str();
        EXPECT_EQ(line->Result, c.result);
        EXPECT_EQ(line->Reports, c.reports);
    }
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"a", "-x", "b", "-o"}, "unknown option -x"},
        {{"a", "b", "-l"}, "missing value for -l"},
    };
    for (const auto& [args, reason] : refused)
        EXPECT_EQ(Cli(args).Err, "velquist-merge: " + reason + "\n" + UsageText);
}

TEST(Cli, ReportsAMissingReportAndWritesNothing) {
    TTempDir dir;
    const std::string missing = dir.Path("missing.htm");
    const TRun run = Cli({"-o", dir.Path("merged.htm"), Trend, Scalper, missing});
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_EQ(run.Err, "Cannot open file \"" + missing + "\". " + MissingFileReason + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("merged.htm")));
}

// A report cut short after its title reads with warnings: the merge tells them
// and goes on, --strict stops before writing, --inspect lists them.
TEST(Cli, WarnsAboutADoubtfulReportAndStopsOnItWhenStrict) {
    TTempDir dir;
    const std::string cut = dir.Write("cut.htm", "x\nStrategy Tester Report\n");
    const std::string warned = "velquist-merge: warning: " + cut + ": no \"Symbol\" label found\n";

    TRun run = Cli({"-o", dir.Path("merged.htm"), Trend, cut});
    EXPECT_EQ(run.Code, ExitSuccess);
    EXPECT_TRUE(run.Err.starts_with(warned)) << run.Err;
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 4) << run.Err;
    EXPECT_TRUE(std::filesystem::exists(dir.Path("merged.htm")));

    run = Cli({"--strict", "-o", dir.Path("strict.htm"), Trend, cut});
    EXPECT_EQ(run.Code, ExitError);
    EXPECT_EQ(run.Err, cut + ": no \"Symbol\" label found\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("strict.htm")));

    run = Cli({"--inspect", cut});
    EXPECT_EQ(run.Code, ExitSuccess);
    EXPECT_EQ(run.Err, "");
    EXPECT_NE(run.Out.find("\"Warnings\":[\"no \\\"Symbol\\\" label found\",\"no \\\"Period\\\""),
              std::string::npos)
        << run.Out;
}

TEST(Cli, ReplacesAnInputNamedAsTheResultAfterReadingIt) {
    TTempDir dir;
    const std::string first = dir.Write("a.htm", ReadFileBytes(Trend));
    const TRun run = Cli({"-o", first, first, Scalper});
    ASSERT_EQ(run.Code, ExitSuccess) << run.Err;
    const std::string merged = ReadFileBytes(first);
    EXPECT_NE(merged.find("<b>TrendRider</b>"), std::string::npos);
    EXPECT_NE(merged.find("EURUSD (Euro vs US Dollar), GBPJPY"), std::string::npos);
}

TEST(Cli, UsesAResultNameWithoutExtensionAsGivenAndRepeatsItselfExactly) {
    TTempDir dir;
    std::vector<std::string> drawn;
    const TChartStep chart = [&](const TMT4TestReport& r) {
        return [&] { drawn.push_back(r.ImageFileName()); };
    };
    const std::vector<std::string> args = {"-o", dir.Path("merged"), Trend,
                                           Examples + "/grid_usdjpy_ru.htm"};
    ASSERT_EQ(Cli(args, chart).Code, ExitSuccess);
    const std::string first = ReadFileBytes(dir.Path("merged"));
    ASSERT_EQ(Cli(args, chart).Code, ExitSuccess);
    EXPECT_EQ(ReadFileBytes(dir.Path("merged")), first);
    EXPECT_NE(first.find("<img src=\"merged.gif\""), std::string::npos);
    EXPECT_EQ(drawn, std::vector<std::string>(2, dir.Path("merged.gif")));
}

// A chart that cannot be set up is an error before anything is read or
// written.
TEST(Cli, TellsAChartThatCannotBeSetUpAndWritesNothing) {
    TTempDir dir;
    std::ostringstream out, err;
    const int code = RunCli({"-o", dir.Path("m.htm"), Trend, dir.Path("missing.htm")}, out, err,
                            []() -> TChartStep { throw Error("no drawing here"); });
    EXPECT_EQ(code, ExitError);
    EXPECT_EQ(err.str(), "no drawing here\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("m.htm")));
}

TEST(Cli, TellsEachStepWhenVerbose) {
    TTempDir dir;
    const TRun run = Cli({"-v", "-o", dir.Path("m.htm"), Trend, Scalper});
    EXPECT_EQ(run.Code, ExitSuccess);
    EXPECT_NE(run.Out.find("read: " + Examples + "/scalper_gbpjpy.htm\n"), std::string::npos);
    EXPECT_NE(run.Out.find("write: " + dir.Path("m.htm") + "\n"), std::string::npos);
}

}  // namespace
}  // namespace velquist
