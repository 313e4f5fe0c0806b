#include "chart/balance_chart.hpp"

#include <QGuiApplication>
#include <cstdio>

#include "base/error.hpp"
#include "output/bmp_file.hpp"
#include "output/bmp_to_gif.hpp"
#include "chart/chart_data.hpp"
#include "chart/chart_render.hpp"

namespace velquist {
namespace {

// Deletes the temporary bitmap when the call ends, failed or not: nothing
// needs it afterwards, and a failed conversion should not leave it behind.
class TTemporaryFile {
  public:
    explicit TTemporaryFile(std::string path) : path_(std::move(path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() { std::remove(path_.c_str()); }  // the outcome does not matter

  private:
    std::string path_;
};

}  // namespace

void CreateGraph(const TMT4TestReport& report, const std::string& tempPath) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        throw Error("The balance chart needs a QGuiApplication");
    }
    const std::string gifPath = report.ImageFileName();
    // A result named "*.gif" has the picture's own name: the GIF would replace
    // the report that was just written.
    if (IsSameFile(gifPath, report.FileName)) {
        throw CannotCreateFileError(
            gifPath, "It is the report file itself; choose a result name that does not end in \".gif\"");
    }
    const std::string bitmapPath = TemporaryBitmapPath(report, tempPath);
    const std::vector<double> points = BalancePoints(report);
    const TChartPicture picture = RenderBalanceChart(points, WidenedRange(FittedRange(points)));
    WriteBmpFile(bitmapPath, ToRgbImage(picture.Image));
    const TTemporaryFile bitmap(bitmapPath);
    BmpToGif(bitmapPath, gifPath);
}

}  // namespace velquist
