// The balance chart of a report: drawn into an 820 x 200 picture (Qt Gui on
// Linux, GDI on Windows), written as a bitmap into the temporary folder,
// converted into the GIF that the report's HTML page shows, and the bitmap
// deleted. Shared by the window and the command line. With Qt, needs a
// QGuiApplication (or QApplication) to exist.
#pragma once

#include <string>

#include "model/report.hpp"

namespace velquist {

// Draws the chart of the report (whose FileName is the result file name) and
// saves it as ImageFileName(). tempPath is the temporary folder with its
// trailing "/" (GetTempDir), or empty for the current folder. Errors propagate:
// "Cannot create file ..." for the bitmap or the GIF, "Cannot open file ..."
// when the bitmap cannot be read back.
void CreateGraph(const TMT4TestReport& report, const std::string& tempPath);

}  // namespace velquist
