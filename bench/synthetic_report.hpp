// Deterministic synthetic strategy tester reports of any size, built in
// memory: orders opened ("buy"/"sell"), sometimes modified and closed later
// ("close", "t/p", "s/l", and "close at stop" at the end) with profits and a
// chained balance, at times on minute boundaries within a date range that
// reports made with the same options share, so that merged reports meet at
// many equal times. The summary block is computed from the rows. Does not
// read or write files; the same seed and options always give the same report.
#pragma once

#include <cstdint>
#include <string>

#include "model/report.hpp"

namespace velquist {

struct TSyntheticOptions {
    int StartYear = 2020, StartMonth = 1, StartDay = 1;
    int SpanDays = 180;  // the rows' times lie within this many days
    std::string Symbol = "EURUSD";
    std::string SymbolDescription;  // when set, the report's symbol text is "CODE (DESCRIPTION)"
    std::string Timeframe = "15 Minutes (M15)";
    double InitialDeposit = 10000;
    int MaxOpenOrders = 4;
};

// A report of exactly operationCount rows (Num 1..N, orders 1..K by opening
// time). Every order opened is closed within the rows, except that a report
// of one row holds a lone opening.
TMT4TestReport MakeSyntheticReport(std::uint32_t seed, int operationCount,
                                   const TSyntheticOptions& options = {});

}  // namespace velquist
