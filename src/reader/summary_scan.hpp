// The summary scan of the reader: header texts and summary numbers from the
// labelled cells of the lines before the operations table.
#pragma once

#include <cstddef>
#include <vector>

#include "model/report.hpp"
#include "reader/cell_text.hpp"

namespace velquist {

// Acts on every labelled cell of lines[0 .. scanEnd - 1]. Fields that no label
// names keep their values. A title line among the last two lines raises the
// list index error, as there is no line to take the names from.
void ScanSummary(TMT4TestReport& report, const std::vector<TTextLine>& lines,
                 std::size_t scanEnd);

}  // namespace velquist
