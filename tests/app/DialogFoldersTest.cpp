// Where the file dialogs start: the user's folders first, then the folder
// last used for each kind of file, remembered across runs in settings.ini.
#include "app/files/DialogFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings/SettingsFile.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

class DialogFoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"Pictures", "Documents", "home", "elsewhere"})
            fs::create_directories(dir / name);
        std::ofstream(dir / "settings.ini") << "[OpenPic]\r\non\r\n[Language]\r\nEnglish.ini\r\n";
        settings.Load(dir / "settings.ini");
        user = {(dir / "Pictures").string(), (dir / "Documents").string(), (dir / "home").string()};
    }
    test::TempDir dir;
    TSettingsFile settings;
    DialogStartFolders user;
};

TEST_F(DialogFoldersTest, EachKindStartsInTheUsersFolderThenInItsLastFolder) {
    EXPECT_EQ(StartFolder(settings, FileKind::Pictures, user), user.pictures);
    EXPECT_EQ(StartFolder(settings, FileKind::SavedPictures, user), user.pictures);
    EXPECT_EQ(StartFolder(settings, FileKind::Projects, user), user.documents);
    EXPECT_EQ(StartFolder(settings, FileKind::Templates, user), user.documents);

    const std::string elsewhere = (dir / "elsewhere").string();
    RememberFolder(settings, FileKind::Projects, elsewhere + "/cover.eco");
    EXPECT_EQ(StartFolder(settings, FileKind::Projects, user), elsewhere);
    // Other kinds keep their own folders; the other settings are untouched.
    EXPECT_EQ(StartFolder(settings, FileKind::Templates, user), user.documents);
    EXPECT_EQ(settings.ReadValue("Language"), "English.ini");

    // Remembered on disk, for the next run.
    TSettingsFile again;
    again.Load(dir / "settings.ini");
    EXPECT_EQ(StartFolder(again, FileKind::Projects, user), elsewhere);

    // A remembered folder that went away falls back to the user's folder,
    // and without that to the home folder.
    fs::remove(dir / "elsewhere");
    EXPECT_EQ(StartFolder(settings, FileKind::Projects, user), user.documents);
    fs::remove(dir / "Documents");
    EXPECT_EQ(StartFolder(settings, FileKind::Projects, user), user.home);
}

TEST_F(DialogFoldersTest, UnstorableNamesAndUnknownDialogsAreLeftAlone) {
    RememberFolder(settings, FileKind::Pictures, (dir / "bad\nname" / "x.png").string());
    RememberFolder(settings, FileKind::Pictures, "x.png");  // no folder at all
    EXPECT_EQ(settings.ReadValue(FolderKey(FileKind::Pictures)), "-");
    EXPECT_EQ(StartFolder(settings, FileKind::Pictures, user), user.pictures);

    EXPECT_EQ(FileKindOfDialog("SaveCoverDialog"), FileKind::Projects);
    EXPECT_EQ(FileKindOfDialog("OpenTemplateDialog"), FileKind::Templates);
    EXPECT_EQ(FileKindOfDialog("CaptureDialog"), FileKind::SavedPictures);
    EXPECT_EQ(FileKindOfDialog("SelectEditor"), std::nullopt);
}

// The folder keys may not be found by the look-up of a shipped key, nor find
// one: the settings store matches keys as parts of key lines.
TEST_F(DialogFoldersTest, FolderKeysNeverMatchOtherKeys) {
    for (FileKind kind :
         {FileKind::Pictures, FileKind::Projects, FileKind::Templates, FileKind::SavedPictures})
        RememberFolder(settings, kind, (dir / "elsewhere" / "f").string());
    for (std::string_view key : kSettingsKeys) {
        const std::string value = settings.ReadValue(key);
        EXPECT_NE(value, (dir / "elsewhere").string()) << key;
    }
    EXPECT_EQ(settings.ReadValue("OpenPic"), "on");
}

}  // namespace
}  // namespace tessaly
