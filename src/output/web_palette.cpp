#include "output/web_palette.hpp"

#include <array>

namespace velquist {
namespace {

constexpr int kLevels = 6;

// Per channel value, its level's share of the palette index.
struct TIndexShares {
    std::array<std::uint8_t, 256> Red{};
    std::array<std::uint8_t, 256> Green{};
    std::array<std::uint8_t, 256> Blue{};
};

constexpr TIndexShares MakeIndexShares() {
    TIndexShares shares;
    for (int c = 0; c < 256; ++c) {
        const int level = WebLevel(static_cast<std::uint8_t>(c));
        shares.Red[c] = static_cast<std::uint8_t>(level * kLevels * kLevels);
        shares.Green[c] = static_cast<std::uint8_t>(level * kLevels);
        shares.Blue[c] = static_cast<std::uint8_t>(level);
    }
    return shares;
}

constexpr TIndexShares kIndexShares = MakeIndexShares();

}  // namespace

TIndexedImage ReduceToWebPalette(const TRgbImage& image) {
    TIndexedImage reduced{image.Width, image.Height, {}, {}};
    reduced.Palette.reserve(kLevels * kLevels * kLevels);
    for (int r = 0; r < kLevels; ++r) {
        for (int g = 0; g < kLevels; ++g) {
            for (int b = 0; b < kLevels; ++b) {
                reduced.Palette.push_back({WebLevelValue(r), WebLevelValue(g), WebLevelValue(b)});
            }
        }
    }
    const std::size_t pixels = image.Rgb.size() / 3;
    reduced.Indices.resize(pixels);
    const std::uint8_t* rgb = image.Rgb.data();
    for (std::size_t i = 0; i < pixels; ++i, rgb += 3) {
        reduced.Indices[i] = static_cast<std::uint8_t>(
            kIndexShares.Red[rgb[0]] + kIndexShares.Green[rgb[1]] + kIndexShares.Blue[rgb[2]]);
    }
    return reduced;
}

}  // namespace velquist
