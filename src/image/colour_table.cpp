#include "image/colour_table.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

namespace velquist {

bool SortColoursByUse(TIndexedImage& image) {
    std::array<std::uint64_t, 256> uses{};
    for (const std::uint8_t index : image.Indices) ++uses[index];
    std::array<int, 256> order{};
    std::iota(order.begin(), order.end(), 0);
    const auto end = order.begin() + static_cast<std::ptrdiff_t>(image.Palette.size());
    std::stable_sort(order.begin(), end, [&](int a, int b) { return uses[a] > uses[b]; });
    std::vector<TRgbColour> palette;
    std::array<std::uint8_t, 256> newIndex{};
    for (auto it = order.begin(); it != end && uses[*it] > 0; ++it) {
        newIndex[*it] = static_cast<std::uint8_t>(palette.size());
        palette.push_back(image.Palette[*it]);
    }
    image.Palette = std::move(palette);
    for (std::uint8_t& index : image.Indices) index = newIndex[index];
    return image.Palette.size() > 1;
}

}  // namespace velquist
