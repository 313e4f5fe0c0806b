// A report model as one JSON object, for `velquist-merge --inspect`. Every text
// byte becomes the character of the same number (bytes 0x80 to 0xFF as
// \u0080 to \u00FF), so the exact bytes can be recovered whatever the code page.
#pragma once

#include <string>

#include "model/report.hpp"

namespace velquist {

std::string ReportToJson(const TMT4TestReport& report);

}  // namespace velquist
