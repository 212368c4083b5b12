// SizeDialog: the output size dialog "dForm". It shows the rendering panel's
// size as the upper bounds; the values keep between uses and are clamped to
// [minimum, bound] when read.
#pragma once

#include <QDialog>

#include "ui_SizeDialog.h"

namespace tessaly {

class SizeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit SizeDialog(QWidget* parent = nullptr);
    void SetMaximum(int width, int height);
    int ChosenWidth() const;
    int ChosenHeight() const;
    Ui::SizeDialog& Form() { return ui_; }

  private:
    Ui::SizeDialog ui_;
    int maxWidth_ = 5000;
    int maxHeight_ = 5000;
};

}  // namespace tessaly
