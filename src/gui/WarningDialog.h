// WarningDialog: "warningForm", shown once at the end of start-up when the
// OpenGL driver is a generic software rasteriser and the user has not asked
// to stop seeing it. Its text is the five "wline" messages of the current
// language; its check box stores the choice at once.
#pragma once

#include <QDialog>
#include <string>

#include "ui_WarningDialog.h"

namespace tessaly {

class MainState;

class WarningDialog : public QDialog {
    Q_OBJECT
  public:
    WarningDialog(MainState& state, QWidget* parent = nullptr);

    // Fills the text from the language file (each time it is shown).
    void FormShow();

    // The end of start-up: reads the renderer of the current context and the
    // "dWarning" setting, and shows the dialog (modal to the whole program,
    // without waiting for it) when they call for it. Whether it was shown.
    bool CheckRendererWarning(const std::string& renderer);

    Ui::WarningDialog& Form() { return ui_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    MainState& state_;
    Ui::WarningDialog ui_;
};

// GL_RENDERER of the context current on this thread; "" without one.
std::string CurrentRendererName();

}  // namespace tessaly
