// The balance chart drawn into memory by the platform's drawing code (Qt on
// Linux, GDI on Windows) after the shared layout: an 820 x 200 full-colour
// picture. Saving it as a bitmap and the GIF are the caller's.
#pragma once

#include <vector>

#include "chart/chart_data.hpp"
#include "chart/chart_layout.hpp"
#include "chart/chart_line.hpp"
#include "image/image_types.hpp"

namespace velquist {

struct TChartPicture {
    TRgbImage Image;  // ChartWidth x ChartHeight
    // The plot frame, as the layout placed it. Point k of n + 1 lies at x =
    // Left + k * (Right - Left) / max(n, 1); a value v at y = Bottom - (v -
    // Min) * (Bottom - Top) / (Max - Min), or at Bottom when Max <= Min.
    TPixelRect Plot;
    // The value labels as placed, those of the right axis first: each one's
    // text is drawn inside its Box.
    std::vector<TChartLabel> Labels;
};

// The chart of the points (point k at x = k) over the vertical range yRange;
// the horizontal range is 0 to the last point's x. With Qt, throws when no
// QGuiApplication exists (the font needs one).
TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing = TLineDrawing::ColumnEnvelope);

}  // namespace velquist
