// Writes full-colour pictures as 24-bit BMP files.
#include <cstdint>
#include <string>

#include "base/error.hpp"
#include "image/bmp_file.hpp"
#include "image/little_endian.hpp"
#include "system/file_io.hpp"

namespace velquist {
namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PixelsPerMetre = 2835;  // 72 dots per inch

struct THeaderField {
    std::uint32_t Value;
    int Size;
};

void CheckPicture(const TRgbImage& image) {
    const bool sizeOk = image.Width >= 1 && image.Height >= 1 && image.Width <= MaxBitmapSide &&
                        image.Height <= MaxBitmapSide &&
                        static_cast<long long>(image.Width) * image.Height <= MaxBitmapPixels;
    if (!sizeOk || image.Rgb.size() != static_cast<std::size_t>(image.Width) *
                                           static_cast<std::size_t>(image.Height) * 3) {
        throw UnencodableImageError("bitmap", image.Width, image.Height,
                                    std::to_string(image.Rgb.size()) + " bytes of colour");
    }
}

// Rows go bottom-up, each pixel as blue, green, red, each row padded with
// zero bytes to `stride`.
void AppendPixelRows(std::string& out, const TRgbImage& image, std::size_t stride) {
    const std::size_t rowBytes = std::size_t(image.Width) * 3;
    for (int fileRow = 0; fileRow < image.Height; ++fileRow) {
        const std::uint8_t* rgb = image.Rgb.data() + (image.Height - 1 - fileRow) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; i += 3) {
            out.push_back(static_cast<char>(rgb[i + 2]));
            out.push_back(static_cast<char>(rgb[i + 1]));
            out.push_back(static_cast<char>(rgb[i]));
        }
        out.append(stride - rowBytes, '\0');
    }
}

}  // namespace

std::string EncodeBmp24(const TRgbImage& image) {
    CheckPicture(image);
    const auto width = static_cast<std::uint32_t>(image.Width);
    const auto height = static_cast<std::uint32_t>(image.Height);
    // Each row is padded to a multiple of 4 bytes. The pixel limit keeps the
    // sizes far below 4 GiB, so the 32-bit fields hold them.
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * height;
    const std::uint32_t fileSize = FileHeaderSize + InfoHeaderSize + imageSize;
    const THeaderField header[] = {
        {'B' | 'M' << 8, 2},                   // signature
        {fileSize, 4},                         // file size
        {0, 4},                                // reserved
        {FileHeaderSize + InfoHeaderSize, 4},  // offset of the pixels
        {InfoHeaderSize, 4},                   // info header size
        {width, 4},                            // width
        {height, 4},                           // positive height: rows bottom-up
        {1, 2},                                // planes
        {24, 2},                               // bits per pixel
        {0, 4},                                // no compression
        {imageSize, 4},                        // size of the pixels
        {PixelsPerMetre, 4},                   // horizontal resolution
        {PixelsPerMetre, 4},                   // vertical resolution
        {0, 4},                                // colours used: none, no table
        {0, 4},                                // important colours: all
    };
    std::string out;
    out.reserve(fileSize);
    for (const THeaderField& field : header) AppendLe(out, field.Value, field.Size);
    AppendPixelRows(out, image, stride);
    return out;
}

void WriteBmpFile(const std::string& path, const TRgbImage& image) {
    WriteWholeFile(path, EncodeBmp24(image));
}

}  // namespace velquist
