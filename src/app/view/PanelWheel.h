// PanelWheel: the mouse wheel over the rendering panel zooms, moving the
// camera distance through its slider (so the value, its label and Modified
// follow as for a slider move). Turning the wheel away from the user brings
// the camera nearer.
#pragma once

namespace tessaly {

class MainState;

// Wheel turns arrive in eighths of a degree; a notch is 120 of them, and
// touchpads send parts of one. Whole notches are taken out of the sum and
// the rest kept for the next event.
struct WheelSum {
    int Rest = 0;
    int TakeNotches(int angleDelta);
};

// Moves the distance slider by `notches` times `step` positions: a positive
// number of notches (away from the user) makes the distance smaller.
void OGLPanelWheel(MainState& state, int notches, int step);

}  // namespace tessaly
