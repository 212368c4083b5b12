// Where the files to mail go: the candidates' order, the XDG user-dirs file,
// and the choice between folders that exist, can be made, or neither.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "core/mail/DocumentsFolder.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

TEST(DocumentsFolder, UserDirsFileIsReadAsXdgWritesIt) {
    const std::string text =
        "# written by xdg-user-dirs-update\n"
        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\r\n"
        "XDG_MUSIC_DIR=\"$HOME/Music\"\n";
    EXPECT_EQ(UserDirsDocuments(text, "/home/ann"), "/home/ann/Dokumente");
    EXPECT_EQ(UserDirsDocuments("XDG_DOCUMENTS_DIR=\"/srv/docs\"", "/h"), "/srv/docs");
    EXPECT_EQ(UserDirsDocuments("XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/h"), "/h");
    EXPECT_EQ(UserDirsDocuments("# XDG_DOCUMENTS_DIR=\"$HOME/x\"\n", "/h"), "");
    EXPECT_EQ(UserDirsDocuments("", "/h"), "");
}

TEST(DocumentsFolder, CandidatesComeInOrderWithoutRelativeOrRepeatedEntries) {
    const auto c = DocumentsCandidates("/q/Docs/", "relative/dir", "/q/Docs", "/home/ann");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0], fs::path("/q/Docs"));
    EXPECT_EQ(c[1], fs::path("/home/ann/Documents"));
    EXPECT_TRUE(DocumentsCandidates("", "", "", "").empty());
}

TEST(DocumentsFolder, AnExistingFolderWinsOverOneThatWouldBeMade) {
    test::TempDir dir;
    fs::create_directories(dir / "exists");
    const auto chosen = ChooseDocumentsFolder({dir / "missing", dir / "exists"});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, dir / "exists");
    EXPECT_FALSE(fs::exists(dir / "missing")) << "nothing is made when a folder exists";
}

TEST(DocumentsFolder, AMissingFolderIsMadeAndNoneIsFoundWhenNoneCanBeMade) {
    test::TempDir dir;
    // A file where a folder should be, and a read-only parent.
    std::ofstream(dir / "file") << "x";
    fs::create_directories(dir / "locked");
    ASSERT_EQ(chmod((dir / "locked").c_str(), 0500), 0);
    const bool root = geteuid() == 0;  // root writes into read-only folders

    const auto made = ChooseDocumentsFolder({dir / "file" / "Docs", dir / "home" / "Documents"});
    ASSERT_TRUE(made);
    EXPECT_EQ(*made, dir / "home" / "Documents");
    EXPECT_TRUE(fs::is_directory(*made));

    const auto none = ChooseDocumentsFolder({dir / "file" / "Docs", dir / "file"});
    EXPECT_FALSE(none);
    if (!root) {
        EXPECT_FALSE(ChooseDocumentsFolder({dir / "locked" / "Documents"}));
    }
    EXPECT_FALSE(ChooseDocumentsFolder({}));
    chmod((dir / "locked").c_str(), 0700);
}

TEST(DocumentsFolder, TheEnvironmentIsAskedInItsOrder) {
    test::TempDir dir;
    const std::string home = (dir / "home").string();
    fs::create_directories(dir / "home" / ".config");
    std::ofstream(dir / "home" / ".config" / "user-dirs.dirs")
        << "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n";
    const char* savedHome = std::getenv("HOME");
    const std::string oldHome = savedHome ? savedHome : "";
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");

    // user-dirs names a folder that is made.
    EXPECT_EQ(FindDocumentsFolder(), dir / "home" / "Papers");
    // Among folders that exist, the environment variable comes first and the
    // caller's choice before it.
    fs::create_directories(dir / "env");
    fs::create_directories(dir / "qt");
    setenv("XDG_DOCUMENTS_DIR", (dir / "env").c_str(), 1);
    EXPECT_EQ(FindDocumentsFolder(), dir / "env");
    EXPECT_EQ(FindDocumentsFolder((dir / "qt").string()), dir / "qt");

    unsetenv("XDG_DOCUMENTS_DIR");
    if (savedHome) setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
}  // namespace tessaly
