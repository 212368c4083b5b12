#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"

namespace tessaly::test {
namespace {

class SelectCoverTest : public AppTest {
  protected:
    SelectCoverTest() { state.SetRenderingEnabled(true); }

    // Objects of `id`'s model that still have the texture of their file.
    std::vector<std::string> Unbound(const std::string& id) {
        std::vector<std::string> names;
        for (const TobjectEMO& o : ModelOf(id).Objects)
            if (o.Texture == kFileTexture) names.push_back(o.Name);
        return names;
    }
    std::vector<bool> OptionGroups() {
        const MainControls& c = state.Controls;
        return {c.ecoDimensionsG.Visible,
                c.ecoCDOpt.Visible,
                c.SpineGroup.Visible,
                c.SpiralGroup.Visible,
                c.BitBtn26.Visible,
                c.SB3.Visible,
                c.SB4.Visible};
    }
    void ExpectBounds(const Control& c, int left, int top, int width, int height) {
        EXPECT_EQ(c.Left, left) << c.Name;
        EXPECT_EQ(c.Top, top) << c.Name;
        EXPECT_EQ(c.Width, width) << c.Name;
        EXPECT_EQ(c.Height, height) << c.Name;
    }
};

using SelectCoverDisabledTest = AppTest;

TEST_F(SelectCoverDisabledTest, DoesNothingAtAllWhileRenderingIsDisabled) {
    int updates = 0;
    for (const auto& control : state.Controls.All.All())
        control->OnUpdate = [&](const Control&) { ++updates; };
    SelectCover(state, EntryOf("cbox"));
    EXPECT_EQ(state.Cover.Entry, 1);
    EXPECT_EQ(state.Session.TheScene.Model, nullptr);
    EXPECT_EQ(Object("cbox", "Front").Texture, kFileTexture);
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(state.Controls.LSize1.Caption, "400x400");

    state.SetRenderingEnabled(true);
    SelectCover(state, EntryOf("cbox"));
    EXPECT_EQ(state.Cover.Entry, EntryOf("cbox"));
    EXPECT_GT(updates, 0);
}

struct FaceCase {
    const char* id;
    const char* face1;
    const char* face2;
    const char* face3;  // "" when the type binds no third face
    std::vector<std::string> untouched;
};

TEST_F(SelectCoverTest, BindsTheFaceImagesToTheObjectsOfEachType) {
    const std::vector<FaceCase> cases = {
        {"stdbox", "Front", "Side", "Top", {"Back"}},
        {"cbox", "Front", "Side", "Top", {"Back"}},
        {"flatbook", "Front", "Back", "Side", {"Spine", "Top"}},
        {"roundedbook", "Front", "Back", "Side", {"Spine"}},
        {"magazine", "Front", "Back", "", {"Side", "Top"}},
        {"spiral1", "Front", "Back", "", {"Side", "Spira", "Spine"}},
        {"cdcase", "Front", "Back", "CD", {"fataCarcas", "CFata2", "DVDFata", "Side"}},
        {"dvdcase", "DVDFata", "DVDSpate", "DVD", {"DVDCFata", "Front", "Back"}},
    };
    for (const FaceCase& c : cases) {
        SCOPED_TRACE(c.id);
        Select(c.id);
        EXPECT_EQ(state.Cover.Entry, EntryOf(c.id));
        EXPECT_EQ(state.Session.TheScene.Model, &ModelOf(c.id));
        EXPECT_EQ(Object(c.id, c.face1).Texture, kFaceTexture[0]);
        EXPECT_EQ(Object(c.id, c.face2).Texture, kFaceTexture[1]);
        if (*c.face3) EXPECT_EQ(Object(c.id, c.face3).Texture, kFaceTexture[2]);
        EXPECT_EQ(Unbound(c.id), c.untouched);
    }
}

TEST_F(SelectCoverTest, MagazineLeavesGroup3AsTheCatalogueSays) {
    Select("magazine");
    EXPECT_EQ(state.Controls.Group3.Caption, "Unused");
    EXPECT_FALSE(state.Controls.Group3.Visible);
    EXPECT_EQ(state.Controls.LSize3.Caption, "132x176");
    for (const TobjectEMO& o : ModelOf("magazine").Objects)
        EXPECT_NE(o.Texture, kFaceTexture[2]) << o.Name;
}

TEST_F(SelectCoverTest, BoxesOfBooksBindTheImagesOfTheirOwnBooks) {
    for (int books = 2; books <= 4; ++books) {
        const std::string id = std::to_string(books) + "bookbox";
        SCOPED_TRACE(id);
        Select(id);
        EXPECT_EQ(Object(id, "Top").Texture, kFaceTexture[0]);
        EXPECT_EQ(Object(id, "Side").Texture, kFaceTexture[1]);
        EXPECT_EQ(Object(id, "Back").Texture, kFaceTexture[2]);
        EXPECT_EQ(Object(id, "Front").Texture, kFileTexture);
        for (int b = 0; b < 4; ++b) {
            const std::string n = "0" + std::to_string(b + 1);
            const bool bound = b < books;
            EXPECT_EQ(Object(id, "Front" + n).Texture, bound ? BookTexture(b, 0) : kFileTexture);
            EXPECT_EQ(Object(id, "Back" + n).Texture, bound ? BookTexture(b, 1) : kFileTexture);
            EXPECT_EQ(Object(id, "Side" + n).Texture, bound ? BookTexture(b, 2) : kFileTexture);
        }
    }
}

TEST_F(SelectCoverTest, SpineAndSpiralColoursGoOnlyToTheTypesThatUseThem) {
    state.Cover.SpineColor = 0x0000FF;   // red
    state.Cover.SpiralColor = 0xFF0000;  // blue
    Select("flatbook");
    Select("roundedbook");
    Select("spiral1");
    const Rgba red{1, 0, 0, 1};
    const Rgba blue{0, 0, 1, 1};
    const Rgba grey{kFileGrey, kFileGrey, kFileGrey, 1};
    EXPECT_EQ(Object("flatbook", "Spine").Ambient, red);
    EXPECT_EQ(Object("flatbook", "Spine").Diffuse, red);
    EXPECT_EQ(Object("roundedbook", "Spine").Ambient, grey);
    EXPECT_EQ(Object("spiral1", "Spira").Ambient, blue);
    EXPECT_EQ(Object("spiral1", "Spira").Diffuse, blue);
    EXPECT_EQ(Object("spiral1", "Spine").Ambient, grey);
}

TEST_F(SelectCoverTest, UnknownIdentifierBindsNothingAndShowsNoOptions) {
    Select("cbox");
    Select("Stdbox");  // differs from "stdbox" in letter case only
    EXPECT_EQ(Unbound("Stdbox").size(), ModelOf("Stdbox").Objects.size());
    EXPECT_EQ(Object("Stdbox", "Spine").Ambient, (Rgba{kFileGrey, kFileGrey, kFileGrey, 1}));
    EXPECT_EQ(OptionGroups(), std::vector<bool>(7, false));
    EXPECT_FALSE(state.Controls.BImagesPanel.Visible);
    const MainControls& c = state.Controls;
    EXPECT_EQ(c.Group1.Caption, "Own 1");
    EXPECT_FALSE(c.Group1.Visible);
    EXPECT_EQ(c.Group3.Caption, "Own 3");
    EXPECT_TRUE(c.Group3.Visible);
    EXPECT_EQ(c.LSize1.Caption, "40x80");
    EXPECT_EQ(c.LSize2.Caption, "120x160");
    EXPECT_EQ(c.Image2.Width, 30);
    EXPECT_EQ(c.Image2.Height, 40);
}

TEST_F(SelectCoverTest, ShowsTheOptionGroupOfEachType) {
    //                 dims   cd     spine  spiral books  SB3    SB4
    const std::vector<std::pair<const char*, std::vector<bool>>> cases = {
        {"stdbox", {false, false, false, false, false, false, false}},
        {"cbox", {true, false, false, false, false, false, false}},
        {"flatbook", {false, false, true, false, false, false, false}},
        {"roundedbook", {false, false, false, false, false, false, false}},
        {"spiral1", {false, false, false, true, false, false, false}},
        {"cdcase", {false, true, false, false, false, false, false}},
        {"dvdcase", {false, true, false, false, false, false, false}},
        {"2bookbox", {false, false, false, false, true, false, false}},
        {"3bookbox", {false, false, false, false, true, true, false}},
        {"4bookbox", {false, false, false, false, true, true, true}},
        {"2bookbox", {false, false, false, false, true, false, false}},
    };
    for (const auto& [id, shown] : cases) {
        SCOPED_TRACE(id);
        Select(id);
        EXPECT_EQ(OptionGroups(), shown);
    }
}

TEST_F(SelectCoverTest, BookImagesPanelIsHiddenOnlyForOtherTypes) {
    Select("2bookbox");
    state.Controls.BImagesPanel.SetVisible(true);  // the user opened it
    Select("4bookbox");
    EXPECT_TRUE(state.Controls.BImagesPanel.Visible);
    Select("stdbox");
    EXPECT_FALSE(state.Controls.BImagesPanel.Visible);
    EXPECT_FALSE(state.Controls.BitBtn26.Visible);
    Select("3bookbox");
    EXPECT_FALSE(state.Controls.BImagesPanel.Visible);  // not shown again by itself
}

TEST_F(SelectCoverTest, PlacesThumbnailsAndFramesInTheirGroups) {
    Select("stdbox");
    const MainControls& c = state.Controls;
    EXPECT_EQ(c.Group1.Caption, "Front");
    EXPECT_TRUE(c.Group1.Visible);
    ExpectBounds(c.Image1, 35, 23, 70, 100);
    ExpectBounds(c.Shape1, 34, 22, 72, 102);
    EXPECT_EQ(c.LSize1.Caption, "280x400");
    // 20 x 100 in a group 140 high.
    ExpectBounds(c.Image2, 60, 23, 20, 100);
    EXPECT_EQ(c.LSize2.Caption, "80x400");
    // 70 x 20 in Group3, which is 139 high: (139 - 70) div 2 = 34,
    // (139 - 7 - 20) div 2 + 7 = 63.
    ExpectBounds(c.Image3, 34, 63, 70, 20);
    ExpectBounds(c.Shape3, 33, 62, 72, 22);
    EXPECT_EQ(c.LSize3.Caption, "280x80");
}

TEST_F(SelectCoverTest, ThumbnailWiderThanItsGroupGetsANegativeLeft) {
    LoadCatalogue("1\n" + CatalogueEntry("stdbox", "Front", {"Wide", true, 200, 150}));
    Select("stdbox");
    // (140 - 200) div 2 = -30 and (140 - 7 - 150) div 2 + 7 = -1: division
    // that drops the fraction toward zero, not toward minus infinity.
    ExpectBounds(state.Controls.Image1, -30, -1, 200, 150);
    ExpectBounds(state.Controls.Shape1, -31, -2, 202, 152);
}

TEST_F(SelectCoverTest, CustomizableBoxSizesFollowTheFactors) {
    Select("cbox");
    const MainControls& c = state.Controls;
    for (int g = 1; g <= 3; ++g) {
        SCOPED_TRACE(g);
        const int left = g == 3 ? 44 : 45;  // Group3 is 139 high
        EXPECT_EQ(state.Controls.LSize(g).Caption, "400x400");
        ExpectBounds(state.Controls.Image(g), left, 48, 50, 50);
        ExpectBounds(state.Controls.Shape(g), left - 1, 47, 52, 52);
    }

    state.Cover.WidthFactor = 1.5f;
    UpdateCustomBoxSizes(state);
    EXPECT_EQ(c.LSize1.Caption, "600x400");
    EXPECT_EQ(c.LSize2.Caption, "400x400");
    EXPECT_EQ(c.LSize3.Caption, "600x400");
    EXPECT_EQ(c.Image1.Width, 75);
    EXPECT_EQ(c.Image1.Height, 50);
    EXPECT_EQ(c.Image1.Left, 32);  // (140 - 75) div 2
    EXPECT_EQ(c.Shape1.Width, 77);
    EXPECT_EQ(c.Image2.Width, 50);
    EXPECT_EQ(c.Image3.Width, 75);
    EXPECT_EQ(c.Image3.Height, 50);

    // SelectCover itself uses the current factors.
    Select("stdbox");
    Select("cbox");
    EXPECT_EQ(c.LSize1.Caption, "600x400");
}

TEST_F(SelectCoverTest, CustomizableBoxSizesAreCutNotRounded) {
    LoadCatalogue("1\n" + CatalogueEntry("cbox", "Front,Side,Top", {"Front", true, 70, 100}));
    Select("cbox");
    state.Controls.BWidthSB.SetPosition(96);  // move it away and back so the handler runs at 95
    state.Controls.BWidthSB.SetPosition(95);
    ASSERT_FLOAT_EQ(state.Cover.WidthFactor, 1.0025f);
    // 2 x 1.0025 x 70 = 140.35 and 100 x 1.0025 / 2 = 50.125.
    EXPECT_EQ(state.Controls.LSize1.Caption, "140x200");
    EXPECT_EQ(state.Controls.LSize3.Caption, "140x200");
    EXPECT_EQ(state.Controls.Image1.Width, 50);
}

TEST_F(SelectCoverTest, SizesOfOtherTypesIgnoreTheFactors) {
    state.Cover.WidthFactor = 2.0f;
    Select("stdbox");
    EXPECT_EQ(state.Controls.LSize1.Caption, "280x400");
    EXPECT_EQ(state.Controls.Image1.Width, 70);
}

TEST_F(SelectCoverTest, NeitherMarksTheCoverModifiedNorTouchesTheComboBox) {
    state.Controls.ModelsComboBox.Select(0);
    Select("cdcase");
    Select("flatbook");
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_EQ(state.Controls.ModelsComboBox.ItemIndex, 0);
}

TEST_F(SelectCoverTest, EntryOutsideTheCatalogueChangesNothing) {
    Select("cdcase");
    const int count = state.Session.Catalogue.Count;
    SelectCover(state, 0);
    SelectCover(state, count + 1);
    SelectCover(state, 21);
    EXPECT_EQ(state.Cover.Entry, EntryOf("cdcase"));
    EXPECT_TRUE(state.Controls.ecoCDOpt.Visible);
}

TEST_F(SelectCoverTest, ReselectingBindsTexturesMadeAnew) {
    Select("stdbox");
    Select("flatbook");
    state.Session.ImageTextures[0] = 55;  // a new front image while the book is current
    Select("flatbook");
    EXPECT_EQ(Object("flatbook", "Front").Texture, 55u);
    EXPECT_EQ(Object("stdbox", "Front").Texture, kFaceTexture[0]);  // bound when last selected
    Select("stdbox");
    EXPECT_EQ(Object("stdbox", "Front").Texture, 55u);
}

}  // namespace
}  // namespace tessaly::test
