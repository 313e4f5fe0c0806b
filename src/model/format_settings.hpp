// The one fixed set of number and date conventions for reading and writing
// reports, whatever the user's regional settings.
#pragma once

namespace velquist {

struct TFormatSettings {
    char DecimalSeparator;
    char ThousandSeparator;  // '\0': no grouping
    char DateSeparator;
    char TimeSeparator;
    char ListSeparator;
    const char* ShortDateFormat;
    const char* ShortTimeFormat;
    const char* LongTimeFormat;
};

inline constexpr TFormatSettings ReportFormatSettings{
    '.', '\0', '.', ':', ';', "yyyy.MM.dd", "h:mm", "hh:mm",
};

}  // namespace velquist
