// The layout of a strategy tester report page, which is the same in every
// language: the header and summary rows in their fixed order, each with the
// label keys and value shapes of its cells, and the operations header. The
// reader places by it the labels that the phrase table does not recognise, so
// that a wording no table holds still reads right. Data only; the reader does
// the placing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace velquist {

// What a cell of a layout row holds. Every value shape also takes an empty
// cell (a report that leaves its summary blank) and "n/a".
enum class TCellShape : std::uint8_t {
    Empty,           // nothing, in every build seen
    Label,           // a label: the phrase key in TLayoutCell::Key
    Any,             // a label or value of some builds only, or nothing (the spread)
    Text,            // a value of any text
    Integer,         // 1814
    Number,          // -126.79
    Percent,         // 90.00%
    NumberPercent,   // 75.95 (18.40%)
    PercentNumber,   // 18.40% (75.95)
    IntegerPercent,  // 7 (57.14%)
    IntegerNumber,   // 3 (89.46)
    NumberInteger,   // 89.46 (3)
};

struct TLayoutCell {
    TCellShape Shape = TCellShape::Empty;
    std::string_view Key;  // the phrase key of a label cell
};

inline constexpr std::size_t LayoutRowCells = 6;

struct TLayoutRow {
    // The row's cells; 0 for "two or more": a parameter list holds ";" of its own.
    std::uint8_t CellCount = 0;
    // Left out by some builds (the parameter row of an expert without inputs).
    bool Optional = false;
    std::array<TLayoutCell, LayoutRowCells> Cells{};
};

// The rows from the "Symbol" row to the last summary row, in page order, as
// terminal builds 402 to 1473 write them. Rows of one empty cell (the gaps
// between summary blocks) are left out: they carry nothing.
std::span<const TLayoutRow> ReportLayout();
// The key of the cell after cell k, when that is a label; empty otherwise.
inline std::string_view NextKey(const TLayoutRow& row, std::size_t k) {
    return k + 1 < LayoutRowCells ? row.Cells[k + 1].Key : std::string_view{};
}

// The keys of the operations header's cells, in order: ten cells, or eleven
// with the "Symbol" column that a merged report may carry after "Type".
std::span<const std::string_view> OperationsHeaderKeys(bool withSymbolColumn);

}  // namespace velquist
