// CoverTab: the "eCover" tab: the cover position sliders and the option groups
// of particular cover types, bound to their app-layer controls.
#pragma once

#include <QWidget>

#include "ui_CoverTab.h"

namespace tessaly {

class MainWindow;

class CoverTab : public QWidget {
    Q_OBJECT
  public:
    CoverTab(MainWindow& window, QWidget* parent);
    Ui::CoverTab& Form() { return ui_; }

  private:
    Ui::CoverTab ui_;
};

}  // namespace tessaly
