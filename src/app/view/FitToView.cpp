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

void FitCoverToView(MainState& state, int width, int height) {
    if (!state.CurrentModel() || width <= 0 || height <= 0) return;
    ScrollBar& distance = state.Controls.distanceSB;
    // The front/back shift starts from none: it only comes in below.
    ScrollBar& shift = state.Controls.FrontBackSB;
    shift.SetPosition((shift.Min + shift.Max) / 2);
    // The share falls as the distance grows: the nearest position whose box
    // is no larger than the target, found by halving.
    int lo = distance.Min, hi = distance.Max;
    for (int pass = 0; pass < 2; ++pass) {
        lo = distance.Min;
        hi = distance.Max;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            distance.SetPosition(mid);
            if (CoverViewShare(state, width, height) > kTargetShare)
                lo = mid + 1;
            else
                hi = mid;
        }
        distance.SetPosition(lo);
        // A small cover still too small at the nearest distance: the camera
        // moves further forward (the front/back shift along its view).
        ScrollBar& forward = shift;
        if (lo == distance.Min && CoverViewShare(state, width, height) < kTargetShare) {
            int near = forward.Min, far = forward.Position;
            while (near < far) {
                const int mid = near + (far - near) / 2;
                forward.SetPosition(mid);
                if (CoverViewShare(state, width, height) > kTargetShare)
                    near = mid + 1;
                else
                    far = mid;
            }
            forward.SetPosition(near);
        }
        // Centring changes the view of the box a little: once more after it.
        CentreVertically(state, width, height);
    }
}

}  // namespace tessaly
