#include "chart/balance_chart.hpp"

#include <memory>

#include "chart/chart_data.hpp"
#include "image/bmp_file.hpp"
#include "image/bmp_to_gif.hpp"
#include "system/file_io.hpp"
#include "system/system_error.hpp"
#include "system/temporary_file.hpp"

namespace velquist {
namespace {

// The bitmap goes to a file of its own in the temporary folder, private to the
// user and under a name nobody else can have taken, so that merges at once
// never share one and nobody else's file is touched; it is removed however
// the call ends.
void WriteTemporaryBitmap(TTemporaryFile& bitmap, const std::string& tempPath,
                          const TRgbImage& image) {
    const std::string bytes = EncodeBmp24(image);
    // The name is a random one: the folder is what the user can mend.
    if (const int error = bitmap.Create(tempPath, "velquist-", ".bmp"); error != 0)
        throw TemporaryFolderError(tempPath, error, IsUnusableFolderError(error));
    if (const int error = WriteAll(bitmap.Descriptor(), bytes); error != 0)
        throw StreamWriteError(bitmap.Path(), error);
    if (const int error = bitmap.Close(); error != 0) throw StreamWriteError(bitmap.Path(), error);
}

}  // namespace

TChartPicture DrawGraph(const TMT4TestReport& report) {
    const std::vector<double> points = BalancePoints(report);
    return RenderBalanceChart(points, WidenedRange(FittedRange(points)));
}

void SaveGraph(const TMT4TestReport& report, const TChartPicture& picture,
               const std::string& tempPath) {
    const std::string gifPath = report.ImageFileName();
    // A result named "*.gif" has the picture's own name: the GIF would replace
    // the report that was just written.
    if (IsSameFile(gifPath, report.FileName)) {
        throw CannotCreateFileError(
            gifPath,
            "It is the report file itself; choose a result name that does not end in \".gif\"");
    }
    TTemporaryFile bitmap;
    WriteTemporaryBitmap(bitmap, tempPath, picture.Image);
    BmpToGif(bitmap.Path(), gifPath);
}

std::function<void()> DrawGraphToSave(const TMT4TestReport& report, const std::string& tempPath) {
    // Shared, since a std::function must be copyable.
    auto drawn = std::make_shared<const TChartPicture>(DrawGraph(report));
    return [&report, drawn, tempPath] { SaveGraph(report, *drawn, tempPath); };
}

void CreateGraph(const TMT4TestReport& report, const std::string& tempPath) {
    SaveGraph(report, DrawGraph(report), tempPath);
}

}  // namespace velquist
