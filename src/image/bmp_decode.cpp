// Unpacks the pixels of a BMP file whose layout bmp_layout.cpp has checked:
// colour table and indices for 8 or fewer bits per pixel, red, green and blue
// for more.
#include <algorithm>
#include <cstdint>
#include <string>

#include "image/bmp_file.hpp"
#include "image/bmp_layout.hpp"
#include "image/little_endian.hpp"
#include "system/file_io.hpp"

namespace velquist {
namespace {

// The file row that holds picture row y (counted from the top).
const std::uint8_t* RowStart(std::string_view bytes, const TBmpLayout& layout, int y) {
    const int fileRow = layout.TopDown ? y : layout.Height - 1 - y;
    return reinterpret_cast<const std::uint8_t*>(bytes.data()) + layout.PixelOffset +
           std::size_t(fileRow) * layout.Stride;
}

// Table entries are blue, green, red, then a reserved byte except in files
// with the 12-byte core header.
std::vector<TRgbColour> ReadPalette(std::string_view bytes, const TBmpLayout& layout) {
    std::vector<TRgbColour> palette(layout.PaletteCount);
    for (int i = 0; i < layout.PaletteCount; ++i) {
        const std::size_t at = layout.PaletteOffset + std::size_t(i) * layout.PaletteEntrySize;
        palette[i] = {static_cast<std::uint8_t>(bytes[at + 2]),
                      static_cast<std::uint8_t>(bytes[at + 1]),
                      static_cast<std::uint8_t>(bytes[at])};
    }
    return palette;
}

// Pixels of fewer than 8 bits are packed from the high bits of each byte down.
void UnpackIndexRow(const std::uint8_t* row, int width, int bitsPerPixel, std::uint8_t* out) {
    if (bitsPerPixel == 8) {
        std::copy(row, row + width, out);
        return;
    }
    const int mask = (1 << bitsPerPixel) - 1;
    for (int x = 0; x < width; ++x) {
        const int bit = x * bitsPerPixel;
        out[x] =
            static_cast<std::uint8_t>((row[bit >> 3] >> (8 - bitsPerPixel - (bit & 7))) & mask);
    }
}

TIndexedImage DecodeIndexed(std::string_view bytes, const TBmpLayout& layout,
                            std::string_view path) {
    TIndexedImage image{layout.Width, layout.Height, ReadPalette(bytes, layout), {}};
    image.Indices.resize(std::size_t(layout.Width) * layout.Height);
    for (int y = 0; y < layout.Height; ++y) {
        UnpackIndexRow(RowStart(bytes, layout, y), layout.Width, layout.BitsPerPixel,
                       image.Indices.data() + std::size_t(y) * layout.Width);
    }
    const int highest = *std::max_element(image.Indices.begin(), image.Indices.end());
    if (highest >= layout.PaletteCount) {
        ThrowBadBitmap(path, "Colour index " + std::to_string(highest) + " outside a table of " +
                                 std::to_string(layout.PaletteCount) + " colours");
    }
    return image;
}

// A channel's value scaled to 8 bits: wider channels keep their high bits,
// narrower ones are stretched so that their maximum becomes 255.
std::uint8_t ChannelValue(std::uint32_t pixel, const TBmpChannel& channel) {
    if (channel.Bits == 0) return 0;
    const std::uint64_t maximum = (std::uint64_t{1} << channel.Bits) - 1;
    const std::uint64_t value = (pixel >> channel.Shift) & maximum;
    if (channel.Bits >= 8) return static_cast<std::uint8_t>(value >> (channel.Bits - 8));
    return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
}

// 24-bit pixels are blue, green, red; 16- and 32-bit ones are little-endian
// words cut into channels by the layout's masks.
void UnpackColourRow(const std::uint8_t* row, const TBmpLayout& layout, std::uint8_t* out) {
    if (layout.BitsPerPixel == 24) {
        for (int x = 0; x < layout.Width; ++x, row += 3, out += 3) {
            out[0] = row[2];
            out[1] = row[1];
            out[2] = row[0];
        }
        return;
    }
    const int pixelBytes = layout.BitsPerPixel / 8;
    const std::string_view bytes(reinterpret_cast<const char*>(row),
                                 std::size_t(layout.Width) * pixelBytes);
    for (std::size_t at = 0; at < bytes.size(); at += pixelBytes, out += 3) {
        const std::uint32_t pixel = pixelBytes == 4 ? ReadLe32(bytes, at) : ReadLe16(bytes, at);
        out[0] = ChannelValue(pixel, layout.Red);
        out[1] = ChannelValue(pixel, layout.Green);
        out[2] = ChannelValue(pixel, layout.Blue);
    }
}

TRgbImage DecodeFullColour(std::string_view bytes, const TBmpLayout& layout) {
    TRgbImage image{layout.Width, layout.Height, {}};
    const std::size_t rowBytes = std::size_t(layout.Width) * 3;
    image.Rgb.resize(rowBytes * layout.Height);
    for (int y = 0; y < layout.Height; ++y) {
        UnpackColourRow(RowStart(bytes, layout, y), layout, image.Rgb.data() + y * rowBytes);
    }
    return image;
}

}  // namespace

TBitmap DecodeBmp(std::string_view bytes, std::string_view path) {
    const TBmpLayout layout = ReadBmpLayout(bytes, path);
    if (layout.BitsPerPixel <= 8) return DecodeIndexed(bytes, layout, path);
    return DecodeFullColour(bytes, layout);
}

TBitmap ReadBmpFile(const std::string& path) { return DecodeBmp(ReadWholeFile(path), path); }

}  // namespace velquist
