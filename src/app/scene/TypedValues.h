// TypedValues: a number the user types for a slider in place of moving it,
// read in the unit of the slider's value label (with the locale's decimal
// separator) and turned into the slider position whose value is nearest, so
// that it lands on the slider's own steps. The camera, cover, light and case
// sliders take typed values, and so do the cover's dimension bars.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/scene/ValueLabels.h"

namespace tessaly {

// Every slider whose value label takes a typed value.
std::vector<ValueLabel> TypedValueLabels(MainControls& controls);

// The smallest and the largest value the slider can show.
struct ValueRange {
    double low;
    double high;
};
ValueRange RangeOf(const ValueLabel& entry);
// A range's end as the label shows it (separator, degree sign).
std::string RangeEndText(const ValueLabel& entry, double value);

// A plain decimal number: blanks around it, an optional sign, digits with at
// most one `decimalSeparator`, and a degree sign at the end are allowed;
// anything else (letters, exponents, a second separator, the other
// separator) is not a number.
std::optional<double> ParseTypedNumber(std::string_view text, char decimalSeparator);

// The slider position for `text`: the one whose value is nearest the typed
// number; nullopt when the text is not a number or lies outside the range.
std::optional<int> TypedPosition(const ValueLabel& entry, std::string_view text,
                                 char decimalSeparator);

}  // namespace tessaly
