// CoverParameters: the cover's own parameters (current catalogue entry,
// dimensions of the customizable box, case angle, spine and spiral colours,
// unsaved-changes flag), plus the conversions between the scroll bars that
// edit them and the values and labels shown beside those bars.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly {

// A colour: red in the low byte, green in the next, blue in the third.
using Color24 = std::uint32_t;
inline constexpr Color24 kWhite = 0xFFFFFF;

struct CoverParameters {
    std::int32_t Entry = 1;  // current catalogue entry, 1-based
    float WidthFactor = 1.0f;
    float HeightFactor = 1.0f;
    float DepthFactor = 1.0f;
    float CaseAngle = 0.0f;  // whole degrees, 0 to 180
    Color24 SpineColor = kWhite;
    Color24 SpiralColor = kWhite;
    bool Modified = false;
};

// The dimension scroll bars (width, height, depth).
inline constexpr int kDimensionMin = 0;
inline constexpr int kDimensionMax = 200;
inline constexpr int kDimensionInitial = 95;  // the position nearest a factor of 1
// The case angle scroll bar.
inline constexpr int kCaseAngleMin = 0;
inline constexpr int kCaseAngleMax = 180;
inline constexpr int kCaseAngleInitial = 0;

// The factor of a dimension bar position: p / 200 * 1.9 + 0.1, as a 32-bit
// float (0.1 at 0, 1.0025 at 95, 2.0 at 200). A position outside 0..200 is
// taken as the nearest end, as the bar itself would hold it.
float FactorFromPosition(int position);

// `value` cut (truncated toward zero) to two decimals and written in its
// shortest form with `decimalSeparator`: 1, 1.5, 0.1, -0.5, 0.29. Infinities
// and NaN come out as "INF", "-INF" and "NAN".
std::string FormatHundredths(double value, char decimalSeparator);
// The same with the user's decimal separator (LocaleDecimalSeparator, looked
// up once).
// A number in its shortest decimal form, up to 15 significant digits,
// without trailing zeros, with the given (or the locale's) separator.
std::string FormatDecimal(double value, char decimalSeparator);
std::string FormatDecimal(double value);
// A whole number in decimal.
std::string FormatWhole(long long value);
std::string FormatHundredths(double value);

// The decimal separator of the user's numeric locale (LC_ALL, LC_NUMERIC,
// LANG), or '.' when it cannot be found or is not a single byte. The
// process's own locale is not changed.
char LocaleDecimalSeparator();

}  // namespace tessaly
