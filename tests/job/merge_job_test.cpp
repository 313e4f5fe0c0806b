#include "job/merge_job.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/sample_report.hpp"
#include "fixtures/temp_dir.hpp"
#include "html/html_writer.hpp"

namespace velquist {
namespace {

using testing::Replace;
using testing::TTempDir;
using TKind = TMergeOutcome::TKind;

const std::string Examples = VELQUIST_EXAMPLES_DIR;
const std::string Trend = Examples + "/trend_eurusd.htm";
const std::string Scalper = Examples + "/scalper_gbpjpy.htm";

struct TJobRun {
    TMT4TestReport A, B;
    std::vector<std::string> Drawn, Charted;  // by the drawing, by the saving
    TMergeOutcome Run(const TMergeRequest& request) {
        return MergeJob(request, A, B, [this](const TMT4TestReport& r) {
            Drawn.push_back(r.FileName);
            return [this, &r] { Charted.push_back(r.FileName); };
        });
    }
};

TEST(MergeJob, RefusesTooFewFilesThenAnEmptyNameAndTouchesNothing) {
    TJobRun run;
    run.A.ExpertName = "kept";
    TMergeOutcome outcome = run.Run({{Trend}, "", "English"});
    EXPECT_EQ(outcome.Kind, TKind::Refused);
    EXPECT_EQ(outcome.Message, "Report files to merge not set!");
    outcome = run.Run({{"a", "b"}, "", "English"});
    EXPECT_EQ(outcome.Kind, TKind::Refused);
    EXPECT_EQ(outcome.Message, "Result report filename not set!");
    EXPECT_EQ(run.A.ExpertName, "kept");
    EXPECT_TRUE(run.Charted.empty());
}

TEST(MergeJob, ReadsMergesWritesThenChartsTheResult) {
    TTempDir dir;
    TJobRun run;
    const std::string result = dir.Path("out.htm");
    const TMergeOutcome outcome =
        run.Run({{Trend, Scalper, Examples + "/breakout_xauusd.htm"}, result, "English"});
    EXPECT_EQ(outcome.Kind, TKind::Done);
    EXPECT_EQ(outcome.Step, TMergeStep::Chart);
    EXPECT_TRUE(std::filesystem::exists(result));
    EXPECT_EQ(run.Charted, std::vector<std::string>{result});
    EXPECT_EQ(run.A.FileName, result);
    EXPECT_EQ(run.B.ExpertName, "GoldBreakout");
    EXPECT_EQ(run.A.InitialDeposit, 10000 + 5000 + 3000);
}

TEST(MergeJob, StopsAtAnErrorWithItsStepAndFileKeepingWhatWasDone) {
    TTempDir dir;
    TJobRun run;
    const std::string result = dir.Path("out.htm");
    const std::string missing = dir.Path("missing.htm");
    TMergeOutcome outcome = run.Run({{Trend, Scalper, missing}, result, "English"});
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Step, TMergeStep::Read);
    EXPECT_EQ(outcome.FileName, missing);
    EXPECT_EQ(outcome.Message, "Cannot open file \"" + missing + "\". " + MissingFileReason);
    EXPECT_EQ(run.A.InitialDeposit, 15000);  // the first two, merged
    EXPECT_FALSE(std::filesystem::exists(result));

    outcome = MergeJob({{Trend, Scalper}, result, "English"}, run.A, run.B,
                       [](const TMT4TestReport&) -> TSaveChart { throw Error("chart failed"); });
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Step, TMergeStep::Chart);
    EXPECT_EQ(outcome.Message, "chart failed");
    EXPECT_TRUE(std::filesystem::exists(result));

    // The chart is drawn while the page is written: a page that cannot be
    // written is the error, and the chart is not saved.
    const std::string unwritable = dir.Path("no/such/folder.htm");
    outcome = run.Run({{Trend, Scalper}, unwritable, "English"});
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Step, TMergeStep::Write);
    EXPECT_EQ(outcome.FileName, unwritable);
    EXPECT_TRUE(run.Charted.empty());
}

