#include "reader/summary_scan.hpp"

#include <string>
#include <string_view>

#include "base/globals.hpp"
#include "reader/numbers.hpp"
#include "reader/report_labels.hpp"

namespace velquist {
namespace {

// One line's fields, numbered from 1; a field past the end reads as empty.
class TFields {
  public:
    explicit TFields(std::string_view line) { SplitFields(line, fields_); }
    int Count() const { return static_cast<int>(fields_.size()); }
    std::string_view Raw(int n) const {
        return n >= 1 && n <= Count() ? fields_[static_cast<std::size_t>(n - 1)]
                                      : std::string_view{};
    }
    std::string Value(int n) const { return std::string(Trim(Raw(n))); }

  private:
    std::vector<std::string_view> fields_;
};

// Count, then a percentage or money in parentheses.
void ReadCountWithParenthesis(const std::string& cell, std::string& text, std::int32_t& count,
                              double& percent) {
    text = cell;
    count = ParseInteger(TextWithoutParentheses(cell));
    percent = ParseNumber(StripPercent(TextInParentheses(cell)));
}

// Replaces every "; ;" by ";" in one left-to-right pass.
std::string CollapseEmptyItems(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find("; ;", pos);
        if (hit == std::string_view::npos) break;
        out.append(text.substr(pos, hit - pos));
        out += ';';
        pos = hit + 3;
    }
    out.append(text.substr(pos));
    return out;
}

// The parameter list: the whole table row of the label, without the label cell.
// A row that the file itself broke into several lines (a line break inside the
// parameter cell) is taken whole, its inner line breaks dropped, so that no
// parameter after the first break is lost.
std::string ParametersOf(const TTextLines& lines, std::size_t index, std::string_view label) {
    std::string row(lines[index].Text);
    for (std::size_t i = index; !lines[i].EndsRow && i + 1 < lines.size(); ++i)
        row.append(lines[i + 1].Text);
    const std::size_t hit = row.find(label);
    if (hit != std::string::npos) row.erase(hit, label.size() + 1);
    return CollapseEmptyItems(row);
}

// A title among the last two lines of a cut-short file reads the missing lines
// as empty; the report checks then tell what else is missing.
void ReadTitleBlock(TMT4TestReport& report, const TTextLines& lines, std::size_t i, int d) {
    auto lineAfter = [&](std::size_t n) {
        return i + n < lines.size() ? lines[i + n].Text : std::string_view{};
    };
    report.ExpertName = std::string(Trim(ExtractField(lineAfter(1), d, ';')));
    const std::string_view serverLine = ExtractField(lineAfter(2), d, ';');
    report.Server = std::string(Trim(TextWithoutParentheses(serverLine)));
    report.Version = std::string(Trim(TextInParentheses(serverLine)));
}

// The labels whose value is one number in the next cell.
double* SimpleNumberField(TMT4TestReport& r, std::string_view key) {
    if (key == "Initial deposit") return &r.InitialDeposit;
    if (key == "Total net profit") return &r.TotalNetProfit;
    if (key == "Gross profit") return &r.GrossProfit;
    if (key == "Gross loss") return &r.GrossLoss;
    if (key == "Profit factor") return &r.ProfitFactor;
    if (key == "Expected payoff") return &r.ExpectedPayoff;
    if (key == "Absolute drawdown") return &r.AbsoluteDrawdown;
    return nullptr;
}

std::int32_t* SimpleIntegerField(TMT4TestReport& r, std::string_view key) {
    if (key == "Bars in test") return &r.BarsInTest;
    if (key == "Ticks modelled") return &r.TicksModelled;
    if (key == "Mismatched charts errors") return &r.MismatchedChartsErrors;
    if (key == "Total trades") return &r.TotalTrades;
    return nullptr;
}

void ReadAverages(TMT4TestReport& r, const TFields& fields, int d) {
    const std::string next = ReaderKeyOf(fields.Raw(d + 1));
    if (next == "profit trade") {
        r.AverageProfitTrade = ParseNumber(fields.Value(d + 2));
        r.AverageLossTrade = ParseNumber(fields.Value(d + 4));
    } else if (next == "consecutive wins") {
        r.AverageConsecutiveWins = ParseInteger(fields.Value(d + 2));
        r.AverageConsecutiveLosses = ParseInteger(fields.Value(d + 4));
    }
}

void ReadMaximumRow(TMT4TestReport& r, const std::string& g, const std::string& h) {
    r.MaxConsecutiveWinsText = g;
    r.MaxConsecutiveLossesText = h;
    r.MaxConsecutiveWins = ParseInteger(TextWithoutParentheses(g));
    r.MaxConsecutiveWinsMoney = ParseNumber(TextInParentheses(g));
    r.MaxConsecutiveLosses = ParseInteger(TextWithoutParentheses(h));
    r.MaxConsecutiveLossesMoney = ParseNumber(TextInParentheses(h));
}

void ReadMaximalRow(TMT4TestReport& r, const std::string& g, const std::string& h) {
    r.MaximalConsecutiveProfitText = g;
    r.MaximalConsecutiveLossText = h;
    r.MaximalConsecutiveProfitCount = ParseInteger(TextInParentheses(g));
    r.MaximalConsecutiveProfit = ParseNumber(TextWithoutParentheses(g));
    r.MaximalConsecutiveLossCount = ParseInteger(TextInParentheses(h));
    r.MaximalConsecutiveLoss = ParseNumber(TextWithoutParentheses(h));
}

// The labels whose value is the next cell, f.
void ActOnValueCell(TMT4TestReport& r, const std::string& key, const std::string& f) {
    if (double* number = SimpleNumberField(r, key)) {
        *number = ParseNumber(f);
    } else if (std::int32_t* integer = SimpleIntegerField(r, key)) {
        *integer = ParseInteger(f);
    } else if (key == "Symbol") {
        r.Symbol = f;
    } else if (key == "Period") {
        r.Period = f;
    } else if (key == "Model") {
        r.Model = f;
    } else if (key == "Modelling quality") {
        r.ModellingQualityText = f;
        r.ModellingQuality = ParseNumber(StripPercent(f));
    } else if (key == "Maximal drawdown") {
        r.MaximalDrawdownText = f;
        r.MaximalDrawdown = ParseNumber(TextWithoutParentheses(f));
        r.MaximalDrawdownPercent = ParseNumber(StripPercent(TextInParentheses(f)));
    } else if (key == "Relative drawdown") {
        r.RelativeDrawdownText = f;
        r.RelativeDrawdown = ParseNumber(TextInParentheses(f));
        r.RelativeDrawdownPercent = ParseNumber(StripPercent(TextWithoutParentheses(f)));
    } else if (key == "Short positions (won %)") {
        ReadCountWithParenthesis(f, r.ShortPositionsText, r.ShortPositions, r.ShortWonPercent);
    } else if (key == "Long positions (won %)") {
        ReadCountWithParenthesis(f, r.LongPositionsText, r.LongPositions, r.LongWonPercent);
    } else if (key == "Profit trades (% of total)") {
        ReadCountWithParenthesis(f, r.ProfitTradesText, r.ProfitTrades, r.ProfitTradesPercent);
    } else if (key == "Loss trades (% of total)") {
        ReadCountWithParenthesis(f, r.LossTradesText, r.LossTrades, r.LossTradesPercent);
    }
}

// The captions of the five-cell rows, whose values stand two and four cells
// after them; false for any other key.
bool ActOnCaptionRow(TMT4TestReport& r, const std::string& key, const TFields& fields, int d) {
    if (key == "Largest") {
        r.LargestProfitTrade = ParseNumber(fields.Value(d + 2));
        r.LargestLossTrade = ParseNumber(fields.Value(d + 4));
    } else if (key == "Average" || key == "Average_") {
        ReadAverages(r, fields, d);
    } else if (key == "Maximum") {
        ReadMaximumRow(r, fields.Value(d + 2), fields.Value(d + 4));
    } else if (key == "Maximal") {
        ReadMaximalRow(r, fields.Value(d + 2), fields.Value(d + 4));
    } else {
        return false;
    }
    return true;
}

// Acts on the label key of field d of a line (all labels but the title and
// "Parameters", which need other lines).
void ActOnKey(TMT4TestReport& r, const std::string& key, const TFields& fields, int d) {
    if (!ActOnCaptionRow(r, key, fields, d)) ActOnValueCell(r, key, fields.Value(d + 1));
}

}  // namespace

