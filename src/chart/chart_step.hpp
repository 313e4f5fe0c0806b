// The merge job's chart step, the same for the window and the command line.
#pragma once

#include <functional>
#include <string>

#include "model/report.hpp"

namespace velquist {

// A step that draws a report's balance chart in memory and returns what saves
// it (DrawGraphToSave, the bitmap in tempPath). With Qt, a program without a
// Qt application yet (the command line) gets one on its first call, on the
// offscreen platform unless the user chose another, with Qt's notes below
// critical kept off the terminal and a private runtime folder; the step owns
// both while any copy of it lives.
std::function<std::function<void()>(const TMT4TestReport&)> BalanceChartStep(
    const std::string& tempPath);

}  // namespace velquist
