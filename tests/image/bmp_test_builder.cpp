#include "bmp_test_builder.hpp"

namespace velquist::testing {
namespace {

void Append(std::string& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

std::string InfoHeader(const TBmpSpec& layout) {
    std::string header;
    Append(header, layout.HeaderSize, 4);
    if (layout.HeaderSize == 12) {
        Append(header, static_cast<std::uint32_t>(layout.Width), 2);
        Append(header, static_cast<std::uint32_t>(layout.Height), 2);
        Append(header, 1, 2);
        Append(header, static_cast<std::uint32_t>(layout.BitsPerPixel), 2);
        return header;
    }
    Append(header, static_cast<std::uint32_t>(layout.Width), 4);
    Append(header, static_cast<std::uint32_t>(layout.TopDown ? -layout.Height : layout.Height), 4);
    Append(header, 1, 2);
    Append(header, static_cast<std::uint32_t>(layout.BitsPerPixel), 2);
    Append(header, layout.Compression, 4);
    for (int i = 0; i < 3; ++i) Append(header, 0, 4);  // image size, resolutions
    Append(header, layout.ColoursUsed, 4);
    Append(header, 0, 4);  // important colours
    if (layout.HeaderSize >= 52) {
        for (int i = 0; i < 3; ++i) Append(header, layout.Masks.empty() ? 0 : layout.Masks[i], 4);
    }
    header.resize(layout.HeaderSize, '\0');
    return header;
}

std::string PixelRow(const TBmpSpec& layout, int y) {
    std::string row;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (int x = 0; x < layout.Width; ++x) {
        const std::uint32_t value = layout.Pixels[std::size_t(y) * layout.Width + x];
        if (layout.BitsPerPixel >= 8) {
            Append(row, value, layout.BitsPerPixel / 8);
            continue;
        }
        bits = bits << layout.BitsPerPixel | value;  // first pixel in the high bits
        bitCount += layout.BitsPerPixel;
        if (bitCount == 8) {
            row.push_back(static_cast<char>(bits));
            bits = 0;
            bitCount = 0;
        }
    }
    if (bitCount > 0) row.push_back(static_cast<char>(bits << (8 - bitCount)));
    row.resize((row.size() + 3) / 4 * 4, '\0');
    return row;
}

}  // namespace

void PutLe(std::string& bytes, std::size_t offset, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

std::string BuildBmp(const TBmpSpec& layout) {
    std::string tables = InfoHeader(layout);
    if (layout.HeaderSize < 52 && !layout.Masks.empty()) {
        for (const std::uint32_t mask : layout.Masks) Append(tables, mask, 4);
    }
    for (const TRgbColour& colour : layout.Palette) {
        tables += {static_cast<char>(colour.Blue), static_cast<char>(colour.Green),
                   static_cast<char>(colour.Red)};
        if (layout.HeaderSize != 12) tables.push_back('\0');
    }
    std::string pixels;
    for (int row = 0; row < layout.Height; ++row) {
        pixels += PixelRow(layout, layout.TopDown ? row : layout.Height - 1 - row);
    }
    std::string file = "BM";
    Append(file, static_cast<std::uint32_t>(14 + tables.size() + pixels.size()), 4);
    Append(file, 0, 4);
    Append(file, static_cast<std::uint32_t>(14 + tables.size()), 4);
    return file + tables + pixels;
}

}  // namespace velquist::testing
