// EditorDialogs: the editor's two dialogs. ResizeDialog asks for a new size,
// keeping the picture's proportions unless told not to; AdjustDialog sets
// brightness, contrast and saturation with sliders and shows the result on a
// small copy of the picture as they move.
#pragma once

#include <QDialog>
#include <QImage>

#include "editor/ImageOps.h"

class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace tessaly::editor {

class ResizeDialog : public QDialog {
    Q_OBJECT
  public:
    ResizeDialog(const QSize& original, QWidget* parent = nullptr);
    QSize ChosenSize() const;
    QSpinBox* WidthBox() const { return width_; }
    QSpinBox* HeightBox() const { return height_; }
    QCheckBox* KeepRatioBox() const { return keepRatio_; }

  private:
    void WidthChanged(int width);
    void HeightChanged(int height);
    void ShowPercent();

    QSize original_;
    QSpinBox* width_;
    QSpinBox* height_;
    QCheckBox* keepRatio_;
    QLabel* percent_;
    bool updating_ = false;
};

class AdjustDialog : public QDialog {
    Q_OBJECT
  public:
    AdjustDialog(const QImage& picture, QWidget* parent = nullptr);
    ColorAdjustment Chosen() const;
    // Shown on the preview: the adjusted small copy.
    QImage Preview() const { return preview_; }
    QSlider* Slider(int index) const { return sliders_[index]; }

  private:
    void UpdatePreview();

    QImage small_;
    QImage preview_;
    QSlider* sliders_[3];
    QLabel* values_[3];
    QLabel* previewLabel_;
};

}  // namespace tessaly::editor
