#include "chart_test_support.hpp"

#include <cmath>
#include <random>

#include "chart/chart_data.hpp"

namespace velquist::test {

TMT4TestReport ReportOf(double deposit, const std::vector<double>& balances) {
    TMT4TestReport report;
    report.InitialDeposit = deposit;
    for (const double balance : balances) {
        TOperation op;
        op.HasBalance = true;
        op.Balance = balance;
        report.Operations.Add(op);
    }
    return report;
}

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

std::set<QRgb> ColoursOf(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y) | 0xFF000000);
    }
    return colours;
}

std::vector<int> RowsOf(const QImage& image, int column, QRgb colour) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if ((image.pixel(column, y) | 0xFF000000) == colour) rows.push_back(y);
    }
    return rows;
}

QImage ReadPicture(const std::string& path) {
    const QImage image(QString::fromStdString(path));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace velquist::test
