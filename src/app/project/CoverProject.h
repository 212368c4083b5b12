// Cover projects and templates as commands of the main window: writing the
// current cover into a ".eco" project or a ".tem" template, and reading one
// back by setting the stored controls (which runs their change handlers), the
// colours and the image slots, whose embedded files become the working copies
// in the images folder. Messages and status texts go through the user port
// under their language keys.
#pragma once

#include <string>
#include <vector>

#include "core/project/CoverFile.h"

namespace tessaly {

class MainState;

// Writes the current cover to `path` (through a temporary file renamed over
// it when complete). Returns false, with the message shown, when a main image
// is missing ("im1notfound".."im3notfound", nothing written) or the writing
// fails (the old file stays, Modified stays set). Clears Modified on success.
bool WriteCoverProject(MainState& state, const std::string& path);

// Reads a project and makes it the current cover. Returns false when the
// file cannot be read, has the wrong magic ("notvalidcover", nothing changed)
// or ends inside a section (an error naming the file; what was applied before
// stays applied). Missing images after reading are reported ("filenotfound")
// but do not make it fail. An embedded image the file cuts short is kept as
// far as it goes, and a warning under kDamagedProjectKey names the file and
// the image.
bool ReadCoverProject(MainState& state, const std::string& path);

// The key of the warning that a project is damaged (its text is not
// translated: it names the file and the incomplete image).
inline constexpr const char* kDamagedProjectKey = "damagedproject";

// Writes the cover type, its options, the cover position, the camera and the
// light position. Modified is not touched.
bool WriteTemplate(MainState& state, const std::string& path);

// Reads a template ("notvalidtemplate" for a wrong magic); shows no status
// texts and does not rebuild the cover (SelectCover is the caller's).
bool ReadTemplate(MainState& state, const std::string& path);

// The sections 0x01..0x04 (cover position, camera, field of view, light)
// from the current controls; the shipped reset template is made of these.
std::vector<CoverSection> ViewSections(MainState& state);

// The menu commands with their file dialogs ("SaveCoverDialog",
// "OpenCoverDialog", "SaveTemplateDialog", "OpenTemplateDialog").
void SaveeCover1Click(MainState& state);
void OpeneCover1Click(MainState& state);

// Before a command replaces the cover: when it has unsaved changes, asks
// "sceco" with Yes, No and Cancel. Yes saves through the save dialog, No
// discards; either way the command goes on (true). Cancel, Escape or closing
// the box answer false: the command must then do nothing.
bool OfferToSaveChanges(MainState& state);
void SaveTemplate1Click(MainState& state);
void OpenTemplate1Click(MainState& state);

// Shows the text of a language key in the first status bar panel.
void ShowStatusKey(MainState& state, const std::string& key);
// Shows the text of a language key in a message box.
void ShowMessageKey(MainState& state, const std::string& key, const std::string& suffix = {});

}  // namespace tessaly
