// Helpers of the BMP and GIF tests: the test pictures, the expected web
// palette reduction and the independent decoders (Pillow through a small
// Python script, giflib's gif2rgb) run as separate programs. Folders and
// files are fixtures/temp_dir.hpp's.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "fixtures/temp_dir.hpp"
#include "image/image_types.hpp"

namespace velquist::testing {

// The bytes of the values, each taken modulo 256.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

// The byte at the offset, as a number from 0 to 255.
inline int At(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes.at(offset));
}

inline constexpr TRgbColour White{255, 255, 255};
inline constexpr TRgbColour Black{0, 0, 0};
inline constexpr TRgbColour GridGrey{204, 204, 204};
inline constexpr TRgbColour LineBlue{0, 0, 176};

// An 820 x 200 picture drawn like the balance chart, in exactly the four
// colours above: white ground, black frame and axes, dotted grey grid, a
// two-pixel blue line.
TRgbImage ChartLikePicture();
// Every pixel `colour`.
TRgbImage SolidPicture(int width, int height, TRgbColour colour);
// Random red, green and blue, from a fixed seed.
TRgbImage NoisePicture(int width, int height, unsigned seed);
// Red growing to the right, green downwards, blue random: every web colour
// shows up, in runs that LZW can partly compress.
TRgbImage GradientNoisePicture(int width, int height, unsigned seed);
// Random indices below palette.size(), from a fixed seed.
TIndexedImage IndexedNoisePicture(int width, int height, std::vector<TRgbColour> palette,
                                  unsigned seed);

TRgbColour PixelAt(const TRgbImage& image, int x, int y);
// Each channel of each pixel taken to its web palette value.
std::vector<std::uint8_t> WebReducedRgb(const TRgbImage& image);
// The colour of each pixel, as red, green, blue bytes.
std::vector<std::uint8_t> ResolvedRgb(const TIndexedImage& image);

// A picture decoded by another program.
struct TDecoded {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Rgb;
};

// Whether the decoder can run here; tests skip when it cannot.
bool PillowAvailable();
bool GiflibAvailable();
// The picture as the decoder sees it; nullopt (and the decoder's complaint on
// stderr) when it fails to decode the file.
std::optional<TDecoded> DecodeWithPillow(const std::string& picturePath);
// gif2rgb writes no size: the caller gives the expected one.
std::optional<TDecoded> DecodeWithGiflib(const std::string& gifPath, int width, int height);

}  // namespace velquist::testing
