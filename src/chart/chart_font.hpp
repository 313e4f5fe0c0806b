// The labels' font of the browser edition, which has neither Qt nor the GDI:
// Liberation Sans (in Arial's metrics) at 8 points and 96 dots per inch, as
// one-bit glyphs, so that the picture holds no shades and is the same in every
// browser. Only the characters of a chart label are there; the data is made
// by tools/gen_chart_font.py.
#pragma once

#include <array>
#include <cstdint>

namespace velquist {

struct TChartGlyph {
    char32_t CodePoint;
    std::int8_t Advance;
    // The ink: Rows[r] bit k is the pixel (Left + k, Top + r) from the pen's
    // origin on the baseline (Top is negative above it).
    std::int8_t Left;
    std::int8_t Top;
    std::uint8_t Width;
    std::uint8_t Height;
    std::array<std::uint16_t, 12> Rows;
};

struct TChartFont {
    int LineHeight;
    int Ascent;
    std::array<TChartGlyph, 20> Glyphs;
};

extern const TChartFont ChartFont;

}  // namespace velquist
