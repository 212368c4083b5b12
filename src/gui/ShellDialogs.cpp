#include "gui/ShellDialogs.h"

#include "app/language/LanguageSwitch.h"
#include "app/options/OptionsHandlers.h"
#include "core/i18n/Tooltips.h"
#include "core/settings/SettingsFile.h"
#include "gui/LocalisedTexts.h"
#include "gui/MainWindow.h"
#include "gui/OptionsDialog.h"
#include "gui/WarningDialog.h"

namespace tessaly {

ShellDialogs::ShellDialogs(MainWindow& window)
    : window_(window),
      options_(std::make_unique<OptionsDialog>(window.State(), &window)),
      warning_(std::make_unique<WarningDialog>(window.State(), &window)) {
    tree_.AddWindow(&window);
    tree_.AddWindow(options_.get());
    tree_.AddWindow(warning_.get());
    options_->PaintTimer = [this](bool on) { window_.SetPaintTimer(on); };
    MainState& state = window.State();
    state.Languages.TranslateWindows = [this, &state] {
        qtTexts_.Apply(state.Languages.Language.LanguageFile);
        state.Languages.Language.Translate(tree_.Application());
        ShowLocalisedTexts(&window_, state.Languages.Language.LanguageFile);
        ApplyTooltips(state.Languages.Language, tree_.Application());
    };
}

// The window destroys its state first, so no hook reaches the dialogs after.
ShellDialogs::~ShellDialogs() = default;

void ShellDialogs::LoadSettings() {
    tessaly::LoadSettings(window_.State());
}

void ShellDialogs::LoadLanguageCatalogue() {
    tessaly::LoadLanguageCatalogue(window_.State());
}

void ShellDialogs::TranslateToDefault() {
    MainState& state = window_.State();
    SwitchLanguage(state, state.Session.Settings.ReadValue(kLanguageKey));
}

void ShellDialogs::CheckRendererWarning() {
    warning_->CheckRendererWarning(CurrentRendererName());
}

void ShellDialogs::ShowOptions() {
    options_->ShowModal();
}

}  // namespace tessaly
