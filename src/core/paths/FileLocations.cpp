#include "core/paths/FileLocations.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/io/FileIO.h"
#include "core/mail/DocumentsFolder.h"

namespace tessaly {

namespace fs = std::filesystem;

namespace {

#ifndef TESSALY_DATA_FROM_BIN
#define TESSALY_DATA_FROM_BIN "../share/tessaly"
#endif

constexpr std::string_view kAppFolder = "tessaly/";
// The installed data folder, relative to the installed programs' folder.
constexpr const char* kDataFromPrograms = TESSALY_DATA_FROM_BIN;
constexpr std::string_view kSettingsName = "settings.ini";

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// An XDG base folder: the variable when it holds an absolute path, else the
// fallback under $HOME.
std::string BaseFolder(const char* variable, const std::string& home, const char* fallback) {
    const std::string value = Env(variable);
    if (!value.empty() && value.front() == '/') return WithSlash(value);
    return WithSlash(home + fallback);
}

// The shipped data is there when the model catalogue is.
bool HoldsData(const std::string& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder + "Tsym/models.ini", ec);
}

bool Writable(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::string FileLocations::DataFile(std::string_view relative) const {
    return Data + std::string(relative);
}

std::string FileLocations::DefaultSettings() const {
    return DataFile(kSettingsName);
}

std::string FileLocations::BuiltInEditor() const {
    return Programs + "builtined";
}

FileLocations PortableLocations(const std::string& folder) {
    FileLocations f;
    f.Kind = Layout::Portable;
    f.Data = WithSlash(folder);
    f.Programs = f.Data;
    f.Settings = f.Data + std::string(kSettingsName);
    f.Images = f.Data + "Images/";
    f.Templates = f.Data + "Templates/";
    f.Screenshots = f.Data + "Screenshots/";
    f.Log = f.Data + "log.txt";
    f.UpdateMarkers = f.Data + "updts";
    return f;
}

FileLocations InstalledLocations(const std::string& dataFolder, const std::string& programsFolder,
                                 const UserFolders& user) {
    FileLocations f;
    f.Kind = Layout::Installed;
    f.Data = WithSlash(dataFolder);
    f.Programs = WithSlash(programsFolder);
    const std::string config = user.ConfigHome + std::string(kAppFolder);
    const std::string data = user.DataHome + std::string(kAppFolder);
    const std::string state = user.StateHome + std::string(kAppFolder);
    f.Settings = config + std::string(kSettingsName);
    f.Images = data + "Images/";
    f.Templates = data + "Templates/";
    f.Screenshots = user.Pictures + "Tessaly/";
    f.Log = state + "log.txt";
    f.UpdateMarkers = state + "updts";
    return f;
}

UserFolders UserFoldersFromEnvironment() {
    std::string home = Env("HOME");
    if (home.empty() || home.front() != '/') home = "/tmp";
    if (home.back() == '/') home.pop_back();
    UserFolders u;
    u.ConfigHome = BaseFolder("XDG_CONFIG_HOME", home, "/.config");
    u.DataHome = BaseFolder("XDG_DATA_HOME", home, "/.local/share");
    u.StateHome = BaseFolder("XDG_STATE_HOME", home, "/.local/state");
    std::string pictures;
    if (std::ifstream in(u.ConfigHome + "user-dirs.dirs"); in) {
        std::ostringstream text;
        text << in.rdbuf();
        pictures = UserDirsEntry(text.str(), "XDG_PICTURES_DIR", home);
    }
    // A user-dirs entry pointing at $HOME itself means "no such folder".
    if (pictures.empty() || pictures.front() != '/' || WithSlash(pictures) == WithSlash(home))
        pictures = home + "/Pictures";
    u.Pictures = WithSlash(fs::path(pictures).lexically_normal().string());
    return u;
}

FileLocations LocateFiles(const std::string& executableFolder, const std::string& forcedFolder,
                          const UserFolders& user) {
    if (!forcedFolder.empty()) return PortableLocations(forcedFolder);
    const std::string exe = WithSlash(executableFolder);
    const bool exeHoldsData = HoldsData(exe);
    if (exeHoldsData && Writable(exe)) return PortableLocations(exe);
    const std::string share =
        WithSlash(fs::path(exe + kDataFromPrograms).lexically_normal().string());
    if (HoldsData(share)) return InstalledLocations(share, exe, user);
    if (exeHoldsData) return InstalledLocations(exe, exe, user);
    return PortableLocations(exe);
}

FileLocations FindFileLocations() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    const std::string folder = ec ? fs::current_path(ec).string() : exe.parent_path().string();
    return LocateFiles(folder, Env("TESSALY_PROGRAM_FOLDER"), UserFoldersFromEnvironment());
}

bool PrepareUserFiles(const FileLocations& files) {
    if (files.Kind == Layout::Portable) return true;
    std::error_code ec;
    fs::create_directories(fs::path(files.Log).parent_path(), ec);
    fs::create_directories(fs::path(files.Settings).parent_path(), ec);
    if (FileExists(files.Settings)) return true;
    try {
        WriteFileAtomically(files.Settings, ReadWholeFile(files.DefaultSettings()));
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tessaly
