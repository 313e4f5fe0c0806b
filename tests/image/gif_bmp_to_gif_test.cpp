// BmpToGif from bitmap file to GIF file: the colour table it writes, and its
// errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <variant>

#include "base/error.hpp"
#include "fixtures/expect_error.hpp"
#include "gif_test_support.hpp"
#include "image/bmp_file.hpp"
#include "image/bmp_to_gif.hpp"

namespace velquist {
namespace {

using testing::At;
using testing::TTempDir;

TRgbColour TableEntry(const std::string& gif, int i) {
    return {static_cast<std::uint8_t>(At(gif, 23 + 3 * i)),
            static_cast<std::uint8_t>(At(gif, 24 + 3 * i)),
            static_cast<std::uint8_t>(At(gif, 25 + 3 * i))};
}

// The picture's colours, most used first.
std::vector<TRgbColour> ColoursByUse(const std::vector<std::uint8_t>& rgb) {
    std::map<std::uint32_t, std::size_t> uses;
    for (std::size_t i = 0; i < rgb.size(); i += 3)
        ++uses[rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]];
    std::vector<std::pair<std::size_t, std::uint32_t>> order;
    for (const auto& [colour, count] : uses) order.push_back({count, colour});
    std::sort(order.rbegin(), order.rend());
    std::vector<TRgbColour> colours;
    for (const auto& [count, c] : order) {
        colours.push_back({std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
    return colours;
}

std::string ConvertedGif(const TTempDir& dir, const TRgbImage& image) {
    WriteBmpFile(dir.Path("in.bmp"), image);
    BmpToGif(dir.Path("in.bmp"), dir.Path("out.gif"));
    return testing::ReadFileBytes(dir.Path("out.gif"));
}

TEST(BmpToGif, WritesTheChartAsFourWebColoursWhiteFirst) {
    TTempDir dir;
    const TRgbImage chart = testing::ChartLikePicture();
    const std::string gif = ConvertedGif(dir, chart);
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(gif.substr(6, 4), std::string("\x34\x03\xC8\x00", 4));  // 820, 200
    EXPECT_EQ(At(gif, 10), 0x11);
    EXPECT_EQ(gif.substr(18, 4), std::string("\x34\x03\xC8\x00", 4));
    EXPECT_EQ(At(gif, 22), 0xA1);
    std::vector<TRgbColour> expected = ColoursByUse(chart.Rgb);
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(expected[0], testing::White);
    for (TRgbColour& colour : expected) {
        if (colour == testing::LineBlue) colour = {0, 0, 153};  // its web colour
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(TableEntry(gif, i), expected[i]) << i;
    EXPECT_EQ(At(gif, 23 + 12), 2) << "minimum code size";
}

TEST(BmpToGif, WritesASingleColourAsVersion87aWithAnUnsortedTableOfTwo) {
    TTempDir dir;
    const std::string gif = ConvertedGif(dir, testing::SolidPicture(64, 48, {210, 100, 50}));
    EXPECT_EQ(gif.substr(0, 6), "GIF87a");
    EXPECT_EQ(At(gif, 10), 0x00);
    EXPECT_EQ(At(gif, 22), 0x80);
    EXPECT_EQ(TableEntry(gif, 0), (TRgbColour{204, 102, 51}));
    EXPECT_EQ(TableEntry(gif, 1), (TRgbColour{0, 0, 0}));
    EXPECT_EQ(At(gif, 29), 2) << "minimum code size";
}

TEST(BmpToGif, KeepsTheColoursOfAPalettedBitmapAndDropsUnusedOnes) {
    TTempDir dir;
    const std::string bitmap = VELQUIST_FIXTURES_DIR "/images/qt_indexed8.bmp";
    BmpToGif(bitmap, dir.Path("out.gif"));
    const std::string gif = testing::ReadFileBytes(dir.Path("out.gif"));
    const auto indexed = std::get<TIndexedImage>(ReadBmpFile(bitmap));
    ASSERT_EQ(indexed.Palette.size(), 20u);
    const std::vector<TRgbColour> expected = ColoursByUse(testing::ResolvedRgb(indexed));
    ASSERT_EQ(expected.size(), 12u);
    EXPECT_EQ(At(gif, 22), 0xA3) << "sorted table of 16 entries";
    std::vector<TRgbColour> table;
    for (int i = 0; i < 16; ++i) table.push_back(TableEntry(gif, i));
    // Colours used equally often may come in any order among themselves.
    EXPECT_TRUE(std::is_permutation(table.begin(), table.begin() + 12, expected.begin()));
    EXPECT_NE(std::find(table.begin(), table.end(), TRgbColour{47, 48, 49}), table.end());
    EXPECT_EQ(std::vector<TRgbColour>(table.begin() + 12, table.end()),
              std::vector<TRgbColour>(4, TRgbColour{0, 0, 0}));
}

TEST(BmpToGif, ReplacesAnExistingGif) {
    TTempDir dir;
    testing::WriteFileBytes(dir.Path("out.gif"), std::string(100000, 'x'));
    const std::string gif = ConvertedGif(dir, testing::SolidPicture(2, 2, testing::Black));
    EXPECT_EQ(gif.substr(0, 6), "GIF87a");
    EXPECT_LT(gif.size(), 100u);
}

void ExpectError(const std::string& bitmap, const std::string& gif, const std::string& message) {
    EXPECT_THROW_MSG(BmpToGif(bitmap, gif), Error, message);
}

TEST(BmpToGif, ReportsEachFailureWithTheFileItConcernsAndWritesNothing) {
    TTempDir dir;
    const std::string missing = dir.Path("missing.bmp");
    const std::string text = dir.Path("notes.bmp");
    const std::string good = dir.Path("good.bmp");
    const std::string gif = dir.Path("out.gif");
    testing::WriteFileBytes(text, "not a picture\r\n");
    WriteBmpFile(good, testing::SolidPicture(3, 3, testing::White));
    testing::WriteFileBytes(gif, "old");

    ExpectError(missing, gif, "Cannot open file \"" + missing + "\". " + MissingFileReason);
    ExpectError(text, gif, "Cannot read bitmap \"" + text + "\". Not a BMP file");
    const std::string unwritable = dir.Path("no such folder/out.gif");
    ExpectError(good, unwritable,
                "Cannot create file \"" + unwritable + "\". " + MissingFolderReason);

    EXPECT_EQ(testing::ReadFileBytes(gif), "old");
    EXPECT_EQ(testing::NamesIn(dir.Path("")).size(), 3u) << "no temporary file left behind";
}

}  // namespace
}  // namespace velquist
