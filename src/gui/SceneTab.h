// SceneTab: the "Scene" tab: camera sliders, background colour, antialiasing
// and the axes check box, bound to their app-layer controls.
#pragma once

#include <QWidget>

#include "ui_SceneTab.h"

namespace tessaly {

class MainWindow;

class SceneTab : public QWidget {
    Q_OBJECT
  public:
    SceneTab(MainWindow& window, QWidget* parent);
    Ui::SceneTab& Form() { return ui_; }

  private:
    Ui::SceneTab ui_;
};

}  // namespace tessaly
