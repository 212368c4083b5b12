// DialogFolders: the folder each file dialog starts in. Dialogs are grouped
// by the kind of file they handle; each kind starts in the user's own
// Pictures (pictures to use, pictures saved) or Documents (projects,
// templates) folder the first time, then in the folder of the file last
// chosen for that kind, remembered in settings.ini. The program's working
// folders ("Images", "Screenshots") are never offered by default: opening a
// project overwrites them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

class TSettingsFile;

enum class FileKind { Pictures, Projects, Templates, SavedPictures };

// The kind of a named file dialog ("OpenPicture", "SaveCoverDialog", ...);
// nullopt for a dialog with no remembered folder (choosing an editor).
std::optional<FileKind> FileKindOfDialog(std::string_view dialog);

// The settings key that remembers the kind's last folder. No key contains
// another key of the settings file, nor is contained in one.
std::string_view FolderKey(FileKind kind);

// The user's folders a kind starts in before anything is remembered.
struct DialogStartFolders {
    std::string pictures;
    std::string documents;
    std::string home;
};

// The remembered folder when it still is a folder, else the kind's user
// folder when it exists, else the home folder (empty when none exists).
std::string StartFolder(const TSettingsFile& settings, FileKind kind, const DialogStartFolders& user);

// Remembers the folder holding `chosenFile` for its kind. A folder whose
// name cannot be stored on one line is not remembered; a settings file that
// cannot be written leaves the remembered folder as it was.
void RememberFolder(TSettingsFile& settings, FileKind kind, const std::string& chosenFile);

}  // namespace tessaly
