#include <gtest/gtest.h>

#include <filesystem>

#include "fixtures/temp_dir.hpp"
#include "base/error.hpp"
#include "job/merge_job.hpp"

namespace velquist {
namespace {

using testing::TTempDir;

const std::string Examples = VELQUIST_EXAMPLES_DIR;

struct TJobRun {
    TMT4TestReport A, B;
    std::vector<std::string> Messages;
    std::vector<std::string> Charted;
    TMergeJobCallbacks Callbacks() {
        TMergeJobCallbacks callbacks;
        callbacks.ShowMessage = [this](const std::string& m) { Messages.push_back(m); };
        callbacks.ChartStep = [this](const TMT4TestReport& r) { Charted.push_back(r.FileName); };
        return callbacks;
    }
};

TEST(MergeJob, ShowsOnlyTheFirstRefusalAndTouchesNothing) {
    TJobRun run;
    run.A.ExpertName = "kept";
    MergeJob({Examples + "/trend_eurusd.htm"}, "", "English", run.A, run.B, run.Callbacks());
    EXPECT_EQ(run.Messages, std::vector<std::string>{"Report files to merge not set!"});
    MergeJob({"a", "b"}, "", "English", run.A, run.B, run.Callbacks());
    EXPECT_EQ(run.Messages.back(), "Result report filename not set!");
    EXPECT_EQ(run.A.ExpertName, "kept");
    EXPECT_TRUE(run.Charted.empty());
}

TEST(MergeJob, ReadsMergesWritesThenChartsTheResult) {
    TTempDir dir;
    TJobRun run;
    const std::string result = dir.Path("out.htm");
    MergeJob({Examples + "/trend_eurusd.htm", Examples + "/scalper_gbpjpy.htm",
              Examples + "/breakout_xauusd.htm"},
             result, "English", run.A, run.B, run.Callbacks());
    EXPECT_TRUE(run.Messages.empty());
    EXPECT_TRUE(std::filesystem::exists(result));
    EXPECT_EQ(run.Charted, std::vector<std::string>{result});
    EXPECT_EQ(run.A.FileName, result);
    EXPECT_EQ(run.B.ExpertName, "GoldBreakout");
    EXPECT_EQ(run.A.InitialDeposit, 10000 + 5000 + 3000);
}

TEST(MergeJob, KeepsWhatWasDoneBeforeAnError) {
    TTempDir dir;
    TJobRun run;
    const std::string result = dir.Path("out.htm");
    EXPECT_THROW(MergeJob({Examples + "/trend_eurusd.htm", Examples + "/scalper_gbpjpy.htm",
                           dir.Path("missing.htm")},
                          result, "English", run.A, run.B, run.Callbacks()),
                 Error);
    EXPECT_EQ(run.A.InitialDeposit, 15000);  // the first two, merged
    EXPECT_FALSE(std::filesystem::exists(result));

    TMergeJobCallbacks failingChart = run.Callbacks();
    failingChart.ChartStep = [](const TMT4TestReport&) { throw Error("chart failed"); };
    EXPECT_THROW(MergeJob({Examples + "/trend_eurusd.htm", Examples + "/scalper_gbpjpy.htm"},
                          result, "English", run.A, run.B, failingChart),
                 Error);
    EXPECT_TRUE(std::filesystem::exists(result));
}

}  // namespace
}  // namespace velquist
