// Reading and writing BMP files (Windows bitmaps).
//
// Writing: full-colour pictures only, as 24-bit uncompressed bottom-up BMPs
// with a 40-byte info header; that is all the chart needs.
// Reading: uncompressed 1, 4 and 8 bits per pixel (with a colour table) and
// 16, 24 and 32 bits per pixel (plain or with colour bit masks), rows
// bottom-up or top-down, with the 12-byte core header or any info header from
// 16 bytes up (the versions 3, 4 and 5 headers included). Run-length, JPEG and
// PNG compressed bitmaps are refused, as is any file that is not a BMP; alpha
// is ignored. Every size and offset read from the file is checked against the
// file's length and against fixed limits before anything is allocated.
#pragma once

#include <string>
#include <string_view>

#include "image/image_types.hpp"

namespace velquist {

// The largest picture side that a bitmap may have: the GIF that is made from
// it stores its sides in 16 bits.
inline constexpr int MaxBitmapSide = 65535;
// The most pixels that a bitmap may have (64 Mi): bounds the memory that a
// crafted file can make the reader take.
inline constexpr long long MaxBitmapPixels = 1LL << 26;

// The bytes of a 24-bit bottom-up BMP file of the picture. Throws Error when
// the picture is empty, has a side over MaxBitmapSide or more than
// MaxBitmapPixels pixels (what DecodeBmp would refuse), or its Rgb does not
// hold exactly Width * Height * 3 bytes.
std::string EncodeBmp24(const TRgbImage& image);

// Creates or replaces the file with EncodeBmp24(image), written whole.
// "Cannot create file "PATH". REASON" when it cannot be created.
void WriteBmpFile(const std::string& path, const TRgbImage& image);

// The picture in the bytes of a BMP file. `path` only names the file in
// messages: a file that is not a BMP that this reader can read gives the
// error of BadBitmapError (base/error.hpp).
TBitmap DecodeBmp(std::string_view bytes, std::string_view path);

// DecodeBmp of the file's bytes. "Cannot open file "PATH". REASON" when the
// file cannot be opened or read.
TBitmap ReadBmpFile(const std::string& path);

}  // namespace velquist
