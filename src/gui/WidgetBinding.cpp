#include "gui/WidgetBinding.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QSignalBlocker>
#include <QVariant>

#include "core/images/PictureReader.h"
#include "core/images/PixelBudget.h"
#include "app/scene/ValueLabels.h"

namespace tessaly {

void BindSlider(QAbstractSlider* widget, ScrollBar& control, std::function<void()> onScroll) {
    {
        const QSignalBlocker block(widget);
        widget->setRange(control.Min, control.Max);
        widget->setValue(control.Position);
    }
    widget->setVisible(control.Visible);
    // Reached with Tab and moved with the arrow, Page, Home and End keys.
    widget->setFocusPolicy(Qt::StrongFocus);
    control.OnUpdate = [widget](const Control& c) {
        const auto& bar = static_cast<const ScrollBar&>(c);
        const QSignalBlocker block(widget);
        widget->setValue(bar.Position);
        widget->setVisible(bar.Visible);
    };
    QObject::connect(widget, &QAbstractSlider::valueChanged, widget,
                     [&control, onScroll = std::move(onScroll)](int value) {
                         control.SetPosition(value);
                         if (onScroll) onScroll();
                     });
}

void BindCheckBox(QAbstractButton* widget, CheckBox& control) {
    {
        const QSignalBlocker block(widget);
        widget->setChecked(control.Checked);
    }
    control.OnUpdate = [widget](const Control& c) {
        const auto& box = static_cast<const CheckBox&>(c);
        const QSignalBlocker block(widget);
        widget->setChecked(box.Checked);
        widget->setVisible(box.Visible);
    };
    QObject::connect(widget, &QAbstractButton::toggled, widget,
                     [&control](bool checked) { control.SetChecked(checked); });
}

void BindLabel(QLabel* widget, Control& control) {
    auto mirror = [widget](const Control& c) {
        if (!c.Caption.empty()) widget->setText(QString::fromStdString(c.Caption));
        if (!widget->isWindow()) widget->setVisible(c.Visible);
    };
    if (!control.Caption.empty()) widget->setText(QString::fromStdString(control.Caption));
    control.OnUpdate = mirror;
}

void BindGroup(QGroupBox* widget, Control& control) {
    auto mirror = [widget](const Control& c) {
        if (!c.Caption.empty()) widget->setTitle(QString::fromStdString(c.Caption));
        widget->setVisible(c.Visible);
    };
    control.OnUpdate = mirror;
}

void BindVisibility(QWidget* widget, Control& control) {
    control.OnUpdate = [widget](const Control& c) { widget->setVisible(c.Visible); };
}

void BindEnabled(QWidget* widget, Control& control) {
    widget->setEnabled(control.Enabled);
    control.OnUpdate = [widget](const Control& c) { widget->setEnabled(c.Enabled); };
}

void ShowPicture(QLabel* widget, const Control& control) {
    const QVariant shown = widget->property("pictureVersion");
    if (control.Picture.empty() || (shown.isValid() && shown.toInt() == control.PictureVersion))
        return;
    widget->setProperty("pictureVersion", control.PictureVersion);
    // Through the program's own picture gate, like the texture: the content
    // must be what the name says, and nothing else on disk is read.
    constexpr int kThumbnailSide = 1024;
    RgbaImage picture;
    try {
        // A preview is not counted against an open pixel budget: its
        // picture is counted once, for its texture.
        const PixelBudgetScope uncounted{PixelBudgetScope::Uncounted{}};
        picture = ReadPicture(control.Picture, kThumbnailSide);
    } catch (const PictureError&) {
        return;  // the slot reports the unreadable picture itself
    }
    const QImage image(picture.pixels.data(), picture.width, picture.height, picture.width * 4,
                       QImage::Format_RGBA8888);
    widget->setPixmap(QPixmap::fromImage(image));
}

void BindPicture(QLabel* widget, Control& control) {
    control.OnUpdate = [widget](const Control& c) { ShowPicture(widget, c); };
}

void ShowSwatchColor(QWidget* widget, std::uint32_t color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window,
                     QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
}

void BindSwatch(QWidget* widget, ColorSwatch& control) {
    // Marked so that a walk over the window finds the swatches.
    widget->setProperty("colorSwatch", true);
    ShowSwatchColor(widget, control.Color);
    control.OnUpdate = [widget](const Control& c) {
        ShowSwatchColor(widget, static_cast<const ColorSwatch&>(c).Color);
        widget->setVisible(c.Visible);
    };
}

void FixValueLabelWidths(QWidget* root, MainControls& controls) {
    for (const ValueLabel& entry : ValueLabels(controls)) {
        auto* label = root->findChild<QLabel*>(QString::fromStdString(entry.label->Name));
        if (!label) continue;
        const QString widest = QString::fromStdString(WidestValueText(entry));
        label->setFixedWidth(label->fontMetrics().horizontalAdvance(widest) + 2);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

void BindComboBox(QComboBox* widget, ComboBox& control) {
    control.OnUpdate = [widget](const Control& c) {
        const auto& box = static_cast<const ComboBox&>(c);
        const QSignalBlocker block(widget);
        if (widget->count() != static_cast<int>(box.Items.size())) {
            widget->clear();
            for (const auto& item : box.Items) widget->addItem(QString::fromStdString(item));
        }
        widget->setCurrentIndex(box.ItemIndex);
    };
    QObject::connect(widget, qOverload<int>(&QComboBox::activated), widget,
                     [&control](int index) { control.Pick(index); });
}

}  // namespace tessaly
