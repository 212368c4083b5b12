#include "gui/CreditsDialog.h"

namespace tessaly {

CreditsDialog::CreditsDialog(QWidget* parent) : QDialog(parent) {
    ui_.setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui_.BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tessaly
