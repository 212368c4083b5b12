#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/cover/CoverOptions.h"

namespace tessaly::test {
namespace {

class CoverOptionsTest : public AppTest {
  protected:
    CoverOptionsTest() { state.SetRenderingEnabled(true); }

    static Rgba Colour(float r, float g, float b) { return {r, g, b, 1}; }
    static Rgba Grey() { return Colour(kFileGrey, kFileGrey, kFileGrey); }
    // The decimal text the labels use for a cut value such as 0.1.
    static std::string Decimal(const char* whole, const char* fraction) {
        return std::string(whole) + LocaleDecimalSeparator() + fraction;
    }
};

TEST_F(CoverOptionsTest, WidthBarScalesTheCustomizableBox) {
    Select("cbox");  // ThumbWidth1 200
    state.Controls.BWidthSB.SetPosition(200);
    EXPECT_EQ(state.Cover.WidthFactor, 2.0f);
    EXPECT_EQ(ModelOf("cbox").ScaleX, 2.0f);
    EXPECT_EQ(ModelOf("cbox").ScaleY, 1.0f);
    EXPECT_EQ(ModelOf("cbox").ScaleZ, 1.0f);
    EXPECT_EQ(state.Controls.Label49.Caption, "2");
    EXPECT_EQ(state.Controls.LSize1.Caption, "800x400");
    EXPECT_EQ(state.Controls.Image1.Width, 100);
    EXPECT_EQ(state.Controls.Image1.Left, 20);
    EXPECT_TRUE(state.Cover.Modified);
}

TEST_F(CoverOptionsTest, HeightAndDepthBarsScaleTheirOwnAxes) {
    Select("cbox");
    state.Controls.BHeightSB.SetPosition(0);
    state.Controls.BDepthSB.SetPosition(200);
    TmodelEMO& m = ModelOf("cbox");
    EXPECT_FLOAT_EQ(m.ScaleY, 0.1f);
    EXPECT_EQ(m.ScaleZ, 2.0f);
    EXPECT_EQ(m.ScaleX, 1.0f);
    EXPECT_EQ(state.Controls.Label50.Caption, Decimal("0", "1"));
    EXPECT_EQ(state.Controls.Label51.Caption, "2");
    // Front W x H, side D x H, top W x D.
    EXPECT_EQ(state.Controls.LSize1.Caption, "400x40");
    EXPECT_EQ(state.Controls.LSize2.Caption, "800x40");
    EXPECT_EQ(state.Controls.LSize3.Caption, "400x800");
    EXPECT_EQ(state.Controls.Image2.Width, 100);
    EXPECT_EQ(state.Controls.Image2.Height, 5);
}

TEST_F(CoverOptionsTest, DimensionLabelsAreCutToHundredths) {
    Select("cbox");
    state.Controls.BWidthSB.SetPosition(1);  // 0.1095
    EXPECT_EQ(state.Controls.Label49.Caption, Decimal("0", "1"));
    state.Controls.BWidthSB.SetPosition(100);  // 1.05
    EXPECT_EQ(state.Controls.Label49.Caption, Decimal("1", "05"));
}

TEST_F(CoverOptionsTest, DimensionBarOfAnotherTypeChangesOnlyTheFactor) {
    Select("stdbox");
    state.Controls.BHeightSB.SetPosition(200);
    EXPECT_EQ(state.Cover.HeightFactor, 2.0f);
    EXPECT_EQ(state.Controls.Label50.Caption, "2");
    EXPECT_EQ(ModelOf("stdbox").ScaleY, 1.0f);
    EXPECT_EQ(ModelOf("cbox").ScaleY, 1.0f);
    EXPECT_EQ(state.Controls.LSize1.Caption, "280x400");  // stdbox sizes stay
    EXPECT_TRUE(state.Cover.Modified);

    // The factor is there when the customizable box comes next.
    Select("cbox");
    EXPECT_EQ(state.Controls.LSize1.Caption, "400x800");
}

TEST_F(CoverOptionsTest, CaseAngleTurnsTheLidOfTheCurrentCaseOnly) {
    Select("cdcase");
    state.Controls.caseAngleSB.SetPosition(90);
    EXPECT_EQ(state.Cover.CaseAngle, 90.0f);
    EXPECT_EQ(state.Controls.CALabel.Caption, "90\u00B0");
    EXPECT_TRUE(state.Cover.Modified);
    for (const char* lid : {"Front", "fataCarcas", "CFata2", "DVDFata"})
        EXPECT_EQ(Object("cdcase", lid).AngleY, 90.0f) << lid;
    for (const char* other : {"Back", "CD", "Side"})
        EXPECT_EQ(Object("cdcase", other).AngleY, 0.0f) << other;
    EXPECT_EQ(Object("dvdcase", "DVDFata").AngleY, 0.0f);

    Select("stdbox");
    EXPECT_EQ(Object("stdbox", "Front").AngleY, 0.0f);
    EXPECT_EQ(Object("cdcase", "Front").AngleY, 90.0f);  // stays in the case's model
}

TEST_F(CoverOptionsTest, CaseAngleOnTheDvdCaseAndAtTheEnds) {
    Select("dvdcase");
    state.Controls.caseAngleSB.SetPosition(400);
    EXPECT_EQ(state.Controls.caseAngleSB.Position, 180);
    EXPECT_EQ(state.Controls.CALabel.Caption, "180\u00B0");
    EXPECT_EQ(Object("dvdcase", "DVDFata").AngleY, 180.0f);
    EXPECT_EQ(Object("dvdcase", "DVDCFata").AngleY, 180.0f);
    EXPECT_EQ(Object("dvdcase", "Front").AngleY, 180.0f);
    EXPECT_EQ(Object("dvdcase", "DVDSpate").AngleY, 0.0f);
    state.Controls.caseAngleSB.SetPosition(0);
    EXPECT_EQ(state.Controls.CALabel.Caption, "0\u00B0");
    EXPECT_EQ(Object("dvdcase", "DVDFata").AngleY, 0.0f);
}

TEST_F(CoverOptionsTest, CancellingTheSpineColourChangesNothing) {
    Select("flatbook");
    for (bool modified : {false, true}) {
        state.Cover.Modified = modified;
        port.colorAnswers.push_back(std::nullopt);
        BitBtn27Click(state);
        EXPECT_EQ(state.Cover.Modified, modified);
        EXPECT_EQ(state.Cover.SpineColor, kWhite);
        EXPECT_EQ(state.Controls.SpineShape.Color, kWhite);
        EXPECT_EQ(Object("flatbook", "Spine").Ambient, Colour(1, 1, 1));  // from SelectCover
    }
    EXPECT_EQ(port.colorDialogs, (std::vector<std::string>{"scDialog", "scDialog"}));
}

TEST_F(CoverOptionsTest, ChosenSpineColourColoursTheFlatBook) {
    Select("flatbook");
    port.colorAnswers.push_back(0x00FF00u);
    BitBtn27Click(state);
    EXPECT_EQ(state.Cover.SpineColor, 0x00FF00u);
    EXPECT_EQ(state.Controls.SpineShape.Color, 0x00FF00u);
    EXPECT_EQ(Object("flatbook", "Spine").Ambient, Colour(0, 1, 0));
    EXPECT_EQ(Object("flatbook", "Spine").Diffuse, Colour(0, 1, 0));
    EXPECT_TRUE(state.Cover.Modified);
}

TEST_F(CoverOptionsTest, SpineColourWhileASpiralNotebookIsCurrentTouchesNoModel) {
    Select("spiral1");
    port.colorAnswers.push_back(0x0000FFu);
    BitBtn27Click(state);
    EXPECT_EQ(state.Cover.SpineColor, 0x0000FFu);
    EXPECT_EQ(state.Controls.SpineShape.Color, 0x0000FFu);
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_EQ(Object("spiral1", "Spine").Ambient, Grey());
    EXPECT_EQ(Object("spiral1", "Spira").Ambient, Colour(1, 1, 1));
    EXPECT_EQ(Object("flatbook", "Spine").Ambient, Grey());

    Select("flatbook");  // the book takes the colour when it is selected
    EXPECT_EQ(Object("flatbook", "Spine").Ambient, Colour(1, 0, 0));
}

TEST_F(CoverOptionsTest, SpiralColourGoesToTheSpiralOfTheCurrentNotebook) {
    Select("spiral1");
    port.colorAnswers.push_back(0x804020u);
    BitBtn28Click(state);
    EXPECT_EQ(port.colorDialogs, std::vector<std::string>{"spiralcDialog"});
    EXPECT_EQ(state.Cover.SpiralColor, 0x804020u);
    EXPECT_EQ(state.Controls.SpiralShape.Color, 0x804020u);
    const Rgba c = Colour(0x20 / 255.0f, 0x40 / 255.0f, 0x80 / 255.0f);
    EXPECT_EQ(Object("spiral1", "Spira").Ambient, c);
    EXPECT_EQ(Object("spiral1", "Spira").Diffuse, c);
    EXPECT_TRUE(state.Cover.Modified);

    // On a book the spiral colour is kept but applied nowhere.
    state.Cover.Modified = false;
    Select("flatbook");
    port.colorAnswers.push_back(0x000000u);
    BitBtn28Click(state);
    EXPECT_EQ(state.Cover.SpiralColor, 0u);
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_EQ(Object("spiral1", "Spira").Ambient, c);

    port.colorAnswers.push_back(std::nullopt);
    BitBtn28Click(state);
    EXPECT_EQ(state.Cover.SpiralColor, 0u);
}

TEST_F(CoverOptionsTest, StoredColoursApplyAtOnceWithoutMarkingTheCover) {
    Select("flatbook");
    ApplySpineColor(state, 0xFF0000u);
    ApplySpiralColor(state, 0x00FF00u);
    EXPECT_EQ(Object("flatbook", "Spine").Ambient, Colour(0, 0, 1));
    EXPECT_EQ(state.Controls.SpiralShape.Color, 0x00FF00u);
    EXPECT_EQ(state.Cover.SpiralColor, 0x00FF00u);
    EXPECT_FALSE(state.Cover.Modified);
}

}  // namespace
}  // namespace tessaly::test
