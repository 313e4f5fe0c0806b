// The colour reduction to the web palette and the reordering of a colour table
// by use.
#include <gtest/gtest.h>

#include "image/colour_table.hpp"
#include "image/web_palette.hpp"

namespace velquist {
namespace {

TEST(ReduceToWebPalette, TakesEachChannelToItsLevelByAddingThreeAndDividingBy51) {
    const struct {
        int In;
        int Out;
    } cases[] = {{0, 0},     {2, 0},     {47, 0},    {48, 51},   {50, 51},   {98, 51},
                 {99, 102},  {101, 102}, {149, 102}, {150, 153}, {176, 153}, {200, 153},
                 {201, 204}, {204, 204}, {251, 204}, {252, 255}, {255, 255}};
    for (const auto& c : cases) {
        const auto v = static_cast<std::uint8_t>(c.In);
        // One channel at a time, so that a swapped channel shows.
        const TRgbImage image{3, 1, {v, 0, 0, 0, v, 0, 0, 0, v}};
        const TIndexedImage reduced = ReduceToWebPalette(image);
        ASSERT_EQ(reduced.Indices.size(), 3u);
        const auto w = static_cast<std::uint8_t>(c.Out);
        EXPECT_EQ(reduced.Palette.at(reduced.Indices[0]), (TRgbColour{w, 0, 0})) << c.In;
        EXPECT_EQ(reduced.Palette.at(reduced.Indices[1]), (TRgbColour{0, w, 0})) << c.In;
        EXPECT_EQ(reduced.Palette.at(reduced.Indices[2]), (TRgbColour{0, 0, w})) << c.In;
    }
}

TEST(ReduceToWebPalette, MapsEachPixelByItselfWithoutSpreadingErrors) {
    // Dithering would turn part of a flat 25-grey area into 51.
    const TRgbImage image{4, 4, std::vector<std::uint8_t>(4 * 4 * 3, 25)};
    const TIndexedImage reduced = ReduceToWebPalette(image);
    for (const std::uint8_t index : reduced.Indices) {
        EXPECT_EQ(reduced.Palette.at(index), (TRgbColour{0, 0, 0}));
    }
}

TEST(SortColoursByUse, PutsTheMostUsedFirstDropsUnusedAndRenumbersPixels) {
    TIndexedImage image{6, 1, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}}, {2, 1, 2, 3, 2, 1}};
    EXPECT_TRUE(SortColoursByUse(image));
    EXPECT_EQ(image.Palette, (std::vector<TRgbColour>{{3, 3, 3}, {2, 2, 2}, {4, 4, 4}}));
    EXPECT_EQ(image.Indices, (std::vector<std::uint8_t>{0, 1, 0, 2, 0, 1}));
}

TEST(SortColoursByUse, KeepsTableOrderAmongEquallyUsedColours) {
    TIndexedImage image{4, 1, {{9, 9, 9}, {8, 8, 8}, {7, 7, 7}}, {2, 0, 2, 0}};
    EXPECT_TRUE(SortColoursByUse(image));
    EXPECT_EQ(image.Palette, (std::vector<TRgbColour>{{9, 9, 9}, {7, 7, 7}}));
    EXPECT_EQ(image.Indices, (std::vector<std::uint8_t>{1, 0, 1, 0}));
}

TEST(SortColoursByUse, KeepsEqualColoursOfAPaletteAsSeparateEntries) {
    TIndexedImage image{3, 1, {{5, 5, 5}, {5, 5, 5}}, {1, 0, 1}};
    EXPECT_TRUE(SortColoursByUse(image));
    EXPECT_EQ(image.Palette.size(), 2u);
    EXPECT_EQ(image.Indices, (std::vector<std::uint8_t>{0, 1, 0}));
}

TEST(SortColoursByUse, CallsASingleColourLeftAnUnsortedTable) {
    TIndexedImage oneEntry{2, 1, {{5, 6, 7}}, {0, 0}};
    EXPECT_FALSE(SortColoursByUse(oneEntry));
    EXPECT_EQ(oneEntry.Palette, (std::vector<TRgbColour>{{5, 6, 7}}));

    TIndexedImage oneUsed{2, 1, {{1, 1, 1}, {5, 6, 7}, {2, 2, 2}}, {1, 1}};
    EXPECT_FALSE(SortColoursByUse(oneUsed));
    EXPECT_EQ(oneUsed.Palette, (std::vector<TRgbColour>{{5, 6, 7}}));
    EXPECT_EQ(oneUsed.Indices, (std::vector<std::uint8_t>{0, 0}));
}

}  // namespace
}  // namespace velquist
