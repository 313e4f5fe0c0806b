// DecodeBmp on bitmaps built byte by byte: every supported pixel format, both
// row orders, row padding, and the files it must refuse.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <variant>

#include "base/error.hpp"
#include "bmp_test_builder.hpp"
#include "fixtures/expect_error.hpp"
#include "image/bmp_file.hpp"

namespace velquist {
namespace {

using testing::BuildBmp;
using testing::PutLe;
using testing::TBmpSpec;

struct TDecodeCase {
    const char* Name;
    TBmpSpec Spec;                      // Pixels are filled from Values
    std::vector<std::uint32_t> Values;  // used in turn, in a pattern that differs per row
    std::vector<TRgbColour> Colours;    // full colour: what each value decodes to
};

std::size_t ValueAt(int x, int y, std::size_t count) { return (x + 3 * y * y) % count; }

TBmpSpec WithPixels(TBmpSpec layout, const std::vector<std::uint32_t>& values) {
    for (int y = 0; y < layout.Height; ++y) {
        for (int x = 0; x < layout.Width; ++x)
            layout.Pixels.push_back(values[ValueAt(x, y, values.size())]);
    }
    return layout;
}

std::vector<TRgbColour> Greys(int count, int step) {
    std::vector<TRgbColour> palette;
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i * step);
        palette.push_back({v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(i)});
    }
    return palette;
}

const std::vector<std::uint32_t> Rgb24 = {0x102030, 0xFFFFFF, 0x000000, 0xFE0180, 0x0000B0};
const std::vector<TRgbColour> Rgb24Colours = {
    {16, 32, 48}, {255, 255, 255}, {0, 0, 0}, {254, 1, 128}, {0, 0, 176}};

const TDecodeCase DecodeCases[] = {
    {"OneBitBottomUpNineWide", {9, 3, 1, false, 40, 0, {}, Greys(2, 200)}, {0, 1, 1, 0, 1}, {}},
    {"OneBitTopDownThirtyThreeWide", {33, 4, 1, true, 40, 0, {}, Greys(2, 200)}, {1, 0, 0}, {}},
    {"FourBitsFiveWide", {5, 3, 4, false, 40, 0, {}, Greys(16, 16)}, {0, 15, 7, 8, 1, 14}, {}},
    {"FourBitsTopDownEightWide", {8, 2, 4, true, 40, 0, {}, Greys(16, 16)}, {3, 12, 5}, {}},
    {"EightBitsThreeWide", {3, 3, 8, false, 40, 0, {}, Greys(256, 1)}, {0, 255, 128, 7}, {}},
    {"EightBitsShortTable", {6, 2, 8, false, 40, 0, {}, Greys(3, 100), 3}, {2, 0, 1}, {}},
    {"EightBitsCoreHeader", {5, 3, 8, false, 12, 0, {}, Greys(4, 60)}, {3, 1, 0, 2}, {}},
    {"FourBitsCoreHeader", {3, 2, 4, false, 12, 0, {}, Greys(16, 16)}, {9, 2, 15}, {}},
    {"TwentyFourBitsOneWide", {1, 3, 24}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsTwoWide", {2, 3, 24}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsThreeWide", {3, 3, 24}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsFourWide", {4, 3, 24}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsFiveWideTopDown", {5, 3, 24, true}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsShortInfoHeader", {3, 2, 24, false, 16}, Rgb24, Rgb24Colours},
    {"TwentyFourBitsCoreHeader", {3, 2, 24, false, 12}, Rgb24, Rgb24Colours},
    {"ThirtyTwoBitsPlainIgnoresTopByte",
     {3, 3, 32},
     {0xAB102030, 0x00FFFFFF, 0xFF000000},
     {{16, 32, 48}, {255, 255, 255}, {0, 0, 0}}},
    {"ThirtyTwoBitsMasksAfterHeader",
     {3, 2, 32, false, 40, 3, {0x0000FF00, 0x00FF0000, 0xFF000000}},
     {0x302010AA, 0x00FFFF00, 0xB0000000},
     {{16, 32, 48}, {255, 255, 0}, {0, 0, 176}}},
    {"ThirtyTwoBitsVersion5HeaderTopDown",
     {4, 3, 32, true, 124, 3, {0xFF0000, 0xFF00, 0xFF}},
     {0x80102030, 0x00FFFFFF, 0x000000B0},
     {{16, 32, 48}, {255, 255, 255}, {0, 0, 176}}},
    {"ThirtyTwoBitsTenBitChannels",
     {2, 2, 32, false, 40, 3, {0x3FF00000, 0x000FFC00, 0x000003FF}},
     {0x3FF80001, 0x00000000},
     {{255, 128, 0}, {0, 0, 0}}},
    {"SixteenBitsPlainFiveFiveFive",
     {3, 3, 16},
     {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x4210, 0x0421},
     {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {132, 132, 132}, {8, 8, 8}}},
    {"SixteenBitsFiveSixFiveVersion4Header",
     {5, 2, 16, false, 108, 3, {0xF800, 0x07E0, 0x001F}},
     {0xFFFF, 0x8410, 0x0020},
     {{255, 255, 255}, {132, 130, 132}, {0, 4, 0}}},
};

void PrintTo(const TDecodeCase& c, std::ostream* os) { *os << c.Name; }

class DecodeBmpFormats : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(DecodeBmpFormats, GivesEveryPixelInPlace) {
    const TDecodeCase& c = GetParam();
    const TBmpSpec layout = WithPixels(c.Spec, c.Values);
    const TBitmap bitmap = DecodeBmp(BuildBmp(layout), "case.bmp");
    if (layout.BitsPerPixel <= 8) {
        const auto* image = std::get_if<TIndexedImage>(&bitmap);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width, layout.Width);
        EXPECT_EQ(image->Height, layout.Height);
        EXPECT_EQ(image->Palette, layout.Palette);
        const std::vector<std::uint8_t> expected(layout.Pixels.begin(), layout.Pixels.end());
        EXPECT_EQ(image->Indices, expected);
        return;
    }
    const auto* image = std::get_if<TRgbImage>(&bitmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width, layout.Width);
    EXPECT_EQ(image->Height, layout.Height);
    std::vector<std::uint8_t> expected;
    for (int y = 0; y < layout.Height; ++y) {
        for (int x = 0; x < layout.Width; ++x) {
            const TRgbColour& colour = c.Colours[ValueAt(x, y, c.Values.size())];
            expected.insert(expected.end(), {colour.Red, colour.Green, colour.Blue});
        }
    }
    EXPECT_EQ(image->Rgb, expected);
}

