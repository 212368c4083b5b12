#include "gui/FloorTab.h"

#include "app/images/ImageSlots.h"
#include "app/scene/SceneControls.h"
#include "gui/EditorLauncher.h"
#include "gui/MainWindow.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

FloorTab::FloorTab(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    ui_.setupUi(this);
    MainControls& c = window.State().Controls;
    BindSlider(ui_.ReflexionSB, c.ReflexionSB, [&window] { window.DrawNow(); });
    BindCheckBox(ui_.FloorCheckBox, c.FloorCheckBox);
    BindSlider(ui_.ReflFadeSB, c.ReflFadeSB, [&window] { window.DrawNow(); });
    BindLabel(ui_.ReflFadeLabel, c.ReflFadeLabel);
    BindVisibility(ui_.ReflFadeCaption, c.ReflFadeCaption);
    BindSwatch(ui_.FloorShape, c.FloorShape);
    BindEnabled(ui_.BitBtn15, c.BitBtn15);
    BindEnabled(ui_.BitBtn13, c.BitBtn13);
    BindPicture(ui_.Background, c.Background);
    // In a tall tab the preview stays at the top, beside its buttons.
    ui_.FloorThumbRow->setAlignment(ui_.Background, Qt::AlignLeft | Qt::AlignTop);
    connect(ui_.BitBtn3, &QPushButton::clicked, this, [&window] { Fcolor(window.State()); });
    connect(ui_.BitBtn14, &QPushButton::clicked, this, [this] {
        const auto chosen = window_.Port().ChooseFileName("OpenPicture");
        if (!chosen) return;
        window_.MakeCurrent();
        SelectSlotImage(window_.State(), kFloorSlot, *chosen);
    });
    connect(ui_.BitBtn15, &QPushButton::clicked, this, [this] {
        MainState& state = window_.State();
        StartEditor(window_.Port(), window_.State().Session.Files.Programs,
                    state.Session.Settings.ReadValue("DefaultEditor"), SlotPath(state, kFloorSlot));
    });
    connect(ui_.BitBtn13, &QPushButton::clicked, this, [this] {
        window_.MakeCurrent();
        RefreshSlotImage(window_.State(), kFloorSlot);
    });
}

void FloorTab::ShowFloorThumbnail() {
    MainState& state = window_.State();
    state.Controls.Background.SetPicture(state.Session.FloorPath);
}

}  // namespace tessaly
