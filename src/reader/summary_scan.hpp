// The summary scan of the reader: header texts and summary numbers from the
// labelled cells of the lines before the operations table.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "model/report.hpp"
#include "reader/cell_text.hpp"

namespace velquist {

// The labels that tell whether a file was read right: a field whose label is
// missing keeps the value it had before, so only these say what the file held.
struct TLabelsSeen {
    bool Title = false;
    bool Symbol = false;
    bool Period = false;
    bool Parameters = false;
    bool InitialDeposit = false;
    bool TotalNetProfit = false;

    void Note(std::string_view key);
};

// Acts on every labelled cell of lines[0 .. scanEnd - 1]. Fields that no label
// names keep their values.
TLabelsSeen ScanSummary(TMT4TestReport& report, const TTextLines& lines, std::size_t scanEnd);

}  // namespace velquist
