// Fuzz target: bitmap bytes through the BMP reader, the colour reduction and
// the GIF encoder.
#include <cstdint>
#include <string_view>
#include <variant>

#include "base/error.hpp"
#include "image/bmp_file.hpp"
#include "image/colour_table.hpp"
#include "image/gif_encoder.hpp"
#include "image/web_palette.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velquist;
    try {
        TBitmap bitmap =
            DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.bmp");
        TIndexedImage image = std::holds_alternative<TRgbImage>(bitmap)
                                  ? ReduceToWebPalette(std::get<TRgbImage>(bitmap))
                                  : std::get<TIndexedImage>(std::move(bitmap));
        const bool sorted = SortColoursByUse(image);
        EncodeGif(image, sorted);
    } catch (const Error&) {
        // Not a bitmap we read: the documented refusal.
    }
    return 0;
}
