// Checks of a report just read against itself. A file in an unknown wording,
// a page of another kind or a file cut short reads without an error but gives
// a wrong account; these checks say so. They never change what was read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/report.hpp"
#include "reader/summary_scan.hpp"

namespace velquist {

// What reading found beside the model's fields.
struct TReadFacts {
    TLabelsSeen Labels;
    // When no operations header was recognised but rows with dates follow:
    // the cell text of the row above the first of them.
    std::optional<std::string> UnknownOperationsHeader;
    // The file is UTF-16 text (IsUtf16Text of its first bytes).
    bool Utf16 = false;
};

// The warnings about one report, in a fixed order; empty when it is sound.
std::vector<std::string> CheckReport(const TMT4TestReport& report, const TReadFacts& facts);

}  // namespace velquist
