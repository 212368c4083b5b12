// Writing and reading cover projects and templates through the app layer:
// section order, round trips, refusals, and the mends for half-written
// files, unsafe extensions, oversized lengths and files cut short.
#include <filesystem>

#include "ProjectFixture.h"
#include "app/cover/CoverAssembly.h"
#include "app/project/CoverProject.h"
#include "app/scene/SceneControls.h"
#include "core/images/PixelBudget.h"
#include "core/io/FileIO.h"
#include "core/project/CoverFile.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Tags(const fs::path& file, CoverFileKind kind) {
    const auto bytes = FileBytes(file);
    const ParsedCoverFile parsed = ParseCoverFile(bytes, kind);
    std::vector<std::uint8_t> tags;
    for (const auto& s : parsed.Sections) tags.push_back(s.Tag);
    return tags;
}

std::vector<std::uint8_t> Magic(const char* m) {
    return std::vector<std::uint8_t>(m, m + 4);
}

TEST_F(ProjectTest, SavedProjectsHoldTheirSectionsInFixedOrder) {
    auto state = Start(port);
    state->Cover.Modified = true;
    ASSERT_TRUE(WriteCoverProject(*state, Path("std.eco")));
    EXPECT_FALSE(state->Cover.Modified);
    EXPECT_EQ(Tags(Path("std.eco"), CoverFileKind::Project),
              (std::vector<std::uint8_t>{0x00, 0x64, 0x65, 0x66, 0x67, 0x6C, 0x01, 0x02, 0x03, 0x04,
                                         0x68, 0x69, 0x6A, 0x6B}));
    const auto bytes = FileBytes(Path("std.eco"));
    const auto parsed = ParseCoverFile(bytes, CoverFileKind::Project);
    EXPECT_TRUE(parsed.Sections[5].Images.empty());  // no book records for a standard box

    const std::pair<const char*, std::vector<std::uint8_t>> options[] = {{"dvdcase", {0x05}},
                                                                         {"cdcase", {0x05}},
                                                                         {"spiral2", {0x6E}},
                                                                         {"flatbook", {0x6D}},
                                                                         {"cbox", {0x06}}};
    for (const auto& [id, extra] : options) {
        Select(*state, id);
        ASSERT_TRUE(WriteCoverProject(*state, Path("x.eco")));
        const auto tags = Tags(Path("x.eco"), CoverFileKind::Project);
        EXPECT_EQ(std::vector<std::uint8_t>(tags.begin() + 1, tags.begin() + 2), extra) << id;
        EXPECT_EQ(tags.size(), 15u) << id;
    }
    Select(*state, "3bookbox");
    ASSERT_TRUE(WriteCoverProject(*state, Path("b.eco")));
    const auto bb = FileBytes(Path("b.eco"));
    EXPECT_EQ(ParseCoverFile(bb, CoverFileKind::Project).Sections[5].Images.size(), 9u);
}

TEST_F(ProjectTest, TemplatesHaveTheirFixedSizes) {
    auto state = Start(port);
    state->Cover.Modified = true;
    ASSERT_TRUE(WriteTemplate(*state, Path("a.tem")));
    EXPECT_EQ(fs::file_size(Path("a.tem")), 66u);
    EXPECT_TRUE(state->Cover.Modified);  // writing a template leaves it
    Select(*state, "cbox");
    ASSERT_TRUE(WriteTemplate(*state, Path("c.tem")));
    EXPECT_EQ(fs::file_size(Path("c.tem")), 79u);
    Select(*state, "dvdcase");
    ASSERT_TRUE(WriteTemplate(*state, Path("d.tem")));
    EXPECT_EQ(fs::file_size(Path("d.tem")), 71u);
}

