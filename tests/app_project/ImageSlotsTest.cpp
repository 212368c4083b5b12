// The image slots through the app layer: working copies, the Edit and
// Refresh buttons' enabled state, the book panel's flags, pictures that
// cannot be read, and what opening a project sets.
#include <filesystem>
#include <fstream>

#include "ProjectFixture.h"
#include "app/cover/CoverAssembly.h"
#include "app/images/ImageSlots.h"
#include "app/project/CoverProject.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

TEST_F(ProjectTest, SelectingAFaceMakesItsWorkingCopyAndEnablesItsButtons) {
    auto state = Start(port);
    MainControls& c = state->Controls;
    EXPECT_FALSE(c.BitBtn5.Enabled);
    EXPECT_FALSE(c.BitBtn6.Enabled);
    const fs::path chosen = Path("art/Cover.JPG");
    fs::create_directories(chosen.parent_path());
    WriteJpegPicture(chosen, 200, 30, 30);
    const GLuint before = state->Session.ImageTextures[0];
    state->Cover.Modified = false;

    SelectSlotImage(*state, 1, chosen.string());

    const std::string copy = Folder() + "Images/Image1.JPG";
    EXPECT_EQ(state->Session.ImagePaths[0], copy);
    EXPECT_EQ(FileBytes(copy), FileBytes(chosen));
    EXPECT_TRUE(c.BitBtn5.Enabled);
    EXPECT_TRUE(c.BitBtn6.Enabled);
    EXPECT_FALSE(c.BitBtn9.Enabled);  // the other slots keep theirs
    EXPECT_EQ(c.Image1.Picture, copy);
    EXPECT_NE(state->Session.ImageTextures[0], 0u);
    EXPECT_NE(state->Session.ImageTextures[0], before);
    EXPECT_TRUE(state->Cover.Modified);
    EXPECT_TRUE(port.messages.empty());

    // Refresh reads the edited working copy again and tells the thumbnail.
    const int version = c.Image1.PictureVersion;
    WriteJpegPicture(copy, 10, 200, 10);
    RefreshSlotImage(*state, 1);
    EXPECT_GT(c.Image1.PictureVersion, version);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ProjectTest, AnUnreadablePictureShowsCliAndKeepsTheTexture) {
    auto state = Start(port);
    const fs::path chosen = Path("broken.jpg");
    std::ofstream(chosen) << "not a picture";
    const GLuint before = state->Session.ImageTextures[1];

    SelectSlotImage(*state, 2, chosen.string());

    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].key, "cli");
    EXPECT_EQ(state->Session.ImageTextures[1], before);
    EXPECT_EQ(state->Session.ImagePaths[1], Folder() + "Images/Image2.jpg");
    EXPECT_TRUE(state->Controls.BitBtn9.Enabled);
}

TEST_F(ProjectTest, TheFloorRefreshesOnlyThroughTheTextureFileReaders) {
    auto state = Start(port);
    const fs::path chosen = Path("floor.jpg");
    WriteJpegPicture(chosen, 90, 90, 200);
    SelectSlotImage(*state, kFloorSlot, chosen.string());
    EXPECT_EQ(state->Session.FloorPath, Folder() + "Images/Floor.jpg");
    EXPECT_TRUE(state->Controls.BitBtn15.Enabled);
    EXPECT_TRUE(state->Controls.BitBtn13.Enabled);
    const GLuint selected = state->Session.TheScene.Floor.Texture;
    EXPECT_NE(selected, 0u);

    RefreshSlotImage(*state, kFloorSlot);
    EXPECT_NE(state->Session.TheScene.Floor.Texture, 0u);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ProjectTest, BookButtonsFollowTheFlagsOfTheCurrentBook) {
    auto state = Start(port);
    Select(*state, "2bookbox");
    MainControls& c = state->Controls;
    WriteJpegPicture(Path("side.jpg"), 20, 20, 20);
    port.Clear();

    SelectBook(*state, 2);
    SelectBookImage(*state, 2, 3, Path("side.jpg").string());
    EXPECT_EQ(state->Session.BookPaths[1][2], Folder() + "Images/Book2Image3.jpg");
    EXPECT_TRUE(c.BitBtn24.Enabled);
    EXPECT_TRUE(c.BitBtn22.Enabled);
    EXPECT_FALSE(c.BitBtn17.Enabled);
    EXPECT_EQ(c.BookImage(2, 3).Picture, state->Session.BookPaths[1][2]);

    SelectBook(*state, 1);
    EXPECT_FALSE(c.BitBtn24.Enabled);
    EXPECT_FALSE(c.BitBtn22.Enabled);
    SelectBook(*state, 2);
    EXPECT_TRUE(c.BitBtn24.Enabled);
    EXPECT_EQ(port.statusKeys, (std::vector<std::string>{"liat", "done"}));
}

TEST_F(ProjectTest, OpeningABookBoxProjectSetsTheBookFlagsAndEnablesTheSlots) {
    auto state = Start(port);
    Select(*state, "2bookbox");
    ASSERT_TRUE(WriteCoverProject(*state, Path("two.eco")));
    Select(*state, "stdbox");
    ASSERT_TRUE(WriteCoverProject(*state, Path("std.eco")));

    auto fresh = Start(port);
    MainControls& c = fresh->Controls;
    c.BookImageFlags[3][0] = true;
    ASSERT_TRUE(ReadCoverProject(*fresh, Path("std.eco")));
    for (int slot = 1; slot <= kFloorSlot; ++slot) {
        EXPECT_TRUE(c.EditButton(slot).Enabled) << slot;
        EXPECT_TRUE(c.RefreshButton(slot).Enabled) << slot;
    }
    EXPECT_TRUE(c.BookImageFlags[3][0]);  // not a box of books: left alone
    EXPECT_EQ(c.Image1.Picture, fresh->Session.ImagePaths[0]);

    ASSERT_TRUE(ReadCoverProject(*fresh, Path("two.eco")));
    for (int b = 0; b < 4; ++b)
        for (int i = 0; i < 3; ++i) EXPECT_EQ(c.BookImageFlags[b][i], b < 2) << b << i;
    EXPECT_TRUE(c.BitBtn17.Enabled);  // book 1 is current
    EXPECT_EQ(c.BookImage(1, 1).Picture, fresh->Session.BookPaths[0][0]);
}

}  // namespace
}  // namespace tessaly::test
