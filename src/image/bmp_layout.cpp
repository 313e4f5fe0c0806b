// Reads and checks the headers of a BMP file: the file header, the core or
// info header, the colour masks and the extent of the colour table and pixels.
// Does not touch the pixels themselves.
#include "image/bmp_layout.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "base/error.hpp"
#include "image/bmp_file.hpp"
#include "image/little_endian.hpp"

namespace velquist {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
// Shortest info header: the OS/2 version 2 header may stop after the bit count.
constexpr std::uint32_t MinInfoHeaderSize = 16;
// Info headers of version 2 and later hold the colour masks themselves.
constexpr std::uint32_t HeaderWithMasksSize = 52;

enum : std::uint32_t { BiRgb = 0, BiBitFields = 3, BiAlphaBitFields = 6 };

// The header fields the reader needs, as read, before any check.
struct TRawHeader {
    std::uint32_t HeaderSize = 0;
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    std::uint32_t BitsPerPixel = 0;
    std::uint32_t Compression = BiRgb;
    std::uint32_t ColoursUsed = 0;
    std::size_t PixelOffset = 0;
};

// A field of the info header; 0 when the (shortened) header stops before it.
std::uint32_t InfoField(std::string_view bytes, std::uint32_t headerSize, std::uint32_t offset,
                        int size) {
    if (offset + size > headerSize) return 0;
    const std::size_t at = FileHeaderSize + offset;
    return size == 2 ? ReadLe16(bytes, at) : ReadLe32(bytes, at);
}

TRawHeader ReadRawHeader(std::string_view bytes, std::string_view path) {
    if (bytes.size() < FileHeaderSize + 4 || bytes.substr(0, 2) != "BM") {
        ThrowBadBitmap(path, "Not a BMP file");
    }
    TRawHeader raw;
    raw.PixelOffset = ReadLe32(bytes, 10);
    raw.HeaderSize = ReadLe32(bytes, FileHeaderSize);
    if (raw.HeaderSize != CoreHeaderSize && raw.HeaderSize < MinInfoHeaderSize) {
        ThrowBadBitmap(path, "Unknown header size " + std::to_string(raw.HeaderSize));
    }
    if (raw.HeaderSize > bytes.size() - FileHeaderSize) ThrowBadBitmap(path, "Header cut short");
    if (raw.HeaderSize == CoreHeaderSize) {
        raw.Width = ReadLe16(bytes, 18);
        raw.Height = ReadLe16(bytes, 20);
        raw.BitsPerPixel = ReadLe16(bytes, 24);
        return raw;
    }
    raw.Width = static_cast<std::int32_t>(InfoField(bytes, raw.HeaderSize, 4, 4));
    raw.Height = static_cast<std::int32_t>(InfoField(bytes, raw.HeaderSize, 8, 4));
    raw.BitsPerPixel = InfoField(bytes, raw.HeaderSize, 14, 2);
    raw.Compression = InfoField(bytes, raw.HeaderSize, 16, 4);
    raw.ColoursUsed = InfoField(bytes, raw.HeaderSize, 32, 4);
    return raw;
}

// Width, height and row order; a negative height means rows top-down.
void SetSize(const TRawHeader& raw, std::string_view path, TBmpLayout& layout) {
    const std::int64_t rows = raw.Height < 0 ? -raw.Height : raw.Height;
    const std::string size = std::to_string(raw.Width) + " x " + std::to_string(raw.Height);
    if (raw.Width < 1 || rows < 1) ThrowBadBitmap(path, "Invalid picture size " + size);
    if (raw.Width > MaxBitmapSide || rows > MaxBitmapSide || raw.Width * rows > MaxBitmapPixels) {
        ThrowBadBitmap(path, "Picture of " + size + " pixels is too large");
    }
    layout.Width = static_cast<int>(raw.Width);
    layout.Height = static_cast<int>(rows);
    layout.TopDown = raw.Height < 0;
}

// A channel from its bit mask; false when the mask's bits are not contiguous.
bool ToChannel(std::uint32_t mask, TBmpChannel& channel) {
    if (mask == 0) {
        channel = {};  // the channel is always 0
        return true;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t bits = mask >> shift;
    if ((bits & (bits + 1)) != 0) return false;
    channel = {shift, std::popcount(bits)};
    return true;
}

[[noreturn]] void ThrowUnsupportedCompression(const TRawHeader& raw, std::string_view path) {
    ThrowBadBitmap(path, "Unsupported compression " + std::to_string(raw.Compression));
}

// The colour masks of a 16- or 32-bit bitmap: the fixed ones of a plain
// bitmap, else those of the header or, after a 40-byte header, those that
// follow it.
void SetChannels(std::string_view bytes, const TRawHeader& raw, std::string_view path,
                 std::size_t afterHeader, TBmpLayout& layout) {
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};  // plain 16 bits: 5, 5, 5
    if (raw.BitsPerPixel == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    if (raw.Compression == BiBitFields || raw.Compression == BiAlphaBitFields) {
        std::size_t at = FileHeaderSize + 40;
        if (raw.HeaderSize < HeaderWithMasksSize) {
            at = afterHeader;
            if (at + 12 > bytes.size()) ThrowBadBitmap(path, "Header cut short");
        }
        for (int i = 0; i < 3; ++i) masks[i] = ReadLe32(bytes, at + 4 * i);
    } else if (raw.Compression != BiRgb) {
        ThrowUnsupportedCompression(raw, path);
    }
    if (!ToChannel(masks[0], layout.Red) || !ToChannel(masks[1], layout.Green) ||
        !ToChannel(masks[2], layout.Blue)) {
        ThrowBadBitmap(path, "Invalid colour masks");
    }
}

// The colour table's place and length: as many entries as the header names
// (all 2^bits when it names none or too many), but no more than fit between
// the headers and the pixels.
void SetPalette(std::string_view bytes, const TRawHeader& raw, std::string_view path,
                std::size_t afterHeader, TBmpLayout& layout) {
    if (raw.Compression != BiRgb) ThrowUnsupportedCompression(raw, path);
    const std::uint32_t fullTable = 1u << raw.BitsPerPixel;
    std::uint32_t count = raw.ColoursUsed;
    if (count == 0 || count > fullTable) count = fullTable;
    layout.PaletteOffset = afterHeader;
    layout.PaletteEntrySize = raw.HeaderSize == CoreHeaderSize ? 3 : 4;
    const std::size_t end = std::min(raw.PixelOffset, bytes.size());
    const std::size_t room = end > afterHeader ? end - afterHeader : 0;
    count = std::min<std::size_t>(count, room / layout.PaletteEntrySize);
    if (count == 0) ThrowBadBitmap(path, "No colour table");
    layout.PaletteCount = static_cast<int>(count);
}

void SetPixelRows(std::string_view bytes, const TRawHeader& raw, std::string_view path,
                  TBmpLayout& layout) {
    // Each row is padded to a multiple of 4 bytes; the last row's padding may
    // be missing.
    const std::uint64_t bits = std::uint64_t(layout.Width) * layout.BitsPerPixel;
    layout.Stride = static_cast<std::size_t>((bits + 31) / 32 * 4);
    layout.PixelOffset = raw.PixelOffset;
    const std::uint64_t end =
        raw.PixelOffset + std::uint64_t(layout.Stride) * (layout.Height - 1) + (bits + 7) / 8;
    if (end > bytes.size()) ThrowBadBitmap(path, "Pixel data cut short");
}

}  // namespace

void ThrowBadBitmap(std::string_view path, std::string_view reason) {
    throw BadBitmapError(path, reason);
}

TBmpLayout ReadBmpLayout(std::string_view bytes, std::string_view path) {
    const TRawHeader raw = ReadRawHeader(bytes, path);
    TBmpLayout layout;
    SetSize(raw, path, layout);
    const std::uint32_t bpp = raw.BitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        ThrowBadBitmap(path, "Unsupported bits per pixel " + std::to_string(bpp));
    }
    layout.BitsPerPixel = static_cast<int>(bpp);
    const std::size_t afterHeader = FileHeaderSize + raw.HeaderSize;
    if (bpp <= 8) {
        SetPalette(bytes, raw, path, afterHeader, layout);
    } else if (bpp == 24) {
        if (raw.Compression != BiRgb) ThrowUnsupportedCompression(raw, path);
    } else {
        SetChannels(bytes, raw, path, afterHeader, layout);
    }
    SetPixelRows(bytes, raw, path, layout);
    return layout;
}

}  // namespace velquist
