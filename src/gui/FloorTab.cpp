#include "gui/FloorTab.h"

#include <QPixmap>

#include "app/scene/SceneControls.h"
#include "gui/ImageSlots.h"
#include "gui/MainWindow.h"
#include "gui/WidgetBinding.h"

namespace tessaly {

FloorTab::FloorTab(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    ui_.setupUi(this);
    MainControls& c = window.State().Controls;
    BindSlider(ui_.ReflexionSB, c.ReflexionSB, [&window] { window.DrawNow(); });
    BindCheckBox(ui_.FloorCheckBox, c.FloorCheckBox);
    BindSwatch(ui_.FloorShape, c.FloorShape);
    ui_.BitBtn15->setEnabled(false);
    ui_.BitBtn13->setEnabled(false);
    connect(ui_.BitBtn3, &QPushButton::clicked, this, [&window] { Fcolor(window.State()); });

    // Select: the working copy "Images/Floor" + extension; the thumbnail and
    // the texture come from the chosen file.
    connect(ui_.BitBtn14, &QPushButton::clicked, this, [this] {
        MainState& state = window_.State();
        const auto chosen = window_.Port().ChooseFileName("OpenPicture");
        if (!chosen) return;
        ui_.BitBtn15->setEnabled(true);
        ui_.BitBtn13->setEnabled(true);
        state.Session.FloorPath = MakeWorkingCopy(window_.ProgramFolder(), "Floor", *chosen);
        QPixmap picture(QString::fromStdString(*chosen));
        if (picture.isNull())
            window_.Port().ShowMessage(MessageKind::Error,
                                       window_.Text("cli", "Could not load the image"), "",
                                       MessageButtons::Ok, "cli");
        else
            ui_.Background->setPixmap(picture);
        window_.MakeCurrent();
        SetFloorImage(state, *chosen, false);
        state.Cover.Modified = true;
    });
    connect(ui_.BitBtn15, &QPushButton::clicked, this, [this] {
        MainState& state = window_.State();
        StartEditor(state.Session.Settings.ReadValue("DefaultEditor"), state.Session.FloorPath);
    });
    // Refresh goes through the texture file readers, as the floor's own
    // loader does.
    connect(ui_.BitBtn13, &QPushButton::clicked, this, [this] {
        MainState& state = window_.State();
        ShowFloorThumbnail();
        window_.MakeCurrent();
        SetFloorImage(state, state.Session.FloorPath, true);
        state.Cover.Modified = true;
    });
}

void FloorTab::ShowFloorThumbnail() {
    QPixmap picture(QString::fromStdString(window_.State().Session.FloorPath));
    if (!picture.isNull()) ui_.Background->setPixmap(picture);
}

}  // namespace tessaly
