#include "app/scene/ValueLabels.h"

#include <algorithm>
#include <cmath>

#include "app/MainState.h"
#include "core/model/CoverParameters.h"

namespace tessaly {

namespace {

double Position(const ScrollBar&, int p) {
    return p;
}
double Fiftieths(const ScrollBar&, int p) {
    return p / 50.0;
}
double Tenths(const ScrollBar&, int p) {
    return p / 10.0;
}
double Twentieths(const ScrollBar&, int p) {
    return p / 20.0;
}
double LightX(const ScrollBar& s, int p) {
    return (p - (s.Max - s.Min) / 2.0) / 10.0;
}
double Elevation(const ScrollBar& s, int p) {
    return (p - s.Max / 2.0) * 1.5 / s.Max;
}
double HundredthsFromMiddle(const ScrollBar&, int p) {
    return (100 - p) / 100.0;
}

}  // namespace

std::vector<ValueLabel> ValueLabels(MainControls& c) {
    return {
        {&c.distanceSB, &c.DistanceValue, Twentieths, 2, false},
        {&c.rotateSB, &c.Label44, Position, 0, true},
        {&c.liftSB, &c.Label45, Position, 0, true},
        {&c.ScrollBar9, &c.ElevationValue, Elevation, 3, false},
        {&c.StrafeSB, &c.StrafeValue, HundredthsFromMiddle, 2, false},
        {&c.FrontBackSB, &c.FrontBackValue, HundredthsFromMiddle, 2, false},
        {&c.ScrollBar11, &c.FOVLabel, Position, 0, true},
        {&c.ScrollBar4, &c.Label17, Position, 0, true},
        {&c.ScrollBar5, &c.Label47, Position, 0, true},
        {&c.ScrollBar10, &c.Label58, Position, 0, true},
        {&c.ScrollBar6, &c.Label48, Fiftieths, 2, false},
        {&c.LightXSB, &c.Label40, LightX, 1, false},
        {&c.LightYSB, &c.Label41, Tenths, 1, false},
        {&c.LightZSB, &c.Label42, Tenths, 1, false},
        {&c.caseAngleSB, &c.CALabel, Position, 0, true},
    };
}

std::string ValueText(const ValueLabel& entry, int position) {
    const double scale = std::pow(10.0, entry.decimals);
    // Rounded to what the slider can set; adding zero turns -0 into 0.
    const double value = std::round(entry.value(*entry.slider, position) * scale) / scale + 0.0;
    return FormatDecimal(value) + (entry.degrees ? "\u00B0" : "");
}

std::string WidestValueText(const ValueLabel& entry) {
    const ScrollBar& s = *entry.slider;
    const double low = entry.value(s, s.Min);
    const double high = entry.value(s, s.Max);
    const double largest = std::max(std::fabs(low), std::fabs(high));
    int digits = 1;
    while (digits < 15 && largest >= std::pow(10.0, digits)) ++digits;
    std::string text = (std::min(low, high) < 0 ? "-" : "") + std::string(digits, '8');
    if (entry.decimals > 0)
        text += FormatDecimal(0.5).substr(1, 1) + std::string(entry.decimals, '8');
    return text + (entry.degrees ? "\u00B0" : "");
}

void RefreshValueLabels(MainControls& controls) {
    for (const ValueLabel& entry : ValueLabels(controls))
        entry.label->SetCaption(ValueText(entry, entry.slider->Position));
}

void BindValueLabels(MainState& state) {
    for (const ValueLabel& entry : ValueLabels(state.Controls)) {
        ScrollBar& slider = *entry.slider;
        slider.OnChange = [entry, handler = std::move(slider.OnChange)] {
            if (handler) handler();
            entry.label->SetCaption(ValueText(entry, entry.slider->Position));
        };
    }
    RefreshValueLabels(state.Controls);
}

}  // namespace tessaly
