// Small builders of operations rows for the merge tests.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "model/date_time.hpp"
#include "model/operation.hpp"

namespace velquist::testing {

// 2020-01-01 00:00 plus the given (non-negative) minutes, with the time of
// day computed as EncodeDateTime computes it.
inline TDateTime Minute(int minutes) {
    const double day = static_cast<double>(DaysFromCivil(2020, 1, 1) + minutes / 1440);
    return day + (minutes % 1440) * 60000.0 / 86400000.0;
}

// A row without profit and balance (an opening, a modification).
inline TOperation Opening(TDateTime time, const std::string& type, std::int32_t order,
                          std::int32_t num = 0) {
    TOperation row;
    row.Num = num;
    row.Time = time;
    row.OpType = type;
    row.Order = order;
    row.Size = 0.1;
    row.Price = 1.1;
    row.Symbol = "EURUSD";
    return row;
}

// A row that closes an order with a profit and the balance after it.
inline TOperation Closing(TDateTime time, std::int32_t order, double profit, double balance,
                          std::int32_t num = 0) {
    TOperation row = Opening(time, "close", order, num);
    row.Profit = profit;
    row.Balance = balance;
    row.HasProfit = true;
    row.HasBalance = true;
    return row;
}

// All thirteen fields of a row as one text, for comparing whole rows.
inline std::string Describe(const TOperation& row) {
    std::string text;
    for (const double number :
         {static_cast<double>(row.Num), row.Time, static_cast<double>(row.Order), row.Size,
          row.Price, row.StopLoss, row.TakeProfit, row.Profit, row.Balance}) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
        text.append(buffer, end).push_back('|');
    }
    return text + row.OpType.String() + "|" + row.Symbol.String() + "|" +
           (row.HasProfit ? "P" : "-") + (row.HasBalance ? "B" : "-");
}

template <typename Rows>
std::vector<std::string> DescribeAll(const Rows& rows) {
    std::vector<std::string> texts;
    for (const TOperation& row : rows) texts.push_back(Describe(row));
    return texts;
}

}  // namespace velquist::testing
