#include "model/date_time.hpp"

#include <cmath>

namespace velquist {
namespace {

constexpr std::int64_t MillisecondsPerDay = 86'400'000;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Civil date of a day count since 1970-01-01 (Howard Hinnant's algorithm).
void CivilFromUnixDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0));
}

// Writes value as width digits with leading zeros.
char* PutDigits(char* p, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        p[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return p + width;
}

void AppendDate(std::string& out, const TDateTimeParts& parts) {
    char buffer[10];
    char* p = PutDigits(buffer, parts.Year, 4);
    *p++ = '.';
    p = PutDigits(p, parts.Month, 2);
    *p++ = '.';
    PutDigits(p, parts.Day, 2);
    out.append(buffer, sizeof buffer);
}

void AppendHoursMinutes(std::string& out, const TDateTimeParts& parts) {
    char buffer[6] = {' '};
    char* p = PutDigits(buffer + 1, parts.Hour, 2);
    *p++ = ':';
    PutDigits(p, parts.Minute, 2);
    out.append(buffer, sizeof buffer);
}

// Reads 1 to maxDigits decimal digits at pos.
bool ReadNumber(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' &&
           pos - start < static_cast<std::size_t>(maxDigits)) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::int64_t DaysFromCivil(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t unixDays = era * 146097 + static_cast<std::int64_t>(doe) - 719468;
    return unixDays + static_cast<std::int64_t>(UnixDateDelta);
}

std::optional<TDateTime> EncodeDateTime(const TDateTimeParts& p) {
    if (!IsValidDate(p.Year, p.Month, p.Day)) return std::nullopt;
    if (p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 || p.Second < 0 ||
        p.Second > 59 || p.Millisecond < 0 || p.Millisecond > 999)
        return std::nullopt;
    const double date = static_cast<double>(DaysFromCivil(p.Year, p.Month, p.Day));
    const double time = (((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.Millisecond) /
                        static_cast<double>(MillisecondsPerDay);
    // Before 1899-12-30 the time of day counts away from zero.
    return date < 0 ? date - time : date + time;
}

TDateTimeParts DecodeDateTime(TDateTime value) {
    // Only 0001-01-01 .. 9999-12-31 has a calendar form; other values show as day 0.
    if (!(value > -693594.0 && value < 2958466.0)) value = 0;
    double days = std::trunc(value);
    std::int64_t ms = std::llround(std::fabs(value - days) * MillisecondsPerDay);
    if (ms >= MillisecondsPerDay) {
        ms -= MillisecondsPerDay;
        days += value < 0 ? -1 : 1;
    }
    TDateTimeParts parts;
    CivilFromUnixDays(static_cast<std::int64_t>(days) - static_cast<std::int64_t>(UnixDateDelta),
                      parts.Year, parts.Month, parts.Day);
    parts.Hour = static_cast<int>(ms / 3'600'000);
    parts.Minute = static_cast<int>(ms / 60'000 % 60);
    parts.Second = static_cast<int>(ms / 1000 % 60);
    parts.Millisecond = static_cast<int>(ms % 1000);
    return parts;
}

std::optional<TDateTime> ParseReportDateTime(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    TDateTimeParts p;
    if (!ReadNumber(text, pos, 4, p.Year) || !Expect(text, pos, '.') ||
        !ReadNumber(text, pos, 2, p.Month) || !Expect(text, pos, '.') ||
        !ReadNumber(text, pos, 2, p.Day))
        return std::nullopt;
    std::size_t afterDate = pos;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size() && pos > afterDate) {
        if (!ReadNumber(text, pos, 2, p.Hour) || !Expect(text, pos, ':') ||
            !ReadNumber(text, pos, 2, p.Minute))
            return std::nullopt;
        if (pos < text.size() && text[pos] == ':' && (++pos, !ReadNumber(text, pos, 2, p.Second)))
            return std::nullopt;
        while (pos < text.size() && text[pos] == ' ') ++pos;
    }
    if (pos != text.size()) return std::nullopt;
    return EncodeDateTime(p);
}

std::string FormatOperationTime(TDateTime value) {
    std::string out;
    AppendOperationTime(out, value);
    return out;
}

void AppendOperationTime(std::string& out, TDateTime value) {
    const TDateTimeParts parts = DecodeDateTime(value);
    AppendDate(out, parts);
    if (value == std::trunc(value)) {
        out += " 00:00";
    } else if (parts.Hour != 0 || parts.Minute != 0 || parts.Second != 0) {
        AppendHoursMinutes(out, parts);
    }
}

std::string FormatDateTimeText(TDateTime value) {
    std::string out;
    const TDateTimeParts parts = DecodeDateTime(value);
    AppendDate(out, parts);
    AppendHoursMinutes(out, parts);
    return out;
}

}  // namespace velquist
