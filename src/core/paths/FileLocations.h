// FileLocations: where every file the program reads or writes lies. This is
// the one place that knows the two layouts:
//
// - portable: the executables' folder holds the shipped data (Tsym/, Data/,
//   Languages/, Help/, settings.ini) and is writable; the program writes its
//   settings, working copies, screenshots, templates, driver log and update
//   markers beside itself. The build folder is such a folder.
// - installed: the executables lie in <prefix>/bin, the read-only data in
//   <prefix>/share/tessaly/, and each user's files in the XDG folders:
//   settings in $XDG_CONFIG_HOME/tessaly/, working copies and templates in
//   $XDG_DATA_HOME/tessaly/, the driver log and update markers in
//   $XDG_STATE_HOME/tessaly/, saved pictures in the Pictures folder under
//   "Tessaly/".
//
// The program tells them apart by itself (LocateFiles); TESSALY_PROGRAM_FOLDER
// forces a portable folder. Every folder below ends in "/".
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

enum class Layout { Portable, Installed };

struct FileLocations {
    Layout Kind = Layout::Portable;
    // The shipped, read-only data: models, placeholder pictures, languages,
    // manual, start project, reset template and the default settings.
    std::string Data;
    // The executables (the built-in editor is started from here).
    std::string Programs;
    // The settings file read and rewritten by the options.
    std::string Settings;
    // Where working copies of images go; each window takes a folder of its
    // own inside (WorkingFolder).
    std::string Images;
    std::string Templates;
    std::string Screenshots;
    // The driver capabilities log and the update check's markers.
    std::string Log;
    std::string UpdateMarkers;

    // A file among the shipped data, e.g. DataFile("Data/blank.jpg").
    std::string DataFile(std::string_view relative) const;
    // The settings file the program ships with (copied for a new user).
    std::string DefaultSettings() const;
    std::string BuiltInEditor() const;
};

// The user's base folders as the XDG conventions give them; each ends in "/".
struct UserFolders {
    std::string ConfigHome;  // $XDG_CONFIG_HOME or ~/.config
    std::string DataHome;    // $XDG_DATA_HOME or ~/.local/share
    std::string StateHome;   // $XDG_STATE_HOME or ~/.local/state
    std::string Pictures;    // XDG_PICTURES_DIR of user-dirs.dirs or ~/Pictures
};

// Everything beside `folder` (the portable layout).
FileLocations PortableLocations(const std::string& folder);
// Data in `dataFolder`, executables in `programsFolder`, user files under `user`.
FileLocations InstalledLocations(const std::string& dataFolder, const std::string& programsFolder,
                                 const UserFolders& user);

// The base folders from this process's environment ($HOME, $XDG_*_HOME and
// the user-dirs file); relative values are ignored, as the conventions say.
UserFolders UserFoldersFromEnvironment();

// Decides the layout for executables in `executableFolder`:
// - `forcedFolder` not empty: portable there;
// - the executables' folder holds the data and is writable: portable;
// - "../share/tessaly/" beside it (as installed) holds the data: installed;
// - the executables' folder holds the data but is read-only: installed with
//   that data (a read-only copy of a portable folder);
// - otherwise portable (missing data is then reported as it always was).
FileLocations LocateFiles(const std::string& executableFolder, const std::string& forcedFolder,
                          const UserFolders& user);

// LocateFiles for this process: its executable's folder and
// TESSALY_PROGRAM_FOLDER.
FileLocations FindFileLocations();

// Makes what a user's first start needs: in the installed layout the folders
// for settings and the log, and the settings file copied from the shipped
// defaults when the user has none. Failures are left for the readers and
// writers to report; returns false when the settings could not be made.
bool PrepareUserFiles(const FileLocations& files);

}  // namespace tessaly
