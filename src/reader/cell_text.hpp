// The reader's intermediate text: the file with its tags stripped, every table
// cell ended by ";" and every table row by a line break. Text between tags
// passes unchanged (entities are not decoded).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "system/large_memory.hpp"

namespace velquist {

// Strips the tags of a file text (after LoadTextFile) into cell text.
std::string CellText(std::string_view fileText);
// The same into `result`, reusing its memory, which must hold the whole file
// text on the way.
void CellText(std::string_view fileText, TLargeBuffer& result);

// One line of a text split at line breaks (CR, LF or CR LF).
struct TTextLine {
    std::string_view Text;
    // The line ended with CR LF, which in cell text marks the end of a table
    // row; a lone CR is a line break of the file itself.
    bool EndsRow = false;
};

// A whole file's lines: a large list.
using TTextLines = TLargeVector<TTextLine>;

// The lines of a text; empty lines count, the last line needs no terminator.
TTextLines SplitLines(std::string_view text);
// The same into `lines`, reusing its memory.
void SplitLines(std::string_view text, TTextLines& lines);

// Splits a line at ";" into its fields (no trimming), reusing the vector.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);
// The same without the empty field after the last cell's ";".
inline void SplitCells(std::string_view row, std::vector<std::string_view>& cells) {
    SplitFields(row, cells);
    if (row.ends_with(';')) cells.pop_back();
}

}  // namespace velquist
