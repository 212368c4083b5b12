// PanelMouse: dragging in the rendering panel. The left button turns and
// tilts the camera, the right button zooms, the middle button shifts the
// scene; each move goes through the matching slider so its change handler
// stores the value, updates the label and marks the cover modified.
#pragma once

namespace tessaly {

class MainState;

enum class PanelButton { Left, Right, Middle, Other };
// The cursor the panel shows: the normal arrow, a pointing hand while
// turning, up-down arrows while zooming, the four-headed arrow while shifting.
enum class PanelCursor { Arrow, PointingHand, SizeVertical, SizeAll };

struct PanelDrag {
    bool RotateDrag = false;
    bool ZoomDrag = false;
    bool PanDrag = false;
    int LastX = 0;
    int LastY = 0;
};

PanelCursor OGLPanelMouseDown(PanelDrag& drag, PanelButton button, int x, int y);
void OGLPanelMouseMove(MainState& state, PanelDrag& drag, int x, int y);
// Any button released ends every drag.
PanelCursor OGLPanelMouseUp(PanelDrag& drag);

}  // namespace tessaly
