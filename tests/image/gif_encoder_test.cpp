// The GIF file's bytes where the format fixes them: header, descriptors,
// colour table, minimum code size, data sub-blocks, trailer.
#include "image/gif_encoder.hpp"

#include <gtest/gtest.h>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "gif_test_support.hpp"

namespace velquist {
namespace {

using testing::At;
using testing::Bytes;

int Le16(const std::string& bytes, std::size_t offset) {
    return At(bytes, offset) | At(bytes, offset + 1) << 8;
}

TEST(EncodeGif, WritesASinglePixelByteForByte) {
    const TIndexedImage image{1, 1, {{255, 255, 255}}, {0}};
    const std::string expected =
        "GIF87a" + Bytes({1, 0, 1, 0, 0x00, 0, 0}) +   // screen: no global table
        Bytes({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0x80}) +  // image: local table, unsorted
        Bytes({255, 255, 255, 0, 0, 0}) +              // one colour padded to two
        Bytes({2}) +                                   // minimum code size
        Bytes({2, 0x44, 0x01}) +                       // clear 4, index 0, end 5 in 3-bit codes
        Bytes({0, 0x3B});
    EXPECT_EQ(EncodeGif(image, false), expected);
}

struct TTableCase {
    int Colours;
    int Bits;
    int ScreenPacked;
    int ImagePacked;
    int MinCodeSize;
};

class GifTable : public ::testing::TestWithParam<TTableCase> {};

// Walks the whole file: every fixed field, then the sub-blocks up to the trailer.
TEST_P(GifTable, SetsVersionPackedFieldsTableAndCodeSizeFromTheColourCount) {
    const TTableCase& c = GetParam();
    TIndexedImage image{c.Colours, 3, {}, {}};
    for (int i = 0; i < c.Colours; ++i) {
        image.Palette.push_back(
            {static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)});
    }
    for (int i = 0; i < 3 * c.Colours; ++i)
        image.Indices.push_back(static_cast<std::uint8_t>(i * 7 % c.Colours));
    const bool sorted = c.Colours > 1;
    const std::string gif = EncodeGif(image, sorted);

    EXPECT_EQ(GifTableBits(c.Colours), c.Bits);
    EXPECT_EQ(gif.substr(0, 6), sorted ? "GIF89a" : "GIF87a");
    EXPECT_EQ(Le16(gif, 6), c.Colours);
    EXPECT_EQ(Le16(gif, 8), 3);
    EXPECT_EQ(At(gif, 10), c.ScreenPacked);
    EXPECT_EQ(At(gif, 11), 0);  // background
    EXPECT_EQ(At(gif, 12), 0);  // aspect ratio
    EXPECT_EQ(gif.substr(13, 5), Bytes({0x2C, 0, 0, 0, 0}));
    EXPECT_EQ(Le16(gif, 18), c.Colours);
    EXPECT_EQ(Le16(gif, 20), 3);
    EXPECT_EQ(At(gif, 22), c.ImagePacked);
    const std::size_t tableEnd = 23 + 3 * (std::size_t{1} << c.Bits);
    for (int i = 0; i < c.Colours; ++i) {
        EXPECT_EQ(gif.substr(23 + 3 * i, 3), Bytes({i, 7, 255 - i}));
    }
    EXPECT_EQ(gif.substr(23 + 3 * c.Colours, tableEnd - 23 - 3 * c.Colours),
              std::string(tableEnd - 23 - 3 * c.Colours, '\0'));
    EXPECT_EQ(At(gif, tableEnd), c.MinCodeSize);
    std::size_t at = tableEnd + 1;
    while (At(gif, at) != 0) at += 1 + At(gif, at);
    EXPECT_EQ(at + 2, gif.size()) << "terminator and trailer end the file";
    EXPECT_EQ(At(gif, at + 1), 0x3B);
}

INSTANTIATE_TEST_SUITE_P(
    ColourCounts, GifTable,
    ::testing::Values(TTableCase{1, 1, 0x00, 0x80, 2}, TTableCase{2, 1, 0x00, 0xA0, 2},
                      TTableCase{3, 2, 0x11, 0xA1, 2}, TTableCase{4, 2, 0x11, 0xA1, 2},
                      TTableCase{5, 3, 0x22, 0xA2, 3}, TTableCase{8, 3, 0x22, 0xA2, 3},
                      TTableCase{9, 4, 0x33, 0xA3, 4}, TTableCase{16, 4, 0x33, 0xA3, 4},
                      TTableCase{17, 5, 0x44, 0xA4, 5}, TTableCase{33, 6, 0x55, 0xA5, 6},
                      TTableCase{65, 7, 0x66, 0xA6, 7}, TTableCase{128, 7, 0x66, 0xA6, 7},
                      TTableCase{129, 8, 0x77, 0xA7, 8}, TTableCase{216, 8, 0x77, 0xA7, 8},
                      TTableCase{256, 8, 0x77, 0xA7, 8}),
    [](const auto& testInfo) { return std::to_string(testInfo.param.Colours); });

TEST(EncodeGif, CutsLongDataIntoSubBlocksOfAtMost255Bytes) {
    TIndexedImage image{300, 300, {}, std::vector<std::uint8_t>(300 * 300)};
    for (int i = 0; i < 256; ++i) image.Palette.push_back({static_cast<std::uint8_t>(i), 0, 0});
    for (std::size_t i = 0; i < image.Indices.size(); ++i) {
        image.Indices[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
    }
    const std::string gif = EncodeGif(image, true);
    std::size_t at = 23 + 3 * 256 + 1;
    int blocks = 0;
    while (At(gif, at) != 0) {
        ++blocks;
        at += 1 + At(gif, at);
    }
    EXPECT_GT(blocks, 100);
    EXPECT_EQ(at + 2, gif.size());
}

TEST(EncodeGif, RefusesPicturesThatDoNotFitTheFormat) {
    const struct {
        TIndexedImage Image;
        const char* Message;
    } cases[] = {
        {{2, 1, {{0, 0, 0}}, {0, 1}},
         "Cannot write a GIF: colour index 1 outside a table of 1 colours"},
        {{1, 1, {}, {0}}, "Cannot write a GIF of 1 x 1 pixels from 1 indices and 0 colours"},
        {{1, 1, std::vector<TRgbColour>(257), {0}},
         "Cannot write a GIF of 1 x 1 pixels from 1 indices and 257 colours"},
        {{2, 2, {{0, 0, 0}}, {0}},
         "Cannot write a GIF of 2 x 2 pixels from 1 indices and 1 colours"},
        {{70000, 1, {{0, 0, 0}}, std::vector<std::uint8_t>(70000)},
         "Cannot write a GIF of 70000 x 1 pixels from 70000 indices and 1 colours"},
    };
    for (const auto& c : cases) {
        EXPECT_THROW_MSG(EncodeGif(c.Image, true), Error, c.Message);
    }
}

}  // namespace
}  // namespace velquist
