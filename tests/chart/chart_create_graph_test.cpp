// CreateGraph from report to GIF file: the file it writes and where, the
// temporary bitmap, its errors, and two charts in one run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "base/error.hpp"
#include "chart/balance_chart.hpp"
#include "chart/chart_data.hpp"
#include "chart/chart_step.hpp"
#include "chart_test_support.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/temp_dir.hpp"

namespace velquist {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;

namespace fs = std::filesystem;

// A result folder and a separate temporary folder ("<root>/out", "<root>/tmp/").
struct TFolders {
    TTempDir Root;
    std::string Out = Root.Path("out");
    std::string Temp = Root.Path("tmp") + "/";
    TFolders() {
        fs::create_directory(Out);
        fs::create_directory(Temp);
    }
    bool TempIsEmpty() const { return fs::is_empty(Temp); }
};

TMT4TestReport ResultReport(const std::string& fileName, double deposit,
                            const std::vector<double>& balances) {
    TMT4TestReport report = testing::BalanceReport(deposit, balances);
    report.FileName = fileName;
    return report;
}

// The picture as drawn, with the line's blue in its web palette value.
QImage ExpectedGifPixels(const TMT4TestReport& report) {
    QImage image = testing::ToQImage(testing::Render(report).Image);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) | 0xFF000000) == testing::Blue)
                image.setPixel(x, y, testing::GifBlue);
        }
    }
    return image;
}

// The step both front ends hand the merge job: the same picture as CreateGraph,
// its bitmap in the folder it was made for.
TEST(BalanceChartStep, DrawsWhatCreateGraphDrawsThroughItsTemporaryFolder) {
    TFolders folders;
    const TMT4TestReport report = ResultReport(folders.Out + "/step.htm", 1000, {1100, 900, 1200});
    BalanceChartStep(folders.Temp)(report)();
    EXPECT_EQ(testing::ReadPicture(folders.Out + "/step.gif"), ExpectedGifPixels(report));
    EXPECT_TRUE(folders.TempIsEmpty());
    EXPECT_THROW(BalanceChartStep(folders.Root.Path("none") + "/")(report)(), Error);
}

TEST(CreateGraph, WritesTheGifBesideTheReportAndDeletesTheBitmap) {
    TFolders folders;
    const TMT4TestReport report = ResultReport(folders.Out + "/merged.htm", 10000,
                                               testing::RandomWalk(2000, 10000, 1, 40, 7));
    CreateGraph(report, folders.Temp);
    const QImage gif = testing::ReadPicture(folders.Out + "/merged.gif");
    ASSERT_FALSE(gif.isNull());
    EXPECT_EQ(gif.size(), QSize(820, 200));
    EXPECT_EQ(testing::ColoursOf(gif), (std::set<testing::TRgb>{testing::White, testing::Black,
                                                                testing::Grey, testing::GifBlue}));
    EXPECT_EQ(gif, ExpectedGifPixels(report));
    EXPECT_TRUE(folders.TempIsEmpty());
}

TEST(CreateGraph, ReportWithoutBalanceRowsStillGetsAxesGridAndGif) {
    TFolders folders;
    CreateGraph(ResultReport(folders.Out + "/merged", 10000, {}), folders.Temp);
    const QImage gif = testing::ReadPicture(folders.Out + "/merged.gif");
    ASSERT_FALSE(gif.isNull());
    EXPECT_EQ(testing::ColoursOf(gif),
              (std::set<testing::TRgb>{testing::White, testing::Black, testing::Grey}));
    EXPECT_TRUE(folders.TempIsEmpty());
}

TEST(CreateGraph, SecondChartOfARunShowsOnlyItsOwnPoints) {
    TFolders folders;
    const std::string name = folders.Out + "/merged.htm";
    const TMT4TestReport big =
        ResultReport(name, 50000, testing::RandomWalk(5000, 50000, 10, 200, 8));
    const TMT4TestReport small = ResultReport(name, 10000, {10100, 9900, 10400});
    CreateGraph(big, folders.Temp);
    const QImage first = testing::ReadPicture(folders.Out + "/merged.gif");
    CreateGraph(small, folders.Temp);
    const QImage second = testing::ReadPicture(folders.Out + "/merged.gif");
    EXPECT_NE(first, second);
    EXPECT_EQ(second, ExpectedGifPixels(small));
    EXPECT_EQ(second, ExpectedGifPixels(ResultReport("other.htm", 10000, {10100, 9900, 10400})));
}

