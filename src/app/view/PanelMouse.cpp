#include "app/view/PanelMouse.h"

#include <algorithm>

#include "app/MainState.h"

namespace tessaly {

PanelCursor OGLPanelMouseDown(PanelDrag& drag, PanelButton button, int x, int y) {
    switch (button) {
        case PanelButton::Left:
            drag.LastX = x;
            drag.LastY = y;
            drag.RotateDrag = true;
            return PanelCursor::PointingHand;
        case PanelButton::Right:
            drag.LastX = x;
            drag.LastY = y;
            drag.ZoomDrag = true;
            return PanelCursor::SizeVertical;
        case PanelButton::Middle:
            drag.LastX = x;
            drag.LastY = y;
            drag.PanDrag = true;
            return PanelCursor::SizeAll;
        case PanelButton::Other:
            break;
    }
    if (drag.RotateDrag) return PanelCursor::PointingHand;
    if (drag.ZoomDrag) return PanelCursor::SizeVertical;
    if (drag.PanDrag) return PanelCursor::SizeAll;
    return PanelCursor::Arrow;
}

void OGLPanelMouseMove(MainState& state, PanelDrag& drag, int x, int y) {
    SceneSettings& s = state.Session.TheScene.Settings;
    MainControls& c = state.Controls;

    if (drag.RotateDrag) {
        // One degree per pixel; moving down tilts the camera further over.
        s.CameraLift = std::clamp(s.CameraLift - static_cast<float>(drag.LastY - y), 0.0f, 90.0f);
        c.liftSB.SetPosition(static_cast<int>(s.CameraLift));
        float rotate = s.CameraRotate - static_cast<float>(drag.LastX - x);
        if (rotate < 0.0f) rotate += 360.0f;
        if (rotate > 360.0f) rotate -= 360.0f;
        s.CameraRotate = rotate;
        drag.LastX = x;
        drag.LastY = y;
        c.rotateSB.SetPosition(static_cast<int>(s.CameraRotate));
    }
    if (drag.ZoomDrag) {
        // Moving up moves the camera away, one unit per 20 pixels.
        s.Distance = std::clamp(s.Distance + static_cast<float>(drag.LastY - y) / 20.0f,
                                s.MinDistance, s.MaxDistance);
        // The slider takes the distance cut to its 0.05 steps. The sum is a
        // 32-bit float (16.05 + 0.05 is 16.0999994), so it is lifted by a
        // thousandth of a step before the cut: a plain cut would leave the
        // slider one step short and lose that pixel of the drag.
        c.distanceSB.SetPosition(
            static_cast<int>(static_cast<double>(s.Distance) * DistanceScale + 1e-3));
        drag.LastX = x;
        drag.LastY = y;
    }
    if (drag.PanDrag) {
        c.StrafeSB.SetPosition(c.StrafeSB.Position + (drag.LastX - x));
        c.FrontBackSB.SetPosition(c.FrontBackSB.Position + (drag.LastY - y));
        drag.LastX = x;
        drag.LastY = y;
    }
}

PanelCursor OGLPanelMouseUp(PanelDrag& drag) {
    drag.RotateDrag = false;
    drag.ZoomDrag = false;
    drag.PanDrag = false;
    return PanelCursor::Arrow;
}

}  // namespace tessaly
