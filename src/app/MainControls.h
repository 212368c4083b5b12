// MainControls: the main window's controls that hold state, under their
// component names, with the ranges and design-time values of the window
// layout. The window binds its widgets to these; the app layer's handlers
// read and write them.
#pragma once

#include "app/controls/Controls.h"

namespace tessaly {

struct MainControls {
    MainControls();

    ControlSet All;

    // Images tab: the three face image groups, their thumbnails, frames and
    // optimal-size labels.
    Control& Group1;
    Control& Group2;
    Control& Group3;
    Control& Image1;
    Control& Image2;
    Control& Image3;
    Control& Shape1;
    Control& Shape2;
    Control& Shape3;
    Control& LSize1;
    Control& LSize2;
    Control& LSize3;
    Control& BImagesPanel;
    Control& BitBtn26;
    Control& SB3;
    Control& SB4;

    // eCover tab: the option groups of particular cover types.
    Control& ecoDimensionsG;
    Control& ecoCDOpt;
    Control& SpineGroup;
    Control& SpiralGroup;
    ScrollBar& BWidthSB;
    ScrollBar& BHeightSB;
    ScrollBar& BDepthSB;
    ScrollBar& caseAngleSB;
    Control& Label49;
    Control& Label50;
    Control& Label51;
    Control& CALabel;
    ColorSwatch& SpineShape;
    ColorSwatch& SpiralShape;

    ComboBox& ModelsComboBox;

    // The group for image slot g (1..3) and its parts.
    Control& Group(int g) { return g == 1 ? Group1 : g == 2 ? Group2 : Group3; }
    Control& Image(int g) { return g == 1 ? Image1 : g == 2 ? Image2 : Image3; }
    Control& Shape(int g) { return g == 1 ? Shape1 : g == 2 ? Shape2 : Shape3; }
    Control& LSize(int g) { return g == 1 ? LSize1 : g == 2 ? LSize2 : LSize3; }
};

}  // namespace tessaly
