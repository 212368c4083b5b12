#include "app/scene/SceneControls.h"

#include "app/MainState.h"
#include "app/scene/ValueLabels.h"
#include "core/model/CoverParameters.h"

namespace tessaly {

namespace {

const char* const kDegree = "\u00B0";

std::string Degrees(const std::string& number) { return number + kDegree; }

void Modified(MainState& state) { state.Cover.Modified = true; }

float LightX(const ScrollBar& bar) {
    return (static_cast<float>(bar.Position) - static_cast<float>(bar.Max - bar.Min) / 2.0f) / 10.0f;
}

void BindSliders(MainState& state) {
    MainControls& c = state.Controls;
    SceneSettings& s = state.Session.TheScene.Settings;
    TGLLight& light = state.Session.TheScene.MainLight;

    c.distanceSB.OnChange = [&] {
        s.Distance = static_cast<float>(c.distanceSB.Position) / DistanceScale;
        Modified(state);
    };
    c.rotateSB.OnChange = [&] {
        s.CameraRotate = static_cast<float>(c.rotateSB.Position);
        Modified(state);
    };
    c.liftSB.OnChange = [&] {
        s.CameraLift = static_cast<float>(c.liftSB.Position);
        Modified(state);
    };
    c.ScrollBar9.OnChange = [&] {
        const float max = static_cast<float>(c.ScrollBar9.Max);
        s.Elevation = (static_cast<float>(c.ScrollBar9.Position) - max / 2.0f) * 1.5f / max;
        Modified(state);
    };
    c.StrafeSB.OnChange = [&] {
        s.Strafe = static_cast<float>(100 - c.StrafeSB.Position) / 100.0f;
        Modified(state);
    };
    c.FrontBackSB.OnChange = [&] {
        s.FrontBack = static_cast<float>(100 - c.FrontBackSB.Position) / 100.0f;
        Modified(state);
    };
    c.ScrollBar11.OnChange = [&] {
        // A catch zone around the default: 41..49 snaps to 45.
        if (c.ScrollBar11.Position >= 41 && c.ScrollBar11.Position <= 49)
            c.ScrollBar11.SetPosition(45);
        s.FieldOfView = c.ScrollBar11.Position;
        Modified(state);
    };
    c.ScrollBar4.OnChange = [&] {
        s.CoverRotate = static_cast<float>(c.ScrollBar4.Position);
        Modified(state);
    };
    c.ScrollBar5.OnChange = [&] {
        s.CoverRollZ = static_cast<float>(c.ScrollBar5.Position);
        Modified(state);
    };
    c.ScrollBar10.OnChange = [&] {
        s.CoverRollX = static_cast<float>(c.ScrollBar10.Position);
        Modified(state);
    };
    c.ScrollBar6.OnChange = [&] {
        s.CoverLift = static_cast<float>(c.ScrollBar6.Position) / 50.0f;
        Modified(state);
    };
    c.LightXSB.OnChange = [&] {
        light.SetX(LightX(c.LightXSB));
        Modified(state);
    };
    c.LightYSB.OnChange = [&] {
        light.SetY(static_cast<float>(c.LightYSB.Position) / 10.0f);
        Modified(state);
    };
    c.LightZSB.OnChange = [&] {
        light.SetZ(static_cast<float>(c.LightZSB.Position) / 10.0f);
        Modified(state);
    };
    c.ShadowSB.OnChange = [&] {
        s.ShadowDarkness = static_cast<float>(c.ShadowSB.Position) / 200.0f;
        Modified(state);
    };
    c.AmbientSB.OnChange = [&] {
        s.AmbientLevel = static_cast<float>(c.AmbientSB.Position) / static_cast<float>(c.AmbientSB.Max);
        Modified(state);
    };
    c.ReflexionSB.OnChange = [&] {
        const float max = static_cast<float>(c.ReflexionSB.Max);
        s.FloorOpacity = (max - static_cast<float>(c.ReflexionSB.Position)) / max;
        Modified(state);
    };
    // The studio look's reflection fade is a preference of the view too: it
    // is not part of the cover and does not mark it modified.
    c.ReflFadeSB.OnChange = [&] {
        state.Session.TheScene.ReflectionFade = static_cast<float>(c.ReflFadeSB.Position) / 100.0f;
        c.ReflFadeLabel.SetCaption(FormatHundredths(c.ReflFadeSB.Position / 100.0));
    };
    // Antialiasing is a preference of the view, not part of the cover.
    FrameDriver& frames = state.Session.Frames;
    c.TrackBar1.OnChange = [&] { frames.TrackBar1Change(c.TrackBar1.Position); };
    frames.SetTrackBar1 = [&](int position) { c.TrackBar1.SetPosition(position); };
}

void BindChecks(MainState& state) {
    MainControls& c = state.Controls;
    Scene& scene = state.Session.TheScene;
    FrameDriver& frames = state.Session.Frames;
    c.FloorCheckBox.OnClick = [&] {
        scene.Floor.Textured = c.FloorCheckBox.Checked;
        Modified(state);
    };
    c.ShadowCheck.OnClick = [&] {
        scene.Settings.DrawShadow = c.ShadowCheck.Checked;
        frames.ShadowCheck = c.ShadowCheck.Checked;
    };
    c.CheckBox2.OnClick = [&] {
        scene.Settings.DrawLightSource = c.CheckBox2.Checked;
        frames.CheckBox2 = c.CheckBox2.Checked;
    };
    // "Show axes" has no handler of its own; every frame reads it.
    c.AxesCB.OnClick = [&] { scene.ShowAxes = c.AxesCB.Checked; };
}

void ChooseInto(MainState& state, const char* dialog, ColorSwatch& swatch,
                void (*apply)(MainState&, unsigned)) {
    auto chosen = state.Port().ChooseColor(dialog, swatch.Color);
    if (!chosen) return;
    apply(state, *chosen);
    Modified(state);
}

}  // namespace

void BindSceneControls(MainState& state) {
    BindSliders(state);
    BindChecks(state);
}

void ApplyBackgroundColor(MainState& state, unsigned color) {
    state.Controls.BgColor.SetColor(color);
    state.Session.TheScene.Settings.BackgroundColor = ColorToFloats(color);
}

void ApplyLightColor(MainState& state, unsigned color) {
    state.Controls.LColorShape.SetColor(color);
    state.Session.TheScene.Settings.LightColor = ColorToFloats(color);
}

void ApplyFloorColor(MainState& state, unsigned color) {
    state.Controls.FloorShape.SetColor(color);
    state.Session.TheScene.Floor.Color = ColorToFloats(color);
}

void BitBtn1Click(MainState& state) {
    ChooseInto(state, "bcDialog", state.Controls.BgColor, ApplyBackgroundColor);
}

void Butcol2(MainState& state) {
    ChooseInto(state, "lcDialog", state.Controls.LColorShape, ApplyLightColor);
}

void Fcolor(MainState& state) {
    ChooseInto(state, "floorColor", state.Controls.FloorShape, ApplyFloorColor);
}

void RefreshSliderLabels(MainState& state) {
    MainControls& c = state.Controls;
    auto hundredths = [](double v) { return FormatHundredths(v); };
    auto deg = [](double v) { return Degrees(FormatHundredths(v)); };
    auto set = [](Control& label, const std::string& text) { label.SetCaption(text); };

    const ScrollBar& lift = c.ScrollBar6;
    set(c.Label19, hundredths(lift.Min / 50.0));
    set(c.Label7, hundredths(lift.Max / 50.0));
    set(c.Label18, deg(c.ScrollBar5.Min));
    set(c.Label6, deg(c.ScrollBar5.Max));
    set(c.Label46, deg(c.ScrollBar4.Min));
    set(c.Label5, deg(c.ScrollBar4.Max));
    const ScrollBar& lx = c.LightXSB;
    const double half = (lx.Max - lx.Min) / 2.0;
    set(c.Label24, FormatDecimal((lx.Min - half) / 10.0));
    set(c.Label12, FormatDecimal((lx.Max - half) / 10.0));
    set(c.Label25, FormatDecimal(c.LightYSB.Min / 10.0));
    set(c.Label13, FormatDecimal(c.LightYSB.Max / 10.0));
    set(c.Label26, FormatDecimal(c.LightZSB.Min / 10.0));
    set(c.Label14, FormatDecimal(c.LightZSB.Max / 10.0));
    set(c.Label20, hundredths(c.distanceSB.Min / 20.0));
    set(c.Label8, hundredths(c.distanceSB.Max / 20.0));
    set(c.Label22, deg(c.rotateSB.Min));
    set(c.Label10, deg(c.rotateSB.Max));
    set(c.Label23, deg(c.liftSB.Min));
    set(c.Label11, deg(c.liftSB.Max));
    // The cover's dimension labels.
    set(c.Label49, hundredths(state.Cover.WidthFactor));
    set(c.Label50, hundredths(state.Cover.HeightFactor));
    set(c.Label51, hundredths(state.Cover.DepthFactor));
    RefreshValueLabels(c);
}

}  // namespace tessaly
