// CentreCover: puts the middle of the current cover in the middle of the
// view by moving the camera sideways (the Strafe slider). The CD and DVD
// cases turn about their hinge, which is their model's origin, so the scene
// a new cover starts from, made for covers centred on the origin, shows them
// off to one side.
#pragma once

namespace tessaly {

class MainState;
class TmodelEMO;

// How far the middle of the model's extent across the view lies from the
// view's middle, for the cover and camera turns now set (scene units, before
// any strafe).
float ModelOffsetInView(const MainState& state, const TmodelEMO& model);

// Sets the Strafe slider so that the current cover stands in the middle of
// the view. Leaves Modified as it was: this is part of making the cover.
void CentreCoverInView(MainState& state);

}  // namespace tessaly
