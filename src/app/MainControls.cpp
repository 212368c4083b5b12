#include "app/MainControls.h"

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
      caseAngleSB(All.Add<ScrollBar>("caseAngleSB", kCaseAngleMin, kCaseAngleMax, kCaseAngleInitial)),
      Label49(AddLabel(All, "Label49", "1")),
      Label50(AddLabel(All, "Label50", "1")),
      Label51(AddLabel(All, "Label51", "1")),
      CALabel(AddLabel(All, "CALabel", "0")),
      SpineShape(All.Add<ColorSwatch>("SpineShape", kWhite)),
      SpiralShape(All.Add<ColorSwatch>("SpiralShape", kWhite)),
      ModelsComboBox(All.Add<ComboBox>("ModelsComboBox")) {
    BImagesPanel.Visible = false;
}

}  // namespace tessaly
