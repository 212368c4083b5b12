#include "gui/SizeDialog.h"

#include <algorithm>

namespace tessaly {

SizeDialog::SizeDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    ui_.setupUi(this);
    connect(ui_.BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void SizeDialog::SetMaximum(int width, int height) {
    // A capture is at most 5000 pixels wide, one row buffer's worth.
    maxWidth_ = std::clamp(width, ui_.WSpin->minimum(), 5000);
    maxHeight_ = std::max(height, ui_.HSpin->minimum());
    ui_.MaxWLabel->setText(QString::number(width));
    ui_.MaxHLabel->setText(QString::number(height));
    ui_.WSpin->setMaximum(std::max(maxWidth_, 5000));
    ui_.HSpin->setMaximum(std::max(maxHeight_, 5000));
}

int SizeDialog::ChosenWidth() const {
    return std::clamp(ui_.WSpin->value(), ui_.WSpin->minimum(), maxWidth_);
}

int SizeDialog::ChosenHeight() const {
    return std::clamp(ui_.HSpin->value(), ui_.HSpin->minimum(), maxHeight_);
}

}  // namespace tessaly