TEST_F(ProjectTest, ProjectRoundTripRestoresEveryStoredValue) {
    fs::create_directories(Path("pics"));
    WriteJpegPicture(Path("pics/front.jpeg"), 200, 10, 10);
    WriteJpegPicture(Path("pics/side.jpg"), 10, 200, 10);
    WriteJpegPicture(Path("pics/top.JPG"), 10, 10, 200);
    WriteJpegPicture(Path("pics/floor.jpg"), 90, 90, 90);
    std::map<std::string, std::string> before;
    {
        ProjectPort p1;
        auto state = Start(p1);
        Select(*state, "2bookbox");
        MainControls& c = state->Controls;
        c.ScrollBar4.SetPosition(330);
        c.ScrollBar6.SetPosition(10);
        c.distanceSB.SetPosition(150);
        c.liftSB.SetPosition(12);
        c.ScrollBar11.SetPosition(60);
        c.LightXSB.SetPosition(30);
        c.ReflexionSB.SetPosition(55);
        c.ShadowSB.SetPosition(70);
        c.AmbientSB.SetPosition(5);
        c.ShadowCheck.SetChecked(false);
        c.FloorCheckBox.SetChecked(false);
        ApplyLightColor(*state, 0x00C0FFEE);
        ApplyBackgroundColor(*state, 0x00102030);
        ApplyFloorColor(*state, 0x00405060);
        const char* faces[3] = {"pics/front.jpeg", "pics/side.jpg", "pics/top.JPG"};
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(state->Session.SetFaceImage(i, Path(faces[i])));
        state->Session.FloorPath = Path("pics/floor.jpg");
        ASSERT_TRUE(state->Session.SetBookImage(1, 2, Path("pics/side.jpg")));
        SelectCover(*state, state->Cover.Entry);
        ASSERT_TRUE(WriteCoverProject(*state, Path("round.eco")));
        before = Snapshot(*state);
    }
    ProjectPort p2;
    auto fresh = Start(p2);
    p2.Clear();
    ASSERT_TRUE(ReadCoverProject(*fresh, Path("round.eco")));
    EXPECT_TRUE(p2.messages.empty()) << p2.messages.at(0).text;
    auto after = Snapshot(*fresh);
    // The image paths now name the working copies, with ".jpeg" cut to ".jpe".
    EXPECT_EQ(after["ImagePath1"], "Images/Image1.jpe");
    EXPECT_EQ(after["ImagePath3"], "Images/Image3.JPG");
    EXPECT_EQ(after["FloorPath"], "Images/Floor.jpg");
    EXPECT_EQ(after["BookPath23"], "Images/Book2Image3.jpg");
    EXPECT_EQ(after["BookPath31"], "Data/littleblank.jpg");
    EXPECT_EQ(FileBytes(Path("Images/Image1.jpe")), FileBytes(Path("pics/front.jpeg")));
    EXPECT_EQ(FileBytes(Path("Images/Book2Image3.jpg")), FileBytes(Path("pics/side.jpg")));
    for (const char* k : {"ImagePath1", "ImagePath2", "ImagePath3", "FloorPath", "BookPath11",
                          "BookPath12", "BookPath13", "BookPath21", "BookPath22", "BookPath23"})
        before.erase(k), after.erase(k);
    EXPECT_EQ(SnapshotDiff(before, after), "");
    EXPECT_EQ(fresh->Session.TheScene.Settings.FloorOpacity, 45.0f / 100.0f);
    EXPECT_EQ(p2.statusKeys.front(), "rngfl");
    EXPECT_EQ(p2.statusKeys.back(), "done");
    EXPECT_NE(std::find(p2.statusKeys.begin(), p2.statusKeys.end(), "lbai"), p2.statusKeys.end());
    EXPECT_NE(std::find(p2.statusKeys.begin(), p2.statusKeys.end(), "lngi"), p2.statusKeys.end());
}

TEST_F(ProjectTest, WrongMagicIsRefusedWithoutChange) {
    auto state = Start(port);
    ASSERT_TRUE(WriteTemplate(*state, Path("t.tem")));
    ASSERT_TRUE(WriteCoverProject(*state, Path("p.eco")));
    state->Controls.distanceSB.SetPosition(300);
    const auto before = Snapshot(*state);
    port.Clear();
    EXPECT_FALSE(ReadCoverProject(*state, Path("t.tem")));
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"notvalidcover"});
    EXPECT_FALSE(ReadTemplate(*state, Path("p.eco")));
    EXPECT_EQ(port.Keys(), (std::vector<std::string>{"notvalidcover", "notvalidtemplate"}));
    EXPECT_EQ(SnapshotDiff(before, Snapshot(*state)), "");
}

