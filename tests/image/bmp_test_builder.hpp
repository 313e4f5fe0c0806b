// Builds BMP files byte by byte for the reader's tests, written from the file
// format independently of the writer under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image_types.hpp"

namespace velquist::testing {

struct TBmpSpec {
    int Width = 1;
    int Height = 1;
    int BitsPerPixel = 24;
    bool TopDown = false;
    // 12 (core header: 16-bit sizes, 3-byte table entries), 16 (shortest info
    // header), 40, 108 or 124.
    std::uint32_t HeaderSize = 40;
    std::uint32_t Compression = 0;
    // Red, green and blue masks: in the header when it is 52 bytes or more,
    // else after it (bit-field compression only).
    std::vector<std::uint32_t> Masks = {};
    std::vector<TRgbColour> Palette = {};
    std::uint32_t ColoursUsed = 0;
    // One value per pixel, rows from the top: an index for 8 or fewer bits per
    // pixel, else the pixel as the file stores it (0xRRGGBB for 24 bits).
    std::vector<std::uint32_t> Pixels = {};
};

std::string BuildBmp(const TBmpSpec& layout);

// Overwrites `size` bytes at `offset` with `value`, little-endian.
void PutLe(std::string& bytes, std::size_t offset, std::uint32_t value, int size);

}  // namespace velquist::testing
