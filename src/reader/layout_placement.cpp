#include "reader/layout_placement.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "base/globals.hpp"
#include "reader/numbers.hpp"
#include "reader/report_labels.hpp"

namespace velquist {
namespace {

// A summary is some twenty rows: rows further down are no part of it, and the
// matching stays small whatever follows the title.
constexpr std::size_t MostPageRows = 64;

struct TPageCell {
    std::string_view Text;  // a cell broken by a line break: its first line's part
    std::size_t Line = 0;
    int Field = 0;
};

struct TPageRow {
    std::vector<TPageCell> Cells;
    bool Blank = true;
    // The keys that the phrase table gives the first cells; empty for none.
    std::array<std::string, LayoutRowCells> Keys;
};

// The table rows of lines[first .. end - 1]. A row ends with its line's row
// end; a line of the file ending inside a cell (no ";" at its end) goes on in
// the next line's first field. Rows of one empty cell are gaps and left out.
std::vector<TPageRow> PageRows(const TTextLines& lines, std::size_t first, std::size_t end) {
    std::vector<TPageRow> rows;
    std::vector<std::string_view> fields;
    TPageRow row;
    bool cellGoesOn = false;
    for (std::size_t i = first; i < end && rows.size() < MostPageRows; ++i) {
        const std::string_view text = lines[i].Text;
        if (row.Cells.empty() && !lines[i].EndsRow && Trim(text).empty()) continue;
        SplitCells(text, fields);
        for (std::size_t k = cellGoesOn ? 1 : 0; k < fields.size(); ++k)
            row.Cells.push_back({fields[k], i, static_cast<int>(k + 1)});
        if (!text.empty()) cellGoesOn = !text.ends_with(';');
        if (!lines[i].EndsRow) continue;
        for (std::size_t k = 0; k < row.Cells.size(); ++k) {
            if (!Trim(row.Cells[k].Text).empty()) row.Blank = false;
            if (k < LayoutRowCells) row.Keys[k] = ReaderKeyOf(row.Cells[k].Text);
        }
        if (row.Cells.size() > 1 || !row.Blank) rows.push_back(std::move(row));
        row = TPageRow();
        cellGoesOn = false;
    }
    return rows;
}

// Reads a cell's text token by token, blanks between tokens skipped.
class TShapeReader {
  public:
    explicit TShapeReader(std::string_view text) : rest_(text) {}
    bool Number() { return Take(NumberLength(rest_)); }
    bool Integer() {
        const std::size_t length = NumberLength(rest_);
        const std::string_view number = rest_.substr(0, length);
        return number.find_first_of(".eE") == std::string_view::npos && Take(length);
    }
    bool Is(char c) { return !rest_.empty() && rest_[0] == c && Take(1); }
    bool AtEnd() const { return rest_.empty(); }

