#include "app/options/OptionsState.h"

namespace tessaly {

void RadioButton::SetChecked(bool checked) {
    if (Checked == checked) return;
    Checked = checked;
    if (checked) {
        for (RadioButton* other : Group) {
            if (other == this || !other->Checked) continue;
            other->Checked = false;
            other->Changed();
        }
    }
    Changed();
    if (checked && OnClick) OnClick();
}

OptionsState::OptionsState()
    : LangCB(All.Add<ComboBox>("LangCB")),
      CheckBox1(All.Add<CheckBox>("CheckBox1", true)),
      CheckBox2(All.Add<CheckBox>("CheckBox2", false)),
      RadioButton1(All.Add<RadioButton>("RadioButton1", false)),
      RadioButton2(All.Add<RadioButton>("RadioButton2", true)),
      RadioButton3(All.Add<RadioButton>("RadioButton3", false)),
      RadioButton4(All.Add<RadioButton>("RadioButton4", false)),
      RadioButton5(All.Add<RadioButton>("RadioButton5", true)),
      Label6(All.Add<Control>("Label6")),
      LookClassicRB(All.Add<RadioButton>("LookClassicRB", true)),
      LookStudioRB(All.Add<RadioButton>("LookStudioRB", false)) {
    RadioButton1.Group = RadioButton2.Group = {&RadioButton1, &RadioButton2};
    RadioButton3.Group = RadioButton4.Group =
        RadioButton5.Group = {&RadioButton3, &RadioButton4, &RadioButton5};
    LookClassicRB.Group = LookStudioRB.Group = {&LookClassicRB, &LookStudioRB};
}

}  // namespace tessaly
