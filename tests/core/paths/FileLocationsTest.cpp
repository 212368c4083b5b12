// Where files live in the two layouts, and how the program tells them apart.
#include "core/paths/FileLocations.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file, const std::string& text = "x") {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

// A folder holding the shipped data (the catalogue is what marks it).
void MakeData(const fs::path& folder) {
    Touch(folder / "Tsym/models.ini");
    Touch(folder / "settings.ini", "[DefaultEditor]\r\nPBRUSH\r\n");
}

UserFolders User(const fs::path& home) {
    return {home.string() + "/config/", home.string() + "/data/", home.string() + "/state/",
            home.string() + "/Pictures/"};
}

bool Under(const std::string& path, const fs::path& folder) {
    return path.rfind(folder.string() + "/", 0) == 0;
}

// Sets environment variables for one test and restores them afterwards.
class Environment {
  public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        unsetenv(name);
    }
    ~Environment() {
        for (auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

  private:
    void Remember(const char* name) {
        for (auto& s : saved_)
            if (s.first == name) return;
        const char* v = std::getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(FileLocations, PortableKeepsEverythingBesideTheProgram) {
    const FileLocations f = PortableLocations("/opt/tessaly");
    EXPECT_EQ(f.Kind, Layout::Portable);
    EXPECT_EQ(f.Data, "/opt/tessaly/");
    EXPECT_EQ(f.Programs, "/opt/tessaly/");
    EXPECT_EQ(f.Settings, "/opt/tessaly/settings.ini");
    EXPECT_EQ(f.DefaultSettings(), "/opt/tessaly/settings.ini");
    EXPECT_EQ(f.Images, "/opt/tessaly/Images/");
    EXPECT_EQ(f.Templates, "/opt/tessaly/Templates/");
    EXPECT_EQ(f.Screenshots, "/opt/tessaly/Screenshots/");
    EXPECT_EQ(f.Log, "/opt/tessaly/log.txt");
    EXPECT_EQ(f.UpdateMarkers, "/opt/tessaly/updts");
    EXPECT_EQ(f.BuiltInEditor(), "/opt/tessaly/builtined");
    EXPECT_EQ(f.DataFile("Data/blank.jpg"), "/opt/tessaly/Data/blank.jpg");
}

TEST(FileLocations, InstalledWritesOnlyIntoTheUsersFolders) {
    const FileLocations f = InstalledLocations("/usr/share/tessaly", "/usr/bin", User("/home/ann"));
    EXPECT_EQ(f.Kind, Layout::Installed);
    EXPECT_EQ(f.Data, "/usr/share/tessaly/");
    EXPECT_EQ(f.DefaultSettings(), "/usr/share/tessaly/settings.ini");
    EXPECT_EQ(f.BuiltInEditor(), "/usr/bin/builtined");
    EXPECT_EQ(f.Settings, "/home/ann/config/tessaly/settings.ini");
    EXPECT_EQ(f.Images, "/home/ann/data/tessaly/Images/");
    EXPECT_EQ(f.Templates, "/home/ann/data/tessaly/Templates/");
    EXPECT_EQ(f.Log, "/home/ann/state/tessaly/log.txt");
    EXPECT_EQ(f.UpdateMarkers, "/home/ann/state/tessaly/updts");
    EXPECT_EQ(f.Screenshots, "/home/ann/Pictures/Tessaly/");
}

TEST(FileLocations, TheLayoutIsFoundFromTheExecutablesFolder) {
    test::TempDir temp;
    const UserFolders user = User(temp / "home");

    // A writable folder with the data beside the executables: portable.
    MakeData(temp / "portable");
    FileLocations f = LocateFiles((temp / "portable").string(), "", user);
    EXPECT_EQ(f.Kind, Layout::Portable);
    EXPECT_EQ(f.Data, (temp / "portable").string() + "/");

    // bin/ without data, share/tessaly/ with it: installed.
    fs::create_directories(temp / "usr/bin");
    MakeData(temp / "usr/share/tessaly");
    f = LocateFiles((temp / "usr/bin").string(), "", user);
    EXPECT_EQ(f.Kind, Layout::Installed);
    EXPECT_EQ(f.Data, (temp / "usr/share/tessaly").string() + "/");
    EXPECT_EQ(f.Programs, (temp / "usr/bin").string() + "/");
    EXPECT_TRUE(Under(f.Settings, temp / "home/config"));

    // TESSALY_PROGRAM_FOLDER forces a portable folder, installed or not.
    f = LocateFiles((temp / "usr/bin").string(), (temp / "portable").string(), user);
    EXPECT_EQ(f.Kind, Layout::Portable);
    EXPECT_EQ(f.Settings, (temp / "portable/settings.ini").string());

    // Nothing found anywhere: the folder itself, as before (the readers
    // then report what is missing).
    fs::create_directories(temp / "empty");
    EXPECT_EQ(LocateFiles((temp / "empty").string(), "", user).Kind, Layout::Portable);
}

TEST(FileLocations, AReadOnlyPortableFolderSendsTheUsersFilesHome) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
    test::TempDir temp;
    MakeData(temp / "ro");
    fs::permissions(temp / "ro", fs::perms::owner_write, fs::perm_options::remove);
    const FileLocations f = LocateFiles((temp / "ro").string(), "", User(temp / "home"));
    fs::permissions(temp / "ro", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(f.Kind, Layout::Installed);
    EXPECT_EQ(f.Data, (temp / "ro").string() + "/");
    EXPECT_TRUE(Under(f.Images, temp / "home"));
}

TEST(FileLocations, UserFoldersFollowTheXdgVariablesAndUserDirs) {
    test::TempDir temp;
    Environment env;
    const std::string home = (temp / "home").string();
    env.Set("HOME", home);
    env.Unset("XDG_CONFIG_HOME");
    env.Unset("XDG_DATA_HOME");
    env.Set("XDG_STATE_HOME", "relative/state");  // relative values are ignored
    UserFolders u = UserFoldersFromEnvironment();
    EXPECT_EQ(u.ConfigHome, home + "/.config/");
    EXPECT_EQ(u.DataHome, home + "/.local/share/");
    EXPECT_EQ(u.StateHome, home + "/.local/state/");
    EXPECT_EQ(u.Pictures, home + "/Pictures/");

    env.Set("XDG_CONFIG_HOME", (temp / "cfg").string());
    env.Set("XDG_DATA_HOME", (temp / "dat").string());
    env.Set("XDG_STATE_HOME", (temp / "st").string());
    Touch(temp / "cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    u = UserFoldersFromEnvironment();
    EXPECT_EQ(u.ConfigHome, (temp / "cfg").string() + "/");
    EXPECT_EQ(u.DataHome, (temp / "dat").string() + "/");
    EXPECT_EQ(u.StateHome, (temp / "st").string() + "/");
    EXPECT_EQ(u.Pictures, home + "/Bilder/");

    // An entry naming the home folder itself means the user has none.
    Touch(temp / "cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/\"\n");
    EXPECT_EQ(UserFoldersFromEnvironment().Pictures, home + "/Pictures/");
}

TEST(FileLocations, AFirstStartCopiesTheShippedSettingsOnce) {
    test::TempDir temp;
    MakeData(temp / "share");
    const FileLocations f =
        InstalledLocations((temp / "share").string(), (temp / "bin").string(), User(temp / "home"));
    ASSERT_TRUE(PrepareUserFiles(f));
    EXPECT_EQ(ReadWholeFile(f.Settings), ReadWholeFile(f.DefaultSettings()));
    EXPECT_TRUE(fs::is_directory(fs::path(f.Log).parent_path()));

    // The user's own settings are kept on later starts.
    Touch(f.Settings, "[DefaultEditor]\r\n/usr/bin/gimp\r\n");
    ASSERT_TRUE(PrepareUserFiles(f));
    const auto kept = ReadWholeFile(f.Settings);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "[DefaultEditor]\r\n/usr/bin/gimp\r\n");

    // Nothing is made for a portable folder.
    EXPECT_TRUE(PrepareUserFiles(PortableLocations((temp / "elsewhere").string())));
    EXPECT_FALSE(fs::exists(temp / "elsewhere"));
}

}  // namespace
}  // namespace tessaly
