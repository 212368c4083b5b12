// ValueLabels: the labels that show a slider's current value. Each follows
// its slider at every change of the position, whatever made it (the user's
// move, the mouse in the rendering panel, a project or template, a reset),
// and shows the value with the precision the slider can set, in the locale's
// decimal notation, with its unit. The window gives each label the width of
// its widest value so that the layout never moves.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

class MainState;
struct MainControls;
class ScrollBar;
class Control;

struct ValueLabel {
    ScrollBar* slider;
    Control* label;
    // The shown value of a position.
    double (*value)(const ScrollBar& slider, int position);
    int decimals;
    bool degrees;
};

// Every slider with a value label.
std::vector<ValueLabel> ValueLabels(MainControls& controls);

// The text of the label for a position.
std::string ValueText(const ValueLabel& entry, int position);
// A text at least as wide as any value the label can show.
std::string WidestValueText(const ValueLabel& entry);

// Makes every value label follow its slider (wrapping the change handlers,
// which must be bound first) and writes every label now. MainState's
// constructor calls it.
void BindValueLabels(MainState& state);
// Writes every value label from its slider's position.
void RefreshValueLabels(MainControls& controls);

}  // namespace tessaly