  private:
    bool Take(std::size_t length) {
        if (length == 0) return false;
        rest_ = Trim(rest_.substr(length));
        return true;
    }
    std::string_view rest_;
};

bool FitsValue(TCellShape shape, std::string_view cell) {
    const std::string_view text = Trim(cell);
    if (text.empty() || text == "n/a") return true;
    TShapeReader r(text);
    switch (shape) {
        case TCellShape::Integer:
            return r.Integer() && r.AtEnd();
        case TCellShape::Number:
            return r.Number() && r.AtEnd();
        case TCellShape::Percent:
            return r.Number() && r.Is('%') && r.AtEnd();
        case TCellShape::NumberPercent:
            return r.Number() && r.Is('(') && r.Number() && r.Is('%') && r.Is(')') && r.AtEnd();
        case TCellShape::PercentNumber:
            return r.Number() && r.Is('%') && r.Is('(') && r.Number() && r.Is(')') && r.AtEnd();
        case TCellShape::IntegerPercent:
            return r.Integer() && r.Is('(') && r.Number() && r.Is('%') && r.Is(')') && r.AtEnd();
        case TCellShape::IntegerNumber:
            return r.Integer() && r.Is('(') && r.Number() && r.Is(')') && r.AtEnd();
        case TCellShape::NumberInteger:
            return r.Number() && r.Is('(') && r.Integer() && r.Is(')') && r.AtEnd();
        default:
            return true;
    }
}

bool Fits(TCellShape shape, std::string_view cell) {
    switch (shape) {
        case TCellShape::Empty:
            return Trim(cell).empty();
        case TCellShape::Label:
            // A number where a label stands: the row is another one.
            return Trim(cell).empty() ||
                   (!FitsValue(TCellShape::Number, cell) && !FitsValue(TCellShape::Percent, cell));
        case TCellShape::Any:
        case TCellShape::Text:
            return true;
        default:
            return FitsValue(shape, cell);
    }
}

bool SameLabel(std::string_view key, std::string_view layoutKey) {
    return key == layoutKey || (IsAverage(key) && IsAverage(layoutKey));
}

// How well a page row fits a layout row: 0 when it cannot be that row. Every
// row that fits counts far more than how well it fits, so that as many rows
// as can be are placed; among placings of as many rows, a label the table
// knows counts most, for or against, and an empty label cell in a row with
// text counts against.
int Weight(const TPageRow& page, const TLayoutRow& layout) {
    constexpr int RowFits = 100;
    // A blank summary: any row, whatever its cells, but a row with text first.
    if (page.Blank) return RowFits - 10;
    const std::size_t cells = page.Cells.size();
    if (layout.CellCount == 0 ? cells < 2 : cells != layout.CellCount) return 0;
    const std::size_t checked = layout.CellCount == 0 ? 2 : cells;
    int weight = RowFits;
    for (std::size_t k = 0; k < checked; ++k) {
        const TLayoutCell& cell = layout.Cells[k];
        const std::string_view text = page.Cells[k].Text;
        if (!Fits(cell.Shape, text)) return 0;
        if (cell.Shape != TCellShape::Label) continue;
        if (Trim(text).empty()) {
            weight -= 2;
        } else if (!page.Keys[k].empty()) {
            weight += SameLabel(page.Keys[k], cell.Key) ? 3 : -1;
        } else {
            weight += 1;
        }
    }
    return weight;
}

// The matching of page rows to layout rows, in order, of the most weight:
// for each page row the layout row it is, or nullptr.
std::vector<const TLayoutRow*> Match(const std::vector<TPageRow>& page,
                                     std::span<const TLayoutRow> layout) {
    const std::size_t n = page.size(), m = layout.size();
    std::vector<int> weight(n * m), best((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> int& { return best[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            const int w = weight[i * m + j] = Weight(page[i], layout[j]);
            at(i, j) = std::max({at(i + 1, j), at(i, j + 1), w > 0 ? w + at(i + 1, j + 1) : 0});
        }
    }
    std::vector<const TLayoutRow*> rowOf(n, nullptr);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        const int w = weight[i * m + j];
        if (w > 0 && at(i, j) == w + at(i + 1, j + 1)) {
            rowOf[i++] = &layout[j++];
        } else if (at(i, j) == at(i + 1, j)) {
            ++i;
        } else {
            ++j;
        }
    }
    return rowOf;
}

}  // namespace

TLayoutPlacement PlaceByLayout(const TTextLines& lines, std::size_t first, std::size_t end) {
    const std::vector<TPageRow> page = PageRows(lines, first, end);
    const std::span<const TLayoutRow> layout = ReportLayout();
    const std::vector<const TLayoutRow*> rowOf = Match(page, layout);
    TLayoutPlacement placement;
    for (std::size_t i = 0; i < page.size(); ++i) {
        const TLayoutRow* row = rowOf[i];
        if (row == nullptr) continue;
        for (std::size_t k = 0; k < LayoutRowCells && k < page[i].Cells.size(); ++k) {
            if (row->Cells[k].Shape != TCellShape::Label) continue;
            const TPageCell& cell = page[i].Cells[k];
            placement.Labels.push_back({cell.Line, cell.Field, cell.Text, row->Cells[k].Key,
                                        NextKey(*row, k), page[i].Keys[k]});
        }
    }
    for (const TLayoutRow& row : layout) {
        if (!row.Optional && std::find(rowOf.begin(), rowOf.end(), &row) == rowOf.end())
            placement.MissingRows.push_back(&row);
    }
    return placement;
}

}  // namespace velquist
