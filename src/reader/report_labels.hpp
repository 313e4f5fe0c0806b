// Label lookup of the reader: the phrase table first, then the reading
// variants of newer terminal builds for cells that the table does not know.
#pragma once

#include <string>
#include <string_view>

namespace velquist {

std::string ReaderKeyOf(std::string_view cellText);

// The two "Average" rows' keys, which share their label in most languages.
inline bool IsAverage(std::string_view key) { return key == "Average" || key == "Average_"; }

}  // namespace velquist
