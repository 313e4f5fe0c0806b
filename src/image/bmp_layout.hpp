// Internal to the BMP reader: the checked description of a BMP file's pixels,
// read from its headers. Not part of the reader's interface.
#pragma once

#include <cstddef>
#include <string_view>

namespace velquist {

// One colour channel of a 16- or 32-bit pixel: Bits bits from bit Shift up.
struct TBmpChannel {
    int Shift = 0;
    int Bits = 0;
};

// Every offset and size here has been checked against the file's length: the
// pixel rows and the colour table lie wholly inside the file.
struct TBmpLayout {
    int Width = 0;
    int Height = 0;  // number of rows, always positive
    bool TopDown = false;
    int BitsPerPixel = 0;
    std::size_t PixelOffset = 0;
    std::size_t Stride = 0;  // bytes from one row to the next, padding included
    // The colour table (8 or fewer bits per pixel only).
    std::size_t PaletteOffset = 0;
    int PaletteEntrySize = 4;
    int PaletteCount = 0;
    // The colour channels (16 and 32 bits per pixel only).
    TBmpChannel Red;
    TBmpChannel Green;
    TBmpChannel Blue;
};

// Throws the error of BadBitmapError (base/error.hpp).
[[noreturn]] void ThrowBadBitmap(std::string_view path, std::string_view reason);

// The layout of the BMP file in `bytes`; ThrowBadBitmap when it is not one that
// the reader can read.
TBmpLayout ReadBmpLayout(std::string_view bytes, std::string_view path);

}  // namespace velquist