TEST_F(ProjectTest, AProjectWithOnlyATypeReportsAllFourImagesMissing) {
    auto state = Start(port);
    auto bytes = Magic("tsyc");
    bytes.insert(bytes.end(), {0x00, 9, 0x7F});  // a CD case, then an unknown tag
    WriteFileAtomically(Path("type.eco"), bytes);
    port.Clear();
    ASSERT_TRUE(ReadCoverProject(*state, Path("type.eco")));
    EXPECT_EQ(state->CurrentEntry()->Id, "cdcase");
    EXPECT_EQ(port.Keys(), std::vector<std::string>(4, "filenotfound"));
    EXPECT_EQ(port.messages[0].text, "filenotfound\r\n");
    // All four come in one group, for a window to show in one box.
    EXPECT_EQ(port.groups, 1);
    EXPECT_EQ(port.groupDepth, 0);
    EXPECT_EQ(port.inGroup, std::vector<bool>(4, true));
    EXPECT_FALSE(state->Cover.Modified);
}

TEST_F(ProjectTest, TemplateValuesAreClampedAndRunTheHandlers) {
    auto state = Start(port);
    auto bytes = Magic("tsyt");
    bytes.push_back(0x03);
    for (std::uint8_t b : {43, 0, 0, 0}) bytes.push_back(b);  // field of view 43 snaps to 45
    bytes.push_back(0x02);
    const std::int32_t camera[6] = {9999, -5, 30, 50, 100, 100};
    for (std::int32_t v : camera)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    bytes.insert(bytes.end(), {0x00, 4});
    WriteFileAtomically(Path("v.tem"), bytes);
    state->Controls.ScrollBar11.SetPosition(60);
    ASSERT_TRUE(ReadTemplate(*state, Path("v.tem")));
    EXPECT_EQ(state->Controls.ScrollBar11.Position, 45);
    EXPECT_EQ(state->Controls.distanceSB.Position, 500);
    EXPECT_EQ(state->Session.TheScene.Settings.Distance, 25.0f);
    EXPECT_EQ(state->Controls.rotateSB.Position, 0);
    EXPECT_EQ(state->Session.TheScene.Settings.CameraLift, 30.0f);
    EXPECT_EQ(state->Cover.Entry, state->Session.Catalogue.FindEntry("cbox"));
    EXPECT_TRUE(port.status.empty());
}

TEST_F(ProjectTest, FailedSaveLeavesTheOldFileAndModified) {
    auto state = Start(port);
    ASSERT_TRUE(WriteCoverProject(*state, Path("keep.eco")));
    const auto old = FileBytes(Path("keep.eco"));
    state->Controls.distanceSB.SetPosition(200);
    ASSERT_TRUE(state->Cover.Modified);
    // The floor image vanished: the saving fails before the target changes.
    state->Session.FloorPath = Path("gone.jpg");
    port.Clear();
    EXPECT_FALSE(WriteCoverProject(*state, Path("keep.eco")));
    EXPECT_EQ(FileBytes(Path("keep.eco")), old);
    EXPECT_TRUE(state->Cover.Modified);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].text.find("gone.jpg"), std::string::npos);
    // A folder that cannot be written into.
    state->Session.FloorPath = state->Session.ImagePaths[0];
    EXPECT_FALSE(WriteCoverProject(*state, Path("no/such/folder/x.eco")));
    EXPECT_TRUE(state->Cover.Modified);
    // A missing main image: its key, nothing written.
    state->Session.ImagePaths[1] = Path("gone.png");
    port.Clear();
    EXPECT_FALSE(WriteCoverProject(*state, Path("new.eco")));
    EXPECT_EQ(port.Keys(), std::vector<std::string>{"im2notfound"});
    EXPECT_FALSE(fs::exists(Path("new.eco")));
    // Only the target and no temporary files are left beside it.
    int files = 0;
    for (const auto& e : fs::directory_iterator(program_.Path()))
        if (e.is_regular_file() && e.path().extension() != "" &&
            e.path().filename().string()[0] != '_')
            ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ProjectTest, UnsafeExtensionsStayInTheImagesFolder) {
    auto state = Start(port);
    auto bytes = Magic("tsyc");
    bytes.push_back(0x64);
    bytes.insert(bytes.end(), {4, '/', '.', '.', '/'});
    bytes.insert(bytes.end(), {3, 0, 0, 0, 'a', 'b', 'c'});
    bytes.push_back(0x67);
    bytes.insert(bytes.end(), {3, '.', '.', '\\', 0});
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    WriteFileAtomically(Path("evil.eco"), bytes);
    ASSERT_TRUE(ReadCoverProject(*state, Path("evil.eco")));
    EXPECT_TRUE(fs::exists(Path("Images/Image1____")));
    EXPECT_TRUE(fs::exists(Path("Images/Floor.__")));
    for (const auto& e : fs::directory_iterator(program_.Path()))
        EXPECT_NE(e.path().filename().string().rfind("Image1", 0), 0u) << e.path();
}

