// The two-line update file: reading what lines there are, writing it whole,
// and comparing markers as opaque text.
#include <gtest/gtest.h>

#include <fstream>

#include "core/io/FileIO.h"
#include "core/update/UpdateMarkers.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

const UpdateMarkers kOnes{"1", "1"};

TEST(UpdateMarkers, UpToTwoLinesAreReadAndMissingOnesKeepTheirDefault) {
    EXPECT_EQ(ParseUpdateMarkers("7\n12\n", kOnes), (UpdateMarkers{"7", "12"}));
    EXPECT_EQ(ParseUpdateMarkers("7\r\n12\r\nextra\n", kOnes), (UpdateMarkers{"7", "12"}));
    EXPECT_EQ(ParseUpdateMarkers("7", kOnes), (UpdateMarkers{"7", "1"}));
    EXPECT_EQ(ParseUpdateMarkers("7\n", kOnes), (UpdateMarkers{"7", "1"}));
    EXPECT_EQ(ParseUpdateMarkers("", kOnes), kOnes);
    // An empty line is a marker of its own.
    EXPECT_EQ(ParseUpdateMarkers("\n5\n", kOnes), (UpdateMarkers{"", "5"}));
}

TEST(UpdateMarkers, FilesRoundTripAndAMissingFileGivesTheDefaults) {
    test::TempDir dir;
    const auto file = dir / "updts";
    EXPECT_EQ(ReadUpdateMarkers(file, {"0", "0"}), (UpdateMarkers{"0", "0"}));
    WriteUpdateMarkers(file, {"2026-12", "tut 4"});
    EXPECT_EQ(ReadUpdateMarkers(file, kOnes), (UpdateMarkers{"2026-12", "tut 4"}));
    EXPECT_THROW(WriteUpdateMarkers(dir / "no" / "such" / "updts", kOnes), FileError);
}

TEST(UpdateMarkers, OnlyExactEqualityCounts) {
    const UpdateNews same = CompareUpdateMarkers({"3", "b"}, {"3", "b"});
    EXPECT_FALSE(same.Templates);
    EXPECT_FALSE(same.Tutorials);
    const UpdateNews news = CompareUpdateMarkers({"3", "b"}, {"2", "B"});
    EXPECT_TRUE(news.Templates) << "an older marker is news as well";
    EXPECT_TRUE(news.Tutorials) << "letter case counts";
    EXPECT_TRUE(CompareUpdateMarkers({"3", "b"}, {"3 ", "b"}).Templates);
}

}  // namespace
}  // namespace tessaly
