// Two checks of what a file holds that its labels cannot tell: text saved as
// UTF-16, which the terminal never writes, and money that no account holds.
// Both only look; report_checks.cpp turns their findings into warnings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/report.hpp"

namespace velquist {

// The warning for a file of UTF-16 text: the only one such a file gets, since
// every other finding would only follow from reading it as 8-bit text.
inline constexpr const char* Utf16Warning =
    "the file is UTF-16 text; the terminal writes reports in an 8-bit code page: save it "
    "again as such";

// Whether the file's first bytes (TTextFileBuffers::Head) are UTF-16 text: a
// byte order mark of either order, or, without one, pairs of bytes that hold
// a NUL on the same side, as the markup of a page in UTF-16 does.
bool IsUtf16Text(std::string_view head);

// The most money, either way, that a report's deposit, net profit, profit or
// balance may hold; beyond it lie misread values, and sums of them may
// overflow.
inline constexpr double MaxMoney = 1e15;

// A warning when money that the file held lies beyond MaxMoney either way:
// the deposit and the net profit when their labels were read (the fields
// keep an earlier file's values otherwise), the profit and balance of every
// operation. Names the first such value and counts the rest.
std::optional<std::string> MoneyRangeWarning(const TMT4TestReport& report, bool depositRead,
                                             bool netProfitRead);

}  // namespace velquist
