#include "app/scene/TypedValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "app/MainState.h"
#include "core/model/CoverParameters.h"
#include "core/util/Text.h"

namespace tessaly {

namespace {

double Factor(const ScrollBar&, int p) {
    return FactorFromPosition(p);
}

constexpr std::string_view kDegreeSign = "\u00B0";

}  // namespace

std::vector<ValueLabel> TypedValueLabels(MainControls& c) {
    std::vector<ValueLabel> labels = ValueLabels(c);
    // The dimension bars' labels show the factor, cut to two decimals.
    labels.push_back({&c.BWidthSB, &c.Label49, Factor, 2, false});
    labels.push_back({&c.BHeightSB, &c.Label50, Factor, 2, false});
    labels.push_back({&c.BDepthSB, &c.Label51, Factor, 2, false});
    return labels;
}

ValueRange RangeOf(const ValueLabel& entry) {
    const ScrollBar& s = *entry.slider;
    const double a = entry.value(s, s.Min);
    const double b = entry.value(s, s.Max);
    return {std::min(a, b), std::max(a, b)};
}

std::string RangeEndText(const ValueLabel& entry, double value) {
    const double scale = std::pow(10.0, entry.decimals);
    return FormatDecimal(std::round(value * scale) / scale + 0.0) +
           (entry.degrees ? std::string(kDegreeSign) : "");
}

std::optional<double> ParseTypedNumber(std::string_view text, char decimalSeparator) {
    text = TrimBlanks(text);
    if (text.size() >= kDegreeSign.size() &&
        text.substr(text.size() - kDegreeSign.size()) == kDegreeSign)
        text = TrimBlanks(text.substr(0, text.size() - kDegreeSign.size()));
    std::string plain;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') plain += '-';
        text.remove_prefix(1);
    }
    bool digits = false;
    bool separator = false;
    for (const char ch : text) {
        if (ch >= '0' && ch <= '9') {
            plain += ch;
            digits = true;
        } else if (ch == decimalSeparator && !separator) {
            plain += '.';
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value + 0.0;
}

std::optional<int> TypedPosition(const ValueLabel& entry, std::string_view text,
                                 char decimalSeparator) {
    const std::optional<double> typed = ParseTypedNumber(text, decimalSeparator);
    if (!typed) return std::nullopt;
    const ValueRange range = RangeOf(entry);
    // Room for the ends' rounding only (the dimension factors are floats).
    constexpr double slack = 1e-6;
    if (*typed < range.low - slack || *typed > range.high + slack) return std::nullopt;
    const ScrollBar& s = *entry.slider;
    int best = s.Min;
    double bestDistance = std::fabs(entry.value(s, s.Min) - *typed);
    for (int p = s.Min + 1; p <= s.Max; ++p) {
        const double distance = std::fabs(entry.value(s, p) - *typed);
        if (distance < bestDistance) {
            best = p;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace tessaly