INSTANTIATE_TEST_SUITE_P(Bmp, DecodeBmpFormats, ::testing::ValuesIn(DecodeCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.Name); });

// A 3 x 2 24-bit file: rows of 9 bytes padded to 12, pixels from offset 54.
std::string Base24() { return BuildBmp(WithPixels({3, 2, 24}, Rgb24)); }
// A 3 x 2 8-bit file naming a table of 2 colours; pixels from offset 62.
std::string Base8() {
    return BuildBmp(WithPixels({3, 2, 8, false, 40, 0, {}, Greys(2, 9), 2}, {0, 1}));
}
std::string Base32Masks() {
    return BuildBmp(WithPixels({3, 2, 32, false, 40, 3, {0xFF0000, 0xFF00, 0xFF}}, {0x123456}));
}

std::string With(std::string bytes, std::size_t offset, std::uint32_t value, int size = 4) {
    PutLe(bytes, offset, value, size);
    return bytes;
}

struct TRefusalCase {
    const char* Name;
    std::function<std::string()> Bytes;
    const char* Reason;
};

const TRefusalCase RefusalCases[] = {
    {"EmptyFile", [] { return std::string(); }, "Not a BMP file"},
    {"SignatureOnly", [] { return std::string("BM"); }, "Not a BMP file"},
    {"GifFile", [] { return "GIF89a" + std::string(60, '\0'); }, "Not a BMP file"},
    {"HeaderOfEightBytes", [] { return With(Base24(), 14, 8); }, "Unknown header size 8"},
    {"HeaderLongerThanFile", [] { return With(Base24(), 14, 1000); }, "Header cut short"},
    {"ZeroWidth", [] { return With(Base24(), 18, 0); }, "Invalid picture size 0 x 2"},
    {"NegativeWidth", [] { return With(Base24(), 18, std::uint32_t(-3)); },
     "Invalid picture size -3 x 2"},
    {"ZeroHeight", [] { return With(Base24(), 22, 0); }, "Invalid picture size 3 x 0"},
    {"WidthOverGifLimit", [] { return With(Base24(), 18, 70000); },
     "Picture of 70000 x 2 pixels is too large"},
    {"SmallestHeight", [] { return With(Base24(), 22, std::uint32_t(INT_MIN)); },
     "Picture of 3 x -2147483648 pixels is too large"},
    {"TooManyPixels", [] { return With(With(Base24(), 18, 10000), 22, 10000); },
     "Picture of 10000 x 10000 pixels is too large"},
    {"TwoBitsPerPixel", [] { return With(Base24(), 28, 2, 2); }, "Unsupported bits per pixel 2"},
    {"ZeroBitsPerPixel", [] { return With(Base24(), 28, 0, 2); }, "Unsupported bits per pixel 0"},
    {"RunLengthEightBits", [] { return With(Base8(), 30, 1); }, "Unsupported compression 1"},
    {"JpegCompressed", [] { return With(Base24(), 30, 4); }, "Unsupported compression 4"},
    {"PngCompressed", [] { return With(Base32Masks(), 30, 5); }, "Unsupported compression 5"},
    {"BitFieldsOnTwentyFourBits", [] { return With(Base24(), 30, 3); },
     "Unsupported compression 3"},
    {"MaskWithGap", [] { return With(Base32Masks(), 54, 0x00F0F000); }, "Invalid colour masks"},
    {"MasksPastTheEnd", [] { return Base32Masks().substr(0, 62); }, "Header cut short"},
    {"PixelOffsetPastTheEnd", [] { return With(Base24(), 10, 0xFFFFFFFF); },
     "Pixel data cut short"},
    {"LastRowCutInsideItsPixels", [] { return Base24().substr(0, 54 + 12 + 8); },
     "Pixel data cut short"},
    {"IndexOutsideTheTable", [] { return With(Base8(), 62 + 4 + 1, 5, 1); },
     "Colour index 5 outside a table of 2 colours"},
    {"NoRoomForTheTable", [] { return With(Base8(), 10, 54); }, "No colour table"},
};

