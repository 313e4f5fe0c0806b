#include "reader/report_checks.hpp"

#include <cmath>

#include "base/decimal_text.hpp"
#include "reader/cell_text.hpp"
#include "reader/content_checks.hpp"

namespace velquist {
namespace {

// Reports print money with two decimals, and the terminal rounds the total
// net profit and the balances separately: a sound report may be a cent off.
// Only more than that is a difference; the half cent beyond it takes up the
// binary error of the amounts.
bool Differs(double a, double b) { return std::fabs(a - b) > 0.015; }

// Two decimals, locale-free, for the messages only.
std::string Money(double value) {
    const std::string text = FixedText(value, 2);
    return text == "-0.00" ? "0.00" : text;
}

// The first cells of a row of cell text, each quoted, without the empty field
// after the last cell's separator; enough for the user to tell the labels.
std::string QuotedCells(std::string_view row) {
    constexpr std::size_t MaxCells = 12;
    if (row.ends_with(';')) row.remove_suffix(1);
    std::vector<std::string_view> cells;
    SplitFields(row, cells);
    std::string text;
    for (std::size_t n = 0; n < cells.size() && n < MaxCells; ++n) {
        if (n > 0) text += ", ";
        text += '"' + std::string(cells[n]) + '"';
    }
    if (cells.size() > MaxCells) text += ", ...";
    return text;
}

const TOperation* FirstBalanceRow(const TOperationList& operations) {
    for (const TOperation& operation : operations)
        if (operation.HasBalance) return &operation;
    return nullptr;
}

const TOperation* LastBalanceRow(const TOperationList& operations) {
    for (auto it = operations.end(); it != operations.begin();)
        if ((--it)->HasBalance) return &*it;
    return nullptr;
}

std::optional<std::string> DepositWarning(const TMT4TestReport& report, const TLabelsSeen& labels) {
    const TOperation* first = FirstBalanceRow(report.Operations);
    const std::string implied = first ? Money(first->Balance - first->Profit) : std::string();
    if (!labels.Has(TReportField::InitialDeposit)) {
        return first ? "no initial deposit found; the first balance row implies " + implied
                     : "no initial deposit found";
    }
    if (first && Differs(first->Balance - first->Profit, report.InitialDeposit)) {
        return "the initial deposit " + Money(report.InitialDeposit) + " differs from the " +
               implied + " that the first balance row implies";
    }
    return std::nullopt;
}

std::optional<std::string> NetProfitWarning(const TMT4TestReport& report,
                                            const TLabelsSeen& labels) {
    if (!labels.Has(TReportField::TotalNetProfit)) return "no total net profit found";
    if (!labels.Has(TReportField::InitialDeposit))
        return std::nullopt;  // the deposit warning says it
    const TOperation* last = LastBalanceRow(report.Operations);
    const double balances = (last ? last->Balance : report.InitialDeposit) - report.InitialDeposit;
    if (!Differs(balances, report.TotalNetProfit)) return std::nullopt;
    return "the total net profit " + Money(report.TotalNetProfit) +
           " differs from the last balance minus the initial deposit, " + Money(balances);
}

std::optional<std::string> LayoutWarning(const TLabelsSeen& labels) {
    if (labels.Unread.empty()) return std::nullopt;
    std::string text = "the summary's layout is not one this program knows: ";
    for (std::size_t i = 0; i < labels.Unread.size(); ++i) {
        if (i > 0) text += ", ";
        text += labels.Unread[i];
    }
    return text + " not read";
}

}  // namespace

std::vector<std::string> CheckReport(const TMT4TestReport& report, const TReadFacts& facts) {
    if (facts.Utf16) return {Utf16Warning};
    const TLabelsSeen& labels = facts.Labels;
    // A page of another kind: one warning says it all.
    if (!labels.Title)
        return {"not a strategy tester report: no \"Strategy Tester Report\" title found"};
    std::vector<std::string> warnings;
    if (facts.UnknownOperationsHeader) {
        warnings.push_back(
            "no operations read: the rows of operations follow a header of unknown labels, " +
            QuotedCells(*facts.UnknownOperationsHeader));
    }
    if (!labels.Has(TReportField::Symbol)) warnings.push_back("no \"Symbol\" label found");
    if (!labels.Has(TReportField::Period)) warnings.push_back("no \"Period\" label found");
    if (auto warning = DepositWarning(report, labels)) warnings.push_back(std::move(*warning));
    if (auto warning = NetProfitWarning(report, labels)) warnings.push_back(std::move(*warning));
    if (auto warning = LayoutWarning(labels)) warnings.push_back(std::move(*warning));
    if (auto warning = MoneyRangeWarning(report, labels.Has(TReportField::InitialDeposit),
                                         labels.Has(TReportField::TotalNetProfit)))
        warnings.push_back(std::move(*warning));
    return warnings;
}

}  // namespace velquist
