// Helpers of the balance chart tests: random balance walks and the picture's
// pixels; with Qt also the GIF read back. Reports of a list of balances are
// fixtures/report_builder.hpp's (BalanceReport).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "chart/chart_picture.hpp"
#include "fixtures/report_builder.hpp"
#include "model/report.hpp"

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <QImage>
#endif

namespace velquist::testing {

// A pixel as 0xAARRGGBB, alpha always set (as Qt gives RGB32 pixels).
using TRgb = std::uint32_t;
inline constexpr TRgb White = 0xFFFFFFFF;
inline constexpr TRgb Black = 0xFF000000;
inline constexpr TRgb Grey = 0xFFCCCCCC;
inline constexpr TRgb Blue = 0xFF0000B0;     // the line as drawn
inline constexpr TRgb GifBlue = 0xFF000099;  // the line in the GIF's web palette

// n steps of a random walk from start (rounded to cents), from a fixed seed.
std::vector<double> RandomWalk(int n, double start, double drift, double spread, unsigned seed);

// The chart of the report as CreateGraph draws it.
TChartPicture Render(const TMT4TestReport& report);

TRgb PixelOf(const TRgbImage& image, int x, int y);
// The colour of every pixel.
std::set<TRgb> ColoursOf(const TRgbImage& image);
// Rows of the column, from the top, whose pixel has the colour.
std::vector<int> RowsOf(const TRgbImage& image, int column, TRgb colour);

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
std::set<TRgb> ColoursOf(const QImage& image);
QImage ToQImage(const TRgbImage& image);
// A GIF (or any picture Qt reads) as RGB32; a null image when it cannot be read.
QImage ReadPicture(const std::string& path);
#endif

}  // namespace velquist::testing
