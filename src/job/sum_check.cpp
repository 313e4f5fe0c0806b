#include "job/sum_check.hpp"

#include <cmath>

namespace velquist {
namespace {

void NoteFirst(std::string& first, bool overflowed, const std::string& fileName) {
    if (first.empty() && overflowed) first = fileName;
}

// The summary's numbers that the writer prints.
constexpr double TMT4TestReport::*SummaryNumbers[] = {
    &TMT4TestReport::ModellingQuality,
    &TMT4TestReport::InitialDeposit,
    &TMT4TestReport::TotalNetProfit,
    &TMT4TestReport::GrossProfit,
    &TMT4TestReport::GrossLoss,
    &TMT4TestReport::ProfitFactor,
    &TMT4TestReport::ExpectedPayoff,
    &TMT4TestReport::AbsoluteDrawdown,
    &TMT4TestReport::MaximalDrawdown,
    &TMT4TestReport::MaximalDrawdownPercent,
    &TMT4TestReport::RelativeDrawdown,
    &TMT4TestReport::RelativeDrawdownPercent,
    &TMT4TestReport::ShortWonPercent,
    &TMT4TestReport::LongWonPercent,
    &TMT4TestReport::ProfitTradesPercent,
    &TMT4TestReport::LossTradesPercent,
    &TMT4TestReport::LargestProfitTrade,
    &TMT4TestReport::LargestLossTrade,
    &TMT4TestReport::AverageProfitTrade,
    &TMT4TestReport::AverageLossTrade,
    &TMT4TestReport::MaxConsecutiveWinsMoney,
    &TMT4TestReport::MaxConsecutiveLossesMoney,
    &TMT4TestReport::MaximalConsecutiveProfit,
    &TMT4TestReport::MaximalConsecutiveLoss,
};

}  // namespace

void TSumWatch::Add(const TMT4TestReport& report, const std::string& fileName) {
    deposits_ += report.InitialDeposit;
    amounts_ += std::fabs(report.InitialDeposit);
    for (const TOperation& row : report.Operations) {
        if (!row.HasProfit) continue;
        (row.Profit > 0 ? gains_ : losses_) += row.Profit;
        amounts_ += std::fabs(row.Profit);
    }
    NoteFirst(firstSum_,
              !std::isfinite(deposits_) || !std::isfinite(gains_) || !std::isfinite(losses_),
              fileName);
    NoteFirst(firstAmounts_, !std::isfinite(amounts_), fileName);
    NoteFirst(firstTwice_, !std::isfinite(2 * amounts_), fileName);
    last_ = fileName;
}

const std::string& TSumWatch::Culprit() const {
    for (const std::string* file : {&firstSum_, &firstAmounts_, &firstTwice_})
        if (!file->empty()) return *file;
    return last_;
}

bool HoldsOnlyFiniteNumbers(const TMT4TestReport& report) {
    for (const auto number : SummaryNumbers)
        if (!std::isfinite(report.*number)) return false;
    for (const TOperation& row : report.Operations)
        if (!std::isfinite(row.Profit) || !std::isfinite(row.Balance)) return false;
    return true;
}

}  // namespace velquist
