// Reset settings, Reset All and New cover from the shipped "_resettem" and
// "_incov", and the round trip new -> save -> open for every cover type.
#include <cmath>
#include <filesystem>

#include "ProjectFixture.h"
#include "app/cover/CoverAssembly.h"
#include "app/cover/CoverOptions.h"
#include "app/images/ImageSlots.h"
#include "app/project/CoverProject.h"
#include "app/project/ResetCommands.h"
#include "app/scene/SceneControls.h"
#include "app/view/CentreCover.h"
#include "core/model/CoverTypes.h"
#include "render/Capture.h"
#include "render/GL.h"
#include "support/ImageCompare.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

TEST_F(ProjectTest, ResetSettingsAnsweredNoChangesNothing) {
    auto state = Start(port);
    Select(*state, "cbox");
    state->Controls.BWidthSB.SetPosition(180);
    state->Controls.distanceSB.SetPosition(300);
    state->Cover.Modified = false;
    const auto before = Snapshot(*state);
    port.answers = {MessageAnswer::No};
    resetButClick(*state);
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"resetset"});
    EXPECT_EQ(SnapshotDiff(before, Snapshot(*state)), "");

    // Yes: the view and the options go back; the type and the colours stay.
    ApplyBackgroundColor(*state, 0x123456);
    resetButClick(*state);
    EXPECT_EQ(state->CurrentEntry()->Id, "cbox");
    EXPECT_EQ(state->Controls.BWidthSB.Position, 95);
    EXPECT_EQ(state->Controls.distanceSB.Position, 110);
    EXPECT_EQ(state->Controls.ScrollBar4.Position, 330);
    EXPECT_EQ(state->Controls.BgColor.Color, 0x123456u);
}

TEST_F(ProjectTest, ResetAllReopensTheStartProjectAsAStandardBox) {
    auto state = Start(port);
    Select(*state, "flatbook");
    state->Controls.ReflexionSB.SetPosition(100);
    resetButClick(*state);  // answered Yes by default
    port.Clear();
    ResetAll1Click(*state);
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"resetall"});
    EXPECT_EQ(state->CurrentEntry()->Id, "stdbox");
    EXPECT_EQ(state->Controls.ModelsComboBox.ItemIndex, 0);
    EXPECT_EQ(state->Controls.ReflexionSB.Position, 35);
    EXPECT_FALSE(state->Cover.Modified);
    EXPECT_EQ(FileBytes(Path("Images/Image1.jpg")), FileBytes(ProgramDir() / "Data/blank.jpg"));
}

TEST_F(ProjectTest, MissingBuiltInFilesAreReported) {
    fs::remove(Path("_incov"));
    fs::remove(Path("_resettem"));
    auto state = Start(port);
    const auto before = Snapshot(*state);
    port.Clear();
    resetButClick(*state);
    ResetAll1Click(*state);
    for (const char* id : {"stdbox", "flatbook", "4bookbox"}) NewCover(*state, id);
    EXPECT_EQ(port.Keys(), (std::vector<std::string>{"cantreset", "cantreset", "scenefilenotfound",
                                                     "scenefilenotfound", "scenefilenotfound"}));
    EXPECT_EQ(SnapshotDiff(before, Snapshot(*state)), "");
}

