// The undo history through the app layer: steps of slider, colour, cover
// type and picture changes undone and redone exactly, Modified following the
// saved step, commits that change nothing, the branch dropped by a new
// change, and the limit on the number of steps.
#include <filesystem>

#include "ProjectFixture.h"
#include "app/history/UndoHistory.h"
#include "app/images/ImageSlots.h"
#include "app/project/CoverProject.h"
#include "app/scene/SceneControls.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

TEST_F(ProjectTest, SliderStepsUndoAndRedoExactlyWithModifiedFollowingTheSavedStep) {
    auto state = Start(port);
    MainControls& c = state->Controls;
    state->Cover.Modified = false;
    UndoHistory history(*state);
    history.Clear();

    std::vector<std::map<std::string, std::string>> seen{Snapshot(*state)};
    c.distanceSB.SetPosition(300);
    EXPECT_TRUE(history.Commit());
    seen.push_back(Snapshot(*state));
    c.rotateSB.SetPosition(90);
    c.LightXSB.SetPosition(20);  // two moves before one commit: one step
    EXPECT_TRUE(history.Commit());
    seen.push_back(Snapshot(*state));
    ApplyBackgroundColor(*state, 0x112233);
    c.FloorCheckBox.SetChecked(!c.FloorCheckBox.Checked);
    EXPECT_TRUE(history.Commit());
    seen.push_back(Snapshot(*state));
    EXPECT_FALSE(history.Commit());  // nothing changed since
    EXPECT_EQ(history.Steps(), 4u);
    EXPECT_TRUE(state->Cover.Modified);

    for (int i = 2; i >= 0; --i) {
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(SnapshotDiff(Snapshot(*state), seen[i]), "") << "undo to step " << i;
        EXPECT_EQ(state->Cover.Modified, i != 0) << "step " << i;
    }
    EXPECT_FALSE(history.Undo());
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(SnapshotDiff(Snapshot(*state), seen[i]), "") << "redo to step " << i;
        EXPECT_TRUE(state->Cover.Modified);
    }
    EXPECT_FALSE(history.Redo());

    // Saved at step 2: undoing to it clears Modified, leaving it sets it.
    history.Undo();
    history.MarkSaved();
    history.Undo();
    EXPECT_TRUE(state->Cover.Modified);
    history.Redo();
    EXPECT_FALSE(state->Cover.Modified);
    // A new change drops step 3 for good.
    c.ScrollBar4.SetPosition(c.ScrollBar4.Position + 10);
    EXPECT_TRUE(history.Commit());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Steps(), 4u);
}

TEST_F(ProjectTest, AnUncommittedChangeIsUndoneFirst) {
    auto state = Start(port);
    UndoHistory history(*state);
    history.Clear();
    const auto start = Snapshot(*state);
    state->Controls.liftSB.SetPosition(40);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(SnapshotDiff(Snapshot(*state), start), "");
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(state->Controls.liftSB.Position, 40);
}

TEST_F(ProjectTest, PicturesAndTheCoverTypeComeBackWithTheirBytes) {
    auto state = Start(port);
    UndoHistory history(*state);
    history.Clear();
    const auto start = Snapshot(*state);
    const std::string firstCopy = state->Session.ImagePaths[0];
    const auto firstBytes = FileBytes(firstCopy);

    const fs::path red = Path("art/red.jpg");
    const fs::path blue = Path("art/blue.jpg");
    fs::create_directories(red.parent_path());
    WriteJpegPicture(red, 200, 10, 10);
    WriteJpegPicture(blue, 10, 10, 200, 48, 40);
    SelectSlotImage(*state, 1, red.string());
    ASSERT_TRUE(history.Commit());
    // The same working copy is overwritten by the next picture.
    SelectSlotImage(*state, 1, blue.string());
    Select(*state, "flatbook");
    SelectSlotImage(*state, kFloorSlot, red.string());
    ASSERT_TRUE(history.Commit());
    const auto last = Snapshot(*state);
    const std::string copy = state->Session.ImagePaths[0];

    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(state->Session.ImagePaths[0], copy);
    EXPECT_EQ(FileBytes(copy), FileBytes(red));
    EXPECT_EQ(state->CurrentEntry()->Id, start.at("Id"));
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(SnapshotDiff(Snapshot(*state), start), "");
    EXPECT_EQ(FileBytes(state->Session.ImagePaths[0]), firstBytes);
    ASSERT_TRUE(history.Redo());
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(SnapshotDiff(Snapshot(*state), last), "");
    EXPECT_EQ(FileBytes(copy), FileBytes(blue));
    EXPECT_EQ(FileBytes(state->Session.FloorPath), FileBytes(red));
    for (const auto& m : port.messages) ADD_FAILURE() << m.text;
}

TEST_F(ProjectTest, TheHistoryKeepsItsLimitOfStepsAndForgetsASavedStepItDropped) {
    auto state = Start(port);
    state->Cover.Modified = false;
    UndoHistory history(*state, 3);
    history.Clear();
    for (int i = 1; i <= 5; ++i) {
        state->Controls.rotateSB.SetPosition(i * 10);
        history.Commit();
    }
    EXPECT_EQ(history.Steps(), 3u);
    while (history.Undo()) {
    }
    EXPECT_EQ(state->Controls.rotateSB.Position, 30);
    // The saved (start) step is gone: every step is a modified one.
    EXPECT_TRUE(state->Cover.Modified);
}

}  // namespace
}  // namespace tessaly::test
