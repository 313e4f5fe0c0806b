#include <gtest/gtest.h>

#include <regex>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/sample_report.hpp"
#include "fixtures/temp_dir.hpp"
#include "model/report.hpp"
#include "reader/loaded_report_file.hpp"

namespace velquist {
namespace {

using testing::Replace;
using testing::SampleReportHtml;
using testing::TTempDir;

// The report read from a file of the text.
TMT4TestReport ReadText(const std::string& text) {
    TTempDir dir;
    TMT4TestReport report;
    report.ReadFromFile(dir.Write("report.htm", text));
    return report;
}

TEST(ReadFromFile, ReadsTitleHeaderAndSummary) {
    TTempDir dir;
    TMT4TestReport r;
    r.ReadFromFile(dir.Write("report.htm", SampleReportHtml));
    EXPECT_EQ(r.FileName, dir.Path("report.htm"));
    EXPECT_EQ(r.ExpertName, "Sample EA");
    EXPECT_EQ(r.Server, "Demo-Server");
    EXPECT_EQ(r.Version, "Build 1441");
    EXPECT_EQ(r.Symbol, "EURUSD (Euro vs US Dollar)");
    EXPECT_EQ(r.Period,
              "1 Hour (H1)  2020.01.02 00:00 - 2020.01.31 23:00    (2020.01.01 - 2020.02.01)");
    EXPECT_EQ(r.Model,
              "Every tick (the most precise method based on all available least timeframes)");
    EXPECT_EQ(r.Parameters, "Lots=0.1; TakeProfit=50;");
    EXPECT_EQ(r.BarsInTest, 527);
    EXPECT_EQ(r.TicksModelled, 1048576);
    EXPECT_EQ(r.ModellingQualityText, "90.00%");
    EXPECT_EQ(r.ModellingQuality, 90);
    EXPECT_EQ(r.MismatchedChartsErrors, 3);
    EXPECT_EQ(r.InitialDeposit, 10000);
    EXPECT_EQ(r.TotalNetProfit, 35);
    EXPECT_EQ(r.GrossProfit, 50);
    EXPECT_EQ(r.GrossLoss, -15);
    EXPECT_EQ(r.ProfitFactor, 3.33);
    EXPECT_EQ(r.ExpectedPayoff, 17.5);
    EXPECT_EQ(r.MaximalDrawdownText, "15.00 (0.15%)");
    EXPECT_EQ(r.MaximalDrawdown, 15);
    EXPECT_EQ(r.MaximalDrawdownPercent, 0.15);
    EXPECT_EQ(r.RelativeDrawdown, 15);
    EXPECT_EQ(r.RelativeDrawdownPercent, 0.15);
    EXPECT_EQ(r.TotalTrades, 2);
    EXPECT_EQ(r.ShortPositions, 1);
    EXPECT_EQ(r.LongWonPercent, 100);
    EXPECT_EQ(r.ProfitTradesText, "1 (50.00%)");
    EXPECT_EQ(r.LossTradesPercent, 50);
    EXPECT_EQ(r.LargestLossTrade, -15);
    EXPECT_EQ(r.AverageProfitTrade, 50);
    EXPECT_EQ(r.MaxConsecutiveLossesMoney, -15);
    EXPECT_EQ(r.MaximalConsecutiveProfitCount, 1);
    EXPECT_EQ(r.MaximalConsecutiveLoss, -15);
    // The two "Average" rows share their label; the next cell tells them apart.
    EXPECT_EQ(r.AverageConsecutiveWins, 1);
    EXPECT_EQ(r.AverageConsecutiveLosses, 1);
}

TEST(ReadFromFile, ReadsEveryOperationRowWithTheBareSymbol) {
    const TMT4TestReport r = ReadText(SampleReportHtml);
    ASSERT_EQ(r.Operations.Count(), 4);
    EXPECT_EQ(r.Operations.Items(0).OpType, "buy");
    EXPECT_FALSE(r.Operations.Items(0).HasProfit);
    EXPECT_EQ(r.Operations.Items(3).Balance, 10035);
    for (const TOperation& op : r.Operations) EXPECT_EQ(op.Symbol, "EURUSD");
}

TEST(ReadFromFile, GivesTheSameResultForEveryLineBreakStyle) {
    const TMT4TestReport lf = ReadText(SampleReportHtml);
    const TMT4TestReport crlf = ReadText(Replace(SampleReportHtml, "\n", "\r\n"));
    const TMT4TestReport cr = ReadText(Replace(SampleReportHtml, "\n", "\r"));
    for (const TMT4TestReport* other : {&crlf, &cr}) {
        EXPECT_EQ(other->ExpertName, lf.ExpertName);
        EXPECT_EQ(other->Parameters, lf.Parameters);
        EXPECT_EQ(other->Operations.Count(), lf.Operations.Count());
    }
}

TEST(ReadFromFile, ReadingAgainReplacesTheOperations) {
    TTempDir dir;
    TMT4TestReport r;
    const std::string path = dir.Write("a.htm", SampleReportHtml);
    r.ReadFromFile(path);
    r.ReadFromFile(path);
    EXPECT_EQ(r.Operations.Count(), 4);
}

TEST(ReadFromFile, KeepsOldFieldsWhenTheFileIsNoReport) {
    TTempDir dir;
    TMT4TestReport r;
    r.ReadFromFile(dir.Write("a.htm", SampleReportHtml));
    const std::string other = dir.Write("notes.txt", "just some text\n<p>no labels</p>");
    r.ReadFromFile(other);
    EXPECT_EQ(r.FileName, other);
    EXPECT_EQ(r.Operations.Count(), 0);
    EXPECT_EQ(r.ExpertName, "Sample EA");
    EXPECT_EQ(r.InitialDeposit, 10000);
}

TEST(ReadFromFile, FailsOnAMissingFileHavingChangedOnlyTheFileName) {
    TTempDir dir;
    TMT4TestReport r;
    r.ReadFromFile(dir.Write("a.htm", SampleReportHtml));
    const std::string missing = dir.Path("missing.htm");
    EXPECT_THROW_MSG(r.ReadFromFile(missing), Error,
                     "Cannot open file \"" + missing + "\". " + MissingFileReason);
    EXPECT_EQ(r.FileName, missing);
    EXPECT_EQ(r.Operations.Count(), 4);
}

TEST(ReadFromFile, ReadsTheLinesMissingAfterATitleAtTheEndAsEmpty) {
    const TMT4TestReport r = ReadText("x\nStrategy Tester Report\nName");
    EXPECT_EQ(r.ExpertName, "Name");
    EXPECT_EQ(r.Server, "");
    EXPECT_EQ(r.Version, "");
    EXPECT_EQ(r.Warnings.front(), "no \"Symbol\" label found");
}

// The digits of the double nearest 1e61.
constexpr const char* HugeDigits = "9999999999999999493871352970740188669636450110134100730839040";

constexpr const char* SavedAsUtf16 =
    "the file is UTF-16 text; the terminal writes reports in an 8-bit code page: save it again "
    "as such";

// ASCII text as UTF-16, without a byte order mark.
std::string Utf16(std::string_view ascii, bool bigEndian) {
    std::string text;
    for (const char c : ascii) {
        if (bigEndian) text += '\0';
        text += c;
        if (!bigEndian) text += '\0';
    }
    return text;
}

// Each check against a variant of the sample report that trips it; the sample
// itself is sound.
TEST(ReadFromFile, WarnsAboutWhatTheReportContradictsOrLacks) {
    const std::string sample = SampleReportHtml;
    const std::string operations = sample.substr(sample.find("<tr bgcolor=\"#C0C0C0\""));
    const std::string twelveCells = Replace(sample, ">Balance<", ">Balance</td><td>11</td><td>12<");
    const std::string unknownHeader =
        "no operations read: the rows of operations follow a header of unknown labels, \"#\", "
        "\"When\", \"Type\", \"Order\", \"Size\", \"Price\", \"S / L\", \"T / P\", \"Profit\", "
        "\"Balance\"";
    const auto netProfitOff = [](const std::string& balances) {
        return "the total net profit 35.00 differs from the last balance minus the initial "
               "deposit, " +
               balances;
    };
    const auto depositOff = [](const std::string& deposit, const std::string& implied) {
        return "the initial deposit " + deposit + " differs from the " + implied +
               " that the first balance row implies";
    };
    const std::string noNetProfit = netProfitOff("0.00");
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"sound", sample, {}},
        {"another kind of page",
         Replace(Replace(sample, "Strategy Tester Report", "Optimization Report"), operations, ""),
         {"not a strategy tester report: no \"Strategy Tester Report\" title found"}},
        {"operations header of unknown labels in its place",
         Replace(sample, ">Time<", ">When<"),
         {}},
        {"operations header of unknown labels and cells",
         Replace(sample, "<td>Time</td><td>Type</td>", "<td>When</td>"),
         {Replace(unknownHeader, "\"Type\", ", ""), noNetProfit}},
        // Twelve cells are told, and "..." for any beyond them.
        {"operations header of twelve unknown cells",
         Replace(twelveCells, ">Time<", ">When<"),
         {unknownHeader + ", \"11\", \"12\"", noNetProfit}},
        {"operations header of thirteen unknown cells",
         Replace(Replace(twelveCells, ">12<", ">12</td><td>13<"), ">Time<", ">When<"),
         {unknownHeader + ", \"11\", \"12\", ...", noNetProfit}},
        {"summary row cut out",
         Replace(sample,
                 sample.substr(
                     sample.find("<tr align=left><td>Mismatched"),
                     sample.find("<tr height=8>") - sample.find("<tr align=left><td>Mismatched")),
                 ""),
         {"the summary's layout is not one this program knows: Mismatched charts errors not "
          "read"}},
        {"missing header labels",
         Replace(Replace(sample, ">Symbol<", "><"), ">Period<", "><"),
         {"no \"Symbol\" label found", "no \"Period\" label found"}},
        {"deposit contradicted",
         Replace(sample, ">10000.00<", ">5000.00<"),
         {depositOff("5000.00", "10000.00"), netProfitOff("5035.00")}},
        {"blank summary",
         Replace(Replace(sample, ">Initial deposit<", "><"), ">Total net profit<", "><"),
         {"no initial deposit found; the first balance row implies 10000.00",
          "no total net profit found"}},
        {"cut short", sample.substr(0, sample.find("<td>3</td>")), {netProfitOff("50.00")}},
        // Money of any size is told digit for digit, and money beyond what an
        // account holds is told as such.
        {"deposit no account holds",
         Replace(sample, ">10000.00<", ">1e61<"),
         {depositOff(std::string(HugeDigits) + ".00", "10000.00"),
          netProfitOff(std::string("-") + HugeDigits + ".00"),
          "money that no account holds (beyond 1e15 or -1e15): the initial deposit is 1e+61"}},
        {"rows no account holds",
         Replace(sample, "<td class=mspt>50.00</td><td class=mspt>10050.00</td>",
                 "<td class=mspt>1e16</td><td class=mspt>-2e16</td>"),
         {depositOff("10000.00", "-30000000000000000.00"),
          "money that no account holds (beyond 1e15 or -1e15): the profit of operation 2 is "
          "1e+16, and 1 more value"}},
        // A page saved again as UTF-16 is told as that alone, whatever the
        // byte order and with or without its mark.
        {"UTF-16, little-endian with its mark", "\xFF\xFE" + Utf16(sample, false), {SavedAsUtf16}},
        {"UTF-16, big-endian with its mark", "\xFE\xFF" + Utf16(sample, true), {SavedAsUtf16}},
        {"UTF-16, little-endian", Utf16(sample, false), {SavedAsUtf16}},
        {"UTF-16, big-endian", Utf16(sample, true), {SavedAsUtf16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadText(c.text).Warnings, c.warnings);
    }
}

// The terminal rounds the balances and the summary separately, so a sound
// report may be a cent off; two cents are a difference. The first balance row
// checks the deposit, the last one the net profit; 1.5 cents is the tolerance
// itself.
TEST(ReadFromFile, WarnsOfMoneyMoreThanACentOff) {
    const std::pair<const char*, bool> cents[] = {
        {".005", false}, {".01", false}, {".015", false}, {".02", true}};
    for (const std::string balance : {"10050", "10035"}) {
        for (const auto& [fraction, warns] : cents) {
            SCOPED_TRACE(balance + fraction);
            const std::string text =
                Replace(SampleReportHtml, ">" + balance + ".00<", ">" + balance + fraction + "<");
            EXPECT_EQ(ReadText(text).Warnings.size(), warns ? 1u : 0u);
        }
    }
}

// A report read into an object that held another keeps the earlier values of
// labels it lacks; the checks look at what this file held.
TEST(ReadFromFile, ChecksTheFileReadNotTheFieldsKeptFromAnEarlierOne) {
    TTempDir dir;
    TMT4TestReport r;
    r.ReadFromFile(dir.Write("a.htm", SampleReportHtml));
    r.ReadFromFile(dir.Write("b.htm", Replace(SampleReportHtml, ">Initial deposit<", "><")));
    EXPECT_EQ(r.InitialDeposit, 10000);
    EXPECT_EQ(r.Warnings.front(),
              "no initial deposit found; the first balance row implies 10000.00");
}

TEST(ReadFromFile, TakesAParameterCellBrokenOverSeveralFileLinesWhole) {
    const TMT4TestReport r = ReadText(Replace(SampleReportHtml, "Lots=0.1; TakeProfit=50; ",
                                              "Lots=0.1; \nTakeProfit=50; \nMode=2; \n"));
    EXPECT_EQ(r.Parameters, "Lots=0.1; TakeProfit=50; Mode=2;");
}

// The table knows no label with a blank around it; its place in the layout
// still tells what it is. Values are trimmed.
TEST(ReadFromFile, ReadsALabelTheTableDoesNotKnowByItsPlaceAndTrimsValues) {
    std::string text = Replace(SampleReportHtml, "<td>Bars in test</td>", "<td> Bars in test</td>");
    text = Replace(text, "<td align=right>1048576</td>", "<td align=right>  1048576 \t</td>");
    const TMT4TestReport r = ReadText(text);
    EXPECT_EQ(r.BarsInTest, 527);
    EXPECT_EQ(r.TicksModelled, 1048576);
    EXPECT_EQ(r.Labels[5], (std::pair<std::string, std::string>("Bars in test", " Bars in test")));
    EXPECT_TRUE(r.Warnings.empty());
}

TEST(ReadFromFile, ReadsUpperCaseTags) {
    std::string text =
        std::regex_replace(std::string(SampleReportHtml), std::regex("<(/?)t([dr])"), "<$1T$2");
    const TMT4TestReport r = ReadText(text);
    EXPECT_EQ(r.Operations.Count(), 4);
    EXPECT_EQ(r.InitialDeposit, 10000);
}

TEST(ReadFromFile, ReadsNotApplicableAsZero) {
    const TMT4TestReport r = ReadText(Replace(SampleReportHtml, "90.00%", "n/a"));
    EXPECT_EQ(r.ModellingQualityText, "n/a");
    EXPECT_EQ(r.ModellingQuality, 0);
}

// The text ends at the first NUL byte, read alone or, as the job reads, loaded
// into the memory of a whole file read before: a NUL kept would end the last
// balance cell and read it as 0.
TEST(ReadFromFile, StopsReadingTheTextAtTheFirstNulByte) {
    const std::string sample = SampleReportHtml;
    const std::pair<std::size_t, double> cases[] = {
        {sample.find("<tr align=right><td>3</td>"), 10050},  // two rows read
        {sample.find("</td>", sample.find(">10035.00")), 10035},
    };
    TTempDir dir;
    TLoadedReportFile::TBuffers buffers;
    TMT4TestReport reused;
    for (const auto& [nul, lastBalance] : cases) {
        std::string text = sample;
        text[nul] = '\0';
        TMT4TestReport alone = ReadText(text);
        for (const std::string& path :
             {dir.Write("whole.htm", sample), dir.Write("cut.htm", text)}) {
            TLoadedReportFile file(path, buffers);
            reused.ReadFromFile(std::move(file));
            std::move(file).HandMemoryTo(buffers);
        }
        for (TMT4TestReport* r : {&alone, &reused})
            EXPECT_EQ(r->Operations.Items(r->Operations.Count() - 1).Balance, lastBalance) << nul;
    }
}

}  // namespace
}  // namespace velquist
