// FloorTab: the "Floor" tab: the floor texture slot, reflexion and floor colour,
// bound to their app-layer controls.
#pragma once

#include <QWidget>

#include "ui_FloorTab.h"

namespace tessaly {

class MainWindow;

class FloorTab : public QWidget {
    Q_OBJECT
  public:
    FloorTab(MainWindow& window, QWidget* parent);
    Ui::FloorTab& Form() { return ui_; }
    // Loads the floor picture into the thumbnail "Background".
    void ShowFloorThumbnail();

  private:
    MainWindow& window_;
    Ui::FloorTab ui_;
};

}  // namespace tessaly
