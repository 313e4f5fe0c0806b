// Decimal texts of doubles, exact and locale-free: the conversions of
// std::to_chars and std::from_chars. The browser edition's standard library
// has them only for integers; its own file gives the same bytes through the C
// library, whose locale there is always "C".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velquist {

// "d.ddd...e+XX" with `digits` digits after the point, correctly rounded, into
// out (room for digits + 8 characters); returns the length.
std::size_t WriteScientific(double value, int digits, char* out);
// The value with `decimals` decimals, correctly rounded (halves to even, as
// exact halves are).
std::string FixedText(double value, int decimals);
// The shortest text that reads back as the value, in fixed or scientific
// notation, whichever is shorter.
std::string ShortestText(double value);
// The value of a decimal number (digits with an optional "." part and
// exponent, no sign), correctly rounded; false when it is out of range.
bool ReadDecimal(std::string_view text, double& value);

}  // namespace velquist
