// The summary scan of the reader: header texts and summary numbers from the
// labelled cells of the lines before the operations table. Cells are found by
// the phrase table first; a label that the table does not know is then found
// by its place in the report layout.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "model/report.hpp"
#include "reader/cell_text.hpp"

namespace velquist {

// The fields, or groups of fields, that one label sets.
enum class TReportField : std::uint8_t {
    Symbol,
    Period,
    Model,
    Parameters,
    BarsInTest,
    TicksModelled,
    ModellingQuality,
    MismatchedChartsErrors,
    InitialDeposit,
    TotalNetProfit,
    GrossProfit,
    GrossLoss,
    ProfitFactor,
    ExpectedPayoff,
    AbsoluteDrawdown,
    MaximalDrawdown,
    RelativeDrawdown,
    TotalTrades,
    ShortPositions,
    LongPositions,
    ProfitTrades,
    LossTrades,
    LargestTrades,
    AverageTrades,
    MaxConsecutive,
    MaximalConsecutive,
    AverageConsecutive,
    None  // a key that sets no field
};
inline constexpr std::size_t ReportFieldCount = static_cast<std::size_t>(TReportField::None);

// The operations table's header row: the summary ends before it.
struct TOperationsHeader {
    std::int64_t Line = -1;  // -1 when there is none
    // The "Symbol" column that a merged report may carry after "Type"; 0 when
    // there is none.
    int SymbolField = 0;
};

// What the labels of a file told: a field whose label is missing keeps the
// value it had before, so only this says what the file held.
struct TLabelsSeen {
    bool Title = false;
    std::bitset<ReportFieldCount> Fields;  // set by a label of this file
    // The fields that neither the table nor the layout found, by name: the
    // page is laid out in a way this program does not know.
    std::vector<std::string_view> Unread;

    bool Has(TReportField field) const { return Fields.test(static_cast<std::size_t>(field)); }
    void Set(TReportField field) { Fields.set(static_cast<std::size_t>(field)); }
};

// Acts on every labelled cell before the operations header (all lines when
// there is none) and notes in report.Labels the label texts found. Fields
// that no label names keep their values.
TLabelsSeen ScanSummary(TMT4TestReport& report, const TTextLines& lines,
                        const TOperationsHeader& header);

}  // namespace velquist
