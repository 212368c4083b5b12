#include "editor/EditorDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/images/TexturePixels.h"

namespace tessaly::editor {

ResizeDialog::ResizeDialog(const QSize& original, QWidget* parent)
    : QDialog(parent), original_(original) {
    setObjectName("ResizeDialog");
    setWindowTitle(tr("Resize picture"));
    width_ = new QSpinBox(this);
    height_ = new QSpinBox(this);
    for (QSpinBox* box : {width_, height_}) {
        box->setRange(1, kMaxPictureSide);
        box->setSuffix(tr(" px"));
        box->setAccelerated(true);
    }
    width_->setObjectName("ResizeWidth");
    height_->setObjectName("ResizeHeight");
    width_->setValue(original.width());
    height_->setValue(original.height());
    keepRatio_ = new QCheckBox(tr("Keep proportions"), this);
    keepRatio_->setObjectName("ResizeKeepRatio");
    keepRatio_->setChecked(true);
    percent_ = new QLabel(this);

    auto* form = new QFormLayout;
    form->addRow(tr("Now:"),
                 new QLabel(tr("%1 x %2 pixels").arg(original.width()).arg(original.height())));
    form->addRow(tr("Width:"), width_);
    form->addRow(tr("Height:"), height_);
    form->addRow(QString(), keepRatio_);
    form->addRow(QString(), percent_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(width_, &QSpinBox::valueChanged, this, &ResizeDialog::WidthChanged);
    connect(height_, &QSpinBox::valueChanged, this, &ResizeDialog::HeightChanged);
    connect(keepRatio_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) WidthChanged(width_->value());
    });
    ShowPercent();
}

void ResizeDialog::WidthChanged(int width) {
    if (!updating_ && keepRatio_->isChecked()) {
        updating_ = true;
        height_->setValue(HeightForWidth(original_, width));
        updating_ = false;
    }
    ShowPercent();
}

void ResizeDialog::HeightChanged(int height) {
    if (!updating_ && keepRatio_->isChecked()) {
        updating_ = true;
        width_->setValue(WidthForHeight(original_, height));
        updating_ = false;
    }
    ShowPercent();
}

void ResizeDialog::ShowPercent() {
    const QSize size = ChosenSize();
    const bool allowed = SizeAllowed(size);
    if (!allowed)
        percent_->setText(tr("<font color=\"#b00020\">Too large</font>"));
    else if (!original_.isEmpty())
        percent_->setText(tr("%1% x %2% of the present size")
                              .arg(100.0 * size.width() / original_.width(), 0, 'f', 1)
                              .arg(100.0 * size.height() / original_.height(), 0, 'f', 1));
    if (auto* box = findChild<QDialogButtonBox*>())
        box->button(QDialogButtonBox::Ok)->setEnabled(allowed);
}

QSize ResizeDialog::ChosenSize() const {
    return {width_->value(), height_->value()};
}

AdjustDialog::AdjustDialog(const QImage& picture, QWidget* parent) : QDialog(parent) {
    setObjectName("AdjustDialog");
    setWindowTitle(tr("Brightness, contrast and saturation"));
    // The preview works on a small copy so the sliders stay quick on large
    // pictures.
    small_ = picture.width() > 360 || picture.height() > 270
                 ? picture.scaled(360, 270, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                 : picture;
    previewLabel_ = new QLabel(this);
    previewLabel_->setObjectName("AdjustPreview");
    previewLabel_->setAlignment(Qt::AlignCenter);
    previewLabel_->setMinimumSize(360, 270);
    previewLabel_->setFrameShape(QFrame::StyledPanel);

    auto* grid = new QGridLayout;
    const char* names[3] = {"Brightness", "Contrast", "Saturation"};
    const QString captions[3] = {tr("&Brightness:"), tr("&Contrast:"), tr("&Saturation:")};
    for (int i = 0; i < 3; ++i) {
        sliders_[i] = new QSlider(Qt::Horizontal, this);
        sliders_[i]->setObjectName(names[i]);
        sliders_[i]->setRange(-100, 100);
        sliders_[i]->setPageStep(10);
        sliders_[i]->setTickPosition(QSlider::TicksBelow);
        sliders_[i]->setTickInterval(50);
        sliders_[i]->setMinimumWidth(260);
        values_[i] = new QLabel("0", this);
        values_[i]->setMinimumWidth(36);
        values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* caption = new QLabel(captions[i], this);
        caption->setBuddy(sliders_[i]);
        grid->addWidget(caption, i, 0);
        grid->addWidget(sliders_[i], i, 1);
        grid->addWidget(values_[i], i, 2);
        connect(sliders_[i], &QSlider::valueChanged, this, [this, i](int value) {
            values_[i]->setText(QString::number(value));
            UpdatePreview();
        });
    }
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Reset, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::Reset), &QPushButton::clicked, this, [this] {
        for (QSlider* slider : sliders_) slider->setValue(0);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(previewLabel_, 1);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    UpdatePreview();
}

ColorAdjustment AdjustDialog::Chosen() const {
    return {sliders_[0]->value(), sliders_[1]->value(), sliders_[2]->value()};
}

void AdjustDialog::UpdatePreview() {
    preview_ = AdjustColors(small_, Chosen());
    previewLabel_->setPixmap(QPixmap::fromImage(preview_));
}

}  // namespace tessaly::editor
