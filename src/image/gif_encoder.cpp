// One function per block of the file, in file order.
#include "image/gif_encoder.hpp"

#include <algorithm>
#include <cstdint>

#include "base/error.hpp"
#include "image/gif_lzw.hpp"
#include "image/little_endian.hpp"

namespace velquist {
namespace {

constexpr int MaxSide = 65535;  // sides are 16-bit fields
constexpr std::size_t MaxColours = 256;
constexpr std::size_t MaxSubBlock = 255;

void CheckPicture(const TIndexedImage& image) {
    const bool sizeOk = image.Width >= 1 && image.Height >= 1 && image.Width <= MaxSide &&
                        image.Height <= MaxSide &&
                        image.Indices.size() == std::size_t(image.Width) * image.Height;
    const bool tableOk = !image.Palette.empty() && image.Palette.size() <= MaxColours;
    if (!sizeOk || !tableOk) {
        throw UnencodableImageError("GIF", image.Width, image.Height,
                                    std::to_string(image.Indices.size()) + " indices and " +
                                        std::to_string(image.Palette.size()) + " colours");
    }
    const std::uint8_t highest = *std::max_element(image.Indices.begin(), image.Indices.end());
    if (highest >= image.Palette.size()) {
        throw GifColourIndexError(highest, image.Palette.size());
    }
}

void AppendHeader(std::string& out, bool tableSorted) {
    // The sort flag exists from version 89a on.
    out += tableSorted ? "GIF89a" : "GIF87a";
}

void AppendLogicalScreenDescriptor(std::string& out, const TIndexedImage& image, int bits) {
    AppendLe16(out, static_cast<std::uint32_t>(image.Width));
    AppendLe16(out, static_cast<std::uint32_t>(image.Height));
    // No global table; colour resolution and table size bits both b - 1.
    out.push_back(static_cast<char>((bits - 1) << 4 | (bits - 1)));
    out.push_back('\0');  // background colour index
    out.push_back('\0');  // pixel aspect ratio: not given
}

void AppendImageDescriptor(std::string& out, const TIndexedImage& image, int bits,
                           bool tableSorted) {
    out.push_back('\x2C');
    AppendLe16(out, 0);  // left
    AppendLe16(out, 0);  // top
    AppendLe16(out, static_cast<std::uint32_t>(image.Width));
    AppendLe16(out, static_cast<std::uint32_t>(image.Height));
    // Local table present, not interlaced, sort flag, table size bits b - 1.
    const int packed = 0x80 | (tableSorted ? 0x20 : 0) | (bits - 1);
    out.push_back(static_cast<char>(packed));
}

// The table always has 2^b entries: the colours, then black padding.
void AppendLocalColourTable(std::string& out, const TIndexedImage& image, int bits) {
    for (const TRgbColour& colour : image.Palette) {
        out.push_back(static_cast<char>(colour.Red));
        out.push_back(static_cast<char>(colour.Green));
        out.push_back(static_cast<char>(colour.Blue));
    }
    out.append(3 * ((std::size_t{1} << bits) - image.Palette.size()), '\0');
}

// LZW needs a minimum code size of at least 2, even for two colours.
void AppendImageData(std::string& out, const TIndexedImage& image, int bits) {
    const int minCodeSize = std::max(2, bits);
    out.push_back(static_cast<char>(minCodeSize));
    const std::string codes = LzwEncode(image.Indices, minCodeSize);
    for (std::size_t at = 0; at < codes.size(); at += MaxSubBlock) {
        const std::size_t length = std::min(MaxSubBlock, codes.size() - at);
        out.push_back(static_cast<char>(length));
        out.append(codes, at, length);
    }
    out.push_back('\0');  // block terminator
}

void AppendTrailer(std::string& out) { out.push_back('\x3B'); }

}  // namespace

int GifTableBits(std::size_t colourCount) {
    int bits = 1;
    while ((std::size_t{1} << bits) < colourCount) ++bits;
    return bits;
}

std::string EncodeGif(const TIndexedImage& image, bool tableSorted) {
    CheckPicture(image);
    const int bits = GifTableBits(image.Palette.size());
    std::string out;
    out.reserve(image.Indices.size() / 2 + 1024);
    AppendHeader(out, tableSorted);
    AppendLogicalScreenDescriptor(out, image, bits);
    AppendImageDescriptor(out, image, bits, tableSorted);
    AppendLocalColourTable(out, image, bits);
    AppendImageData(out, image, bits);
    AppendTrailer(out);
    return out;
}

}  // namespace velquist
