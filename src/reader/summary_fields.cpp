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
    std::string_view Name = {};  // empty: the key's own text
    // The report's member that a plain number or whole number in the next
    // cell sets, for the fields that are no more than that.
    double TMT4TestReport::*Number = nullptr;
    std::int32_t TMT4TestReport::*Integer = nullptr;
};

using R = TMT4TestReport;

// clang-format off
constexpr std::array<TFieldOfKey, 25> Fields = {{
    {"Symbol", Symbol}, {"Period", Period}, {"Model", Model}, {"Parameters", Parameters},
    {"Bars in test", BarsInTest, {}, nullptr, &R::BarsInTest},
    {"Ticks modelled", TicksModelled, {}, nullptr, &R::TicksModelled},
    {"Modelling quality", ModellingQuality},
    {"Mismatched charts errors", MismatchedChartsErrors, {}, nullptr, &R::MismatchedChartsErrors},
    {"Initial deposit", InitialDeposit, {}, &R::InitialDeposit},
    {"Total net profit", TotalNetProfit, {}, &R::TotalNetProfit},
    {"Gross profit", GrossProfit, {}, &R::GrossProfit},
    {"Gross loss", GrossLoss, {}, &R::GrossLoss},
    {"Profit factor", ProfitFactor, {}, &R::ProfitFactor},
    {"Expected payoff", ExpectedPayoff, {}, &R::ExpectedPayoff},
    {"Absolute drawdown", AbsoluteDrawdown, {}, &R::AbsoluteDrawdown},
    {"Maximal drawdown", MaximalDrawdown}, {"Relative drawdown", RelativeDrawdown},
    {"Total trades", TotalTrades, {}, nullptr, &R::TotalTrades},
    {"Short positions (won %)", ShortPositions}, {"Long positions (won %)", LongPositions},
    {"Profit trades (% of total)", ProfitTrades}, {"Loss trades (% of total)", LossTrades},
    {"Largest", LargestTrades, "Largest profit and loss trade"},
    {"Maximum", MaxConsecutive, "Maximum consecutive wins and losses"},
    {"Maximal", MaximalConsecutive, "Maximal consecutive profit and loss"},
}};
// clang-format on

const TFieldOfKey* EntryOf(TReportField field) {
    for (const TFieldOfKey& entry : Fields)
        if (entry.Field == field) return &entry;
    return nullptr;
}

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

// The labels whose value is the next cell, f.
void ReadValueCell(TMT4TestReport& r, TReportField field, const std::string& f) {
    const TFieldOfKey* entry = EntryOf(field);
    if (entry != nullptr && entry->Number != nullptr) {
        r.*entry->Number = ParseNumber(f);
    } else if (entry != nullptr && entry->Integer != nullptr) {
        r.*entry->Integer = ParseInteger(f);
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
    const TFieldOfKey* entry = EntryOf(field);
    if (entry == nullptr) return {};
    return entry->Name.empty() ? entry->Key : entry->Name;
}

}  // namespace velquist
