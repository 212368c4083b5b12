// Each running instance's folder for working copies: its own, removed when
// it ends, and cleaned up at the next start when its instance crashed.
#include "core/paths/WorkingFolder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

int InstanceFolders(const fs::path& root) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(root))
        if (e.path().filename().string().rfind("run-", 0) == 0) ++n;
    return n;
}

TEST(WorkingFolder, TwoInstancesHaveFoldersOfTheirOwn) {
    test::TempDir temp;
    const std::string root = (temp / "Images").string() + "/";
    std::string firstPath;
    {
        WorkingFolder first(root);
        WorkingFolder second(root);  // its start must not clean the first's
        firstPath = first.Path();
        ASSERT_NE(first.Path(), second.Path());
        EXPECT_EQ(first.Path().rfind(root + "run-", 0), 0u);
        EXPECT_EQ(first.Path().back(), '/');
        std::ofstream(first.Path() + "Image1.jpg") << "first";
        std::ofstream(second.Path() + "Image1.jpg") << "second";
        EXPECT_EQ(WorkingFolder::RemoveStale(root), 0);
        std::ifstream in(first.Path() + "Image1.jpg");
        std::string text;
        in >> text;
        EXPECT_EQ(text, "first");
    }
    EXPECT_FALSE(fs::exists(firstPath));
    EXPECT_EQ(InstanceFolders(root), 0);
}

TEST(WorkingFolder, ACrashedInstancesFolderIsRemovedAtTheNextStart) {
    test::TempDir temp;
    const std::string root = (temp / "Images").string() + "/";
    // An instance that dies without cleaning up: its lock goes with it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* crashed = new WorkingFolder(root);
        std::ofstream(crashed->Path() + "Image1.jpg") << "left behind";
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(InstanceFolders(root), 1);

    // Things in the images folder that are not instance folders stay.
    fs::create_directories(temp / "Images/mine");
    fs::create_directories(temp / "elsewhere");
    fs::create_directory_symlink(temp / "elsewhere", temp / "Images/run-link");

    WorkingFolder next(root);
    EXPECT_EQ(InstanceFolders(root), 2);  // its own and the symlink
    EXPECT_TRUE(fs::exists(temp / "Images/mine"));
    EXPECT_TRUE(fs::exists(temp / "elsewhere"));
}

TEST(WorkingFolder, AFolderWithoutALockIsLeftWhileItMayBeStarting) {
    test::TempDir temp;
    const fs::path young = temp / "Images/run-young";
    fs::create_directories(young);
    EXPECT_EQ(WorkingFolder::RemoveStale((temp / "Images").string()), 0);
    EXPECT_TRUE(fs::exists(young));
    // One that old is a leftover.
    fs::last_write_time(young, fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(WorkingFolder::RemoveStale((temp / "Images").string()), 1);
    EXPECT_FALSE(fs::exists(young));
}

TEST(WorkingFolder, AnImagesFolderThatCannotBeMadeIsReported) {
    test::TempDir temp;
    std::ofstream(temp / "file") << "x";
    EXPECT_THROW(WorkingFolder((temp / "file/Images").string()), std::runtime_error);
}

}  // namespace
}  // namespace tessaly
