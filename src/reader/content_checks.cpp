#include "reader/content_checks.hpp"

#include <cmath>
#include <cstddef>

#include "base/decimal_text.hpp"

namespace velquist {
namespace {

// UTF-16 of mostly ASCII text: in (nearly) every pair of bytes one side is
// NUL, always the same side, and never both.
bool PairsHoldNulOnOneSide(std::string_view head) {
    const std::size_t pairs = head.size() / 2;
    if (pairs < 2) return false;
    std::size_t nulFirst = 0, nulSecond = 0;
    for (std::size_t k = 0; k < pairs; ++k) {
        const bool first = head[2 * k] == '\0', second = head[2 * k + 1] == '\0';
        if (first && second) return false;
        nulFirst += first ? 1 : 0;
        nulSecond += second ? 1 : 0;
    }
    const auto most = [pairs](std::size_t count) { return 4 * count >= 3 * pairs; };
    return (most(nulSecond) && nulFirst == 0) || (most(nulFirst) && nulSecond == 0);
}

}  // namespace

bool IsUtf16Text(std::string_view head) {
    // FF FE 00 00 opens UTF-32 rather.
    if (head.starts_with("\xFF\xFE") && !head.starts_with(std::string_view("\xFF\xFE\0\0", 4)))
        return true;
    if (head.starts_with("\xFE\xFF")) return true;
    return PairsHoldNulOnOneSide(head);
}

std::optional<std::string> MoneyRangeWarning(const TMT4TestReport& report, bool depositRead,
                                             bool netProfitRead) {
    std::string first;
    std::size_t count = 0;
    const auto check = [&](bool held, double value, const char* what,
                           const TOperation* row = nullptr) {
        if (!held || std::fabs(value) <= MaxMoney) return;
        if (count++ == 0)
            first = what + (row ? std::to_string(row->Num) : std::string()) + " is " +
                    ShortestText(value);
    };
    check(depositRead, report.InitialDeposit, "the initial deposit");
    check(netProfitRead, report.TotalNetProfit, "the total net profit");
    for (const TOperation& row : report.Operations) {
        check(row.HasProfit, row.Profit, "the profit of operation ", &row);
        check(row.HasBalance, row.Balance, "the balance of operation ", &row);
    }
    if (count == 0) return std::nullopt;
    std::string warning = "money that no account holds (beyond 1e15 or -1e15): " + first;
    if (count == 2) warning += ", and 1 more value";
    if (count > 2) warning += ", and " + std::to_string(count - 1) + " more values";
    return warning;
}

}  // namespace velquist
