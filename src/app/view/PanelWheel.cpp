#include "app/view/PanelWheel.h"

#include <algorithm>

#include "app/MainState.h"

namespace tessaly {

int WheelSum::TakeNotches(int angleDelta) {
    constexpr long long kNotch = 120;
    const long long sum = static_cast<long long>(Rest) + angleDelta;
    const long long notches = sum / kNotch;
    Rest = static_cast<int>(sum - notches * kNotch);
    return static_cast<int>(notches);
}

void OGLPanelWheel(MainState& state, int notches, int step) {
    if (notches == 0 || step <= 0) return;
    ScrollBar& bar = state.Controls.distanceSB;
    // However far the wheel turned, the slider's range is the limit.
    const long long range = bar.Max - bar.Min;
    const long long move =
        std::clamp<long long>(static_cast<long long>(notches) * step, -range, range);
    bar.SetPosition(bar.Position - static_cast<int>(move));
}

}  // namespace tessaly
