// Scene assembly per cover type: SelectCover makes a catalogue entry current,
// binds the face and book images and the colours to the objects its type
// names, and shapes the image groups and option groups around it.
#pragma once

#include <array>
#include <string_view>

namespace tessaly {

class MainState;

// The objects that take face images 1, 2 and 3 for a cover type ("" binds
// nothing).
std::array<std::string_view, 3> FaceObjects(std::string_view id);

// Runs for entry `entry` (1-based); does nothing while rendering is not yet
// enabled. Does not touch the combo box and does not set Modified.
void SelectCover(MainState& state, int entry);

// Writes the current type's optimal image sizes into the "Optimal size"
// labels (a language switch overwrites them with the language file's text).
void ShowOptimalSizes(MainState& state);

// The thumbnails and optimal sizes of the customizable box follow its three
// dimension factors; nothing happens for other types.
void UpdateCustomBoxSizes(MainState& state);

}  // namespace tessaly
