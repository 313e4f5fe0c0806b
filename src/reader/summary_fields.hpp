// What each label of the header and summary sets in the report: the field a
// key names, and how the field is read from the cells after its label.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/report.hpp"
#include "reader/summary_scan.hpp"

namespace velquist {

// One line's fields, numbered from 1; a field past the end reads as empty.
class TFields {
  public:
    explicit TFields(std::string_view line);
    int Count() const { return static_cast<int>(fields_.size()); }
    std::string_view Raw(int n) const {
        return n >= 1 && n <= Count() ? fields_[static_cast<std::size_t>(n - 1)]
                                      : std::string_view{};
    }
    // Values are trimmed; labels (Raw) are not.
    std::string Value(int n) const;

  private:
    std::vector<std::string_view> fields_;
};

// The field that a label of this key sets. The two "Average" rows share their
// label in most languages: the key of the cell after it tells them apart.
TReportField FieldOfKeys(std::string_view key, std::string_view nextKey);
// The same for a label that the phrase table found in field d of a line.
TReportField FieldOfLabel(std::string_view key, const TFields& fields, int d);

// Reads the field of the label in field d from the cells after it (all
// fields but the title block and "Parameters", which need other lines).
void ReadField(TMT4TestReport& report, TReportField field, const TFields& fields, int d);

// The field as a user knows it from the English report.
std::string_view FieldName(TReportField field);

}  // namespace velquist
