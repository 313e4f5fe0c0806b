// ParseRow: one line of cell text into an operation. A line is an operation
// exactly when its second field is a date-time; other cells that do not read
// as numbers read as 0.
#include <exception>
#include <vector>

#include "model/operation.hpp"
#include "reader/cell_text.hpp"
#include "reader/numbers.hpp"

namespace velquist {

bool TOperation::ParseRow(std::string_view line) {
    // Any failure inside a row only means the row is no operation.
    try {
        // Kept per thread: a report has many rows, and two are read at once.
        thread_local std::vector<std::string_view> fields;
        SplitFields(line, fields);
        auto field = [&](std::size_t n) {
            return n <= fields.size() ? fields[n - 1] : std::string_view{};
        };
        Profit = 0;
        Balance = 0;
        HasProfit = false;
        HasBalance = false;
        Num = ParseInteger(field(1));
        const std::optional<TDateTime> time = ParseReportDateTime(field(2));
        if (!time) return false;
        Time = *time;
        OpType = field(3);
        Order = ParseInteger(field(4));
        Size = ParseNumber(field(5));
        Price = ParseNumber(field(6));
        StopLoss = ParseNumber(field(7));
        TakeProfit = ParseNumber(field(8));
        if (!field(9).empty()) {
            HasProfit = true;
            Profit = ParseNumber(field(9));
        }
        if (!field(10).empty()) {
            HasBalance = true;
            Balance = ParseNumber(field(10));
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace velquist
