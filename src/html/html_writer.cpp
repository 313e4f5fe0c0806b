#include "html/html_writer.hpp"

#include <cmath>
#include <functional>
#include <string_view>

#include "base/globals.hpp"
#include "base/web_addresses.hpp"
#include "html/file_address.hpp"
#include "html/number_format.hpp"
#include "languages/phrase_table.hpp"
#include "model/date_time.hpp"
#include "system/file_io.hpp"

namespace velquist {

using namespace std::string_view_literals;

namespace {

constexpr std::string_view LineEnd = "\r\n";

// A text inside a double-quoted attribute value.
std::string AttributeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string LastPathComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of(PathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Integer(std::int64_t value) {
    std::string out;
    AppendInteger(out, value);
    return out;
}

std::string Money(double value) { return FormatFixed(value, 2); }

// Upper bound of a row's length beyond its texts.
constexpr std::size_t RowSizeWithoutTexts = 560;
// The page goes to the file in pieces of about this size.
constexpr std::size_t ChunkSize = 1 << 20;

using TChunkSink = std::function<void(std::string_view)>;

// Builds the page; with a sink it hands the text on in chunks instead of
// holding the whole page.
class TReportHtml {
  public:
    TReportHtml(const TMT4TestReport& report, const std::string& language, TChunkSink sink = {})
        : r_(report), language_(language), sink_(std::move(sink)) {}

    std::string Build() {
        const std::size_t rows = withRows_ ? static_cast<std::size_t>(r_.Operations.Count()) : 0;
        out_.reserve(sink_ ? ChunkSize + 2 * RowSizeWithoutTexts : 4096 + rows * 400);
        Head();
        if (r_.WriteSymbol) Notice();
        TitleBlock();
        Summary();
        OperationsTable();
        if (sink_) sink_(out_);
        return sink_ ? std::string() : std::move(out_);
    }

    // The page's length without its operation rows.
    std::size_t SizeWithoutRows() {
        withRows_ = false;
        return Build().size();
    }

  private:
    const TMT4TestReport& r_;
    const std::string& language_;
    TChunkSink sink_;
    std::string out_;
    bool withRows_ = true;

    void FlushFullChunk() {
        if (sink_ && out_.size() >= ChunkSize) {
            sink_(out_);
            out_.clear();
        }
    }

    std::string Label(std::string_view key) const {
        return PhraseTable().Translate(key, language_);
    }

    // Line breaks inside values become CR LF like every line end.
    void Line(std::string_view text, int indent = 0) {
        out_.append(static_cast<std::size_t>(indent), ' ');
        AppendWithCrLf(out_, text);
        out_ += LineEnd;
    }

    // One summary row of three label/value pairs; an empty label gives empty cells.
    void SummaryRow(std::string_view l1, const std::string& v1, std::string_view l2 = {},
                    const std::string& v2 = {}, std::string_view l3 = {},
                    const std::string& v3 = {}) {
        std::string row = "<tr align=left>";
        for (auto [label, value] : {std::pair{l1, &v1}, {l2, &v2}, {l3, &v3}}) {
            row += "<td>" + (label.empty() ? std::string() : Label(label)) + "</td>";
            row += "<td align=right>" + *value + "</td>";
        }
        Line(row + "</tr>");
    }

    // A row of the second kind: a caption over two columns, then two pairs.
    void CaptionRow(std::string_view caption, std::string_view l2, const std::string& v2,
                    std::string_view l3, const std::string& v3) {
        Line("<tr align=left><td colspan=2 align=right>" +
             (caption.empty() ? std::string() : Label(caption)) + "</td><td>" + Label(l2) +
             "</td><td align=right>" + v2 + "</td><td>" + Label(l3) + "</td><td align=right>" + v3 +
             "</td></tr>");
    }

    void HeaderRow(std::string_view key, const std::string& value) {
        Line("<tr align=left><td colspan=2>" + Label(key) + "</td><td colspan=4>" + value +
             "</td></tr>");
    }

    void Head();
    void Notice();
    void TitleBlock();
    void Summary();
    void Statistics();
    void OperationsTable();
};

void TReportHtml::Head() {
    Line(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
        "\"http://www.w3.org/TR/html4/strict.dtd\">");
    Line("<html>");
    Line("<head>", 2);
    Line("<title>Strategy Tester: " + r_.ExpertName + "</title>", 4);
    Line("<meta name=\"generator\" content=\"MetaQuotes Software Corp.\">", 4);
    Line("<meta name=\"version\" content=\"" + AttributeText(r_.Version) + "\">", 4);
    Line("<meta name=\"server\" content=\"" + AttributeText(r_.Server) + "\">", 4);
    Line(std::string("<link rel=\"help\" href=\"") + PlatformVendorAddress + "\">", 4);
    for (const char* media : {" media=\"screen\"", " media=\"print\""}) {
        Line(std::string("<style type=\"text/css\"") + media + ">", 4);
        Line("<!--", 4);
        Line(media[8] == 's' ? "td { font: 8pt Tahoma,Arial; }" : "td { font: 7pt Tahoma,Arial; }",
             4);
        Line("//-->", 4);
        Line("</style>", 4);
    }
    Line("<style type=\"text/css\">", 4);
    Line("<!--", 4);
    Line(".msdate { mso-number-format:\"General Date\"; }", 4);
    Line(".mspt   { mso-number-format:\\#\\,\\#\\#0\\.00;  }", 4);
    Line("//-->", 4);
    Line("</style>", 4);
    Line("</head>", 2);
    Line("<body topmargin=1 marginheight=1>");
}

void TReportHtml::Notice() {
    Line(
        std::string("<div align=center style=\"font-size: 10pt; color:red; font-family: "
                    "'Tahoma'\">Velquist report was generated with Velquist software. <a href=\"") +
        ProductPageAddress + "\" style=\"color:red\">Learn more</a>.</div>");
}

void TReportHtml::TitleBlock() {
    Line("<div align=center>");
    Line("<div style=\"font: 20pt Times New Roman\"><b>" + Label("Strategy Tester Report") +
         "</b></div>");
    Line("<div style=\"font: 16pt Times New Roman\"><b>" + r_.ExpertName + "</b></div>");
    Line("<div style=\"font: 10pt Times New Roman\"><b>" + r_.Server + " (" + r_.Version +
         ")</b></div><br>");
    Line("");
}

void TReportHtml::Summary() {
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    HeaderRow("Symbol", r_.Symbol);
    HeaderRow("Period", r_.Period);
    HeaderRow("Model", r_.Model);
    HeaderRow("Parameters", r_.Parameters);
    // The row of bars and ticks starts inside an unclosed row, as terminal
    // reports have it.
    Line("<tr align=left><td colspan=2><tr align=left><td>" + Label("Bars in test") +
         "</td><td align=right>" + Integer(r_.BarsInTest) + "</td><td>" + Label("Ticks modelled") +
         "</td><td align=right>" + Integer(r_.TicksModelled) + "</td><td>" +
         Label("Modelling quality") + "</td><td align=right>" + Money(r_.ModellingQuality) +
         "%</td></tr>");
    SummaryRow("Mismatched charts errors", Integer(r_.MismatchedChartsErrors));
    Line("<tr height=8><td colspan=6></td></tr>");
    SummaryRow("Initial deposit", Money(r_.InitialDeposit));
    SummaryRow("Total net profit", Money(r_.TotalNetProfit), "Gross profit", Money(r_.GrossProfit),
               "Gross loss", Money(r_.GrossLoss));
    SummaryRow("Profit factor", Money(r_.ProfitFactor), "Expected payoff",
               Money(r_.ExpectedPayoff));
    // Maximal drawdown shows the money first, relative drawdown the percentage.
    SummaryRow("Absolute drawdown", Money(r_.AbsoluteDrawdown), "Maximal drawdown",
               Money(r_.MaximalDrawdown) + " (" + Money(r_.MaximalDrawdownPercent) + "%)",
               "Relative drawdown",
               Money(r_.RelativeDrawdownPercent) + "% (" + Money(r_.RelativeDrawdown) + ")");
    Line("<tr height=8><td colspan=6></td></tr>");
    Statistics();
    Line("");
    Line("</table>");
}

void TReportHtml::Statistics() {
    auto countAndPercent = [](std::int32_t count, double percent) {
        return Integer(count) + " (" + Money(percent) + "%)";
    };
    SummaryRow("Total trades", Integer(r_.TotalTrades), "Short positions (won %)",
               countAndPercent(r_.ShortPositions, r_.ShortWonPercent), "Long positions (won %)",
               countAndPercent(r_.LongPositions, r_.LongWonPercent));
    CaptionRow({}, "Profit trades (% of total)",
               countAndPercent(r_.ProfitTrades, r_.ProfitTradesPercent), "Loss trades (% of total)",
               countAndPercent(r_.LossTrades, r_.LossTradesPercent));
    CaptionRow("Largest", "profit trade", Money(r_.LargestProfitTrade), "loss trade",
               Money(r_.LargestLossTrade));
    CaptionRow("Average", "profit trade", Money(r_.AverageProfitTrade), "loss trade",
               Money(r_.AverageLossTrade));
    CaptionRow("Maximum", "consecutive wins (profit in money)",
               Integer(r_.MaxConsecutiveWins) + " (" + Money(r_.MaxConsecutiveWinsMoney) + ")",
               "consecutive losses (loss in money)",
               Integer(r_.MaxConsecutiveLosses) + " (" + Money(r_.MaxConsecutiveLossesMoney) + ")");
    CaptionRow(
        "Maximal", "consecutive profit (count of wins)",
        Money(r_.MaximalConsecutiveProfit) + " (" + Integer(r_.MaximalConsecutiveProfitCount) + ")",
        "consecutive loss (count of losses)",
        Money(r_.MaximalConsecutiveLoss) + " (" + Integer(r_.MaximalConsecutiveLossCount) + ")");
    CaptionRow("Average_", "consecutive wins", Integer(r_.AverageConsecutiveWins),
               "consecutive losses", Integer(r_.AverageConsecutiveLosses));
}

void TReportHtml::OperationsTable() {
    Line("<img src=\"" + AttributeText(FileNameAddress(LastPathComponent(r_.ImageFileName()))) +
         "\" width=820 height=200 border=0 alt=\"Graph\"><br>");
    Line("<table width=820 cellspacing=1 cellpadding=3 border=0>");
    std::string header = "<tr bgcolor=\"#C0C0C0\" align=right>";
    for (std::string_view key : {"num", "Time", "Type", "Symbol", "Order", "Size", "Price", "S / L",
                                 "T / P", "Profit", "Balance"}) {
        if (key == "Symbol" && !r_.WriteSymbol) continue;
        header += "<td>" + Label(key) + "</td>";
    }
    Line(header + "</tr>");
    std::int32_t n = 0;
    for (const TOperation& operation : r_.Operations) {
        if (!withRows_) break;
        AppendOperationRow(out_, operation, ++n, r_.WriteSymbol);
        out_ += LineEnd;
        FlushFullChunk();
    }
    Line("");
    Line("</table>");
    Line("</div></body></html>");
}

}  // namespace

void AppendOperationRow(std::string& out, const TOperation& op, std::int32_t n, bool writeSymbol) {
    out += n % 2 != 0 ? "<tr align=right><td>"sv : "<tr bgcolor=\"#E0E0E0\" align=right><td>"sv;
    AppendInteger(out, op.Num);
    out += "</td><td class=msdate>"sv;
    AppendOperationTime(out, op.Time);
    out += "</td><td>"sv;
    AppendWithCrLf(out, op.OpType);
    if (writeSymbol) {
        out += "</td><td>"sv;
        AppendWithCrLf(out, op.Symbol);
    }
    out += "</td><td>"sv;
    AppendInteger(out, op.Order);
    out += "</td><td class=mspt>"sv;
    AppendFixed(out, op.Size, 2);
    out += "</td><td style=\"mso-number-format:0\\.00000;\">"sv;
    AppendFixed(out, op.Price, 5);
    out += "</td><td style=\"mso-number-format:0\\.00000;\" align=right>"sv;
    AppendFixed(out, op.StopLoss, 5);
    out += "</td><td style=\"mso-number-format:0\\.00000;\" align=right>"sv;
    AppendFixed(out, op.TakeProfit, 5);
    if (op.HasProfit && op.HasBalance) {
        out += "</td><td class=mspt>"sv;
        AppendFixed(out, op.Profit, 2);
        out += "</td><td class=mspt>"sv;
        AppendFixed(out, op.Balance, 2);
        out += "</td></tr>"sv;
    } else {
        out += "</td><td colspan=2></td></tr>"sv;
    }
}

std::string FormatOperationRow(const TOperation& operation, std::int32_t n, bool writeSymbol) {
    std::string out;
    AppendOperationRow(out, operation, n, writeSymbol);
    return out;
}

std::string BuildReportHtml(const TMT4TestReport& report, const std::string& language) {
    return TReportHtml(report, language).Build();
}

namespace {

// What a number takes beyond its shortest form ("0", "0.00") at the least:
// rounding can only lengthen it, and a value of -1 or below keeps its sign.
std::size_t ExtraWidth(double value) {
    static constexpr double Tens[] = {1e1, 1e2, 1e3, 1e4,  1e5,  1e6,
                                      1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double magnitude = std::fabs(value);
    std::size_t extra = value <= -1 ? 1 : 0;
    for (const double ten : Tens) {
        if (magnitude < ten) break;
        ++extra;
    }
    return extra;
}

// The least the operations table takes: rows with the shortest numbers
// widened by what their values need, and texts without line breaks. With the
// rest of the page this is what is reserved for the file up front: never more
// than the page needs, and close to it (a file that outgrows its reservation
// is written noticeably slower).
std::size_t ShortestTableSize(const TMT4TestReport& report) {
    TOperation withProfit;
    withProfit.HasProfit = withProfit.HasBalance = true;
    const std::size_t oddRow = FormatOperationRow(TOperation{}, 1, report.WriteSymbol).size();
    const std::size_t evenExtra =
        FormatOperationRow(TOperation{}, 2, report.WriteSymbol).size() - oddRow;
    const std::size_t profitExtra =
        FormatOperationRow(withProfit, 1, report.WriteSymbol).size() - oddRow;
    std::size_t size = 0;
    std::size_t n = 0;
    for (const TOperation& op : report.Operations) {
        size += oddRow + LineEnd.size() + (++n % 2 == 0 ? evenExtra : 0) + op.OpType.size() +
                (report.WriteSymbol ? op.Symbol.size() : 0) + ExtraWidth(op.Num) +
                ExtraWidth(op.Order) + ExtraWidth(op.Size) + ExtraWidth(op.Price) +
                ExtraWidth(op.StopLoss) + ExtraWidth(op.TakeProfit);
        if (op.HasProfit && op.HasBalance)
            size += profitExtra + ExtraWidth(op.Profit) + ExtraWidth(op.Balance);
    }
    return size;
}

}  // namespace

// The page is built with CR LF line ends (line breaks inside values too), so
// it goes to the file as it is, in chunks, through a temporary file renamed
// over the target: the bytes SaveTextFile would write, without holding the
// whole page of a very large report in memory.
void TMT4TestReport::WriteToFile(const std::string& fileName, const std::string& language) const {
    const std::size_t sizeHint =
        TReportHtml(*this, language).SizeWithoutRows() + ShortestTableSize(*this);
    TAtomicFileWriter file(fileName, sizeHint);
    TReportHtml(*this, language, [&file](std::string_view chunk) { file.Write(chunk); }).Build();
    file.Commit();
}

}  // namespace velquist
