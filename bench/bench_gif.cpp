// Times BmpToGif, bitmap file to GIF file, on an 820 x 200 picture drawn like
// the balance chart and on 4000 x 3000 pictures: bench_gif [RUNS] (median of
// RUNS runs, default 21; the large pictures get a third of them, at least 3).
// Also shows the share of the work done in memory (read BMP bytes, reduce,
// sort, encode GIF bytes) without the file reads and writes.
#include <stdlib.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <variant>

#include "image/bmp_file.hpp"
#include "image/bmp_to_gif.hpp"
#include "image/colour_table.hpp"
#include "image/gif_encoder.hpp"
#include "image/web_palette.hpp"
#include "timing.hpp"

namespace {

using velquist::TRgbImage;

void Fill(TRgbImage& image, int x0, int y0, int x1, int y1, std::uint8_t r, std::uint8_t g,
          std::uint8_t b, int step = 1) {
    for (int y = y0; y <= y1; y += (y1 > y0 ? step : 1)) {
        for (int x = x0; x <= x1; x += (x1 > x0 ? step : 1)) {
            std::uint8_t* p = image.Rgb.data() + (std::size_t(y) * image.Width + x) * 3;
            p[0] = r;
            p[1] = g;
            p[2] = b;
        }
    }
}

// White ground, dotted grey grid, black frame and axes, a blue zigzag line.
TRgbImage ChartPicture() {
    TRgbImage image{820, 200, std::vector<std::uint8_t>(820 * 200 * 3, 255)};
    for (int x = 60; x < 760; x += 60) Fill(image, x, 11, x, 179, 204, 204, 204, 2);
    for (int y = 40; y < 180; y += 30) Fill(image, 9, y, 759, y, 204, 204, 204, 2);
    Fill(image, 8, 10, 760, 10, 0, 0, 0);
    Fill(image, 8, 10, 8, 181, 0, 0, 0);
    Fill(image, 8, 180, 761, 181, 0, 0, 0);
    Fill(image, 760, 10, 761, 181, 0, 0, 0);
    for (int x = 9; x < 760; ++x) {
        const int y = 100 + (x % 150 < 75 ? x % 75 : 75 - x % 75) - x / 20;
        Fill(image, x, y, x, y + 1, 0, 0, 176);
    }
    return image;
}

// Red and green gradients with random blue: every web colour, partly compressible.
TRgbImage GradientNoisePicture(int width, int height) {
    std::mt19937 random(1);
    TRgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Fill(image, x, y, x, y, static_cast<std::uint8_t>(255LL * x / (width - 1)),
                 static_cast<std::uint8_t>(255LL * y / (height - 1)),
                 static_cast<std::uint8_t>(random()));
        }
    }
    return image;
}

// Random colours: the least compressible picture.
TRgbImage NoisePicture(int width, int height) {
    std::mt19937 random(2);
    TRgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (std::uint8_t& c : image.Rgb) c = static_cast<std::uint8_t>(random());
    return image;
}

std::string Fixed(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

void Measure(const std::string& name, const TRgbImage& image, const std::string& folder, int runs) {
    const std::string bitmap = folder + "/" + name + ".bmp";
    const std::string gif = folder + "/" + name + ".gif";
    velquist::WriteBmpFile(bitmap, image);
    const std::string bmpBytes = velquist::EncodeBmp24(image);
    std::size_t gifSize = 0;
    const double inMemory = velquist::bench::MedianMilliseconds(runs, [&] {
        const velquist::TBitmap decoded = velquist::DecodeBmp(bmpBytes, bitmap);
        velquist::TIndexedImage reduced =
            velquist::ReduceToWebPalette(std::get<TRgbImage>(decoded));
        const bool sorted = velquist::SortColoursByUse(reduced);
        gifSize = velquist::EncodeGif(reduced, sorted).size();
    });
    const double fileToFile =
        velquist::bench::MedianMilliseconds(runs, [&] { velquist::BmpToGif(bitmap, gif); });
    std::cout << name << " " << image.Width << " x " << image.Height << ": BmpToGif "
              << Fixed(fileToFile) << " ms, in memory " << Fixed(inMemory) << " ms (median of "
              << runs << "; GIF " << gifSize << " bytes)\n";
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 21;
    if (argc > 1) std::from_chars(argv[1], argv[1] + std::char_traits<char>::length(argv[1]), runs);
    runs = std::max(1, runs);
    std::string folder = (std::filesystem::temp_directory_path() / "bench_gif_XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::cerr << "bench_gif: cannot create a scratch folder\n";
        return 1;
    }
    try {
        Measure("chart", ChartPicture(), folder, runs);
        Measure("gradient-noise", GradientNoisePicture(4000, 3000), folder, std::max(3, runs / 3));
        Measure("noise", NoisePicture(4000, 3000), folder, std::max(3, runs / 3));
    } catch (const std::exception& error) {
        std::cerr << "bench_gif: " << error.what() << "\n";
        std::filesystem::remove_all(folder);
        return 1;
    }
    std::filesystem::remove_all(folder);
    return 0;
}
