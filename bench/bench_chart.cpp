// Times the balance chart from report to GIF file: bench_chart [RUNS] (median
// of RUNS runs, default 11). The main case is a chart of 600,000 points; a
// synthetic report of 600,000 rows and a chart of 30,000 points follow. Shows
// where the time goes (points, drawing, bitmap file, GIF conversion) and, once,
// the drawing of the full line without the column envelope for comparison.
// The first chart of a run, which loads the font, is timed apart.
#include <stdlib.h>

#include <QGuiApplication>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "chart/balance_chart.hpp"
#include "chart/chart_data.hpp"
#include "chart/chart_picture.hpp"
#include "image/bmp_file.hpp"
#include "image/bmp_to_gif.hpp"
#include "model/report.hpp"
#include "synthetic_report.hpp"
#include "timing.hpp"

namespace {

using velquist::TMT4TestReport;
using velquist::bench::MedianMilliseconds;

std::string Fixed(double value) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

// A report whose every row carries a balance: a random walk from the deposit.
TMT4TestReport WalkReport(int points) {
    TMT4TestReport report;
    report.InitialDeposit = 10000;
    report.Operations.Reserve(static_cast<std::size_t>(points));
    std::mt19937 random(42);
    std::normal_distribution<double> step(0.02, 5);
    double balance = report.InitialDeposit;
    for (int i = 0; i < points; ++i) {
        velquist::TOperation op;
        balance = std::round((balance + step(random)) * 100) / 100;
        op.HasBalance = true;
        op.Balance = balance;
        report.Operations.Add(op);
    }
    return report;
}

void Measure(const std::string& name, TMT4TestReport report, const std::string& folder, int runs) {
    report.FileName = folder + "/" + name + ".htm";
    const std::string temp = folder + "/tmp/";
    const std::string bitmap = folder + "/" + name + "-parts.bmp";
    std::vector<double> points;
    velquist::TChartRange range;
    velquist::TChartPicture picture;
    const double total = MedianMilliseconds(runs, [&] { velquist::CreateGraph(report, temp); });
    const double fromReport = MedianMilliseconds(runs, [&] {
        points = velquist::BalancePoints(report);
        range = velquist::WidenedRange(velquist::FittedRange(points));
    });
    const double drawing =
        MedianMilliseconds(runs, [&] { picture = velquist::RenderBalanceChart(points, range); });
    const double bitmapFile =
        MedianMilliseconds(runs, [&] { velquist::WriteBmpFile(bitmap, picture.Image); });
    const double gif = MedianMilliseconds(
        runs, [&] { velquist::BmpToGif(bitmap, folder + "/" + name + "-parts.gif"); });
    std::cout << name << " (" << points.size() << " points): CreateGraph " << Fixed(total)
              << " ms (median of " << runs << "); points " << Fixed(fromReport) << " ms, drawing "
              << Fixed(drawing) << " ms, bitmap file " << Fixed(bitmapFile) << " ms, GIF "
              << Fixed(gif) << " ms\n";
}

void MeasureFullLine(const TMT4TestReport& report) {
    const std::vector<double> points = velquist::BalancePoints(report);
    const velquist::TChartRange range = velquist::WidenedRange(velquist::FittedRange(points));
    const double full = MedianMilliseconds(1, [&] {
        velquist::RenderBalanceChart(points, range, velquist::TLineDrawing::FullPolyline);
    });
    std::cout << "  for comparison, drawing every segment of the " << points.size()
              << " points: " << Fixed(full) << " ms (one run)\n";
}

void MeasureFirstChart(const std::string& folder) {
    TMT4TestReport report = WalkReport(1000);
    report.FileName = folder + "/first.htm";
    const double first =
        MedianMilliseconds(1, [&] { velquist::CreateGraph(report, folder + "/tmp/"); });
    std::cout << "first chart of the run (1,000 points, loads the font): " << Fixed(first)
              << " ms\n";
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 11;
    if (argc > 1) std::from_chars(argv[1], argv[1] + std::char_traits<char>::length(argv[1]), runs);
    runs = std::max(1, runs);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::string folder = (std::filesystem::temp_directory_path() / "bench_chart_XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::cerr << "bench_chart: cannot create a scratch folder\n";
        return 1;
    }
    std::filesystem::create_directory(folder + "/tmp");
    try {
        MeasureFirstChart(folder);
        const TMT4TestReport walk = WalkReport(600000 - 1);  // the deposit is the first point
        Measure("walk-600000", walk, folder, runs);
        MeasureFullLine(walk);
        Measure("synthetic-600000-rows", velquist::MakeSyntheticReport(1, 600000), folder, runs);
        Measure("walk-30000", WalkReport(30000 - 1), folder, runs);
    } catch (const std::exception& error) {
        std::cerr << "bench_chart: " << error.what() << "\n";
        std::filesystem::remove_all(folder);
        return 1;
    }
    std::filesystem::remove_all(folder);
    return 0;
}
