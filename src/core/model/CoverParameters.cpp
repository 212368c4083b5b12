#include "core/model/CoverParameters.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tessaly {

namespace {

// Values reach the labels as 32-bit floats (0.29f is 0.28999999165...) or as
// products carrying a rounding error (0.29 * 100 is 28.999999999999996), and a
// plain cut would show them a hundredth too low. Before cutting, the number of
// hundredths is lifted by one millionth of itself, at most by a thousandth of
// a hundredth: far more than a float's rounding error for the values the
// sliders produce (about 6e-8 of the value), far less than the distance
// between a hundredth and any of those values, and too little to move a large
// value held exactly in double precision.
constexpr double kCutTolerance = 1e-6;
constexpr double kMaxLift = 1e-3;

// From this magnitude on the hundredths no longer fit in the 15 significant
// digits the labels show, so the value is written as it is.
constexpr double kPlainLimit = 1e13;

std::string General15(double value, char decimalSeparator) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    std::replace(s.begin(), s.end(), '.', decimalSeparator);
    return s;
}

}  // namespace

float FactorFromPosition(int position) {
    const int p = std::clamp(position, kDimensionMin, kDimensionMax);
    // Worked out in extended precision and stored once as a float, so that
    // 95 gives the float nearest 1.0025 and 200 gives exactly 2.
    const long double factor = static_cast<long double>(p) / kDimensionMax * 1.9L + 0.1L;
    return static_cast<float>(factor);
}

std::string FormatHundredths(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (std::fabs(value) >= kPlainLimit) return General15(value, decimalSeparator);

    double scaled = value * 100.0;
    scaled += std::copysign(std::min(std::fabs(scaled) * kCutTolerance, kMaxLift), scaled);
    const double cut = std::trunc(scaled);
    if (cut == 0) return "0";  // also for -0.001: no "-0"

    const bool negative = cut < 0;
    const auto hundredths = static_cast<std::uint64_t>(std::fabs(cut));
    std::string s = negative ? "-" : "";
    s += std::to_string(hundredths / 100);
    const unsigned fraction = static_cast<unsigned>(hundredths % 100);
    if (fraction != 0) {
        s += decimalSeparator;
        s += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) s += static_cast<char>('0' + fraction % 10);
    }
    return s;
}

std::string FormatDecimal(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";  // no "-0"
    return General15(value, decimalSeparator);
}

std::string FormatDecimal(double value) {
    static const char separator = LocaleDecimalSeparator();
    return FormatDecimal(value, separator);
}

std::string FormatWhole(long long value) { return std::to_string(value); }

std::string FormatHundredths(double value) {
    static const char separator = LocaleDecimalSeparator();
    return FormatHundredths(value, separator);
}

char LocaleDecimalSeparator() {
    // A locale object of its own, built from the environment, leaves the
    // process's numeric locale (and so every number parser in it) untouched.
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return '.';
    char separator = '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, loc);
    if (radix != nullptr && std::strlen(radix) == 1) separator = radix[0];
    freelocale(loc);
    return separator;
}

}  // namespace tessaly
