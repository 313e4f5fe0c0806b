// Which row of a report page is which row of the report layout. The rows
// between the title block and the operations header are matched to the
// layout's rows in order, by the shapes of their cells and by the labels the
// phrase table knows, so that a wording no table holds, an optional row left
// out and a blank summary still fall into place. Places only; acting on the
// labels is the summary scan's.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "languages/report_layout.hpp"
#include "reader/cell_text.hpp"

namespace velquist {

// A label cell of the page at its place in the layout.
struct TPlacedLabel {
    std::size_t Line = 0;  // the line the cell starts in
    int Field = 0;         // its field number in that line, from 1
    std::string_view Text;
    std::string_view Key;      // the key that its place gives it
    std::string_view NextKey;  // the key of the layout's next cell, when a label
    std::string TableKey;      // the key the phrase table gives its text, or empty
};

struct TLayoutPlacement {
    std::vector<TPlacedLabel> Labels;  // in page order
    // The layout's required rows that no row of the page fits.
    std::vector<const TLayoutRow*> MissingRows;
};

// Places the rows of lines[first .. end - 1].
TLayoutPlacement PlaceByLayout(const TTextLines& lines, std::size_t first, std::size_t end);

}  // namespace velquist
