#include "chart_test_support.hpp"

#include <cmath>
#include <random>

#include "chart/chart_data.hpp"

namespace velquist::testing {

std::vector<double> RandomWalk(int n, double start, double drift, double spread, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> step(drift, spread);
    std::vector<double> values;
    double value = start;
    for (int i = 0; i < n; ++i) {
        value += step(random);
        values.push_back(std::round(value * 100) / 100);
    }
    return values;
}

TChartPicture Render(const TMT4TestReport& report) {
    const std::vector<double> points = BalancePoints(report);
    return RenderBalanceChart(points, WidenedRange(FittedRange(points)));
}

TRgb PixelOf(const TRgbImage& image, int x, int y) {
    const std::uint8_t* rgb = &image.Rgb[(static_cast<std::size_t>(y) * image.Width + x) * 3];
    return 0xFF000000u | TRgb{rgb[0]} << 16 | TRgb{rgb[1]} << 8 | rgb[2];
}

std::set<TRgb> ColoursOf(const TRgbImage& image) {
    std::set<TRgb> colours;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) colours.insert(PixelOf(image, x, y));
    }
    return colours;
}

std::vector<int> RowsOf(const TRgbImage& image, int column, TRgb colour) {
    std::vector<int> rows;
    for (int y = 0; y < image.Height; ++y) {
        if (PixelOf(image, column, y) == colour) rows.push_back(y);
    }
    return rows;
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
std::set<TRgb> ColoursOf(const QImage& image) {
    std::set<TRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000);
    }
    return colours;
}

QImage ToQImage(const TRgbImage& image) {
    QImage out(image.Width, image.Height, QImage::Format_RGB32);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) out.setPixel(x, y, PixelOf(image, x, y));
    }
    return out;
}

QImage ReadPicture(const std::string& path) {
    const QImage image(QString::fromStdString(path));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}
#endif

}  // namespace velquist::testing
