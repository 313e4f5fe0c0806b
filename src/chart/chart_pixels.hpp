// Whole pixels of the chart picture: the rectangles and points that the
// layout places and the line is mapped into.
#pragma once

namespace velquist {

// A rectangle of whole pixels; Right and Bottom are its last column and row,
// so an empty one has Right < Left or Bottom < Top.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = -1;
    int Bottom = -1;

    int Width() const { return Right - Left + 1; }
    int Height() const { return Bottom - Top + 1; }
    bool IsEmpty() const { return Right < Left || Bottom < Top; }
    friend bool operator==(const TPixelRect&, const TPixelRect&) = default;
};

inline TPixelRect RectOfSize(int left, int top, int width, int height) {
    return {left, top, left + width - 1, top + height - 1};
}

// Whether two non-empty rectangles share a pixel.
inline bool Intersects(const TPixelRect& a, const TPixelRect& b) {
    if (a.IsEmpty() || b.IsEmpty()) return false;
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

struct TPixelPoint {
    int X = 0;
    int Y = 0;
};

}  // namespace velquist
