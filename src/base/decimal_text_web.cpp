// The decimal texts of decimal_text.hpp through the C library, whose printf
// and strtod are exact in the browser edition (musl) and whose locale is "C".
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/decimal_text.hpp"

namespace velquist {
namespace {

// The shortest digits that read back as the value, and the power of ten of
// the first: tries 1 to 17 significant digits.
std::string ShortestScientific(double value) {
    char buffer[40];
    for (int precision = 0; precision < 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
        if (std::strtod(buffer, nullptr) == value) break;
    }
    return buffer;
}

// "d.ddde+XX" as to_chars writes it in fixed notation.
std::string AsFixed(const std::string& scientific) {
    const std::size_t e = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (scientific[i] != '.') digits += scientific[i];
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string text = negative ? "-" : "";
    if (exponent < 0) {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
        text += digits + std::string(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
    } else {
        text += digits.substr(0, static_cast<std::size_t>(exponent) + 1) + "." +
                digits.substr(static_cast<std::size_t>(exponent) + 1);
    }
    return text;
}

// Digits, "." and digits only, with at most 19 significant digits and 22
// decimals: then the digits as a whole number and the power of ten are both
// exact doubles (when the number is below 2^53), and one division rounds the
// quotient correctly, as strtod would, in a fraction of its time. False for
// anything else.
bool ReadPlainDecimal(std::string_view text, double& value) {
    std::uint64_t digits = 0;
    int decimals = -1, count = 0;
    for (const char c : text) {
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9' || ++count > 19) return false;
        digits = digits * 10 + static_cast<unsigned>(c - '0');
        if (decimals >= 0) ++decimals;
    }
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (count == 0 || digits > (std::uint64_t{1} << 53) || decimals > 22) return false;
    value = static_cast<double>(digits) / powers[decimals < 0 ? 0 : decimals];
    return true;
}

}  // namespace

std::size_t WriteScientific(double value, int digits, char* out) {
    return static_cast<std::size_t>(
        std::snprintf(out, static_cast<std::size_t>(digits) + 8, "%.*e", digits, value));
}

std::string FixedText(double value, int decimals) {
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string ShortestText(double value) {
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (std::isnan(value)) return "nan";
    // printf writes the exponent as to_chars does: a sign and two digits at least.
    const std::string scientific = ShortestScientific(value);
    const std::string fixed = AsFixed(scientific);
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

bool ReadDecimal(std::string_view text, double& value) {
    if (ReadPlainDecimal(text, value)) return true;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(copy.c_str(), &end);
    // from_chars refuses what does not fit a double; an underflow to a tiny
    // value or zero is a value.
    if (end != copy.c_str() + copy.size() || (errno == ERANGE && std::isinf(read))) return false;
    value = read;
    return true;
}

}  // namespace velquist
