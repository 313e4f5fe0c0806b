// The reader's two number conversions, with "." as the decimal separator and
// no grouping whatever the locale. Neither ever fails: text that is not a
// number reads as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velquist {

// Optional blanks around, optional sign, digits with an optional "." part and
// an optional exponent. 0 for an empty text, "n/a", anything else, or a value
// outside the range of a double.
double ParseNumber(std::string_view text);
// The length of the number that the text starts with, in the shape that
// ParseNumber takes (no blanks); 0 when it starts with none.
std::size_t NumberLength(std::string_view text);

// Optional leading blanks, optional sign, decimal digits, nothing after them.
// 0 for anything else, including trailing blanks and values outside int32.
std::int32_t ParseInteger(std::string_view text);

}  // namespace velquist