TEST_F(ProjectTest, NewCoverAsksToSaveThenStartsTheChosenType) {
    auto state = Start(port);
    Select(*state, "cbox");
    state->Controls.BWidthSB.SetPosition(10);
    state->Controls.caseAngleSB.SetPosition(90);
    ApplySpineColor(*state, 0x0000FF);
    ASSERT_TRUE(state->Cover.Modified);
    port.Clear();
    port.answers = {MessageAnswer::No};
    NewCover(*state, "flatbook");
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"sceco"});
    EXPECT_TRUE(port.fileDialogs.empty());
    EXPECT_EQ(state->CurrentEntry()->Id, "flatbook");
    EXPECT_EQ(state->Controls.BWidthSB.Position, 95);
    EXPECT_EQ(state->Controls.caseAngleSB.Position, 0);
    EXPECT_EQ(state->Cover.SpineColor, kWhite);
    EXPECT_EQ(state->Session.BookPaths[3][2], Folder() + "Data/littleblank.jpg");
    // Placeholders, as at start-up: Edit and Refresh are off.
    for (int slot = 1; slot <= kFloorSlot; ++slot) {
        EXPECT_FALSE(state->Controls.EditButton(slot).Enabled) << slot;
        EXPECT_FALSE(state->Controls.RefreshButton(slot).Enabled) << slot;
    }
    EXPECT_FALSE(state->Controls.BookEditButton(1).Enabled);

    // Yes saves through the save dialog first.
    state->Controls.liftSB.SetPosition(40);
    port.Clear();
    port.answers = {MessageAnswer::Yes};
    port.fileAnswers = {Path("saved.eco").string()};
    NewCover(*state, "cbox");
    EXPECT_EQ(port.fileDialogs, std::vector<std::string>{"SaveCoverDialog"});
    EXPECT_TRUE(fs::exists(Path("saved.eco")));
    EXPECT_EQ(state->Controls.BWidthSB.Position, 95);
    EXPECT_EQ(state->Controls.liftSB.Position, 11);
}

// The placeholder pictures are one texture each, shared by their slots: a
// slot given a picture of its own leaves the shared texture to the others,
// and New cover puts the placeholder back, deleting the slots' own textures.
TEST_F(ProjectTest, SlotsShareThePlaceholderTexturesUntilGivenPicturesOfTheirOwn) {
    auto state = Start(port);
    RenderSession& session = state->Session;
    const GLuint face = session.ImageTextures[0];
    const GLuint book = session.BookTextures[0][0];
    ASSERT_NE(face, 0u);
    ASSERT_NE(book, 0u);
    EXPECT_NE(face, book);
    for (GLuint t : session.ImageTextures) EXPECT_EQ(t, face);
    for (const auto& images : session.BookTextures)
        for (GLuint t : images) EXPECT_EQ(t, book);
    EXPECT_TRUE(session.IsSharedPlaceholder(face));

    WriteJpegPicture(Path("own.jpg"), 200, 40, 40);
    SelectBookImage(*state, 1, 1, Path("own.jpg").string());
    SelectSlotImage(*state, 2, Path("own.jpg").string());
    const GLuint own = session.BookTextures[0][0];
    EXPECT_NE(own, book);
    EXPECT_NE(session.ImageTextures[1], face);
    EXPECT_EQ(session.BookTextures[0][1], book);
    EXPECT_EQ(session.ImageTextures[0], face);
    EXPECT_TRUE(glIsTexture(book));
    EXPECT_TRUE(glIsTexture(face));
    // A second picture for the slot replaces its own texture.
    SelectBookImage(*state, 1, 1, Path("own.jpg").string());
    EXPECT_FALSE(glIsTexture(own));

    port.Clear();
    port.answers = {MessageAnswer::No};
    NewCover(*state, "2bookbox");
    for (const auto& images : session.BookTextures)
        for (GLuint t : images) EXPECT_EQ(t, book);
    EXPECT_TRUE(glIsTexture(book));
}

// new -> save -> open in a fresh state: the same state, the same images and
// the same picture, for every cover type the catalogue holds.
// Escape or closing the box answers Cancel: New and Open then do nothing
// at all, and the unsaved changes stay.
TEST_F(ProjectTest, CancellingTheSaveQuestionKeepsTheCoverForNewAndOpen) {
    auto state = Start(port);
    Select(*state, "cbox");
    state->Controls.BWidthSB.SetPosition(10);
    state->Controls.liftSB.SetPosition(40);
    ASSERT_TRUE(state->Cover.Modified);
    const auto before = Snapshot(*state);
    port.Clear();
    port.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel};
    port.fileAnswers = {Path("never.eco").string()};
    NewCover(*state, "flatbook");
    OpeneCover1Click(*state);
    ASSERT_EQ(port.messages.size(), 2u);
    for (const auto& m : port.messages) {
        EXPECT_EQ(m.key, "sceco");
        EXPECT_EQ(m.buttons, MessageButtons::YesNoCancel);
    }
    EXPECT_TRUE(port.fileDialogs.empty());
    EXPECT_EQ(SnapshotDiff(before, Snapshot(*state)), "");
    EXPECT_TRUE(state->Cover.Modified);

    // No still discards and goes on to the open dialog.
    port.Clear();
    port.answers = {MessageAnswer::No};
    OpeneCover1Click(*state);
    EXPECT_EQ(port.fileDialogs, std::vector<std::string>{"OpenCoverDialog"});
}

