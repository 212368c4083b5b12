#include "gui/WarningDialog.h"

#include <exception>

#include "app/MainState.h"
#include "app/options/RendererWarning.h"
#include "core/settings/SettingsFile.h"
#include "render/GL.h"

namespace tessaly {

WarningDialog::WarningDialog(MainState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      state_(state) {
    ui_.setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    connect(ui_.wButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_.wCheckBox, &QCheckBox::toggled, this, [this](bool checked) {
        try {
            StoreRendererWarningChoice(state_, checked);
        } catch (const std::exception& e) {
            state_.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        }
    });
}

void WarningDialog::FormShow() {
    ui_.wMemo->setPlainText(
        QString::fromStdString(JoinBrokenSentences(RendererWarningText(state_))));
}

void WarningDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

bool WarningDialog::CheckRendererWarning(const std::string& renderer) {
    if (!ShouldShowRendererWarning(renderer, state_.Session.Settings.ReadValue(kDWarningKey)))
        return false;
    // Start-up ends here, so not waiting for the answer changes nothing for
    // the user, and the window's start-up never nests an event loop.
    show();
    return true;
}

std::string CurrentRendererName() {
    const GLubyte* name = glGetString(GL_RENDERER);
    return name ? reinterpret_cast<const char*>(name) : "";
}

}  // namespace tessaly
