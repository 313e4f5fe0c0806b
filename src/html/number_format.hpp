// Locale-free number formats of the written report. Fixed-point values are
// first rounded to 18 significant digits, then cut at the last printed decimal
// with halves rounded away from zero (0.125 -> "0.13", 1.005 -> "1.00"); a value
// that rounds to zero has no minus sign.
#pragma once

#include <cstdint>
#include <string>

namespace velquist {

void AppendInteger(std::string& out, std::int64_t value);
// decimals from 0 to 20.
void AppendFixed(std::string& out, double value, int decimals);
std::string FormatFixed(double value, int decimals);
// The same through the 18-digit decimal string of the value; AppendFixed takes
// a faster path that gives the same text wherever it applies.
void AppendFixedExact(std::string& out, double value, int decimals);

}  // namespace velquist
