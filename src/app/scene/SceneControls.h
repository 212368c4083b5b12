// The sliders, check boxes and colour buttons of the Scene, Light and Floor
// tabs and of the "eCover Position" group: their change handlers turn control
// positions into SceneSettings, the light and the floor, keep the value labels
// up to date and mark the cover modified where the user changed it.
#pragma once

namespace tessaly {

class MainState;

// Connects every handler; MainState's constructor calls it.
void BindSceneControls(MainState& state);

// Rewrites the range and value labels of the sliders (after a language
// switch, which may overwrite them).
void RefreshSliderLabels(MainState& state);

// "Change" of the background, light and floor colours.
void BitBtn1Click(MainState& state);
void Butcol2(MainState& state);
void Fcolor(MainState& state);

// Puts a colour into a swatch and its scene value, as a project does.
void ApplyBackgroundColor(MainState& state, unsigned color);
void ApplyLightColor(MainState& state, unsigned color);
void ApplyFloorColor(MainState& state, unsigned color);

}  // namespace tessaly
