// The state of the window's controls, kept without widgets. Each control has
// the component name the language files and the window use for it. Setting a
// scroll bar's position clamps it to the range and runs the change handler
// only when the value changes; setting a check box runs its click handler
// only when its state changes. Setting them from code therefore behaves
// exactly like the user's move, which loading settings, projects and
// templates relies on. The Qt window mirrors these values into its widgets.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaly {

struct Control {
    explicit Control(std::string name) : Name(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string Name;
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    // The file a picture control (a thumbnail) shows, empty for none, and a
    // count of the times it was (re)loaded: a reload of the same file after
    // an edit changes the count.
    std::string Picture;
    int PictureVersion = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    // Called after any value of the control changed from code, so a window
    // can mirror it.
    std::function<void(const Control&)> OnUpdate;
    void Changed() const {
        if (OnUpdate) OnUpdate(*this);
    }
    void SetCaption(std::string caption) {
        Caption = std::move(caption);
        Changed();
    }
    void SetVisible(bool visible) {
        Visible = visible;
        Changed();
    }
    void SetEnabled(bool enabled) {
        Enabled = enabled;
        Changed();
    }
    void SetPicture(std::string path) {
        Picture = std::move(path);
        ++PictureVersion;
        Changed();
    }
    void SetBounds(int left, int top, int width, int height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
        Changed();
    }
};

class ScrollBar : public Control {
public:
    ScrollBar(std::string name, int min, int max, int position)
        : Control(std::move(name)), Min(min), Max(max), Position(position) {}

    // Clamps to Min..Max; runs OnChange only when the position changes.
    void SetPosition(int position);

    const int Min;
    const int Max;
    int Position;
    std::function<void()> OnChange;
};

class CheckBox : public Control {
public:
    CheckBox(std::string name, bool checked) : Control(std::move(name)), Checked(checked) {}

    // Runs OnClick only when the state changes.
    void SetChecked(bool checked);

    bool Checked;
    std::function<void()> OnClick;
};

// A colour swatch (a filled shape showing a chosen colour).
class ColorSwatch : public Control {
public:
    ColorSwatch(std::string name, std::uint32_t color) : Control(std::move(name)), Color(color) {}
    void SetColor(std::uint32_t color) {
        Color = color;
        Changed();
    }
    std::uint32_t Color;  // 0x00BBGGRR
};

class ComboBox : public Control {
public:
    using Control::Control;
    std::vector<std::string> Items;
    int ItemIndex = -1;
    std::function<void()> OnChange;
    // Selects an item as the user does: runs OnChange.
    void Pick(int index);
    // Selects an item from code without running OnChange.
    void Select(int index) {
        ItemIndex = index;
        Changed();
    }
};

// Every control by name, in registration order.
class ControlSet {
public:
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *owned;
        byName_[ref.Name] = &ref;
        order_.push_back(std::move(owned));
        return ref;
    }
    Control* Find(const std::string& name) const;
    template <typename T>
    T* FindAs(const std::string& name) const {
        return dynamic_cast<T*>(Find(name));
    }
    const std::vector<std::unique_ptr<Control>>& All() const { return order_; }

private:
    std::vector<std::unique_ptr<Control>> order_;
    std::map<std::string, Control*> byName_;
};

}  // namespace tessaly
