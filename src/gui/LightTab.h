// LightTab: the "Light" tab: the light position, ambient light, shadow
// and the light colour, bound to their app-layer controls.
#pragma once

#include <QWidget>

#include "ui_LightTab.h"

namespace tessaly {

class MainWindow;

class LightTab : public QWidget {
    Q_OBJECT
  public:
    LightTab(MainWindow& window, QWidget* parent);
    Ui::LightTab& Form() { return ui_; }

  private:
    Ui::LightTab ui_;
};

}  // namespace tessaly
