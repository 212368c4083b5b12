// ImageSlots: what the Select, Edit and Refresh buttons of an image slot do
// outside the widgets: the working copy in "Images" under the slot's fixed
// name, the new texture, and starting the external editor.
#pragma once

#include <string>

namespace tessaly {

class MainState;

// ProgramFolder + "Images/" + `name` + the extension of `chosen` (letter case
// kept). Copies `chosen` over it unless they are the same file; a failing
// copy is not reported (the path is used all the same).
std::string MakeWorkingCopy(const std::string& programFolder, const std::string& name,
                            const std::string& chosen);

// The program that edits images: the setting "DefaultEditor", where
// "PBRUSH" stands for the first of a few common paint programs found in PATH;
// empty means the desktop's default handler.
std::string ResolveEditor(const std::string& setting);

// Starts the editor on `path` without waiting; failures are not reported.
void StartEditor(const std::string& editorSetting, const std::string& path);

// Replaces the floor texture from a picture file (any format the readers know)
// or, with `fileRoad`, through the texture file readers (BMP, JPEG, TGA).
bool SetFloorImage(MainState& state, const std::string& path, bool fileRoad);

}  // namespace tessaly
