#include "gui/SceneTab.h"

#include "app/scene/SceneControls.h"
#include "gui/MainWindow.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

SceneTab::SceneTab(MainWindow& window, QWidget* parent) : QWidget(parent) {
    ui_.setupUi(this);
    MainControls& c = window.State().Controls;
    auto draw = [&window] { window.DrawNow(); };
    BindSlider(ui_.distanceSB, c.distanceSB, draw);
    BindSlider(ui_.rotateSB, c.rotateSB, draw);
    BindSlider(ui_.liftSB, c.liftSB, draw);
    BindSlider(ui_.ScrollBar9, c.ScrollBar9, draw);
    BindSlider(ui_.StrafeSB, c.StrafeSB, draw);
    BindSlider(ui_.FrontBackSB, c.FrontBackSB, draw);
    BindSlider(ui_.ScrollBar11, c.ScrollBar11, draw);
    // Moving the antialiasing slider draws nothing at once.
    BindSlider(ui_.TrackBar1, c.TrackBar1);
    BindCheckBox(ui_.AxesCB, c.AxesCB);
    BindSwatch(ui_.BgColor, c.BgColor);
    for (auto [label, control] : {std::pair{ui_.Label20, &c.Label20},
                                  {ui_.Label8, &c.Label8},
                                  {ui_.Label22, &c.Label22},
                                  {ui_.Label10, &c.Label10},
                                  {ui_.Label44, &c.Label44},
                                  {ui_.Label23, &c.Label23},
                                  {ui_.Label11, &c.Label11},
                                  {ui_.Label45, &c.Label45},
                                  {ui_.FOVLabel, &c.FOVLabel},
                                  {ui_.DistanceValue, &c.DistanceValue},
                                  {ui_.ElevationValue, &c.ElevationValue},
                                  {ui_.StrafeValue, &c.StrafeValue},
                                  {ui_.FrontBackValue, &c.FrontBackValue}})
        BindLabel(label, *control);
    connect(ui_.BitBtn1, &QPushButton::clicked, this, [&window] { BitBtn1Click(window.State()); });
}

}  // namespace tessaly
