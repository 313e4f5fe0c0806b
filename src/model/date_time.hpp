// Date-time values as the reports hold them: a double counting days since
// 1899-12-30 00:00, whose fractional part is the time of day. Encoding and
// decoding live here only, shared by the reader, the writer and the sort.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velquist {

using TDateTime = double;

// 1970-01-01 00:00 in the day count.
inline constexpr double UnixDateDelta = 25569.0;

struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

bool IsValidDate(int year, int month, int day);
// Days since 1899-12-30 of a valid date (negative before it).
std::int64_t DaysFromCivil(int year, int month, int day);
// The date-time of the given parts; nullopt when a part is out of range.
std::optional<TDateTime> EncodeDateTime(const TDateTimeParts& parts);
// The parts of a value, rounded to the millisecond (a time that rounds up to
// 24:00 moves to the next day). Negative values keep their time of day as the
// absolute fraction, as dates before 1899-12-30 are held.
TDateTimeParts DecodeDateTime(TDateTime value);

// Reads "yyyy.MM.dd" optionally followed by a blank and "hh:mm" or "hh:mm:ss".
// Blanks around the whole text are allowed; anything else gives nullopt.
std::optional<TDateTime> ParseReportDateTime(std::string_view text);

// "yyyy.MM.dd", then " hh:mm" when the time of day (to the millisecond) is not
// zero; exact midnight also gets " 00:00"; a time of day below half a
// millisecond that is not zero shows the date alone.
std::string FormatOperationTime(TDateTime value);
void AppendOperationTime(std::string& out, TDateTime value);

// "yyyy.MM.dd hh:mm", always with the time (used where a value is shown whole).
std::string FormatDateTimeText(TDateTime value);

}  // namespace velquist
