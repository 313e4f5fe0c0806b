// The merge job's chart step, the same for the window and the command line.
#pragma once

#include <functional>
#include <string>

#include "model/report.hpp"

namespace velquist {

// A step that draws a report's balance chart in memory and returns what saves
// it (DrawGraphToSave, the bitmap in tempPath). With Qt, a program without a
// Qt application yet (the command line) gets one here, before the step is
// returned: always on the offscreen platform, whatever QT_QPA_PLATFORM says,
// with Qt's notes below critical kept off the terminal and a private runtime
// folder; the step owns both while any copy of it lives. When Qt cannot
// start, an Error ("Cannot start Qt to draw the balance chart: ..."), or, for
// a failure that Qt makes fatal, that message on stderr and exit code 1, the
// temporary files removed: never an abort.
std::function<std::function<void()>(const TMT4TestReport&)> BalanceChartStep(
    const std::string& tempPath);

}  // namespace velquist
