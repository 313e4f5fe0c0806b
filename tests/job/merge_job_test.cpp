#include "job/merge_job.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.hpp"
#include "fixtures/temp_dir.hpp"

namespace velquist {
namespace {

using testing::TTempDir;
using TKind = TMergeOutcome::TKind;

const std::string Examples = VELQUIST_EXAMPLES_DIR;
const std::string Trend = Examples + "/trend_eurusd.htm";
const std::string Scalper = Examples + "/scalper_gbpjpy.htm";

struct TJobRun {
    TMT4TestReport A, B;
    std::vector<std::string> Charted;
    TMergeOutcome Run(const TMergeRequest& request) {
        return MergeJob(request, A, B,
                        [this](const TMT4TestReport& r) { Charted.push_back(r.FileName); });
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
    EXPECT_EQ(outcome.Message, "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(run.A.InitialDeposit, 15000);  // the first two, merged
    EXPECT_FALSE(std::filesystem::exists(result));

    outcome = MergeJob({{Trend, Scalper}, result, "English"}, run.A, run.B,
                       [](const TMT4TestReport&) { throw Error("chart failed"); });
    EXPECT_EQ(outcome.Kind, TKind::Failed);
    EXPECT_EQ(outcome.Step, TMergeStep::Chart);
    EXPECT_EQ(outcome.Message, "chart failed");
    EXPECT_TRUE(std::filesystem::exists(result));
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

}  // namespace
}  // namespace velquist
