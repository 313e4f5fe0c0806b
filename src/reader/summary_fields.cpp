#include "reader/summary_fields.hpp"

#include <array>
#include <utility>

#include "base/globals.hpp"
#include "reader/numbers.hpp"
#include "reader/report_labels.hpp"

namespace velquist {
namespace {

using enum TReportField;

struct TFieldOfKey {
    std::string_view Key;
    TReportField Field;
    std::string_view Name;  // empty: the key's own text
};

// clang-format off
constexpr std::array<TFieldOfKey, 25> Fields = {{
    {"Symbol", Symbol, {}}, {"Period", Period, {}}, {"Model", Model, {}},
    {"Parameters", Parameters, {}}, {"Bars in test", BarsInTest, {}},
    {"Ticks modelled", TicksModelled, {}}, {"Modelling quality", ModellingQuality, {}},
    {"Mismatched charts errors", MismatchedChartsErrors, {}},
    {"Initial deposit", InitialDeposit, {}}, {"Total net profit", TotalNetProfit, {}},
    {"Gross profit", GrossProfit, {}}, {"Gross loss", GrossLoss, {}},
    {"Profit factor", ProfitFactor, {}}, {"Expected payoff", ExpectedPayoff, {}},
    {"Absolute drawdown", AbsoluteDrawdown, {}}, {"Maximal drawdown", MaximalDrawdown, {}},
    {"Relative drawdown", RelativeDrawdown, {}}, {"Total trades", TotalTrades, {}},
    {"Short positions (won %)", ShortPositions, {}},
    {"Long positions (won %)", LongPositions, {}},
    {"Profit trades (% of total)", ProfitTrades, {}},
    {"Loss trades (% of total)", LossTrades, {}},
    {"Largest", LargestTrades, "Largest profit and loss trade"},
    {"Maximum", MaxConsecutive, "Maximum consecutive wins and losses"},
    {"Maximal", MaximalConsecutive, "Maximal consecutive profit and loss"},
}};
// clang-format on

// Count, then a percentage or money in parentheses.
void ReadCountWithParenthesis(const std::string& cell, std::string& text, std::int32_t& count,
                              double& percent) {
    text = cell;
    count = ParseInteger(TextWithoutParentheses(cell));
    percent = ParseNumber(StripPercent(TextInParentheses(cell)));
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

// The five-cell rows, whose values stand two and four cells after the label.
void ReadCaptionRow(TMT4TestReport& r, TReportField field, const TFields& fields, int d) {
    const std::string g = fields.Value(d + 2), h = fields.Value(d + 4);
    switch (field) {
        case LargestTrades:
            r.LargestProfitTrade = ParseNumber(g);
            r.LargestLossTrade = ParseNumber(h);
            break;
        case AverageTrades:
            r.AverageProfitTrade = ParseNumber(g);
            r.AverageLossTrade = ParseNumber(h);
            break;
        case AverageConsecutive:
            r.AverageConsecutiveWins = ParseInteger(g);
            r.AverageConsecutiveLosses = ParseInteger(h);
            break;
        case MaxConsecutive:
            ReadMaximumRow(r, g, h);
            break;
        default:
            ReadMaximalRow(r, g, h);
    }
}

double* NumberField(TMT4TestReport& r, TReportField field) {
    switch (field) {
        case InitialDeposit:
            return &r.InitialDeposit;
        case TotalNetProfit:
            return &r.TotalNetProfit;
        case GrossProfit:
            return &r.GrossProfit;
        case GrossLoss:
            return &r.GrossLoss;
        case ProfitFactor:
            return &r.ProfitFactor;
        case ExpectedPayoff:
            return &r.ExpectedPayoff;
        case AbsoluteDrawdown:
            return &r.AbsoluteDrawdown;
        default:
            return nullptr;
    }
}

std::int32_t* IntegerField(TMT4TestReport& r, TReportField field) {
    switch (field) {
        case BarsInTest:
            return &r.BarsInTest;
        case TicksModelled:
            return &r.TicksModelled;
        case MismatchedChartsErrors:
            return &r.MismatchedChartsErrors;
        case TotalTrades:
            return &r.TotalTrades;
        default:
            return nullptr;
    }
}

// The labels whose value is the next cell, f.
void ReadValueCell(TMT4TestReport& r, TReportField field, const std::string& f) {
    if (double* number = NumberField(r, field)) {
        *number = ParseNumber(f);
    } else if (std::int32_t* integer = IntegerField(r, field)) {
        *integer = ParseInteger(f);
    } else if (field == Symbol) {
        r.Symbol = f;
    } else if (field == Period) {
        r.Period = f;
    } else if (field == Model) {
        r.Model = f;
    } else if (field == ModellingQuality) {
        r.ModellingQualityText = f;
        r.ModellingQuality = ParseNumber(StripPercent(f));
    } else if (field == MaximalDrawdown) {
        r.MaximalDrawdownText = f;
        r.MaximalDrawdown = ParseNumber(TextWithoutParentheses(f));
        r.MaximalDrawdownPercent = ParseNumber(StripPercent(TextInParentheses(f)));
    } else if (field == RelativeDrawdown) {
        r.RelativeDrawdownText = f;
        r.RelativeDrawdown = ParseNumber(TextInParentheses(f));
        r.RelativeDrawdownPercent = ParseNumber(StripPercent(TextWithoutParentheses(f)));
    } else if (field == ShortPositions) {
        ReadCountWithParenthesis(f, r.ShortPositionsText, r.ShortPositions, r.ShortWonPercent);
    } else if (field == LongPositions) {
        ReadCountWithParenthesis(f, r.LongPositionsText, r.LongPositions, r.LongWonPercent);
    } else if (field == ProfitTrades) {
        ReadCountWithParenthesis(f, r.ProfitTradesText, r.ProfitTrades, r.ProfitTradesPercent);
    } else if (field == LossTrades) {
        ReadCountWithParenthesis(f, r.LossTradesText, r.LossTrades, r.LossTradesPercent);
    }
}

bool IsAverage(std::string_view key) { return key == "Average" || key == "Average_"; }

}  // namespace

TFields::TFields(std::string_view line) { SplitFields(line, fields_); }

std::string TFields::Value(int n) const { return std::string(Trim(Raw(n))); }

TReportField FieldOfKeys(std::string_view key, std::string_view nextKey) {
    if (IsAverage(key)) {
        if (nextKey == "profit trade") return AverageTrades;
        if (nextKey == "consecutive wins") return AverageConsecutive;
        return None;
    }
    for (const TFieldOfKey& entry : Fields)
        if (entry.Key == key) return entry.Field;
    return None;
}

TReportField FieldOfLabel(std::string_view key, const TFields& fields, int d) {
    return FieldOfKeys(key, IsAverage(key) ? ReaderKeyOf(fields.Raw(d + 1)) : std::string());
}

void ReadField(TMT4TestReport& report, TReportField field, const TFields& fields, int d) {
    switch (field) {
        case LargestTrades:
        case AverageTrades:
        case MaxConsecutive:
        case MaximalConsecutive:
        case AverageConsecutive:
            ReadCaptionRow(report, field, fields, d);
            break;
        default:
            ReadValueCell(report, field, fields.Value(d + 1));
    }
}

std::string_view FieldName(TReportField field) {
    if (field == AverageTrades) return "Average profit and loss trade";
    if (field == AverageConsecutive) return "Average consecutive wins and losses";
    for (const TFieldOfKey& entry : Fields)
        if (entry.Field == field) return entry.Name.empty() ? entry.Key : entry.Name;
    return {};
}

}  // namespace velquist
