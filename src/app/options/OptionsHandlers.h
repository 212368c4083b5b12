// The options dialog's handlers and the settings load at start. Every change
// is written to "settings.ini" at once. Checking a box or a radio button from
// code runs its click handler when its state changes, so loading the settings
// into the controls also writes normalised values back, exactly as a user's
// clicks would.
#pragma once

#include <string>

namespace tessaly {

class MainState;

// Connects the dialog's handlers; MainState's constructor calls it.
void BindOptionsHandlers(MainState& state);

// Start-up step 8: reads "settings.ini" from the program folder and sets the
// editor path and the dialog's controls. A damaged file (a missing key, a
// depth or frame count that is not a number, no language file name) is kept
// as "settings.ini.bad" and replaced by a sound one with the shipped defaults
// for what could not be read; one warning says so. Without any settings file
// a "CDepth" that is not a number throws std::invalid_argument.
void LoadSettings(MainState& state);

// Each opening of the dialog: the editor label, then the size mode and the
// colour depth as stored. Throws std::invalid_argument for a non-numeric
// "CDepth" (the dialog is then not shown).
void OptionsFormShow(MainState& state);

// "Select": the editor program chosen in the file dialog "SelectEditor".
void OptionsBitBtn1Click(MainState& state);
// "Switch to default": the desktop's paint program, after a fixed question.
void OptionsDefSwitchClick(MainState& state);
// "Built-in editor": the program's own editor beside the executable, after a
// fixed question.
void OptionsBitBtn3Click(MainState& state);
// "OK": stores the size mode of the checked button (the window then closes).
void OptionsBitBtn2Click(MainState& state);

// The built-in image editor's file name inside the program folder.
inline constexpr const char* kBuiltInEditorName = "builtined";

// The decimal integer of a settings value; throws std::invalid_argument
// naming the value when it is not one.
int SettingToInt(const std::string& value);

}  // namespace tessaly
