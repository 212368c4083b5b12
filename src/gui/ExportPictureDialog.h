// ExportPictureDialog: the dialog of File > Export Picture...: a preset, the
// size in pixels or in millimetres or inches at a resolution (with the pixel
// size it makes), the format, the JPEG quality (enabled for JPEG only) and a
// transparent background (enabled for PNG only). Its texts come from the
// language in use when it is made.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "app/export/ExportChoices.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace tessaly {

class ExportPictureDialog : public QDialog {
    Q_OBJECT
  public:
    // A language text for a key, the English text where the language lacks it.
    using Texts = std::function<QString(const char* key)>;

    ExportPictureDialog(QWidget* parent, Texts texts, const ExportChoices& initial,
                        int panelWidth, int panelHeight);

    ExportChoices Choices() const { return choices_; }
    // Whether the choices can be exported (the Export button is enabled).
    bool Acceptable() const;

  private:
    void Build();
    // The controls from choices_, without their signals feeding back.
    void Show();
    // choices_ from the size controls; a change by hand is a custom size.
    void ReadSize();
    void UpdateResult();

    Texts texts_;
    ExportChoices choices_;
    int panelWidth_, panelHeight_;
    bool showing_ = false;

    QComboBox* preset_ = nullptr;
    QDoubleSpinBox* width_ = nullptr;
    QDoubleSpinBox* height_ = nullptr;
    QComboBox* unit_ = nullptr;
    QSpinBox* dpi_ = nullptr;
    QLabel* result_ = nullptr;
    QComboBox* format_ = nullptr;
    QSpinBox* quality_ = nullptr;
    QCheckBox* transparent_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace tessaly
