// Helpers of the balance chart tests: reports made from a list of balances,
// random balance walks, and the picture's pixels read back.
#pragma once

#include <QImage>
#include <set>
#include <string>
#include <vector>

#include "chart/chart_render.hpp"
#include "model/report.hpp"

namespace velquist::test {

inline constexpr QRgb White = 0xFFFFFFFF;
inline constexpr QRgb Black = 0xFF000000;
inline constexpr QRgb Grey = 0xFFCCCCCC;
inline constexpr QRgb Blue = 0xFF0000B0;     // the line as drawn
inline constexpr QRgb GifBlue = 0xFF000099;  // the line in the GIF's web palette

// A report with the deposit and one balance row per balance.
TMT4TestReport ReportOf(double deposit, const std::vector<double>& balances);
// n steps of a random walk from start (rounded to cents), from a fixed seed.
std::vector<double> RandomWalk(int n, double start, double drift, double spread, unsigned seed);

// The chart of the report as CreateGraph draws it.
TChartPicture Render(const TMT4TestReport& report);

// The colour of every pixel (RGB32, alpha set).
std::set<QRgb> ColoursOf(const QImage& image);
// Rows of the column, from the top, whose pixel has the colour.
std::vector<int> RowsOf(const QImage& image, int column, QRgb colour);
// A GIF (or any picture Qt reads) as RGB32; a null image when it cannot be read.
QImage ReadPicture(const std::string& path);

}  // namespace velquist::test
