// OptionsDialog: the options dialog "oForm", a face over the app layer's
// OptionsState. Each control is bound to its state control, so a click runs
// the app handler (which writes "settings.ini" at once) and a change made from
// code shows in the widget. Picking a language switches every window to it.
#pragma once

#include <QDialog>
#include <functional>

#include "ui_OptionsDialog.h"

namespace tessaly {

class MainState;
class RadioButton;

class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    OptionsDialog(MainState& state, QWidget* parent = nullptr);

    // "Options" of the File menu: reads the stored size mode and depth into
    // the controls, then shows the dialog modally. A stored depth that is not
    // a number is reported and the dialog stays closed.
    void ShowModal();

    // Switched on while the dialog is up, so the 3-D view keeps being drawn.
    std::function<void(bool)> PaintTimer;

    Ui::OptionsDialog& Form() { return ui_; }

  private:
    void BindRadio(QAbstractButton* widget, RadioButton& control);
    // Runs a handler; an error is shown as the window framework would.
    void Run(const std::function<void()>& handler);

    MainState& state_;
    Ui::OptionsDialog ui_;
};

}  // namespace tessaly
