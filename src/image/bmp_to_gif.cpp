#include "image/bmp_to_gif.hpp"

#include <variant>

#include "image/bmp_file.hpp"
#include "image/colour_table.hpp"
#include "image/gif_encoder.hpp"
#include "image/web_palette.hpp"
#include "system/file_io.hpp"

namespace velquist {
namespace {

// A paletted picture keeps its table; a full-colour one gets the web palette.
TIndexedImage ToIndexed(TBitmap&& bitmap) {
    if (auto* indexed = std::get_if<TIndexedImage>(&bitmap)) return std::move(*indexed);
    return ReduceToWebPalette(std::get<TRgbImage>(bitmap));
}

}  // namespace

void BmpToGif(const std::string& bitmapPath, const std::string& gifPath) {
    TIndexedImage image = ToIndexed(ReadBmpFile(bitmapPath));
    const bool tableSorted = SortColoursByUse(image);
    WriteWholeFile(gifPath, EncodeGif(image, tableSorted));
}

}  // namespace velquist
