// WidgetBinding: ties a widget to the app-layer control of the same name in
// both directions. A user's change goes to the control (SetPosition,
// SetChecked), whose handler does the work; a change made from code reaches
// the widget through the control's OnUpdate, with the widget's signals
// blocked so that mirroring never runs a handler twice.
#pragma once

#include <functional>

#include "app/MainControls.h"

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace tessaly {

// `onScroll` runs after a user's move (the panel draws at once). The slider
// takes the keyboard focus by Tab or a click.
void BindSlider(QAbstractSlider* widget, ScrollBar& control, std::function<void()> onScroll = {});
void BindCheckBox(QAbstractButton* widget, CheckBox& control);
// Caption (when set) and visibility.
void BindLabel(QLabel* widget, Control& control);
// Title (when set) and visibility.
void BindGroup(QGroupBox* widget, Control& control);
void BindVisibility(QWidget* widget, Control& control);
// Enabled state.
void BindEnabled(QWidget* widget, Control& control);
// A thumbnail: the control's picture file, loaded again whenever the control
// (re)loads it; a file Qt cannot read leaves the thumbnail as it was.
void BindPicture(QLabel* widget, Control& control);
// Loads a picture control's file into `widget` when its version is newer
// than the one shown (kept in the widget).
void ShowPicture(QLabel* widget, const Control& control);
// The swatch's background shows the colour.
void BindSwatch(QWidget* widget, ColorSwatch& control);
// Items are filled by the caller; the user's pick runs Pick, code's Select
// is mirrored.
void BindComboBox(QComboBox* widget, ComboBox& control);

void ShowSwatchColor(QWidget* widget, std::uint32_t color);

// Gives each slider value label under `root` (found by its control's name)
// the width of the widest value it can show, its text aligned right, so that
// a changing value never moves the layout.
void FixValueLabelWidths(QWidget* root, MainControls& controls);

}  // namespace tessaly
