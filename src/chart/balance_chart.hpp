// The balance chart of a report: drawn into an 820 x 200 picture (Qt Gui on
// Linux, GDI on Windows), written as a bitmap into the temporary folder,
// converted into the GIF that the report's HTML page shows, and the bitmap
// deleted. Shared by the window and the command line. With Qt, needs a
// QGuiApplication (or QApplication) to exist.
#pragma once

#include <functional>
#include <string>

#include "chart/chart_picture.hpp"
#include "model/report.hpp"

namespace velquist {

// Draws the chart of the report (whose FileName is the result file name) and
// saves it as ImageFileName(): SaveGraph of DrawGraph. tempPath is the
// temporary folder with its trailing "/" (GetTempDir), or empty for the
// current folder. Errors propagate: "Cannot make the chart's bitmap ..."
// (TemporaryFolderError) for the bitmap, "Cannot create file ..." for the
// GIF, "Cannot open file ..." when the bitmap cannot be read back.
void CreateGraph(const TMT4TestReport& report, const std::string& tempPath);

// The two halves: the chart drawn in memory, then saved through the bitmap.
TChartPicture DrawGraph(const TMT4TestReport& report);
void SaveGraph(const TMT4TestReport& report, const TChartPicture& picture,
               const std::string& tempPath);
// Draws the chart now and returns what saves it; the report must live until
// then.
std::function<void()> DrawGraphToSave(const TMT4TestReport& report, const std::string& tempPath);

}  // namespace velquist
