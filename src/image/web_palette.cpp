#include "image/web_palette.hpp"

#include <array>

namespace velquist {
namespace {

constexpr int Levels = 6;

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
        shares.Red[c] = static_cast<std::uint8_t>(level * Levels * Levels);
        shares.Green[c] = static_cast<std::uint8_t>(level * Levels);
        shares.Blue[c] = static_cast<std::uint8_t>(level);
    }
    return shares;
}

constexpr TIndexShares IndexShares = MakeIndexShares();

}  // namespace

TIndexedImage ReduceToWebPalette(const TRgbImage& image) {
    TIndexedImage reduced{image.Width, image.Height, {}, {}};
    reduced.Palette.reserve(Levels * Levels * Levels);
    for (int r = 0; r < Levels; ++r) {
        for (int g = 0; g < Levels; ++g) {
            for (int b = 0; b < Levels; ++b) {
                reduced.Palette.push_back({WebLevelValue(r), WebLevelValue(g), WebLevelValue(b)});
            }
        }
    }
    const std::size_t pixels = image.Rgb.size() / 3;
    reduced.Indices.resize(pixels);
    const std::uint8_t* rgb = image.Rgb.data();
    for (std::size_t i = 0; i < pixels; ++i, rgb += 3) {
        reduced.Indices[i] = static_cast<std::uint8_t>(
            IndexShares.Red[rgb[0]] + IndexShares.Green[rgb[1]] + IndexShares.Blue[rgb[2]]);
    }
    return reduced;
}

}  // namespace velquist
