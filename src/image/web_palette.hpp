// Reduction of full-colour pictures to the 216-colour web palette, each pixel
// by itself (no dithering). Does not reorder or trim the palette.
#pragma once

#include <cstdint>

#include "image/image_types.hpp"

namespace velquist {

// The web palette level, 0 to 5, of a channel value: (c + 3) div 51. Not
// rounding to the nearest level: 47 gives 0 and 48 gives 1.
constexpr int WebLevel(std::uint8_t value) { return (value + 3) / 51; }

// The channel value of a level: 0, 51, 102, 153, 204 or 255.
constexpr std::uint8_t WebLevelValue(int level) { return static_cast<std::uint8_t>(level * 51); }

// The picture over the whole web palette: entry 36 r + 6 g + b is the colour
// of levels (r, g, b), and every pixel gets the entry of its channels' levels.
TIndexedImage ReduceToWebPalette(const TRgbImage& image);

}  // namespace velquist
