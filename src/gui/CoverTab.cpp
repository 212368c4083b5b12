#include "gui/CoverTab.h"

#include "app/cover/CoverOptions.h"
#include "gui/MainWindow.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

CoverTab::CoverTab(MainWindow& window, QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
    MainState& state = window.State();
    MainControls& c = state.Controls;
    auto draw = [&window] { window.DrawNow(); };
    BindSlider(ui_.ScrollBar4, c.ScrollBar4, draw);
    BindSlider(ui_.ScrollBar5, c.ScrollBar5, draw);
    BindSlider(ui_.ScrollBar10, c.ScrollBar10, draw);
    BindSlider(ui_.ScrollBar6, c.ScrollBar6, draw);
    BindSlider(ui_.BWidthSB, c.BWidthSB, draw);
    BindSlider(ui_.BHeightSB, c.BHeightSB, draw);
    BindSlider(ui_.BDepthSB, c.BDepthSB, draw);
    BindSlider(ui_.caseAngleSB, c.caseAngleSB, draw);
    for (auto [label, control] : {std::pair{ui_.Label46, &c.Label46},
                                  {ui_.Label5, &c.Label5},
                                  {ui_.Label17, &c.Label17},
                                  {ui_.Label18, &c.Label18},
                                  {ui_.Label6, &c.Label6},
                                  {ui_.Label47, &c.Label47},
                                  {ui_.Label58, &c.Label58},
                                  {ui_.Label19, &c.Label19},
                                  {ui_.Label7, &c.Label7},
                                  {ui_.Label48, &c.Label48},
                                  {ui_.Label49, &c.Label49},
                                  {ui_.Label50, &c.Label50},
                                  {ui_.Label51, &c.Label51},
                                  {ui_.CALabel, &c.CALabel}})
        BindLabel(label, *control);
    BindGroup(ui_.ecoDimensionsG, c.ecoDimensionsG);
    BindGroup(ui_.ecoCDOpt, c.ecoCDOpt);
    BindGroup(ui_.SpineGroup, c.SpineGroup);
    BindGroup(ui_.SpiralGroup, c.SpiralGroup);
    for (QGroupBox* group : {ui_.ecoDimensionsG, ui_.ecoCDOpt, ui_.SpineGroup, ui_.SpiralGroup})
        group->setVisible(false);
    BindSwatch(ui_.SpineShape, c.SpineShape);
    BindSwatch(ui_.SpiralShape, c.SpiralShape);
    connect(ui_.BitBtn27, &QPushButton::clicked, this, [&window] {
        window.MakeCurrent();
        BitBtn27Click(window.State());
    });
    connect(ui_.BitBtn28, &QPushButton::clicked, this, [&window] {
        window.MakeCurrent();
        BitBtn28Click(window.State());
    });
}

}  // namespace tessaly
