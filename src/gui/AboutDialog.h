// AboutDialog: the about box "aboutForm": the program's name and version,
// the addresses of the maker's home and support pages (a click on one opens
// the address it shows), the credits and OK.
#pragma once

#include <QDialog>
#include <functional>

#include "ui_AboutDialog.h"

class QLabel;

namespace tessaly {

class UserPort;

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    // `showCredits` runs when "Credits" is pressed.
    AboutDialog(UserPort& port, std::function<void()> showCredits, QWidget* parent = nullptr);
    Ui::AboutDialog& Form() { return ui_; }

    // Hands the address `label` displays to the desktop.
    void OpenLabelAddress(QLabel* label);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Ui::AboutDialog ui_;
    UserPort& port_;
    std::function<void()> showCredits_;
};

}  // namespace tessaly
