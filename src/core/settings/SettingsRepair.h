// SettingsRepair: what is done with a damaged "settings.ini". A value the
// program cannot use at all (a key that is missing, a depth or frame count
// that is not a number, a language that names no file) is replaced by the
// shipped default; the user's file is kept beside as "settings.ini.bad" and a
// sound file, with every readable value of the user's, takes its place.
// Values that are merely unusual ("On" for "on") are the user's and stay.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/SettingsFile.h"

namespace tessaly {

// The shipped value of each key, in the order of kSettingsKeys.
inline constexpr std::array<std::string_view, 9> kSettingsDefaults = {
    "builtined", "on", "on", "view", "24", "English.ini", "on", "20", "classic",
};
static_assert(kSettingsDefaults.size() == kSettingsKeys.size());

// The keys whose values are missing or cannot be used, in the order of
// kSettingsKeys.
std::vector<std::string> UnreadableSettings(const TSettingsFile& settings);

// True when the file needs repairing: a value is there but cannot be used,
// or the editor key is not first, or the depth or the language is missing.
// (A missing "OpenPic", "UpdateCheck", "capture", "dWarning" or "frms" has a
// meaning of its own and alone does not count.)
bool SettingsDamaged(const TSettingsFile& settings);

// When `settings` (loaded from its file) is damaged: renames the
// file to "<file>.bad" (replacing an older one), writes a sound file in its
// place (each key as "[Key]", the user's value where it is readable, the
// default elsewhere), loads it and returns the keys that got defaults.
// Returns nothing and changes nothing when every value is readable or the
// file does not exist. Throws FileError when the files cannot be renamed or
// written; the user's file is then still where it was or at "<file>.bad".
std::vector<std::string> RepairSettings(TSettingsFile& settings);

}  // namespace tessaly
