#include "app/MainControls.h"

#include <string>

#include "core/model/CoverParameters.h"

namespace tessaly {

namespace {

Control& AddGroup(ControlSet& all, const char* name, int height) {
    Control& c = all.Add<Control>(name);
    c.Width = 247;
    c.Height = height;
    return c;
}

Control& AddLabel(ControlSet& all, const char* name, const char* caption) {
    Control& c = all.Add<Control>(name);
    c.Caption = caption;
    return c;
}

Control& AddDisabled(ControlSet& all, const char* name) {
    Control& c = all.Add<Control>(name);
    c.Enabled = false;
    return c;
}

}  // namespace

MainControls::MainControls()
    : Group1(AddGroup(All, "Group1", 140)),
      Group2(AddGroup(All, "Group2", 140)),
      Group3(AddGroup(All, "Group3", 139)),
      Image1(All.Add<Control>("Image1")),
      Image2(All.Add<Control>("Image2")),
      Image3(All.Add<Control>("Image3")),
      Shape1(All.Add<Control>("Shape1")),
      Shape2(All.Add<Control>("Shape2")),
      Shape3(All.Add<Control>("Shape3")),
      LSize1(AddLabel(All, "LSize1", "400x400")),
      LSize2(AddLabel(All, "LSize2", "400x400")),
      LSize3(AddLabel(All, "LSize3", "400x400")),
      BImagesPanel(All.Add<Control>("BImagesPanel")),
      BitBtn26(AddLabel(All, "BitBtn26", "Images for books")),
      SB3(AddLabel(All, "SB3", "Book 3")),
      SB4(AddLabel(All, "SB4", "Book 4")),
      ecoDimensionsG(AddLabel(All, "ecoDimensionsG", "eCoverDimensions")),
      ecoCDOpt(AddLabel(All, "ecoCDOpt", "eCover Options")),
      SpineGroup(AddLabel(All, "SpineGroup", "Color")),
      SpiralGroup(AddLabel(All, "SpiralGroup", "Color")),
      BWidthSB(All.Add<ScrollBar>("BWidthSB", kDimensionMin, kDimensionMax, kDimensionInitial)),
      BHeightSB(All.Add<ScrollBar>("BHeightSB", kDimensionMin, kDimensionMax, kDimensionInitial)),
      BDepthSB(All.Add<ScrollBar>("BDepthSB", kDimensionMin, kDimensionMax, kDimensionInitial)),
      caseAngleSB(
          All.Add<ScrollBar>("caseAngleSB", kCaseAngleMin, kCaseAngleMax, kCaseAngleInitial)),
      Label49(AddLabel(All, "Label49", "1")),
      Label50(AddLabel(All, "Label50", "1")),
      Label51(AddLabel(All, "Label51", "1")),
      CALabel(AddLabel(All, "CALabel", "0")),
      SpineShape(All.Add<ColorSwatch>("SpineShape", kWhite)),
      SpiralShape(All.Add<ColorSwatch>("SpiralShape", kWhite)),
      ModelsComboBox(All.Add<ComboBox>("ModelsComboBox")),
      ScrollBar4(All.Add<ScrollBar>("ScrollBar4", 0, 360, 0)),
      ScrollBar5(All.Add<ScrollBar>("ScrollBar5", 0, 360, 0)),
      ScrollBar10(All.Add<ScrollBar>("ScrollBar10", 0, 360, 0)),
      ScrollBar6(All.Add<ScrollBar>("ScrollBar6", 0, 100, 0)),
      distanceSB(All.Add<ScrollBar>("distanceSB", 70, 500, 100)),
      rotateSB(All.Add<ScrollBar>("rotateSB", 0, 360, 0)),
      liftSB(All.Add<ScrollBar>("liftSB", 0, 90, 0)),
      ScrollBar9(All.Add<ScrollBar>("ScrollBar9", 0, 100, 50)),
      StrafeSB(All.Add<ScrollBar>("StrafeSB", 0, 200, 100)),
      FrontBackSB(All.Add<ScrollBar>("FrontBackSB", 0, 200, 100)),
      ScrollBar11(All.Add<ScrollBar>("ScrollBar11", 20, 110, 45)),
      LightXSB(All.Add<ScrollBar>("LightXSB", 0, 200, 100)),
      LightYSB(All.Add<ScrollBar>("LightYSB", 0, 200, 40)),
      LightZSB(All.Add<ScrollBar>("LightZSB", 0, 200, 40)),
      ReflexionSB(All.Add<ScrollBar>("ReflexionSB", 0, 100, 0)),
      ShadowSB(All.Add<ScrollBar>("ShadowSB", 0, 100, 20)),
      ReflFadeSB(All.Add<ScrollBar>("ReflFadeSB", kReflFadeMin, kReflFadeMax, kReflFadeInitial)),
      AmbientSB(All.Add<ScrollBar>("AmbientSB", 0, 100, 0)),
      TrackBar1(All.Add<ScrollBar>("TrackBar1", 1, 8, 1)),
      FloorCheckBox(All.Add<CheckBox>("FloorCheckBox", true)),
      ShadowCheck(All.Add<CheckBox>("ShadowCheck", true)),
      CheckBox2(All.Add<CheckBox>("CheckBox2", true)),
      AxesCB(All.Add<CheckBox>("AxesCB", false)),
      BgColor(All.Add<ColorSwatch>("BgColor", kWhite)),
      LColorShape(All.Add<ColorSwatch>("LColorShape", kWhite)),
      FloorShape(All.Add<ColorSwatch>("FloorShape", kWhite)),
      Label44(All.Add<Control>("Label44")),
      Label45(All.Add<Control>("Label45")),
      FOVLabel(All.Add<Control>("FOVLabel")),
      Label17(All.Add<Control>("Label17")),
      Label47(All.Add<Control>("Label47")),
      Label58(All.Add<Control>("Label58")),
      Label48(All.Add<Control>("Label48")),
      Label40(All.Add<Control>("Label40")),
      Label41(All.Add<Control>("Label41")),
      Label42(All.Add<Control>("Label42")),
      Label19(All.Add<Control>("Label19")),
      Label7(All.Add<Control>("Label7")),
      Label18(All.Add<Control>("Label18")),
      Label6(All.Add<Control>("Label6")),
      Label46(All.Add<Control>("Label46")),
      Label5(All.Add<Control>("Label5")),
      Label24(All.Add<Control>("Label24")),
      Label12(All.Add<Control>("Label12")),
      Label25(All.Add<Control>("Label25")),
      Label13(All.Add<Control>("Label13")),
      Label26(All.Add<Control>("Label26")),
      Label14(All.Add<Control>("Label14")),
      Label20(All.Add<Control>("Label20")),
      Label8(All.Add<Control>("Label8")),
      Label22(All.Add<Control>("Label22")),
      Label10(All.Add<Control>("Label10")),
      Label23(All.Add<Control>("Label23")),
      Label11(All.Add<Control>("Label11")),
      DistanceValue(All.Add<Control>("DistanceValue")),
      ElevationValue(All.Add<Control>("ElevationValue")),
      StrafeValue(All.Add<Control>("StrafeValue")),
      FrontBackValue(All.Add<Control>("FrontBackValue")),
      ReflFadeCaption(All.Add<Control>("ReflFadeCaption")),
      ReflFadeLabel(All.Add<Control>("ReflFadeLabel")),
      BitBtn5(AddDisabled(All, "BitBtn5")),
      BitBtn6(AddDisabled(All, "BitBtn6")),
      BitBtn9(AddDisabled(All, "BitBtn9")),
      BitBtn7(AddDisabled(All, "BitBtn7")),
      BitBtn12(AddDisabled(All, "BitBtn12")),
      BitBtn10(AddDisabled(All, "BitBtn10")),
      BitBtn15(AddDisabled(All, "BitBtn15")),
      BitBtn13(AddDisabled(All, "BitBtn13")),
      Background(All.Add<Control>("Background")),
      BitBtn17(AddDisabled(All, "BitBtn17")),
      BitBtn18(AddDisabled(All, "BitBtn18")),
      BitBtn21(AddDisabled(All, "BitBtn21")),
      BitBtn19(AddDisabled(All, "BitBtn19")),
      BitBtn24(AddDisabled(All, "BitBtn24")),
      BitBtn22(AddDisabled(All, "BitBtn22")) {
    for (int b = 1; b <= 4; ++b)
        for (int i = 1; i <= 3; ++i)
            bookImages_[b - 1][i - 1] =
                &All.Add<Control>("Book" + std::to_string(b) + "Image" + std::to_string(i));
    BImagesPanel.Visible = false;
    FOVLabel.Caption = "45\u00B0";
    Label17.Caption = "0\u00B0";
    Label58.Caption = "0\u00B0";
    ReflFadeSB.Visible = false;  // shown in the studio look only
    ReflFadeCaption.Visible = false;
    ReflFadeLabel.Visible = false;
    ReflFadeLabel.Caption = "0.50";
}

Control& MainControls::EditButton(int slot) {
    Control* const buttons[4] = {&BitBtn5, &BitBtn9, &BitBtn12, &BitBtn15};
    return *buttons[slot - 1];
}

Control& MainControls::RefreshButton(int slot) {
    Control* const buttons[4] = {&BitBtn6, &BitBtn7, &BitBtn10, &BitBtn13};
    return *buttons[slot - 1];
}

Control& MainControls::BookEditButton(int i) {
    Control* const buttons[3] = {&BitBtn17, &BitBtn21, &BitBtn24};
    return *buttons[i - 1];
}

Control& MainControls::BookRefreshButton(int i) {
    Control* const buttons[3] = {&BitBtn18, &BitBtn19, &BitBtn22};
    return *buttons[i - 1];
}

}  // namespace tessaly
