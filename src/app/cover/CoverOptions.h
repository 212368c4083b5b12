// The options of particular cover types on the eCover tab: the customizable
// box's three dimension bars, the case angle of the CD and DVD cases, and the
// spine and spiral colours of the flat book and the spiral notebooks.
#pragma once

namespace tessaly {

class MainState;

// Connects the change handlers of the dimension and case angle bars.
void BindCoverOptions(MainState& state);

void BWidthSBChange(MainState& state);
void BHeightSBChange(MainState& state);
void BDepthSBChange(MainState& state);
void caseAngleSBChange(MainState& state);
// "Change" of the spine colour (scDialog) and the spiral colour (spiralcDialog).
void BitBtn27Click(MainState& state);
void BitBtn28Click(MainState& state);

// Puts a colour into the swatch and the parameter and applies it to the
// current model when its type uses it (projects and new covers use these).
void ApplySpineColor(MainState& state, unsigned color);
void ApplySpiralColor(MainState& state, unsigned color);

}  // namespace tessaly
