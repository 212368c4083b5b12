#include "app/view/FitToView.h"

#include <algorithm>
#include <cmath>

#include "app/MainState.h"
#include "render/ViewGeometry.h"

namespace tessaly {

namespace {

constexpr double kTargetShare = 0.8;

ScreenBox BoxNow(MainState& state, int width, int height) {
    const TmodelEMO* model = state.CurrentModel();
    if (!model) return {};
    return CoverProjection(state.Session.TheScene.Settings, *model, width, height).Bounds();
}

double Share(const ScreenBox& box, int width, int height) {
    if (box.Empty) return 0.0;
    return std::max(box.Width(), box.Height()) / std::max(1, std::min(width, height));
}

// Moves the elevation slider so that the box's middle is the panel's, by a
// few secant steps (the middle moves almost linearly with the elevation).
void CentreVertically(MainState& state, int width, int height) {
    ScrollBar& bar = state.Controls.ScrollBar9;
    auto offset = [&] {
        const ScreenBox box = BoxNow(state, width, height);
        return box.Empty ? 0.0 : (box.Top + box.Bottom) / 2.0 - height / 2.0;
    };
    int a = bar.Position;
    double fa = offset();
    int b = std::clamp(a + (fa > 0 ? -5 : 5), bar.Min, bar.Max);
    for (int i = 0; i < 8 && b != a; ++i) {
        bar.SetPosition(b);
        const double fb = offset();
        if (std::abs(fb) < 0.5 || fb == fa) break;
        const int next = std::clamp(static_cast<int>(std::lround(b - fb * (b - a) / (fb - fa))),
                                    bar.Min, bar.Max);
        a = b;
        fa = fb;
        b = next;
    }
    bar.SetPosition(b);
}

}  // namespace

double CoverViewShare(MainState& state, int width, int height) {
    return Share(BoxNow(state, width, height), width, height);
}

namespace {

// The lowest position of `bar` from `lo` to `hi` at which the cover takes no
// more than the target share of the view, found by halving (the share falls
// as the position grows); the bar is left there.
int FirstPositionWithinShare(MainState& state, ScrollBar& bar, int lo, int hi, int width,
                             int height) {
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        bar.SetPosition(mid);
        if (CoverViewShare(state, width, height) > kTargetShare)
            lo = mid + 1;
        else
            hi = mid;
    }
    bar.SetPosition(lo);
    return lo;
}

}  // namespace

void FitCoverToView(MainState& state, int width, int height) {
    if (!state.CurrentModel() || width <= 0 || height <= 0) return;
    ScrollBar& distance = state.Controls.distanceSB;
    // The front/back shift starts from none: it only comes in below.
    ScrollBar& shift = state.Controls.FrontBackSB;
    shift.SetPosition((shift.Min + shift.Max) / 2);
    for (int pass = 0; pass < 2; ++pass) {
        // The nearest distance whose box is no larger than the target.
        const int at =
            FirstPositionWithinShare(state, distance, distance.Min, distance.Max, width, height);
        // A small cover still too small at the nearest distance: the camera
        // moves further forward (the front/back shift along its view).
        if (at == distance.Min && CoverViewShare(state, width, height) < kTargetShare)
            FirstPositionWithinShare(state, shift, shift.Min, shift.Position, width, height);
        // Centring changes the view of the box a little: once more after it.
        CentreVertically(state, width, height);
    }
}

}  // namespace tessaly
