// FitToView: frames the whole cover in the panel by setting the camera
// distance (and, for a cover too small at the nearest distance, the
// front/back shift) and the elevation through their sliders (so values, labels,
// Modified and the history follow as for a slider move). The cover's
// projected box is brought to about 80 % of the panel's smaller side and
// centred vertically, as far as the sliders' ranges allow; turn, tilt and
// the cover's own position stay as they are.
#pragma once

namespace tessaly {

class MainState;

// The panel is width x height pixels. Does nothing without a cover.
void FitCoverToView(MainState& state, int width, int height);

// The share of the panel's smaller side that the cover's projected box
// (its larger side) covers now; 0 without a cover.
double CoverViewShare(MainState& state, int width, int height);

}  // namespace tessaly
