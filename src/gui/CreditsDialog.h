// CreditsDialog: the credits window "creditsForm", shown from the about box:
// who made the program and the libraries it is built on.
#pragma once

#include <QDialog>

#include "ui_CreditsDialog.h"

namespace tessaly {

class CreditsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CreditsDialog(QWidget* parent = nullptr);
    Ui::CreditsDialog& Form() { return ui_; }

  private:
    Ui::CreditsDialog ui_;
};

}  // namespace tessaly
