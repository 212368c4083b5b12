// ShellDialogs: the main window's share of the language and options work.
// It owns the options dialog "oForm", the warning dialog "warningForm" and
// the component tree the language engine walks, points the language
// component at the program's windows (and Qt's own texts at the same
// language), and runs the start-up steps that load
// the settings, read the language catalogue and apply the chosen language.
#pragma once

#include <memory>
#include <string>

#include "gui/QtComponentTree.h"
#include "gui/QtTranslations.h"

namespace tessaly {

class MainWindow;
class OptionsDialog;
class WarningDialog;

class ShellDialogs {
  public:
    explicit ShellDialogs(MainWindow& window);
    ~ShellDialogs();

    OptionsDialog& Options() { return *options_; }
    WarningDialog& Warning() { return *warning_; }
    QtComponentTree& Tree() { return tree_; }

    // Start-up step 8: "settings.ini" into the options dialog's controls.
    void LoadSettings();
    // Start-up step 9: the language list from the catalogue.
    void LoadLanguageCatalogue();
    // Start-up step 10: the language of the "Language" setting.
    void TranslateToDefault();
    // End of start-up: the software renderer warning, when it applies. The
    // window's GL context must be current.
    void CheckRendererWarning();
    // File > Options.
    void ShowOptions();

  private:
    MainWindow& window_;
    QtComponentTree tree_;
    std::unique_ptr<OptionsDialog> options_;
    std::unique_ptr<WarningDialog> warning_;
    // Qt's own texts follow the chosen language.
    QtTranslations qtTexts_;
};

}  // namespace tessaly
