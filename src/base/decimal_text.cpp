#include "base/decimal_text.hpp"

#include <charconv>
#include <limits>

namespace velquist {

std::size_t WriteScientific(double value, int digits, char* out) {
    const auto result =
        std::to_chars(out, out + digits + 8, value, std::chars_format::scientific, digits);
    return static_cast<std::size_t>(result.ptr - out);
}

std::string FixedText(double value, int decimals) {
    // The whole part of a double has at most 309 digits.
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string ShortestText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

bool ReadDecimal(std::string_view text, double& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace velquist
