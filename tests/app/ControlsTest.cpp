#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/controls/Controls.h"

namespace tessaly::test {
namespace {

TEST(ScrollBar, ClampsToItsRangeAndRunsChangeOnlyWhenThePositionMoves) {
    ScrollBar bar("BWidthSB", 0, 200, 95);
    int changes = 0;
    int updates = 0;
    bar.OnChange = [&] { ++changes; };
    bar.OnUpdate = [&](const Control&) { ++updates; };

    bar.SetPosition(95);  // the position it already has
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(updates, 0);

    bar.SetPosition(250);
    EXPECT_EQ(bar.Position, 200);
    EXPECT_EQ(changes, 1);
    bar.SetPosition(300);  // clamps to the same end again: nothing to run
    EXPECT_EQ(changes, 1);

    bar.SetPosition(-5);
    EXPECT_EQ(bar.Position, 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(updates, 2);
}

TEST(ScrollBar, HandlerSeesTheNewPosition) {
    ScrollBar bar("caseAngleSB", 0, 180, 0);
    int seen = -1;
    bar.OnChange = [&] { seen = bar.Position; };
    bar.SetPosition(90);
    EXPECT_EQ(seen, 90);
}

TEST(CheckBox, RunsClickOnlyWhenTheStateChanges) {
    CheckBox box("FloorCheckBox", true);
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    box.SetChecked(true);
    EXPECT_EQ(clicks, 0);
    box.SetChecked(false);
    box.SetChecked(false);
    EXPECT_FALSE(box.Checked);
    EXPECT_EQ(clicks, 1);
    box.SetChecked(true);
    EXPECT_EQ(clicks, 2);
}

TEST(ComboBox, PickRunsChangeAndSelectDoesNot) {
    ComboBox combo("ModelsComboBox");
    combo.Items = {"a", "b"};
    int changes = 0;
    combo.OnChange = [&] { ++changes; };
    combo.Select(1);
    EXPECT_EQ(combo.ItemIndex, 1);
    EXPECT_EQ(changes, 0);
    combo.Pick(0);
    EXPECT_EQ(combo.ItemIndex, 0);
    EXPECT_EQ(changes, 1);
}

TEST(ControlSet, FindsControlsByNameAndKind) {
    MainControls c;
    EXPECT_EQ(c.All.Find("BWidthSB"), &c.BWidthSB);
    EXPECT_EQ(c.All.FindAs<ScrollBar>("caseAngleSB"), &c.caseAngleSB);
    EXPECT_EQ(c.All.FindAs<ColorSwatch>("SpineShape"), &c.SpineShape);
    EXPECT_EQ(c.All.FindAs<ScrollBar>("Label49"), nullptr);  // a label is no scroll bar
    EXPECT_EQ(c.All.Find("bwidthsb"), nullptr);              // names are case-sensitive
    EXPECT_EQ(c.All.Find("NoSuchControl"), nullptr);
}

using MainStateTest = AppTest;

TEST_F(MainStateTest, SettingABarToItsOwnPositionRunsNoHandler) {
    state.SetRenderingEnabled(true);
    Select("cbox");
    state.Controls.BWidthSB.SetPosition(95);
    state.Controls.caseAngleSB.SetPosition(0);
    EXPECT_FALSE(state.Cover.Modified);
    EXPECT_EQ(state.Cover.WidthFactor, 1.0f);  // exactly 1 until the bar moves
    EXPECT_EQ(ModelOf("cbox").ScaleX, 1.0f);
}

TEST_F(MainStateTest, BarsRunTheirHandlersWhenSetFromCode) {
    state.SetRenderingEnabled(true);
    Select("cdcase");
    state.Controls.caseAngleSB.SetPosition(45);
    EXPECT_EQ(state.Cover.CaseAngle, 45.0f);
    EXPECT_EQ(state.Controls.CALabel.Caption, "45\u00B0");
    state.Controls.BDepthSB.SetPosition(200);
    EXPECT_EQ(state.Cover.DepthFactor, 2.0f);
    EXPECT_EQ(state.Controls.Label51.Caption, "2");
}

TEST_F(MainStateTest, CurrentEntryIsNullOutsideTheFilledEntries) {
    ASSERT_EQ(state.Cover.Entry, 1);
    EXPECT_EQ(state.CurrentEntry(), &state.Session.Catalogue.Item(1));
    state.Cover.Entry = state.Session.Catalogue.Count + 1;
    EXPECT_EQ(state.CurrentEntry(), nullptr);
    EXPECT_EQ(state.CurrentModel(), nullptr);
    state.Cover.Entry = 0;
    EXPECT_EQ(state.CurrentEntry(), nullptr);
}

TEST_F(MainStateTest, FindEntryTakesTheLastOfSeveralEntriesWithTheSameIdentifier) {
    LoadCatalogue("3\n" + CatalogueEntry("stdbox", "Front,Side,Top") +
                  CatalogueEntry("cdcase", "Front,Back,CD") +
                  CatalogueEntry("stdbox", "Front,Side,Top,Back"));
    const ModelCatalogue& cat = state.Session.Catalogue;
    EXPECT_EQ(cat.FindEntry("stdbox"), 3);
    EXPECT_EQ(cat.EntryForCode(1), 3);
    EXPECT_EQ(cat.FindEntry("STDBOX"), 1);  // no match falls back to the first entry
    EXPECT_EQ(cat.EntryForCode(9), 2);
    EXPECT_EQ(cat.EntryForCode(13), 1);  // no "dvdcase" in this catalogue

    state.SetRenderingEnabled(true);
    SelectCover(state, cat.FindEntry("stdbox"));
    EXPECT_EQ(state.Cover.Entry, 3);
    EXPECT_EQ(state.Session.Catalogue.Item(3).Model.FindObject("Front")->Texture, kFaceTexture[0]);
    EXPECT_EQ(state.Session.Catalogue.Item(1).Model.FindObject("Front")->Texture, kFileTexture);
}

}  // namespace
}  // namespace tessaly::test
