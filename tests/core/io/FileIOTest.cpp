// Writing files: whole or not at all, never replacing what is not a regular
// file, keeping a replaced file's permissions, leaving no temporary behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/io/FileIO.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kPicture = {'p', 'i', 'c', 't', 'u', 'r', 'e'};

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

mode_t Mode(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(FileIO, DevicesAreWrittenInPlaceAndTheirErrorsReported) {
    // /dev/null swallows the picture and stays a device.
    WriteFileAtomically("/dev/null", kPicture);
    EXPECT_TRUE(S_ISCHR(Mode("/dev/null")));
    // /dev/full says why it failed, and stays a device.
    try {
        WriteFileAtomically("/dev/full", kPicture);
        ADD_FAILURE() << "no error writing /dev/full";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos)
            << e.what();
        EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(S_ISCHR(Mode("/dev/full")));
}

TEST(FileIO, FifosAndLinksAreWrittenThroughNotReplaced) {
    test::TempDir dir;
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    WriteFileAtomically(fifo, kPicture);
    reader.join();
    EXPECT_EQ(received, "picture");
    EXPECT_TRUE(S_ISFIFO(Mode(fifo)));

    const fs::path real = dir / "real.png";
    WriteFileAtomically(real, std::vector<std::uint8_t>{'o', 'l', 'd', ' ', 'l', 'o', 'n', 'g'});
    const fs::path link = dir / "link.png";
    fs::create_symlink(real, link);
    WriteFileAtomically(link, kPicture);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(real), "picture");
    EXPECT_EQ(Entries(dir.Path()), 3u);
}

TEST(FileIO, ReplacedFilesKeepTheirPermissionsAndNewOnesFollowTheUmask) {
    test::TempDir dir;
    const fs::path secret = dir / "secret.png";
    WriteFileAtomically(secret, kPicture);
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(Mode(secret) & 0777, 0666 & ~mask);
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
    WriteFileAtomically(secret, std::vector<std::uint8_t>{'n', 'e', 'w'});
    EXPECT_EQ(Mode(secret) & 0777, 0600u);
    EXPECT_EQ(Read(secret), "new");
}

TEST(FileIO, LongNamesWorkAndNothingIsLeftBehindOnFailure) {
    test::TempDir dir;
    // 250 bytes: the longest names leave no room for a suffix, so the
    // temporary file has a short name of its own.
    const fs::path longName = dir / std::string(250, 'n');
    WriteFileAtomically(longName, kPicture);
    EXPECT_EQ(Read(longName), "picture");
    EXPECT_EQ(Entries(dir.Path()), 1u);

    // A writer that fails half way: the old file stays whole, no temporary.
    EXPECT_THROW(WriteFileAtomically(longName,
                                     [](std::ostream& out) {
                                         out << "half";
                                         throw std::runtime_error("stopped");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(Read(longName), "picture");
    EXPECT_EQ(Entries(dir.Path()), 1u);

    // A folder that does not exist, or a target that is a folder.
    EXPECT_THROW(WriteFileAtomically(dir / "none" / "a.png", kPicture), FileError);
    fs::create_directory(dir / "folder");
    EXPECT_THROW(WriteFileAtomically(dir / "folder", kPicture), FileError);
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(Entries(dir.Path()), 2u);
}

TEST(FileIO, ALinkPlantedInTheFolderIsNeverWrittenThrough) {
    test::TempDir dir;
    // Links under the names of the temporary files of the old scheme
    // (target + ".tmp-N") and under the new scheme's prefix, all pointing at
    // a file the user never named.
    const fs::path victim = dir / "victim";
    WriteFileAtomically(victim, std::vector<std::uint8_t>{'k', 'e', 'e', 'p'});
    for (int n = 0; n < 200; ++n) {
        fs::create_symlink(victim, dir / ("out.png.tmp-" + std::to_string(n)));
        fs::create_symlink(victim, dir / (".tsy-" + std::to_string(100000 + n)));
    }
    for (int i = 0; i < 20; ++i) WriteFileAtomically(dir / "out.png", kPicture);
    EXPECT_EQ(Read(victim), "keep");
    EXPECT_EQ(Read(dir / "out.png"), "picture");
    EXPECT_EQ(Entries(dir.Path()), 402u);
}

}  // namespace
}  // namespace tessaly