TLabelsSeen ScanSummary(TMT4TestReport& report, const TTextLines& lines, std::size_t scanEnd) {
    TLabelsSeen seen;
    // Only the last "Parameters" label counts, as each one overwrites the
    // field; taking it once after the scan keeps the scan linear.
    std::size_t parametersLine = 0;
    std::string parametersLabel;
    for (std::size_t i = 0; i < scanEnd; ++i) {
        const TFields fields(lines[i].Text);
        for (int d = 1; d <= fields.Count(); ++d) {
            const std::string key = ReaderKeyOf(fields.Raw(d));
            if (key.empty()) continue;
            seen.Note(key);
            if (key == "Strategy Tester Report") {
                ReadTitleBlock(report, lines, i, d);
            } else if (key == "Parameters") {
                parametersLine = i;
                parametersLabel = std::string(fields.Raw(d));
            } else {
                ActOnKey(report, key, fields, d);
            }
        }
    }
    if (seen.Parameters) report.Parameters = ParametersOf(lines, parametersLine, parametersLabel);
    return seen;
}

void TLabelsSeen::Note(std::string_view key) {
    if (key == "Strategy Tester Report")
        Title = true;
    else if (key == "Symbol")
        Symbol = true;
    else if (key == "Period")
        Period = true;
    else if (key == "Parameters")
        Parameters = true;
    else if (key == "Initial deposit")
        InitialDeposit = true;
    else if (key == "Total net profit")
        TotalNetProfit = true;
}

}  // namespace velquist
