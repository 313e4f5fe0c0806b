// EncodeBmp24 and the file-level BMP functions.
#include <gtest/gtest.h>

#include <variant>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "gif_test_support.hpp"
#include "image/bmp_file.hpp"

namespace velquist {
namespace {

using testing::Bytes;

TEST(EncodeBmp24, WritesHeaderThenBottomRowFirstInBgrWithRowsPaddedToFourBytes) {
    const TRgbImage image{2, 2, {255, 0, 0, 0, 255, 0, /* bottom: */ 0, 0, 255, 1, 2, 3}};
    const std::string expected =
        Bytes({'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0}) +    // file header
        Bytes({40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0}) +  // size, width, height
        Bytes({0, 0, 0, 0, 16, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0}) +
        Bytes({0, 0, 0, 0, 0, 0, 0, 0}) +     // no colour table
        Bytes({255, 0, 0, 3, 2, 1, 0, 0}) +   // bottom row
        Bytes({0, 0, 255, 0, 255, 0, 0, 0});  // top row
    EXPECT_EQ(EncodeBmp24(image), expected);
}

TEST(EncodeBmp24, ReadsBackUnchangedForEveryRowPadding) {
    for (int width = 1; width <= 5; ++width) {
        for (int height = 1; height <= 3; ++height) {
            const TRgbImage image = testing::NoisePicture(width, height, width * 10 + height);
            const TBitmap back = DecodeBmp(EncodeBmp24(image), "x.bmp");
            ASSERT_TRUE(std::holds_alternative<TRgbImage>(back));
            EXPECT_EQ(std::get<TRgbImage>(back).Width, width);
            EXPECT_EQ(std::get<TRgbImage>(back).Height, height);
            EXPECT_EQ(std::get<TRgbImage>(back).Rgb, image.Rgb) << width << " x " << height;
        }
    }
}

TEST(EncodeBmp24, RefusesPicturesItCannotWriteOrReadBack) {
    const struct {
        TRgbImage Image;
        const char* Message;
    } cases[] = {
        {{2, 2, std::vector<std::uint8_t>(11)},
         "Cannot write a bitmap of 2 x 2 pixels from 11 bytes of colour"},
        {{0, 0, {}}, "Cannot write a bitmap of 0 x 0 pixels from 0 bytes of colour"},
        {{-1, 3, {}}, "Cannot write a bitmap of -1 x 3 pixels from 0 bytes of colour"},
        {{70000, 1, std::vector<std::uint8_t>(210000)},
         "Cannot write a bitmap of 70000 x 1 pixels from 210000 bytes of colour"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW_MSG(EncodeBmp24(c.Image), Error, c.Message);
    }
}

TEST(BmpFile, WritesAndReadsAFile) {
    testing::TTempDir dir;
    const TRgbImage image = testing::ChartLikePicture();
    WriteBmpFile(dir.Path("chart.bmp"), image);
    EXPECT_EQ(testing::ReadFileBytes(dir.Path("chart.bmp")), EncodeBmp24(image));
    EXPECT_EQ(std::get<TRgbImage>(ReadBmpFile(dir.Path("chart.bmp"))).Rgb, image.Rgb);
}

TEST(BmpFile, ReportsAFileThatCannotBeCreatedOrOpened) {
    testing::TTempDir dir;
    const std::string missing = dir.Path("no such folder/chart.bmp");
    EXPECT_THROW_MSG(WriteBmpFile(missing, testing::SolidPicture(1, 1, testing::White)), Error,
                     "Cannot create file \"" + missing + "\". " + MissingFolderReason);
    EXPECT_THROW_MSG(ReadBmpFile(missing), Error,
                     "Cannot open file \"" + missing + "\". " + MissingFolderReason);
}

// Our BMPs as another decoder reads them.
TEST(BmpFile, IsReadByPillowAsTheSamePicture) {
    if (!testing::PillowAvailable()) GTEST_SKIP() << "Pillow is not installed";
    testing::TTempDir dir;
    for (const TRgbImage& image : {testing::NoisePicture(1, 1, 1), testing::NoisePicture(7, 5, 2),
                                   testing::GradientNoisePicture(101, 33, 3)}) {
        WriteBmpFile(dir.Path("p.bmp"), image);
        const auto decoded = testing::DecodeWithPillow(dir.Path("p.bmp"));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->Width, image.Width);
        EXPECT_EQ(decoded->Height, image.Height);
        EXPECT_EQ(decoded->Rgb, image.Rgb);
    }
}

}  // namespace
}  // namespace velquist
