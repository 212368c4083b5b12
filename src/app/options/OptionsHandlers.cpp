#include "app/options/OptionsHandlers.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainState.h"
#include "app/language/LanguageSwitch.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsRepair.h"
#include "render/Look.h"

namespace tessaly {

namespace {

void Store(MainState& state, std::string_view key, std::string_view value) {
    state.Session.Settings.WriteValue(key, value);
}

void StoreCapture(MainState& state) {
    Store(state, kCaptureKey,
          state.Options.CaptureSameAsView ? kCaptureSameAsView : kCapturePreferredSize);
}

void SetEditor(MainState& state, const std::string& path) {
    state.Options.EditorPath = path;
    Store(state, kDefaultEditorKey, path);
    state.Options.Label6.SetCaption(path);
}

// Checks the depth button of a stored "CDepth"; other numbers change nothing.
void ShowDepth(MainState& state) {
    OptionsState& o = state.Options;
    switch (SettingToInt(state.Session.Settings.ReadValue(kCDepthKey))) {
        case 16:
            o.RadioButton3.SetChecked(true);
            break;
        case 24:
            o.RadioButton4.SetChecked(true);
            break;
        case 32:
            o.RadioButton5.SetChecked(true);
            break;
        default:
            break;
    }
}

void ShowCapture(MainState& state) {
    OptionsState& o = state.Options;
    if (state.Session.Settings.ReadValue(kCaptureKey) == kCaptureSameAsView)
        o.RadioButton2.SetChecked(true);
    else
        o.RadioButton1.SetChecked(true);
}

// A damaged file is replaced by a sound one with the shipped defaults for
// what could not be read, the user's file kept beside; said once.
void ReportRepairedSettings(MainState& state) {
    TSettingsFile& settings = state.Session.Settings;
    const std::string file = settings.FileName().string();
    std::vector<std::string> keys;
    try {
        keys = RepairSettings(settings);
    } catch (const std::exception& e) {
        state.Port().ShowMessage(MessageKind::Error, e.what(), "", MessageButtons::Ok);
        return;
    }
    if (keys.empty()) return;
    std::string list;
    for (const std::string& key : keys) list += (list.empty() ? "" : ", ") + key;
    state.Port().ShowMessage(MessageKind::Warning,
                             "The settings file \"" + file +
                                 "\" was damaged. The shipped defaults are used for: " + list +
                                 ". The damaged file was kept as \"" + file + ".bad\".",
                             "", MessageButtons::Ok);
}

// The look: drawn from the next frame on, remembered in the settings, and
// the Floor tab's reflection fade shown only where it acts.
void SetLook(MainState& state, Look look) {
    state.Session.TheScene.TheLook = look;
    const bool studio = look == Look::Studio;
    state.Controls.ReflFadeSB.SetVisible(studio);
    state.Controls.ReflFadeCaption.SetVisible(studio);
    state.Controls.ReflFadeLabel.SetVisible(studio);
    state.Session.Settings.WriteOrAddValue("[" + std::string(kLookKey) + "]", LookName(look));
}

}  // namespace

int SettingToInt(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    std::size_t digits = i;
    if (digits < value.size() && (value[digits] == '+' || value[digits] == '-')) ++digits;
    bool ok = digits < value.size();
    for (std::size_t j = digits; j < value.size(); ++j)
        if (value[j] < '0' || value[j] > '9') ok = false;
    if (ok) {
        errno = 0;
        const long long n = std::strtoll(value.c_str() + i, nullptr, 10);
        if (errno == 0 && n >= INT_MIN && n <= INT_MAX) return static_cast<int>(n);
    }
    throw std::invalid_argument("'" + value + "' is not a valid integer value");
}

void BindOptionsHandlers(MainState& state) {
    OptionsState& o = state.Options;
    o.LangCB.OnChange = [&state] { LangCBChange(state); };
    o.RadioButton1.OnClick = [&state] {
        if (state.Options.RadioButton1.Checked) state.Options.CaptureSameAsView = false;
        StoreCapture(state);
    };
    o.RadioButton2.OnClick = [&state] {
        if (state.Options.RadioButton2.Checked) state.Options.CaptureSameAsView = true;
        StoreCapture(state);
    };
    o.RadioButton3.OnClick = [&state] { Store(state, kCDepthKey, "16"); };
    o.RadioButton4.OnClick = [&state] { Store(state, kCDepthKey, "24"); };
    o.RadioButton5.OnClick = [&state] { Store(state, kCDepthKey, "32"); };
    o.CheckBox1.OnClick = [&state] {
        Store(state, kOpenPicKey, state.Options.CheckBox1.Checked ? kSettingOn : kSettingOff);
    };
    o.CheckBox2.OnClick = [&state] {
        Store(state, kUpdateCheckKey, state.Options.CheckBox2.Checked ? kSettingOn : kSettingOff);
    };
    o.LookClassicRB.OnClick = [&state] { SetLook(state, Look::Classic); };
    o.LookStudioRB.OnClick = [&state] { SetLook(state, Look::Studio); };
}

void LoadSettings(MainState& state) {
    TSettingsFile& settings = state.Session.Settings;
    OptionsState& o = state.Options;
    settings.Load(state.Session.Files.Settings);
    ReportRepairedSettings(state);
    // The editor is the value of the file's first key, taken by position.
    o.EditorPath = settings.ReadLine(1);
    o.CheckBox1.SetChecked(settings.ReadValue(kOpenPicKey) == kSettingOn);
    o.CheckBox2.SetChecked(settings.ReadValue(kUpdateCheckKey) == kSettingOn);
    o.Label6.SetCaption(o.EditorPath);
    ShowCapture(state);
    ShowDepth(state);
    // Any value but "studio" (a file from before the look, or a damaged
    // one) leaves the classic look.
    if (LookFromName(settings.ReadValue(kLookKey)) == Look::Studio) o.LookStudioRB.SetChecked(true);
}

void OptionsFormShow(MainState& state) {
    state.Options.Label6.SetCaption(state.Options.EditorPath);
    ShowCapture(state);
    ShowDepth(state);
}

void OptionsBitBtn1Click(MainState& state) {
    const std::optional<std::string> path = state.Port().ChooseFileName("SelectEditor");
    if (path) SetEditor(state, *path);
}

void OptionsDefSwitchClick(MainState& state) {
    const MessageAnswer answer = state.Port().ShowMessage(
        MessageKind::Confirmation,
        "Are you sure you want to switch to default editor ( system paint program ) ? ", "",
        MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) SetEditor(state, std::string(kSystemPaintEditor));
}

void OptionsBitBtn3Click(MainState& state) {
    const MessageAnswer answer = state.Port().ShowMessage(
        MessageKind::Confirmation, "Are you sure you want to switch to built-in editor? ", "",
        MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes) SetEditor(state, state.Session.Files.BuiltInEditor());
}

void OptionsBitBtn2Click(MainState& state) {
    OptionsState& o = state.Options;
    if (o.RadioButton1.Checked) o.CaptureSameAsView = false;
    if (o.RadioButton2.Checked) o.CaptureSameAsView = true;
    StoreCapture(state);
}

}  // namespace tessaly
