// The browser edition's drawing of the balance chart (RenderBalanceChart of
// chart_picture.hpp), and its labels' number format: the page passes the
// separators of the user's locale, as the browser tells them.
#pragma once

#include <string>

#include "chart/chart_picture.hpp"

namespace velquist {

// UTF-8 texts; the digits are always 0 to 9.
struct TChartNumberFormat {
    std::string Group = ",";
    std::string Decimal = ".";
    std::string Minus = "-";
};

// The format of the labels of the charts drawn from now on.
void SetChartNumberFormat(const TChartNumberFormat& format);

// A label in the pattern "#,##0.###": digits grouped in threes, at most three
// decimals with trailing zeros dropped.
std::string FormatChartLabel(double value, const TChartNumberFormat& format);

}  // namespace velquist