TEST_F(ProjectTest, OversizedLengthGivesAShorterImageAndEndsTheReading) {
    auto state = Start(port);
    auto bytes = Magic("tsyc");
    bytes.insert(bytes.end(),
                 {0x00, 2, 0x66, 4, '.', 'j', 'p', 'g', 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
    WriteFileAtomically(Path("long.eco"), bytes);
    port.Clear();
    ASSERT_TRUE(ReadCoverProject(*state, Path("long.eco")));
    EXPECT_EQ(FileBytes(Path("Images/Image3.jpg")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(state->CurrentEntry()->Id, "thinbox");
    // Image1, Image2 and the floor are missing; Image3 is no picture.
    const auto keys = port.Keys();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "filenotfound"), 3);
}

TEST_F(ProjectTest, CutShortProjectNamesTheFileAndKeepsWhatWasApplied) {
    auto state = Start(port);
    auto bytes = Magic("tsyc");
    bytes.insert(bytes.end(), {0x69, 80, 0, 0, 0});  // reflection 80
    bytes.insert(bytes.end(), {0x02, 1, 2});         // camera cut short
    WriteFileAtomically(Path("cut.eco"), bytes);
    state->Cover.Modified = false;
    port.Clear();
    EXPECT_FALSE(ReadCoverProject(*state, Path("cut.eco")));
    EXPECT_EQ(state->Controls.ReflexionSB.Position, 80);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].text.find("cut.eco"), std::string::npos);
    EXPECT_NE(port.messages[0].text.find("camera"), std::string::npos);
    EXPECT_TRUE(state->Cover.Modified);  // the reading did not complete
    EXPECT_NE(port.statusKeys.back(), "done");

    auto t = Magic("tsyt");
    t.insert(t.end(), {0x00, 3, 0x04, 1});
    WriteFileAtomically(Path("cut.tem"), t);
    port.Clear();
    EXPECT_FALSE(ReadTemplate(*state, Path("cut.tem")));
    EXPECT_EQ(state->CurrentEntry() ? state->Cover.Entry : 0,
              state->Session.Catalogue.FindEntry("widebox"));
    EXPECT_NE(port.messages.at(0).text.find("cut.tem"), std::string::npos);
}

TEST_F(ProjectTest, PicturesBeyondTheProjectsPixelBudgetAreLeftOutNamingThem) {
    fs::create_directories(Path("pics"));
    WriteJpegPicture(Path("pics/a.jpg"), 200, 10, 10);  // 32 x 32
    {
        ProjectPort p1;
        auto state = Start(p1);
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(state->Session.SetFaceImage(i, Path("pics/a.jpg")));
        state->Session.FloorPath = Path("pics/a.jpg");
        ASSERT_TRUE(WriteCoverProject(*state, Path("four.eco")));
    }
    ProjectPort p2;
    auto fresh = Start(p2);
    p2.Clear();
    {
        // Room for two and a half of the project's four pictures.
        PixelBudgetScope tight(32 * 32 * 5 / 2);
        ReadCoverProject(*fresh, Path("four.eco"));
    }
    std::vector<std::string> refused;
    for (const auto& m : p2.messages)
        if (m.text.find("together") != std::string::npos) refused.push_back(m.text);
    ASSERT_EQ(refused.size(), 2u) << (p2.messages.empty() ? "" : p2.messages[0].text);
    EXPECT_NE(refused[0].find("Image3.jpg"), std::string::npos) << refused[0];
    EXPECT_NE(refused[1].find("Floor.jpg"), std::string::npos) << refused[1];
    // The pictures within the budget are on the cover.
    EXPECT_NE(fresh->Session.ImageTextures[0], 0u);
}

}  // namespace
}  // namespace tessaly::test