// Runs the job on the files and compares it with reading and merging them
// one after the other.
void ExpectSameAsOneByOne(TTempDir& dir, const std::vector<std::string>& used) {
    std::filesystem::create_directories(dir.Path("job"));
    std::filesystem::create_directories(dir.Path("single"));
    TJobRun run;
    const TMergeOutcome outcome = run.Run({used, dir.Path("job/out.htm"), "English"});
    TMT4TestReport a, b;
    a.ReadFromFile(used[0]);
    try {
        for (std::size_t i = 1; i < used.size(); ++i) {
            b.ReadFromFile(used[i]);
            a.Merge(b);
        }
        a.FileName = dir.Path("single/out.htm");
        a.WriteToFile(a.FileName, "English");
        EXPECT_EQ(outcome.Kind, TKind::Done);
        EXPECT_EQ(testing::ReadFileBytes(dir.Path("job/out.htm")),
                  testing::ReadFileBytes(dir.Path("single/out.htm")));
    } catch (const Error& error) {
        EXPECT_EQ(outcome.Kind, TKind::Failed);
        EXPECT_EQ(outcome.Message, error.what());
        EXPECT_EQ(outcome.FileName, b.FileName);
    }
    // Also where the job stopped early: the same rows and statistics.
    run.A.FileName = a.FileName = dir.Path("page.htm");
    EXPECT_EQ(BuildReportHtml(run.A, "English"), BuildReportHtml(a, "English"));
    EXPECT_EQ(run.B.FileName, b.FileName);
    EXPECT_EQ(run.B.Symbol, b.Symbol);
    EXPECT_EQ(run.B.Operations.Count(), b.Operations.Count());
}

// Files are loaded ahead on threads while earlier ones are merged, and the
// statistics are computed once, after the last merge: the page, what the two
// report objects hold after the job, and where an error stops it are those
// of reading and merging one file after the other, also when a file after
// the one that fails loads first, and when files reuse the memory of files
// read before them. A file without a "Symbol" label keeps the
// one read before it in the second report object.
TEST(MergeJob, GivesWhatReadingAndMergingOneByOneGives) {
    TTempDir dir;
    const std::string noSymbolFile = dir.Write(
        "nosymbol.htm",
        Replace(testing::ReadFileBytes(Examples + "/breakout_xauusd.htm"), ">Symbol<", "><"));
    const std::string missing = dir.Path("missing.htm");
    const std::string grid = Examples + "/grid_usdjpy_ru.htm";
    const std::vector<std::vector<std::string>> lists = {
        {Trend, Scalper, noSymbolFile, grid, missing},
        {Trend, Scalper, missing, grid, noSymbolFile, Trend},
        // Long enough for files loaded into the memory of files read before.
        {grid, Trend, noSymbolFile, Scalper, grid, Scalper, Trend, noSymbolFile}};
    for (const std::vector<std::string>& files : lists) {
        for (const std::size_t count : {files.size() - 1, files.size()}) {
            const std::vector<std::string> used(files.begin(), files.begin() + count);
            ExpectSameAsOneByOne(dir, used);
        }
    }
}

