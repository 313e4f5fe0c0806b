// The in-memory pictures that the BMP reader and writer and the GIF encoder
// exchange. Plain data only: no file format knowledge lives here.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

namespace velquist {

struct TRgbColour {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;

    friend bool operator==(const TRgbColour&, const TRgbColour&) = default;
};

// A full-colour picture: Width * Height pixels, rows from the top, pixels of a
// row from the left, 3 bytes each in the order red, green, blue; no padding.
// So pixel (x, y) starts at Rgb[(y * Width + x) * 3].
struct TRgbImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb;
};

// A picture of colour indices into Palette (at most 256 colours): one byte per
// pixel, rows from the top, pixels of a row from the left, no padding.
struct TIndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<TRgbColour> Palette;
    std::vector<std::uint8_t> Indices;
};

// What a bitmap file holds: a picture with a colour table (8 or fewer bits per
// pixel) or a full-colour one.
using TBitmap = std::variant<TIndexedImage, TRgbImage>;

}  // namespace velquist
