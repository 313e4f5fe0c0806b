// Every GIF that BmpToGif writes, read back by independent decoders (Pillow,
// giflib's gif2rgb), shows exactly the reduced pixels of its bitmap. Skipped
// where neither decoder is installed.
#include <gtest/gtest.h>

#include <functional>
#include <variant>

#include "bmp_test_builder.hpp"
#include "gif_test_support.hpp"
#include "image/bmp_file.hpp"
#include "image/bmp_to_gif.hpp"

namespace velquist {
namespace {

using testing::TTempDir;

// What a decoder must see in the GIF.
using TExpected = testing::TDecoded;

TExpected FullColour(const std::string& bmpPath, const TRgbImage& image) {
    WriteBmpFile(bmpPath, image);
    return {image.Width, image.Height, testing::WebReducedRgb(image)};
}

// Writes the picture as a paletted BMP of the given depth.
TExpected Paletted(const std::string& bmpPath, const TIndexedImage& image, int bitsPerPixel) {
    testing::TBmpSpec layout{image.Width, image.Height, bitsPerPixel};
    layout.Palette = image.Palette;
    layout.Pixels.assign(image.Indices.begin(), image.Indices.end());
    testing::WriteFileBytes(bmpPath, testing::BuildBmp(layout));
    return {image.Width, image.Height, testing::ResolvedRgb(image)};
}

// A fixture as our reader sees it (checked against its formula elsewhere).
TExpected Fixture(const std::string& bmpPath, const char* file) {
    const std::string fixture = std::string(VELQUIST_FIXTURES_DIR "/images/") + file;
    testing::WriteFileBytes(bmpPath, testing::ReadFileBytes(fixture));
    const TBitmap bitmap = ReadBmpFile(fixture);
    if (const auto* indexed = std::get_if<TIndexedImage>(&bitmap)) {
        return {indexed->Width, indexed->Height, testing::ResolvedRgb(*indexed)};
    }
    const auto& rgb = std::get<TRgbImage>(bitmap);
    return {rgb.Width, rgb.Height, testing::WebReducedRgb(rgb)};
}

std::vector<TRgbColour> DistinctColours(int count) {
    std::vector<TRgbColour> colours;
    for (int i = 0; i < count; ++i) {
        colours.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 7 % 256)});
    }
    return colours;
}

struct TPictureCase {
    const char* Name;
    std::function<TExpected(const std::string& bmpPath)> Make;
};

const TPictureCase PictureCases[] = {
    {"ChartLike", [](auto& p) { return FullColour(p, testing::ChartLikePicture()); }},
    {"SingleColour",
     [](auto& p) {
         return FullColour(p, testing::SolidPicture(64, 48, {200, 100, 50}));
     }},
    {"OnePixel",
     [](auto& p) {
         return FullColour(p, testing::SolidPicture(1, 1, {176, 47, 48}));
     }},
    {"FullColourNoise", [](auto& p) { return FullColour(p, testing::NoisePicture(300, 200, 1)); }},
    {"Paletted256ColourNoise",
     [](auto& p) {
         return Paletted(p, testing::IndexedNoisePicture(300, 200, DistinctColours(256), 2), 8);
     }},
    {"Paletted4ColourNoise",
     [](auto& p) {
         return Paletted(p, testing::IndexedNoisePicture(600, 400, DistinctColours(4), 3), 4);
     }},
    {"Paletted2ColourNoise",
     [](auto& p) {
         return Paletted(p, testing::IndexedNoisePicture(97, 61, DistinctColours(2), 4), 1);
     }},
    {"Large4000x3000",
     [](auto& p) { return FullColour(p, testing::GradientNoisePicture(4000, 3000, 5)); }},
    {"Large4000x3000SingleColour",
     [](auto& p) { return FullColour(p, testing::SolidPicture(4000, 3000, testing::White)); }},
    {"QtRgb24", [](auto& p) { return Fixture(p, "qt_rgb24.bmp"); }},
    {"QtIndexed4", [](auto& p) { return Fixture(p, "qt_indexed4.bmp"); }},
    {"QtIndexed8", [](auto& p) { return Fixture(p, "qt_indexed8.bmp"); }},
    {"QtMono", [](auto& p) { return Fixture(p, "qt_mono.bmp"); }},
    {"ImageMagickRgb24", [](auto& p) { return Fixture(p, "im_rgb24.bmp"); }},
    {"ImageMagickArgb32", [](auto& p) { return Fixture(p, "im_argb32.bmp"); }},
    {"ImageMagickRgb565", [](auto& p) { return Fixture(p, "im_rgb565.bmp"); }},
    {"ImageMagickPalette", [](auto& p) { return Fixture(p, "im_palette.bmp"); }},
    {"ImageMagickBilevel", [](auto& p) { return Fixture(p, "im_bilevel.bmp"); }},
};

// Compares without printing megabytes: names the first differing pixel.
::testing::AssertionResult SamePixels(const TExpected& expected, const testing::TDecoded& decoded) {
    if (decoded.Width != expected.Width || decoded.Height != expected.Height) {
        return ::testing::AssertionFailure() << "size " << decoded.Width << " x " << decoded.Height;
    }
    if (decoded.Rgb.size() != expected.Rgb.size()) {
        return ::testing::AssertionFailure() << decoded.Rgb.size() << " bytes of colour";
    }
    for (std::size_t i = 0; i < expected.Rgb.size(); ++i) {
        if (decoded.Rgb[i] != expected.Rgb[i]) {
            const std::size_t pixel = i / 3;
            return ::testing::AssertionFailure()
                   << "pixel (" << pixel % expected.Width << ", " << pixel / expected.Width
                   << ") channel " << i % 3 << ": " << int(decoded.Rgb[i]) << " instead of "
                   << int(expected.Rgb[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

void PrintTo(const TPictureCase& c, std::ostream* os) { *os << c.Name; }

class GifDecoders : public ::testing::TestWithParam<TPictureCase> {};

TEST_P(GifDecoders, ReadExactlyTheReducedPixels) {
    if (!testing::PillowAvailable() && !testing::GiflibAvailable()) {
        GTEST_SKIP() << "neither Pillow nor giflib's gif2rgb is installed";
    }
    TTempDir dir;
    const TExpected expected = GetParam().Make(dir.Path("in.bmp"));
    BmpToGif(dir.Path("in.bmp"), dir.Path("out.gif"));
    if (testing::PillowAvailable()) {
        const auto decoded = testing::DecodeWithPillow(dir.Path("out.gif"));
        ASSERT_TRUE(decoded.has_value()) << "Pillow cannot read the GIF";
        EXPECT_TRUE(SamePixels(expected, *decoded)) << "Pillow";
    }
    if (testing::GiflibAvailable()) {
        const auto decoded =
            testing::DecodeWithGiflib(dir.Path("out.gif"), expected.Width, expected.Height);
        ASSERT_TRUE(decoded.has_value()) << "gif2rgb cannot read the GIF";
        EXPECT_TRUE(SamePixels(expected, *decoded)) << "giflib";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, GifDecoders, ::testing::ValuesIn(PictureCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.Name); });

}  // namespace
}  // namespace velquist