// Money that no account holds is warned about when read; should the merged
// sums overflow, nothing is written (no page with "INF" or "NAN"), and the
// error names the file from which on they do, whether its own money
// overflows or only adds to what came before it.
TEST(MergeJob, WritesNoSumsThatOverflowAndNamesTheFileTheyOverflowFrom) {
    TTempDir dir;
    const std::string profit = "<td class=mspt>50.00</td><td class=mspt>10050.00</td>";
    const std::string loss = "<td class=mspt>-15.00</td><td class=mspt>10035.00</td>";
    const std::string overflow = "<td class=mspt>1e308</td><td class=mspt>1e308</td>";
    const std::string huge = Replace(testing::SampleReportHtml, profit, overflow);
    const std::string hugeFile = dir.Write("huge.htm", huge);
    const std::string alsoHuge = dir.Write("also_huge.htm", huge);
    const std::string overflowing = dir.Write("overflowing.htm", Replace(huge, loss, overflow));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{hugeFile, Trend, alsoHuge, Scalper}, alsoHuge},
        {{Trend, overflowing, hugeFile}, overflowing},
        {{overflowing, Trend}, overflowing},
    };
    for (const auto& [files, culprit] : cases) {
        SCOPED_TRACE(culprit);
        TJobRun run;
        const std::string result = dir.Path("out.htm");
        const TMergeOutcome outcome = run.Run({files, result, "English"});
        EXPECT_EQ(outcome.Kind, TKind::Failed);
        EXPECT_EQ(outcome.Message, "The merged report's sums overflow from \"" + culprit +
                                       "\" on; nothing was written");
        EXPECT_EQ(outcome.FileName, culprit);
        EXPECT_FALSE(std::filesystem::exists(result));
        EXPECT_TRUE(run.Drawn.empty());
        EXPECT_TRUE(std::any_of(outcome.Warnings.begin(), outcome.Warnings.end(),
                                [](const TReadWarning& warning) {
                                    return warning.Text.starts_with("money that no account holds");
                                }));
    }
    // Money as large as that but with room to spare is merged and written.
    const std::string large = Replace(testing::SampleReportHtml, profit,
                                      "<td class=mspt>1e300</td><td class=mspt>1e300</td>");
    TJobRun run;
    const TMergeOutcome outcome =
        run.Run({{dir.Write("large.htm", large), Trend}, dir.Path("out.htm"), "English"});
    EXPECT_EQ(outcome.Kind, TKind::Done) << outcome.Message;
    EXPECT_EQ(testing::ReadFileBytes(dir.Path("out.htm")).find("INF"), std::string::npos);
}

// A build that cannot draw the chart must not write a page that names it.
TEST(MergeJob, WritesNothingWithoutAChartStep) {
    TTempDir dir;
    TMT4TestReport a, b;
    const TMergeOutcome outcome =
        MergeJob({{Trend, Scalper}, dir.Path("out.htm"), "English"}, a, b, {});
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Message, NoChartError().what());
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.htm")));
}

TEST(MergeJob, CollectsWarningsOrStopsAtTheFirstWhenAsked) {
    TTempDir dir;
    const std::string cut = dir.Write("cut.htm", "x\nStrategy Tester Report\n");
    TJobRun run;
    TMergeOutcome outcome = run.Run({{Trend, cut}, dir.Path("out.htm"), "English"});
    EXPECT_EQ(outcome.Kind, TKind::Done);
    ASSERT_EQ(outcome.Warnings.size(), 4u);
    EXPECT_EQ(outcome.Warnings[0].FileName, cut);
    EXPECT_EQ(outcome.Warnings[0].Text, "no \"Symbol\" label found");

    outcome = run.Run({{Trend, cut}, dir.Path("strict.htm"), "English", true});
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Message, cut + ": no \"Symbol\" label found");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("strict.htm")));
}

// The job reuses the memory of the files it has read for the next ones: what
// one file was found to lack stays with that file.
TEST(MergeJob, WarnsOnlyAboutTheFileThatLacksSomething) {
    TTempDir dir;
    const std::string unknownHeader = dir.Write(
        "header.htm",
        Replace(testing::ReadFileBytes(Trend), "<td>Time</td><td>Type</td>", "<td>When</td>"));
    const std::vector<std::string> sound = {Trend, Scalper, Examples + "/breakout_xauusd.htm",
                                            Examples + "/swing_nas100_es.htm"};
    std::vector<std::string> files = {unknownHeader};
    for (int round = 0; round < 2; ++round) files.insert(files.end(), sound.begin(), sound.end());
    TJobRun run;
    const TMergeOutcome outcome = run.Run({files, dir.Path("out.htm"), "English"});
    EXPECT_EQ(outcome.Kind, TKind::Done);
    ASSERT_FALSE(outcome.Warnings.empty());
    for (const TReadWarning& warning : outcome.Warnings) EXPECT_EQ(warning.FileName, unknownHeader);
}

TEST(WarningsBoxText, GivesOneLineAFileWithItsFindingsInTheOrderMet) {
    const std::vector<TReadWarning> warnings = {
        {"a.htm", "one"}, {"a.htm", "two"}, {"b.htm", "three"}, {"a.htm", "four"}};
    EXPECT_EQ(WarningsBoxText(warnings), std::string(MergedWithWarningsMessage) +
                                             "\n\na.htm: one; two\nb.htm: three\na.htm: four");
}

}  // namespace
}  // namespace velquist