TEST(CreateGraph, ReplacesAnExistingGif) {
    TFolders folders;
    const std::string gifPath = folders.Out + "/merged.gif";
    folders.Root.Write("out/merged.gif", "not a picture");
    CreateGraph(ResultReport(folders.Out + "/merged.htm", 100, {110, 120}), folders.Temp);
    EXPECT_FALSE(testing::ReadPicture(gifPath).isNull());
}

TEST(CreateGraph, ReportsFilesItCannotCreateAndLeavesNoBitmap) {
    struct TCase {
        const char* Name;
        std::string FileName;
        std::string TempPath;
        std::string Message;
    };
    TFolders folders;
    const std::string missing = folders.Root.Path("missing");
    const TCase cases[] = {
        {"temporary folder missing", folders.Out + "/merged.htm", missing + "/",
         "Cannot make the chart's bitmap: the temporary folder \"" + missing +
             "/\" (TMPDIR) is missing or not writable. No such file or directory"},
        {"result folder missing", missing + "/merged.htm", folders.Temp,
         "Cannot create file \"" + missing + "/merged.gif\". No such file or directory"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW_MSG(CreateGraph(ResultReport(c.FileName, 100, {110}), c.TempPath), Error,
                         c.Message);
        EXPECT_TRUE(folders.TempIsEmpty());
        EXPECT_FALSE(fs::exists(folders.Out + "/merged.gif"));
    }
}

TEST(CreateGraph, RefusesToWriteThePictureOverAReportNamedGif) {
    TFolders folders;
    const std::string report = folders.Root.Write("out/merged.gif", "<html>the report</html>");
    EXPECT_THROW_MSG(CreateGraph(ResultReport(report, 100, {110}), folders.Temp), Error,
                     "Cannot create file \"" + report +
                         "\". It is the report file itself; choose a result name that does not "
                         "end in \".gif\"");
    EXPECT_EQ(ReadFileBytes(report), "<html>the report</html>");
    EXPECT_TRUE(folders.TempIsEmpty());
}

TEST(CreateGraph, KeepsAReportNamedBmpThatLiesInTheTemporaryFolder) {
    TFolders folders;
    const std::string report = folders.Root.Write("tmp/merged.bmp", "<html>the report</html>");
    CreateGraph(ResultReport(report, 100, {110}), folders.Temp);
    EXPECT_EQ(ReadFileBytes(report), "<html>the report</html>");
    EXPECT_FALSE(testing::ReadPicture(folders.Temp + "merged.gif").isNull());
    EXPECT_FALSE(fs::exists(folders.Temp + "merged.chart.bmp"));
}

// Runs in another current folder and comes back.
class TCurrentFolder {
  public:
    explicit TCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~TCurrentFolder() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

TEST(CreateGraph, WithoutTemporaryFolderUsesTheCurrentOne) {
    TFolders folders;
    const std::string gone = folders.Temp + "gone";
    fs::create_directory(gone);
    {
        // A current folder that no longer exists shows where the bitmap goes.
        const TCurrentFolder current(gone);
        fs::remove(gone);
        EXPECT_THROW_MSG(CreateGraph(ResultReport(folders.Out + "/merged.htm", 100, {110}), ""),
                         Error,
                         "Cannot make the chart's bitmap: the current folder is missing or not "
                         "writable. No such file or directory");
    }
    const TCurrentFolder current(folders.Temp);
    CreateGraph(ResultReport(folders.Out + "/merged.htm", 100, {110}), "");
    EXPECT_FALSE(testing::ReadPicture(folders.Out + "/merged.gif").isNull());
    EXPECT_TRUE(folders.TempIsEmpty());
}

// Another merge's bitmap, or another user's file, may have any name in the
// temporary folder: the chart's own bitmap never takes one of them.
TEST(CreateGraph, LeavesOtherFilesInTheTemporaryFolderAlone) {
    TFolders folders;
    const std::vector<std::string> others = {"merged.bmp", "merged.chart.bmp"};
    for (const std::string& name : others) folders.Root.Write("tmp/" + name, "someone else's");
    CreateGraph(ResultReport(folders.Out + "/merged.htm", 100, {110}), folders.Temp);
    EXPECT_FALSE(testing::ReadPicture(folders.Out + "/merged.gif").isNull());
    EXPECT_EQ(testing::NamesIn(folders.Temp), others);
    for (const std::string& name : others)
        EXPECT_EQ(ReadFileBytes(folders.Temp + name), "someone else's");
}

}  // namespace
}  // namespace velquist
