// Fuzz target: raw bytes through the tag stripping, the line split and the row
// parser, and every field through the number and date conversions.
#include <cstdint>
#include <string>
#include <vector>

#include "base/globals.hpp"
#include "model/date_time.hpp"
#include "model/operation.hpp"
#include "reader/cell_text.hpp"
#include "reader/numbers.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = velquist::CellText(
        velquist::NormalizeLineBreaks(std::string_view(reinterpret_cast<const char*>(data), size)));
    velquist::TOperation operation;
    std::vector<std::string_view> fields;
    for (const velquist::TTextLine& line : velquist::SplitLines(text)) {
        if (operation.ParseRow(line.Text)) velquist::FormatOperationTime(operation.Time);
        velquist::SplitFields(line.Text, fields);
        for (std::string_view field : fields) {
            velquist::ParseNumber(field);
            velquist::ParseInteger(field);
            velquist::ParseReportDateTime(field);
            velquist::TextInParentheses(field);
            velquist::TextWithoutParentheses(field);
        }
    }
    return 0;
}