void PrintTo(const TRefusalCase& c, std::ostream* os) { *os << c.Name; }

class DecodeBmpRefusals : public ::testing::TestWithParam<TRefusalCase> {};

TEST_P(DecodeBmpRefusals, ThrowsErrorNamingTheFileAndReason) {
    const std::string bytes = GetParam().Bytes();
    EXPECT_THROW_MSG(DecodeBmp(bytes, "charts/in put.bmp"), Error,
                     std::string("Cannot read bitmap \"charts/in put.bmp\". ") + GetParam().Reason);
}

INSTANTIATE_TEST_SUITE_P(Bmp, DecodeBmpRefusals, ::testing::ValuesIn(RefusalCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.Name); });

TEST(DecodeBmp, AcceptsALastRowWithoutItsPadding) {
    const std::string bytes = Base24().substr(0, 54 + 12 + 9);
    const TBitmap bitmap = DecodeBmp(bytes, "x.bmp");
    ASSERT_TRUE(std::holds_alternative<TRgbImage>(bitmap));
    EXPECT_EQ(std::get<TRgbImage>(bitmap).Rgb, std::get<TRgbImage>(DecodeBmp(Base24(), "x")).Rgb);
}

TEST(DecodeBmp, TakesAnOversizedColourCountAsTheWholeTable) {
    TBmpSpec layout = WithPixels({2, 1, 1, false, 40, 0, {}, Greys(2, 255)}, {1, 0});
    layout.ColoursUsed = 0xFFFFFFFF;
    const auto image = std::get<TIndexedImage>(DecodeBmp(BuildBmp(layout), "x.bmp"));
    EXPECT_EQ(image.Palette, layout.Palette);
    EXPECT_EQ(image.Indices, (std::vector<std::uint8_t>{1, 0}));
}

// Damaged files must give a picture or an Error, never a crash or another
// exception (run under a sanitizer to catch stray reads).
TEST(DecodeBmp, SurvivesEveryTruncationAndRandomHeaderDamage) {
    const std::string files[] = {
        Base24(), Base8(), Base32Masks(),
        BuildBmp(WithPixels({9, 3, 1, true, 12, 0, {}, Greys(2, 200)}, {0, 1})),
        BuildBmp(WithPixels({5, 2, 16, false, 124, 3, {0xF800, 0x07E0, 0x001F}}, {0x8410}))};
    std::mt19937 random(7);
    for (const std::string& file : files) {
        std::vector<std::string> damaged;
        for (std::size_t length = 0; length < file.size(); ++length)
            damaged.push_back(file.substr(0, length));
        for (int round = 0; round < 2000; ++round) {
            std::string bytes = file;
            for (int flips = 1 + random() % 3; flips > 0; --flips) {
                bytes[random() % std::min<std::size_t>(bytes.size(), 70)] =
                    static_cast<char>(random());
            }
            damaged.push_back(bytes);
        }
        for (const std::string& bytes : damaged) {
            try {
                DecodeBmp(bytes, "damaged.bmp");
            } catch (const Error&) {
            }
        }
    }
}

}  // namespace
}  // namespace velquist
