#include "html/html_writer.hpp"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "fixtures/report_builder.hpp"
#include "fixtures/temp_dir.hpp"
#include "languages/phrase_table.hpp"
#include "model/report.hpp"

namespace velquist {
namespace {

using testing::ReadFileBytes;
using testing::TTempDir;

TOperation Op(std::int32_t num, const char* time, const char* type, const char* symbol,
              std::int32_t order, double size, double price, double sl, double tp) {
    TOperation op;
    op.Num = num;
    op.Time = *ParseReportDateTime(time);
    op.OpType = type;
    op.Symbol = symbol;
    op.Order = order;
    op.Size = size;
    op.Price = price;
    op.StopLoss = sl;
    op.TakeProfit = tp;
    return op;
}

TMT4TestReport GoldenReport() {
    TMT4TestReport r;
    r.FileName = "/somewhere/merged.htm";
    r.ExpertName = "Golden EA";
    r.Server = "Srv-1";
    r.Version = "Build 1441";
    r.Symbol = "EURUSD, GBPUSD";
    r.Period = "1 Hour (H1) 2020.01.02 00:00 - 2020.01.31 23:00 (2020.01.01 - 2020.02.01)";
    r.Model = "Every tick";
    r.Parameters = "Lots=0.1;";
    r.BarsInTest = 527;
    r.TicksModelled = 1048576;
    r.ModellingQuality = 90;
    r.MismatchedChartsErrors = 3;
    r.InitialDeposit = 15000;
    r.TotalNetProfit = 35.125;
    r.GrossProfit = 50;
    r.GrossLoss = -14.875;
    r.ProfitFactor = 3.36;
    r.ExpectedPayoff = 17.56;
    r.AbsoluteDrawdown = -1.5;
    r.MaximalDrawdown = r.RelativeDrawdown = 15;
    r.MaximalDrawdownPercent = r.RelativeDrawdownPercent = 0.0999;
    r.TotalTrades = 2;
    r.ShortPositions = r.LongPositions = r.ProfitTrades = r.LossTrades = 1;
    r.LongWonPercent = 100;
    r.ProfitTradesPercent = r.LossTradesPercent = 50;
    r.LargestProfitTrade = r.AverageProfitTrade = r.MaxConsecutiveWinsMoney = 50;
    r.MaximalConsecutiveProfit = 50;
    r.LargestLossTrade = r.MaxConsecutiveLossesMoney = r.MaximalConsecutiveLoss = -14.875;
    r.AverageLossTrade = -14.88;
    r.MaxConsecutiveWins = r.MaxConsecutiveLosses = 1;
    r.MaximalConsecutiveProfitCount = r.MaximalConsecutiveLossCount = 1;
    r.AverageConsecutiveWins = r.AverageConsecutiveLosses = 1;
    r.Operations.Add(Op(1, "2020.01.02 10:00", "buy", "EURUSD", 1, 0.1, 1.12, 0, 1.125));
    TOperation close = Op(2, "2020.01.02 15:30", "t/p", "EURUSD", 1, 0.1, 1.125, 0, 1.125);
    close.HasProfit = close.HasBalance = true;
    close.Profit = 50;
    close.Balance = 15050;
    r.Operations.Add(close);
    TOperation profitOnly = Op(3, "2020.01.03 00:00", "close", "GBPUSD", 2, 1.5, 1.3, 1.29, 0);
    profitOnly.HasProfit = true;
    profitOnly.Profit = -14.875;
    r.Operations.Add(profitOnly);
    return r;
}

std::string Golden() {
    return ReadFileBytes(VELQUIST_FIXTURES_DIR "/golden/english_with_symbol.htm");
}

std::string WithoutSymbolColumn(std::string html) {
    const std::size_t notice = html.find("<div align=center style=");
    html.erase(notice, html.find("\r\n", notice) + 2 - notice);
    for (const char* cell : {"<td>Symbol</td>", "<td>EURUSD</td>", "<td>GBPUSD</td>"}) {
        for (std::size_t pos = html.find(cell); pos != std::string::npos; pos = html.find(cell))
            html.erase(pos, std::string_view(cell).size());
    }
    return html;
}

TEST(WriteToFile, WritesTheHandWrittenPageByteForByte) {
    TTempDir dir;
    const TMT4TestReport r = GoldenReport();
    r.WriteToFile(dir.Path("out.htm"), "English");
    EXPECT_EQ(ReadFileBytes(dir.Path("out.htm")), Golden());
}

TEST(WriteToFile, LeavesOutTheNoticeAndTheSymbolColumnWithoutWriteSymbol) {
    TTempDir dir;
    TMT4TestReport r = GoldenReport();
    r.WriteSymbol = false;
    r.WriteToFile(dir.Path("out.htm"), "English");
    EXPECT_EQ(ReadFileBytes(dir.Path("out.htm")), WithoutSymbolColumn(Golden()));
}

TEST(WriteToFile, PrintsLabelsInTheBytesOfTheLanguage) {
    const TMT4TestReport r = GoldenReport();
    const std::string russian = BuildReportHtml(r, "Russian");
    EXPECT_NE(russian.find("<td colspan=2>\xD1\xE8\xEC\xE2\xEE\xEB</td>"), std::string::npos);
    const std::string spanish = BuildReportHtml(r, "Spanish");
    EXPECT_NE(spanish.find("<td colspan=2>S\xA1mbolo</td>"), std::string::npos);
    const std::string hebrew = BuildReportHtml(r, "Hebrew");
    EXPECT_NE(hebrew.find("<td colspan=2></td><td colspan=4>Every tick</td>"), std::string::npos);
    const std::string german = BuildReportHtml(r, "German");
    EXPECT_NE(german.find("<tr bgcolor=\"#C0C0C0\" align=right><td>Nr.</td>"), std::string::npos);
}

// The two average rows carry different captions where the language has two
// texts for them, as Russian does.
TEST(WriteToFile, CaptionsTheAverageRunsRowWithItsOwnLabel) {
    const std::string russian = BuildReportHtml(GoldenReport(), "Russian");
    const std::string runsRow = "<tr align=left><td colspan=2 align=right>" +
                                PhraseTable().Translate("Average_", "Russian") + "</td><td>" +
                                PhraseTable().Translate("consecutive wins", "Russian") + "</td>";
    EXPECT_NE(PhraseTable().Translate("Average_", "Russian"),
              PhraseTable().Translate("Average", "Russian"));
    EXPECT_NE(russian.find(runsRow), std::string::npos);
}

TEST(WriteToFile, WritesEmptyLabelsForAnUnknownLanguage) {
    const std::string html = BuildReportHtml(GoldenReport(), "english");
    EXPECT_NE(html.find("<b></b></div>"), std::string::npos);
    EXPECT_NE(html.find("<td colspan=2></td><td colspan=4>EURUSD, GBPUSD</td>"), std::string::npos);
}

TEST(WriteToFile, EscapesQuotesInAttributeValuesOnly) {
    TMT4TestReport r = GoldenReport();
    r.Version = "Build \"1\"><script>";
    r.Server = "a\"b";
    r.FileName = "/x/say \"hi\".htm";
    const std::string html = BuildReportHtml(r, "English");
    EXPECT_NE(html.find("<meta name=\"version\" content=\"Build &quot;1&quot;><script>\">"),
              std::string::npos);
    EXPECT_NE(html.find("<meta name=\"server\" content=\"a&quot;b\">"), std::string::npos);
    EXPECT_NE(html.find("<img src=\"say &quot;hi&quot;.gif\""), std::string::npos);
    EXPECT_NE(html.find("<b>a\"b (Build \"1\"><script>)</b>"), std::string::npos);
}

TEST(WriteToFile, EndsLineBreaksInsideValuesWithCrLf) {
    TTempDir dir;
    TMT4TestReport r = GoldenReport();
    r.Parameters = "a=1;\nb=2;\rc=3;";
    r.WriteToFile(dir.Path("out.htm"), "English");
    EXPECT_NE(ReadFileBytes(dir.Path("out.htm")).find("a=1;\r\nb=2;\r\nc=3;</td>"),
              std::string::npos);
}

TEST(WriteToFile, WritesOnlyTheHeaderRowForNoOperations) {
    TMT4TestReport r = GoldenReport();
    r.Operations.Clear();
    const std::string html = BuildReportHtml(r, "English");
    EXPECT_NE(html.find("<td>Balance</td></tr>\r\n\r\n</table>\r\n</div></body></html>\r\n"),
              std::string::npos);
}

TEST(FormatOperationRow, ShadesEvenPositionsNotEvenNumbers) {
    TOperation op = GoldenReport().Operations.Items(0);
    op.Num = 7;
    EXPECT_EQ(FormatOperationRow(op, 1, false).substr(0, 28), "<tr align=right><td>7</td><t");
    EXPECT_EQ(FormatOperationRow(op, 2, false).substr(0, 44),
              "<tr bgcolor=\"#E0E0E0\" align=right><td>7</td>");
    op.HasBalance = true;  // balance without profit: one empty cell
    EXPECT_TRUE(FormatOperationRow(op, 1, false).ends_with("<td colspan=2></td></tr>"));
}

TEST(WriteToFile, FailsOnAMissingFolderNamingTheFile) {
    TTempDir dir;
    const std::string path = dir.Path("missing/out.htm");
    EXPECT_THROW_MSG(GoldenReport().WriteToFile(path, "English"), Error,
                     "Cannot create file \"" + path + "\". " + MissingFolderReason);
}

// POSIX only: on Windows a folder's read-only attribute does not stop writing
// (base's tests hold a locked file instead).
#ifndef _WIN32
// A writable file in a read-only folder is written in place (the command
// line's tests try that as another user).
TEST(WriteToFile, KeepsTheEarlierFileWhenNeitherItNorItsFolderIsWritable) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    TTempDir dir;
    const std::string path = dir.Write("out.htm", "earlier");
    for (const std::string& name : {path, dir.Root().string()})
        std::filesystem::permissions(name, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    EXPECT_THROW(GoldenReport().WriteToFile(path, "English"), Error);
    EXPECT_EQ(ReadFileBytes(path), "earlier");
}
#endif

// Reading a report, writing it and reading the result gives the same model
// (up to the formats), whatever the language of the file read, with or without
// the "Symbol" column, and the page read back raises no warning. The file is
// the page and nothing more: reading stops at a NUL byte, so a tail of them
// would pass unseen.
TEST(WriteToFile, WritesBackWhatWasRead) {
    TTempDir dir;
    for (const char* name : {"trend_eurusd.htm", "grid_usdjpy_ru.htm", "swing_nas100_es.htm"}) {
        for (const bool writeSymbol : {false, true}) {
            TMT4TestReport first;
            first.ReadFromFile(std::string(VELQUIST_EXAMPLES_DIR) + "/" + name);
            first.WriteSymbol = writeSymbol;
            for (std::int32_t i = 0; i < first.Operations.Count(); ++i)
                first.Operations.Items(i).Symbol = "SYM" + std::to_string(i % 3);
            first.WriteToFile(dir.Path(name), "English");
            EXPECT_EQ(ReadFileBytes(dir.Path(name)), BuildReportHtml(first, "English"));
            TMT4TestReport again;
            again.ReadFromFile(dir.Path(name));
            const std::string context = std::string(name) + (writeSymbol ? " with symbols" : "");
            EXPECT_EQ(again.Warnings, std::vector<std::string>()) << context;
            EXPECT_EQ(again.ExpertName, first.ExpertName) << context;
            EXPECT_EQ(again.Symbol, first.Symbol) << context;
            EXPECT_EQ(again.Period, first.Period) << context;
            // The reader keeps the ";" that ends the parameter cell, so a list read
            // back gains one.
            EXPECT_EQ(again.Parameters, first.Parameters + ";") << context;
            EXPECT_EQ(again.InitialDeposit, first.InitialDeposit) << context;
            EXPECT_EQ(again.TotalNetProfit, first.TotalNetProfit) << context;
            EXPECT_EQ(again.MaximalDrawdownPercent, first.MaximalDrawdownPercent) << context;
            EXPECT_EQ(again.AverageConsecutiveLosses, first.AverageConsecutiveLosses) << context;
            ASSERT_EQ(again.Operations.Count(), first.Operations.Count()) << context;
            for (std::int32_t i = 0; i < first.Operations.Count(); ++i) {
                const TOperation& a = first.Operations.Items(i);
                TOperation b = again.Operations.Items(i);
                if (!writeSymbol) b.Symbol = a.Symbol;
                EXPECT_EQ(testing::Describe(a), testing::Describe(b))
                    << context << " row " << i + 1;
            }
        }
    }
}

}  // namespace
}  // namespace velquist
