// OptionsState: the options dialog "oForm" without its widgets. Its controls
// are the live preferences other code reads (the capture reads CheckBox1 and
// CaptureSameAsView, the update check reads CheckBox2), and every handler
// stores its value in "settings.ini" at once; there is no Cancel.
#pragma once

#include <string>
#include <vector>

#include "app/controls/Controls.h"

namespace tessaly {

// A radio button: checking it from code or by a click unchecks the others of
// its group and runs its OnClick only when it becomes checked; unchecking
// runs nothing.
class RadioButton : public Control {
  public:
    RadioButton(std::string name, bool checked) : Control(std::move(name)), Checked(checked) {}
    void SetChecked(bool checked);

    bool Checked;
    std::vector<RadioButton*> Group;  // the other buttons of its group box
    std::function<void()> OnClick;
};

struct OptionsState {
    OptionsState();

    ControlSet All;
    ComboBox& LangCB;
    CheckBox& CheckBox1;        // open the output picture after saving; checked
    CheckBox& CheckBox2;        // check for new templates; unchecked
    RadioButton& RadioButton1;  // preferred size (ask on save)
    RadioButton& RadioButton2;  // same as viewed; checked
    RadioButton& RadioButton3;  // 16 bits
    RadioButton& RadioButton4;  // 24 bits
    RadioButton& RadioButton5;  // 32 bits; checked
    Control& Label6;            // the current editor path
    RadioButton& LookClassicRB;  // the look of the pictures: classic; checked
    RadioButton& LookStudioRB;   // studio

    // True: a saved picture has the size of the view; false: ask on save.
    bool CaptureSameAsView = true;
    // The program that edits images; "PBRUSH" is the desktop's paint program.
    std::string EditorPath;
    // The language file behind each item of LangCB, by item index.
    std::vector<std::string> LanguageTable;
};

}  // namespace tessaly
