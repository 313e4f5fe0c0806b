// Writes an indexed picture as the bytes of a GIF file: one image with a local
// colour table, no global table and no extension blocks. Does not choose or
// order the colours; the caller hands in the final table.
#pragma once

#include <cstddef>
#include <string>

#include "image/image_types.hpp"

namespace velquist {

// b: the smallest bit depth of at least 1 whose table holds colourCount
// colours (2^b >= colourCount).
int GifTableBits(std::size_t colourCount);

// The GIF file of the picture. With tableSorted the file is version "89a" and
// the image's sort flag is set; without it, "87a" and the flag clear. The
// picture must have sides of 1 to 65535 pixels, a table of 1 to 256 colours
// and one index inside the table per pixel; otherwise Error.
std::string EncodeGif(const TIndexedImage& image, bool tableSorted);

}  // namespace velquist
