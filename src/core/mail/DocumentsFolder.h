// DocumentsFolder: where files meant for mailing are written, the user's
// documents folder. The desktop may name one (the GUI asks Qt), the XDG
// settings may name one ($XDG_DOCUMENTS_DIR, or XDG_DOCUMENTS_DIR in
// "user-dirs.dirs"), and ~/Documents is the fallback. A folder that exists
// is preferred; otherwise the first one that can be made is made.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The value of XDG_DOCUMENTS_DIR in the text of a "user-dirs.dirs" file,
// with "$HOME" expanded to `home`; "" when the file does not set it.
std::string UserDirsDocuments(std::string_view userDirsText, std::string_view home);
// The same for any entry of the file ("XDG_PICTURES_DIR", ...).
std::string UserDirsEntry(std::string_view userDirsText, std::string_view name,
                          std::string_view home);

// The places to try, in order, without empty or relative entries and
// without repeats: `preferred`, `xdgEnv`, `userDirs`, then `home`/Documents.
std::vector<std::filesystem::path> DocumentsCandidates(const std::string& preferred,
                                                       const std::string& xdgEnv,
                                                       const std::string& userDirs,
                                                       const std::string& home);

// The first candidate that is a folder; else the first that can be created
// (with its parents); nullopt when there is none.
std::optional<std::filesystem::path> ChooseDocumentsFolder(
    const std::vector<std::filesystem::path>& candidates);

// The documents folder from this process's environment ($XDG_DOCUMENTS_DIR,
// $XDG_CONFIG_HOME or ~/.config "/user-dirs.dirs", $HOME), `preferred` first.
std::optional<std::filesystem::path> FindDocumentsFolder(const std::string& preferred = {});

}  // namespace tessaly
