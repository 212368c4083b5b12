// MainControls: the main window's controls that hold state, under their
// component names, with the ranges and design-time values of the window
// layout. The window binds its widgets to these; the app layer's handlers
// read and write them.
#pragma once

#include <array>

#include "app/controls/Controls.h"

namespace tessaly {

// The studio look's reflection fade slider: hundredths of the object height.
inline constexpr int kReflFadeMin = 10;
inline constexpr int kReflFadeMax = 200;
inline constexpr int kReflFadeInitial = 50;

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

    // Scene, Light and Floor tabs and the "eCover Position" group: the
    // sliders whose positions projects and templates store.
    ScrollBar& ScrollBar4;   // cover rotate
    ScrollBar& ScrollBar5;   // roll Z
    ScrollBar& ScrollBar10;  // roll X
    ScrollBar& ScrollBar6;   // cover lift
    ScrollBar& distanceSB;
    ScrollBar& rotateSB;
    ScrollBar& liftSB;
    ScrollBar& ScrollBar9;   // elevation
    ScrollBar& StrafeSB;
    ScrollBar& FrontBackSB;
    ScrollBar& ScrollBar11;  // field of view
    ScrollBar& LightXSB;
    ScrollBar& LightYSB;
    ScrollBar& LightZSB;
    ScrollBar& ReflexionSB;
    ScrollBar& ShadowSB;
    ScrollBar& ReflFadeSB;  // studio look: reflection fade, hundredths of the object height
    ScrollBar& AmbientSB;
    ScrollBar& TrackBar1;    // antialiasing passes
    CheckBox& FloorCheckBox;
    CheckBox& ShadowCheck;
    CheckBox& CheckBox2;     // draw light source
    CheckBox& AxesCB;
    ColorSwatch& BgColor;
    ColorSwatch& LColorShape;
    ColorSwatch& FloorShape;

    // Value and range labels of the sliders.
    Control& Label44;
    Control& Label45;
    Control& FOVLabel;
    Control& Label17;
    Control& Label47;
    Control& Label58;
    Control& Label48;
    Control& Label40;
    Control& Label41;
    Control& Label42;
    Control& Label19;
    Control& Label7;
    Control& Label18;
    Control& Label6;
    Control& Label46;
    Control& Label5;
    Control& Label24;
    Control& Label12;
    Control& Label25;
    Control& Label13;
    Control& Label26;
    Control& Label14;
    Control& Label20;
    Control& Label8;
    Control& Label22;
    Control& Label10;
    Control& Label23;
    Control& Label11;
    // Value labels of the camera sliders that have no range labels.
    Control& DistanceValue;
    Control& ElevationValue;
    Control& StrafeValue;
    Control& FrontBackValue;
    Control& ReflFadeCaption;  // the reflection fade's caption and value label:
    Control& ReflFadeLabel;    // shown in the studio look only

    // Image slots: the Edit and Refresh buttons of the three faces and the
    // floor, disabled until the slot has a file of its own; the floor's
    // thumbnail; the book panel's Edit and Refresh buttons (for images 1..3
    // of the current book) and its twelve thumbnails.
    Control& BitBtn5;
    Control& BitBtn6;
    Control& BitBtn9;
    Control& BitBtn7;
    Control& BitBtn12;
    Control& BitBtn10;
    Control& BitBtn15;
    Control& BitBtn13;
    Control& Background;
    Control& BitBtn17;
    Control& BitBtn18;
    Control& BitBtn21;
    Control& BitBtn19;
    Control& BitBtn24;
    Control& BitBtn22;
    // Which book images have a file of their own ([book][image], 0-based),
    // and the book (1..4) the book panel shows.
    std::array<std::array<bool, 3>, 4> BookImageFlags{};
    int CurrentBook = 1;

    // Slot 1..3 is a face, 4 the floor.
    Control& EditButton(int slot);
    Control& RefreshButton(int slot);
    // Image i (1..3) of the book panel.
    Control& BookEditButton(int i);
    Control& BookRefreshButton(int i);
    // Thumbnail of image i (1..3) of book b (1..4): "Book<b>Image<i>".
    Control& BookImage(int b, int i) { return *bookImages_.at(b - 1).at(i - 1); }

    // The group for image slot g (1..3) and its parts.
    Control& Group(int g) { return g == 1 ? Group1 : g == 2 ? Group2 : Group3; }
    Control& Image(int g) { return g == 1 ? Image1 : g == 2 ? Image2 : Image3; }
    Control& Shape(int g) { return g == 1 ? Shape1 : g == 2 ? Shape2 : Shape3; }
    Control& LSize(int g) { return g == 1 ? LSize1 : g == 2 ? LSize2 : LSize3; }

private:
    std::array<std::array<Control*, 3>, 4> bookImages_{};
};

}  // namespace tessaly
