#include "gui/ExportPictureDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/images/RowWriter.h"
#include "render/PictureRender.h"

namespace tessaly {

ExportPictureDialog::ExportPictureDialog(QWidget* parent, Texts texts, const ExportChoices& initial,
                                         int panelWidth, int panelHeight)
    : QDialog(parent),
      texts_(std::move(texts)),
      choices_(initial),
      panelWidth_(panelWidth),
      panelHeight_(panelHeight) {
    setObjectName("ExportPictureDialog");
    Build();
    Show();
}

void ExportPictureDialog::Build() {
    setWindowTitle(texts_("exporttitle"));
    auto tip = [this](QWidget* w, const char* key) { w->setToolTip(texts_(key)); };

    preset_ = new QComboBox(this);
    preset_->setObjectName("exportPreset");
    // In the order of ExportPreset: the index is the preset.
    preset_->addItem(texts_("exportcustom"));
    preset_->addItem(texts_("exportpanel").arg(panelWidth_).arg(panelHeight_));
    preset_->addItem(QStringLiteral("1920 × 1080"));
    preset_->addItem(QStringLiteral("3000 × 3000"));
    preset_->addItem(texts_("exporta4"));
    preset_->addItem(texts_("export6x9"));
    tip(preset_, "exporttippreset");

    width_ = new QDoubleSpinBox(this);
    width_->setObjectName("exportWidth");
    height_ = new QDoubleSpinBox(this);
    height_->setObjectName("exportHeight");
    for (QDoubleSpinBox* side : {width_, height_}) {
        side->setKeyboardTracking(false);
        side->setAccelerated(true);
        side->setMinimumWidth(side->fontMetrics().horizontalAdvance(QStringLiteral("000000.000")));
    }
    tip(width_, "exporttipwidth");
    tip(height_, "exporttipheight");
    unit_ = new QComboBox(this);
    unit_->setObjectName("exportUnit");
    unit_->addItem(texts_("exportpixels"));
    unit_->addItem(texts_("exportmm"));
    unit_->addItem(texts_("exportinches"));
    tip(unit_, "exporttipunit");

    dpi_ = new QSpinBox(this);
    dpi_->setObjectName("exportDpi");
    dpi_->setRange(1, kMaxDpi);
    dpi_->setSuffix(QStringLiteral(" dpi"));
    dpi_->setKeyboardTracking(false);
    tip(dpi_, "exporttipdpi");

    result_ = new QLabel(this);
    result_->setObjectName("exportResult");
    tip(result_, "exporttipresult");

    format_ = new QComboBox(this);
    format_->setObjectName("exportFormat");
    format_->addItem(QStringLiteral("PNG"), static_cast<int>(PictureFileType::Png));
    format_->addItem(QStringLiteral("JPEG"), static_cast<int>(PictureFileType::Jpeg));
    format_->addItem(QStringLiteral("BMP"), static_cast<int>(PictureFileType::Bmp));
    tip(format_, "exporttipformat");

    quality_ = new QSpinBox(this);
    quality_->setObjectName("exportQuality");
    quality_->setRange(1, 100);
    tip(quality_, "exporttipquality");

    transparent_ = new QCheckBox(texts_("exporttransparent"), this);
    transparent_->setObjectName("exportTransparent");
    tip(transparent_, "exporttiptransparent");

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName("exportButtons");
    QPushButton* ok = buttons_->button(QDialogButtonBox::Ok);
    ok->setText(texts_("exportbutton"));
    tip(ok, "exporttipexport");
    QPushButton* cancel = buttons_->button(QDialogButtonBox::Cancel);
    cancel->setText(texts_("exportcancel"));
    tip(cancel, "exporttipcancel");

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_, 1);
    sizeRow->addWidget(new QLabel(QStringLiteral("×"), this));
    sizeRow->addWidget(height_, 1);
    sizeRow->addWidget(unit_);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(texts_("exportpreset"), preset_);
    form->addRow(texts_("exportsize"), sizeRow);
    // Numbers keep their own width; the row's rest stays empty.
    auto alone = [](QWidget* field) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addStretch(1);
        return row;
    };
    form->addRow(texts_("exportdpi"), alone(dpi_));
    form->addRow(QString(), result_);
    form->addRow(texts_("exportformat"), format_);
    form->addRow(texts_("exportquality"), alone(quality_));
    form->addRow(QString(), transparent_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(6);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(preset_, &QComboBox::activated, this, [this](int index) {
        const auto preset = static_cast<ExportPreset>(index);
        if (preset == ExportPreset::Custom) {
            choices_.preset = preset;
            return;
        }
        choices_ = WithPreset(choices_, preset, panelWidth_, panelHeight_);
        Show();
    });
    for (QDoubleSpinBox* side : {width_, height_})
        connect(side, &QDoubleSpinBox::valueChanged, this, [this] { ReadSize(); });
    connect(unit_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_) return;
        choices_ = WithUnit(choices_, static_cast<SizeUnit>(index));
        Show();
    });
    connect(dpi_, &QSpinBox::valueChanged, this, [this](int dpi) {
        if (showing_) return;
        const PixelSize before = ExportPixels(choices_);
        choices_.dpi = dpi;
        const PixelSize after = ExportPixels(choices_);
        // A print preset at another resolution is a size of its own.
        if (after.width != before.width || after.height != before.height ||
            choices_.preset == ExportPreset::A4 || choices_.preset == ExportPreset::Book6x9)
            choices_.preset = ExportPreset::Custom;
        Show();
    });
    connect(format_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (showing_) return;
        choices_.type = static_cast<PictureFileType>(format_->itemData(index).toInt());
        Show();
    });
    connect(quality_, &QSpinBox::valueChanged, this, [this](int q) {
        if (!showing_) choices_.quality = q;
    });
    connect(transparent_, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) choices_.transparent = on;
    });
    connect(buttons_, &QDialogButtonBox::accepted, this, [this] {
        if (Acceptable()) accept();
    });
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ExportPictureDialog::Show() {
    showing_ = true;
    preset_->setCurrentIndex(static_cast<int>(choices_.preset));
    unit_->setCurrentIndex(static_cast<int>(choices_.unit));
    // Millimetres to a hundredth, inches to a thousandth, pixels whole.
    const int decimals = choices_.unit == SizeUnit::Pixels        ? 0
                         : choices_.unit == SizeUnit::Millimetres ? 2
                                                                  : 3;
    const double smallest = decimals == 0 ? 1.0 : decimals == 2 ? 0.01 : 0.001;
    for (QDoubleSpinBox* side : {width_, height_}) {
        side->setDecimals(decimals);
        side->setRange(smallest, decimals == 0 ? kMaxRenderSide : 1e6);
        side->setSingleStep(decimals == 0 ? 10.0 : decimals == 2 ? 1.0 : 0.1);
    }
    width_->setValue(choices_.width);
    height_->setValue(choices_.height);
    // What the spin boxes hold is what is exported.
    choices_.width = width_->value();
    choices_.height = height_->value();
    dpi_->setValue(choices_.dpi);
    choices_.dpi = dpi_->value();
    format_->setCurrentIndex(format_->findData(static_cast<int>(choices_.type)));
    quality_->setValue(choices_.quality);
    choices_.quality = quality_->value();
    quality_->setEnabled(QualityApplies(choices_.type));
    const bool alpha = TransparentAllowed(choices_.type);
    transparent_->setEnabled(alpha);
    // Greyed out it shows what will be written: no transparency.
    transparent_->setChecked(alpha && choices_.transparent);
    showing_ = false;
    UpdateResult();
}

void ExportPictureDialog::ReadSize() {
    if (showing_) return;
    choices_.width = width_->value();
    choices_.height = height_->value();
    choices_.preset = ExportPreset::Custom;
    showing_ = true;
    preset_->setCurrentIndex(static_cast<int>(ExportPreset::Custom));
    showing_ = false;
    UpdateResult();
}

bool ExportPictureDialog::Acceptable() const {
    return ProblemOf(choices_) == ExportProblem::None;
}

void ExportPictureDialog::UpdateResult() {
    const PixelSize size = ExportPixels(choices_);
    QString text;
    switch (ProblemOf(choices_)) {
        case ExportProblem::None:
            text = texts_("exportresult").arg(size.width).arg(size.height);
            break;
        case ExportProblem::SizeOutOfRange:
            text = texts_("exporttoolarge").arg(kMaxRenderSide);
            break;
        case ExportProblem::ResolutionOutOfRange:
            text = texts_("exportbaddpi").arg(kMaxDpi);
            break;
    }
    result_->setText(text);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(Acceptable());
}

}  // namespace tessaly