// The cases turn about a hinge at their model's origin: a new case is moved
// to the middle of the view by the camera, not by changing the model.
TEST_F(ProjectTest, NewCasesStandInTheMiddleOfTheView) {
    auto state = Start(port);
    for (const char* id : {"cdcase", "dvdcase", "stdbox"}) {
        SCOPED_TRACE(id);
        state->Cover.Modified = false;
        NewCover(*state, id);
        const float offset = ModelOffsetInView(*state, *state->CurrentModel());
        const float strafe = state->Session.TheScene.Settings.Strafe;
        if (std::string(id) == "stdbox") {
            EXPECT_EQ(state->Controls.StrafeSB.Position, 100);  // the start scene's own
        } else {
            EXPECT_GT(std::fabs(offset), 0.1f);  // off to one side without the strafe
            EXPECT_NEAR(strafe + offset, 0.0f, 0.006f);
        }
        EXPECT_FALSE(state->Cover.Modified);
    }
}

TEST_F(ProjectTest, EveryCoverTypeSurvivesNewSaveOpen) {
    WriteJpegPicture(Path("face.jpg"), 180, 40, 40);
    for (const CoverType& type : kCoverTypes) {
        // The rounded books have no code in the file format and open as the
        // first entry; every other type is stored by its code.
        if (type.Code == 0) continue;
        SCOPED_TRACE(std::string(type.Id));
        std::map<std::string, std::string> made;
        RgbaImage picture;
        {
            ProjectPort p1;
            auto state = Start(p1, 96, 72);
            NewCover(*state, std::string(type.Id));
            ASSERT_EQ(state->CurrentEntry()->Id, type.Id);
            ASSERT_TRUE(state->Session.SetFaceImage(0, Path("face.jpg")));
            SelectCover(*state, state->Cover.Entry);
            state->Controls.ScrollBar5.SetPosition(3);
            ASSERT_TRUE(WriteCoverProject(*state, Path("a.eco")));
            made = Snapshot(*state);
            picture = CaptureFrame(state->Session.Frames, *state->Session.Context, 96, 72);
        }
        ProjectPort p2;
        auto fresh = Start(p2, 96, 72);
        ASSERT_TRUE(ReadCoverProject(*fresh, Path("a.eco")));
        EXPECT_TRUE(p2.Keys().empty());
        ASSERT_TRUE(WriteCoverProject(*fresh, Path("b.eco")));
        EXPECT_EQ(FileBytes(Path("a.eco")), FileBytes(Path("b.eco")));
        EXPECT_EQ(FileBytes(Path("Images/Image1.jpg")), FileBytes(Path("face.jpg")));
        auto opened = Snapshot(*fresh);
        // The face image now is its working copy; books beyond the type's
        // count keep the placeholder in both.
        made.erase("ImagePath1");
        opened.erase("ImagePath1");
        for (int b = 0; b < type.Books; ++b)
            for (int i = 1; i <= 3; ++i) {
                const std::string key = "BookPath" + std::to_string(b + 1) + std::to_string(i);
                EXPECT_EQ(opened[key], "Images/Book" + std::to_string(b + 1) + "Image" +
                                           std::to_string(i) + ".jpg");
                made.erase(key), opened.erase(key);
            }
        EXPECT_EQ(SnapshotDiff(made, opened), "");
        const RgbaImage again =
            CaptureFrame(fresh->Session.Frames, *fresh->Session.Context, 96, 72);
        EXPECT_TRUE(CompareImages(picture, again).Matches());
    }
}

}  // namespace
}  // namespace tessaly::test
