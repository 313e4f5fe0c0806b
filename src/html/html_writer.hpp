// The HTML report writer: a report as a strategy tester report page, labels in
// one of the 28 languages, numbers in one fixed locale-free format. Texts from
// the input reports are written as they are, except that a '"' inside an
// attribute value is written as "&quot;" so that no report can end the
// attribute and inject markup.
#pragma once

#include <cstdint>
#include <string>

#include "model/report.hpp"

namespace velquist {

// One line of the operations table for the operation at position n (from 1).
std::string FormatOperationRow(const TOperation& operation, std::int32_t n, bool writeSymbol);
void AppendOperationRow(std::string& out, const TOperation& operation, std::int32_t n,
                        bool writeSymbol);

// The whole page, every line ended by CR LF.
std::string BuildReportHtml(const TMT4TestReport& report, const std::string& language);

}  // namespace velquist
