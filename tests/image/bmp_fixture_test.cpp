// BMP files written by Qt's QImage and by ImageMagick (committed fixtures, made
// by tests/fixtures/images/make_fixtures.sh) read as the pictures they hold.
#include <gtest/gtest.h>

#include <cstdlib>
#include <variant>

#include "gif_test_support.hpp"
#include "image/bmp_file.hpp"

namespace velquist {
namespace {

constexpr int Width = 13;
constexpr int Height = 7;

TRgbColour Gradient(int x, int y) {
    return {static_cast<std::uint8_t>((x * 19 + y * 3) % 256),
            static_cast<std::uint8_t>((y * 37 + x) % 256),
            static_cast<std::uint8_t>((x * y * 7 + 11) % 256)};
}

TRgbColour Twelve(int x, int y) {
    static constexpr TRgbColour TwelveColours[12] = {
        {255, 255, 255}, {0, 0, 0},     {204, 204, 204}, {0, 0, 176},
        {255, 0, 0},     {0, 128, 0},   {47, 48, 49},    {250, 251, 252},
        {30, 60, 90},    {128, 64, 32}, {17, 170, 85},   {99, 0, 199}};
    return TwelveColours[(x + 2 * y * y) % 12];
}

TRgbColour TwoTone(int x, int y) {
    return (x + y * y) % 5 < 2 ? TRgbColour{0, 0, 0} : TRgbColour{255, 255, 255};
}

struct TFixture {
    const char* File;
    TRgbColour (*Picture)(int, int);
    bool Paletted;
    int TableSize;  // paletted only
    // Largest channel difference allowed: ImageMagick cuts channels to 5 and 6
    // bits by truncation, so 16-bit pixels may lose up to one 5-bit step.
    int Tolerance;
};

const TFixture Fixtures[] = {
    {"qt_rgb24.bmp", Gradient, false, 0, 0},  {"qt_indexed4.bmp", Twelve, true, 12, 0},
    {"qt_indexed8.bmp", Twelve, true, 20, 0}, {"qt_mono.bmp", TwoTone, true, 2, 0},
    {"im_rgb24.bmp", Gradient, false, 0, 0},  {"im_argb32.bmp", Gradient, false, 0, 0},
    {"im_rgb565.bmp", Gradient, false, 0, 8}, {"im_palette.bmp", Twelve, true, 16, 0},
    {"im_bilevel.bmp", TwoTone, true, 2, 0},
};

void PrintTo(const TFixture& f, std::ostream* os) { *os << f.File; }

class BmpFixtures : public ::testing::TestWithParam<TFixture> {};

TEST_P(BmpFixtures, ReadAsThePictureTheyHold) {
    const TFixture& f = GetParam();
    const TBitmap bitmap = ReadBmpFile(std::string(VELQUIST_FIXTURES_DIR "/images/") + f.File);
    ASSERT_EQ(std::holds_alternative<TIndexedImage>(bitmap), f.Paletted);
    TRgbImage image;
    if (f.Paletted) {
        const auto& indexed = std::get<TIndexedImage>(bitmap);
        EXPECT_EQ(indexed.Palette.size(), std::size_t(f.TableSize));
        image = {indexed.Width, indexed.Height, testing::ResolvedRgb(indexed)};
    } else {
        image = std::get<TRgbImage>(bitmap);
    }
    ASSERT_EQ(image.Width, Width);
    ASSERT_EQ(image.Height, Height);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const TRgbColour expected = f.Picture(x, y);
            const TRgbColour actual = testing::PixelAt(image, x, y);
            EXPECT_LE(std::abs(actual.Red - expected.Red), f.Tolerance) << x << "," << y;
            EXPECT_LE(std::abs(actual.Green - expected.Green), f.Tolerance) << x << "," << y;
            EXPECT_LE(std::abs(actual.Blue - expected.Blue), f.Tolerance) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, BmpFixtures, ::testing::ValuesIn(Fixtures),
                         [](const auto& testInfo) {
                             std::string name = testInfo.param.File;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace velquist
