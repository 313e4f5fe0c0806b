// Drawing of the balance chart with the Windows GDI (RenderBalanceChart of
// chart_picture.hpp): a 32-bit device-independent bitmap on white, the label
// texts measured and drawn in Arial 8 pt at 96 dots per inch without
// antialiasing, and everything else where the shared layout puts it, so that
// the picture holds only white, black, the grid's grey and the line's blue.
// Draws in memory only. Windows only.
#pragma once

#include <string>

namespace velquist {

// A label in the pattern "#,##0.###" in the separators of the named Windows
// locale (LOCALE_NAME_USER_DEFAULT for the user's): digit grouping, at most
// three decimals with trailing zeros dropped, no "-0". UTF-8.
std::string FormatChartLabel(double value, const wchar_t* localeName);

}  // namespace velquist
