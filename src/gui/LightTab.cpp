#include "gui/LightTab.h"

#include "app/scene/SceneControls.h"
#include "gui/MainWindow.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

LightTab::LightTab(MainWindow& window, QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
    MainControls& c = window.State().Controls;
    auto draw = [&window] { window.DrawNow(); };
    BindSlider(ui_.LightXSB, c.LightXSB, draw);
    BindSlider(ui_.LightYSB, c.LightYSB, draw);
    BindSlider(ui_.LightZSB, c.LightZSB, draw);
    BindSlider(ui_.AmbientSB, c.AmbientSB, draw);
    BindSlider(ui_.ShadowSB, c.ShadowSB, draw);
    BindCheckBox(ui_.CheckBox2, c.CheckBox2);
    BindCheckBox(ui_.ShadowCheck, c.ShadowCheck);
    BindSwatch(ui_.LColorShape, c.LColorShape);
    for (auto [label, control] : {std::pair{ui_.Label24, &c.Label24},
                                  {ui_.Label12, &c.Label12},
                                  {ui_.Label40, &c.Label40},
                                  {ui_.Label25, &c.Label25},
                                  {ui_.Label13, &c.Label13},
                                  {ui_.Label41, &c.Label41},
                                  {ui_.Label26, &c.Label26},
                                  {ui_.Label14, &c.Label14},
                                  {ui_.Label42, &c.Label42}})
        BindLabel(label, *control);
    connect(ui_.BitBtn2, &QPushButton::clicked, this, [&window] { Butcol2(window.State()); });
}

}  // namespace tessaly
