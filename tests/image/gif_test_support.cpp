#include "gif_test_support.hpp"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace velquist::testing {
namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool Succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }

void SetPixel(TRgbImage& image, int x, int y, TRgbColour colour) {
    if (x < 0 || y < 0 || x >= image.Width || y >= image.Height) return;
    std::uint8_t* p = image.Rgb.data() + (std::size_t(y) * image.Width + x) * 3;
    p[0] = colour.Red;
    p[1] = colour.Green;
    p[2] = colour.Blue;
}

// A line two pixels thick, one step per column.
void DrawThickLine(TRgbImage& image, int x0, int y0, int x1, int y1, TRgbColour colour) {
    for (int x = x0; x <= x1; ++x) {
        const int y = y0 + (y1 - y0) * (x - x0) / std::max(1, x1 - x0);
        SetPixel(image, x, y, colour);
        SetPixel(image, x, y + 1, colour);
    }
}

}  // namespace

TRgbImage SolidPicture(int width, int height, TRgbColour colour) {
    TRgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) SetPixel(image, x, y, colour);
    }
    return image;
}

TRgbImage ChartLikePicture() {
    TRgbImage image = SolidPicture(820, 200, White);
    const int left = 8, top = 10, right = 760, bottom = 180;  // the plot
    for (int x = left + 40; x < right; x += 60) {
        for (int y = top + 1; y < bottom; y += 2) SetPixel(image, x, y, GridGrey);
    }
    for (int y = top + 30; y < bottom; y += 30) {
        for (int x = left + 1; x < right; x += 2) SetPixel(image, x, y, GridGrey);
    }
    for (int x = left; x <= right; ++x) SetPixel(image, x, top, Black);
    for (int y = top; y <= bottom; ++y) SetPixel(image, left, y, Black);
    for (int x = left; x <= right + 1; ++x) {
        SetPixel(image, x, bottom, Black);
        SetPixel(image, x, bottom + 1, Black);
    }
    for (int y = top; y <= bottom + 1; ++y) {
        SetPixel(image, right, y, Black);
        SetPixel(image, right + 1, y, Black);
    }
    const int balance[] = {150, 140, 145, 120, 100, 110, 70, 60, 80, 40, 20};
    for (int i = 0; i + 1 < 11; ++i) {
        DrawThickLine(image, left + 1 + i * 75, balance[i], left + 1 + (i + 1) * 75, balance[i + 1],
                      LineBlue);
    }
    return image;
}

TRgbImage NoisePicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    TRgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (std::uint8_t& c : image.Rgb) c = static_cast<std::uint8_t>(random());
    return image;
}

TRgbImage GradientNoisePicture(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    TRgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto red = static_cast<std::uint8_t>(255LL * x / std::max(1, width - 1));
            const auto green = static_cast<std::uint8_t>(255LL * y / std::max(1, height - 1));
            SetPixel(image, x, y, {red, green, static_cast<std::uint8_t>(random() % 256)});
        }
    }
    return image;
}

TIndexedImage IndexedNoisePicture(int width, int height, std::vector<TRgbColour> palette,
                                  unsigned seed) {
    std::mt19937 random(seed);
    TIndexedImage image{width, height, std::move(palette), {}};
    image.Indices.resize(std::size_t(width) * height);
    for (std::uint8_t& index : image.Indices) {
        index = static_cast<std::uint8_t>(random() % image.Palette.size());
    }
    return image;
}

TRgbColour PixelAt(const TRgbImage& image, int x, int y) {
    const std::uint8_t* p = image.Rgb.data() + (std::size_t(y) * image.Width + x) * 3;
    return {p[0], p[1], p[2]};
}

std::vector<std::uint8_t> WebReducedRgb(const TRgbImage& image) {
    std::vector<std::uint8_t> reduced(image.Rgb.size());
    for (std::size_t i = 0; i < reduced.size(); ++i) reduced[i] = (image.Rgb[i] + 3) / 51 * 51;
    return reduced;
}

std::vector<std::uint8_t> ResolvedRgb(const TIndexedImage& image) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(image.Indices.size() * 3);
    for (const std::uint8_t index : image.Indices) {
        const TRgbColour& colour = image.Palette.at(index);
        rgb.insert(rgb.end(), {colour.Red, colour.Green, colour.Blue});
    }
    return rgb;
}

bool PillowAvailable() {
    static const bool available = Succeeds("/usr/bin/python3 -c 'import PIL' >/dev/null 2>&1");
    return available;
}

bool GiflibAvailable() {
    static const bool available = Succeeds("command -v gif2rgb >/dev/null 2>&1");
    return available;
}

std::optional<TDecoded> DecodeWithPillow(const std::string& picturePath) {
    const std::string out = picturePath + ".pillow";
    if (!Succeeds("/usr/bin/python3 " + Quoted(VELQUIST_GIF_DECODE_SCRIPT) + " " +
                  Quoted(picturePath) + " " + Quoted(out))) {
        return std::nullopt;
    }
    const std::string bytes = ReadFileBytes(out);
    std::filesystem::remove(out);
    TDecoded decoded;
    const std::size_t space = bytes.find(' ');
    const std::size_t newline = bytes.find('\n');
    std::from_chars(bytes.data(), bytes.data() + space, decoded.Width);
    std::from_chars(bytes.data() + space + 1, bytes.data() + newline, decoded.Height);
    decoded.Rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(newline) + 1, bytes.end());
    return decoded;
}

std::optional<TDecoded> DecodeWithGiflib(const std::string& gifPath, int width, int height) {
    const std::string out = gifPath + ".giflib";
    if (!Succeeds("gif2rgb -1 -o " + Quoted(out) + " " + Quoted(gifPath))) return std::nullopt;
    const std::string bytes = ReadFileBytes(out);
    std::filesystem::remove(out);
    return TDecoded{width, height, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

}  // namespace velquist::testing
