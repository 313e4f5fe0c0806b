#include "html/number_format.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "base/decimal_text.hpp"

namespace velquist {
namespace {

constexpr int SignificantDigits = 18;

// The value's first 18 significant digits (correctly rounded) and the power of
// ten of the first digit.
void DecimalDigits(double magnitude, char (&digits)[SignificantDigits], int& exponent) {
    char buffer[40];
    const std::size_t length = WriteScientific(magnitude, SignificantDigits - 1, buffer);
    // buffer holds "d.ddddddddddddddddde+XX".
    digits[0] = buffer[0];
    std::memcpy(digits + 1, buffer + 2, SignificantDigits - 1);
    const char* e = buffer + SignificantDigits + 1;  // at 'e'
    std::from_chars(e + (e[1] == '+' ? 2 : 1), buffer + length, exponent);
}

// The common case without the 18-digit string: the value times 10^decimals
// held exactly as a 128-bit fixed-point number, rounded half up. Declines
// (false) where the 18-digit rounding could differ: large values, and values
// whose scaled fraction lies near one half.
bool AppendFixedFast(std::string& out, double value, int decimals) {
    static constexpr std::uint64_t powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-3 && magnitude < 1e12) || decimals > 6) return false;
    // magnitude = mantissa / 2^shift, exactly (a normal double in this range).
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const std::uint64_t mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int shift = 1075 - static_cast<int>(bits >> 52);
    if (shift <= 0 || shift >= 100) return false;
    __extension__ typedef unsigned __int128 U128;  // a GCC type, exact for 18 digits
    const U128 scaled = static_cast<U128>(mantissa) * powers[decimals];
    const U128 one = static_cast<U128>(1) << shift;
    std::uint64_t units = static_cast<std::uint64_t>(scaled >> shift);
    const U128 rest = scaled & (one - 1);
    const U128 half = one >> 1;
    const U128 distance = rest >= half ? rest - half : half - rest;
    if (units >= 1'000'000'000'000'000ULL || distance * 1000 < one) return false;
    if (rest >= half) ++units;

    // Digits right-aligned in the buffer, at least decimals + 1 of them.
    char buffer[32];
    char* p = buffer + sizeof buffer;
    for (int i = 0; i < decimals; ++i, units /= 10) *--p = static_cast<char>('0' + units % 10);
    if (decimals > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0);
    const bool negative =
        value < 0 && std::any_of(p, buffer + sizeof buffer, [](char c) { return c > '0'; });
    if (negative) *--p = '-';
    out.append(p, buffer + sizeof buffer);
    return true;
}

}  // namespace

void AppendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (!AppendFixedFast(out, value, decimals)) AppendFixedExact(out, value, decimals);
}

void AppendFixedExact(std::string& out, double value, int decimals) {
    if (std::isnan(value)) {
        out += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    // Digits of the result, most significant first; the last `decimals` of them
    // are the fraction. Built from the 18-digit form, rounded at the cut.
    char kept[SignificantDigits + 400];
    int count = 0;
    int exponent = 0;
    if (value != 0) {
        char digits[SignificantDigits];
        DecimalDigits(std::fabs(value), digits, exponent);
        const int keep = exponent + decimals + 1;  // digits down to 10^-decimals
        if (keep >= 0) {
            const int copied = keep < SignificantDigits ? keep : SignificantDigits;
            std::memcpy(kept, digits, static_cast<std::size_t>(copied));
            for (count = copied; count < keep; ++count) kept[count] = '0';
            if (keep < SignificantDigits && digits[keep] >= '5') {
                int i = count - 1;
                while (i >= 0 && kept[i] == '9') kept[i--] = '0';
                if (i >= 0) {
                    ++kept[i];
                } else {
                    std::memmove(kept + 1, kept, static_cast<std::size_t>(count));
                    kept[0] = '1';
                    ++count;
                    ++exponent;
                }
            }
        }
    }
    // Leading zeros up to one integer digit and the full fraction.
    const int integerDigits = count - decimals;
    bool nonZero = false;
    for (int i = 0; i < count; ++i) nonZero |= kept[i] != '0';
    if (value < 0 && nonZero) out += '-';
    if (integerDigits <= 0) {
        out += '0';
    } else {
        out.append(kept, static_cast<std::size_t>(integerDigits));
    }
    if (decimals > 0) {
        out += '.';
        for (int i = integerDigits; i < 0; ++i) out += '0';
        const int fractionStart = integerDigits > 0 ? integerDigits : 0;
        out.append(kept + fractionStart, static_cast<std::size_t>(count - fractionStart));
    }
}

std::string FormatFixed(double value, int decimals) {
    std::string out;
    AppendFixed(out, value, decimals);
    return out;
}

}  // namespace velquist
