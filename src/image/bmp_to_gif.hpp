// Conversion of a BMP file into the GIF file of the balance chart.
//
// Full-colour bitmaps are reduced to the web palette, paletted ones keep their
// colour table; then the table is sorted by use and trimmed to the colours
// used, and the GIF is written whole. No dithering, no transparency, no
// animation.
#pragma once

#include <string>

namespace velquist {

// Reads the bitmap file and creates or replaces the GIF file. Errors:
// "Cannot open file "BITMAP". REASON" when the bitmap cannot be read,
// BadBitmapError's (base/error.hpp) when it is not a BMP that can be read,
// "Cannot create file "GIF". REASON" when the GIF cannot be created. On any
// error no GIF is written and an earlier file of that name stays as it was.
void BmpToGif(const std::string& bitmapPath, const std::string& gifPath);

}  // namespace velquist
