#include "app/controls/Controls.h"

#include <algorithm>

namespace tessaly {

void ScrollBar::SetPosition(int position) {
    position = std::clamp(position, Min, Max);
    if (position == Position) return;
    Position = position;
    Changed();
    if (OnChange) OnChange();
}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked) return;
    Checked = checked;
    Changed();
    if (OnClick) OnClick();
}

void ComboBox::Pick(int index) {
    ItemIndex = index;
    Changed();
    if (OnChange) OnChange();
}

Control* ControlSet::Find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

}  // namespace tessaly
