#include <functional>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "app/scene/SceneControls.h"
#include "app/scene/ValueLabels.h"

namespace tessaly::test {
namespace {

TEST_F(SceneTest, SlidersHaveTheirWindowRangesAndDesignPositions) {
    struct Range {
        const char* name;
        int min, max, position;
    };
    const Range ranges[] = {
        {"distanceSB", 70, 500, 100}, {"rotateSB", 0, 360, 0},    {"liftSB", 0, 90, 0},
        {"ScrollBar9", 0, 100, 50},   {"StrafeSB", 0, 200, 100},  {"FrontBackSB", 0, 200, 100},
        {"ScrollBar11", 20, 110, 45}, {"ScrollBar4", 0, 360, 0},  {"ScrollBar5", 0, 360, 0},
        {"ScrollBar10", 0, 360, 0},   {"ScrollBar6", 0, 100, 0},  {"LightXSB", 0, 200, 100},
        {"LightYSB", 0, 200, 40},     {"LightZSB", 0, 200, 40},   {"ShadowSB", 0, 100, 20},
        {"AmbientSB", 0, 100, 0},     {"ReflexionSB", 0, 100, 0}, {"TrackBar1", 1, 8, 1},
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(r.name);
        ScrollBar& bar = Bar(r.name);
        EXPECT_EQ(bar.Min, r.min);
        EXPECT_EQ(bar.Max, r.max);
        EXPECT_EQ(bar.Position, r.position);
    }
    // The settings a first frame sees agree with those positions.
    EXPECT_FLOAT_EQ(s.Distance, 5.0f);
    EXPECT_FLOAT_EQ(s.MinDistance, 3.5f);
    EXPECT_FLOAT_EQ(s.MaxDistance, 25.0f);
    EXPECT_EQ(s.FieldOfView, 45);
    EXPECT_FLOAT_EQ(s.ShadowDarkness, 0.1f);
    EXPECT_FLOAT_EQ(s.FloorOpacity, 1.0f);
    EXPECT_TRUE(c.ShadowCheck.Checked);
    EXPECT_TRUE(c.CheckBox2.Checked);
    EXPECT_TRUE(c.FloorCheckBox.Checked);
    EXPECT_FALSE(c.AxesCB.Checked);
    EXPECT_EQ(c.FOVLabel.Caption, Deg("45"));
    EXPECT_FALSE(state.Cover.Modified);
}

// One slider move: the value it stores, the value label that follows it and
// whether it marks the cover modified.
struct Move {
    const char* slider;
    int position;
    std::function<float(MainState&)> value;
    float expected;
    const char* label;  // nullptr: the handler writes no label
    std::string text;
    bool modifies = true;
};

TEST_F(SceneTest, EachSliderStoresItsValueWritesItsLabelAndMarksModified) {
    auto setting = [](float SceneSettings::*field) {
        return [field](MainState& st) -> float { return st.Session.TheScene.Settings.*field; };
    };
    auto lightAxis = [](int axis) {
        return
            [axis](MainState& st) -> float { return st.Session.TheScene.MainLight.Position[axis]; };
    };
    const std::vector<Move> moves = {
        {"distanceSB", 137, setting(&SceneSettings::Distance), 6.85f, "DistanceValue",
         Local("6.85")},
        {"rotateSB", 123, setting(&SceneSettings::CameraRotate), 123, "Label44", Deg("123")},
        {"liftSB", 33, setting(&SceneSettings::CameraLift), 33, "Label45", Deg("33")},
        {"ScrollBar9", 80, setting(&SceneSettings::Elevation), 0.45f, "ElevationValue",
         Local("0.45")},
        {"ScrollBar9", 0, setting(&SceneSettings::Elevation), -0.75f, "ElevationValue",
         Local("-0.75")},
        {"ScrollBar9", 51, setting(&SceneSettings::Elevation), 0.015f, "ElevationValue",
         Local("0.015")},
        {"StrafeSB", 30, setting(&SceneSettings::Strafe), 0.7f, "StrafeValue", Local("0.7")},
        {"StrafeSB", 200, setting(&SceneSettings::Strafe), -1.0f, "StrafeValue", "-1"},
        {"FrontBackSB", 150, setting(&SceneSettings::FrontBack), -0.5f, "FrontBackValue",
         Local("-0.5")},
        {"FrontBackSB", 0, setting(&SceneSettings::FrontBack), 1.0f, "FrontBackValue", "1"},
        {"ScrollBar11", 110,
         [](MainState& st) -> float {
             return static_cast<float>(st.Session.TheScene.Settings.FieldOfView);
         },
         110, "FOVLabel", Deg("110")},
        {"ScrollBar4", 200, setting(&SceneSettings::CoverRotate), 200, "Label17", Deg("200")},
        {"ScrollBar5", 45, setting(&SceneSettings::CoverRollZ), 45, "Label47", Deg("45")},
        {"ScrollBar10", 300, setting(&SceneSettings::CoverRollX), 300, "Label58", Deg("300")},
        {"ScrollBar6", 37, setting(&SceneSettings::CoverLift), 0.74f, "Label48", Local("0.74")},
        // 29 / 50 is 0.57999998 as a float: the label still cuts to 0.58.
        {"ScrollBar6", 29, setting(&SceneSettings::CoverLift), 0.58f, "Label48", Local("0.58")},
        {"ScrollBar6", 100, setting(&SceneSettings::CoverLift), 2.0f, "Label48", "2"},
        {"LightXSB", 0, lightAxis(0), -10.0f, "Label40", "-10"},
        {"LightXSB", 135, lightAxis(0), 3.5f, "Label40", Local("3.5")},
        {"LightXSB", 200, lightAxis(0), 10.0f, "Label40", "10"},
        // -7.4 is -7.40000009536743 as a float: the label shows the tenths
        // the slider sets.
        {"LightXSB", 26, lightAxis(0), -7.4f, "Label40", Local("-7.4")},
        {"LightYSB", 125, lightAxis(1), 12.5f, "Label41", Local("12.5")},
        {"LightZSB", 7, lightAxis(2), 0.7f, "Label42", Local("0.7")},
        {"ShadowSB", 50, setting(&SceneSettings::ShadowDarkness), 0.25f, nullptr, ""},
        {"ShadowSB", 100, setting(&SceneSettings::ShadowDarkness), 0.5f, nullptr, ""},
        {"AmbientSB", 30, setting(&SceneSettings::AmbientLevel), 0.3f, nullptr, ""},
        {"ReflexionSB", 25, setting(&SceneSettings::FloorOpacity), 0.75f, nullptr, ""},
        {"ReflexionSB", 100, setting(&SceneSettings::FloorOpacity), 0.0f, nullptr, ""},
        {"TrackBar1", 4,
         [](MainState& st) -> float {
             return static_cast<float>(st.Session.TheScene.Settings.AAPasses);
         },
         4, nullptr, "", false},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(std::string(m.slider) + " to " + std::to_string(m.position));
        // Labels the handler does not own stay as they are.
        std::vector<std::string> before;
        for (const auto& control : c.All.All()) before.push_back(control->Caption);
        state.Cover.Modified = false;
        Bar(m.slider).SetPosition(m.position);
        EXPECT_EQ(Bar(m.slider).Position, m.position);
        EXPECT_NEAR(m.value(state), m.expected, 1e-6f);
        EXPECT_EQ(state.Cover.Modified, m.modifies);
        std::size_t i = 0;
        for (const auto& control : c.All.All()) {
            if (m.label && control->Name == m.label)
                EXPECT_EQ(control->Caption, m.text);
            else
                EXPECT_EQ(control->Caption, before[i]) << control->Name << " was rewritten";
            ++i;
        }
    }
}

TEST_F(SceneTest, CoverRotateLabelIsWholeWhileRollLabelsCutToHundredths) {
    // The handlers format positions; a whole position shows no decimals in
    // either form, and every label carries the degree sign right after it.
    c.ScrollBar4.SetPosition(359);
    c.ScrollBar5.SetPosition(1);
    c.ScrollBar10.SetPosition(360);
    c.rotateSB.SetPosition(90);
    EXPECT_EQ(c.Label17.Caption, "359\u00B0");
    EXPECT_EQ(c.Label47.Caption, "1\u00B0");
    EXPECT_EQ(c.Label58.Caption, "360\u00B0");
    EXPECT_EQ(c.Label44.Caption, "90\u00B0");
}

TEST_F(SceneTest, FieldOfViewSnapsToFortyFiveInsideItsCatchZone) {
    struct Case {
        int set, stays;
    };
    const Case cases[] = {{43, 45}, {40, 40}, {50, 50}, {41, 45}, {49, 45}, {20, 20}, {110, 110}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.set);
        c.ScrollBar11.SetPosition(k.set == 20 ? 30 : 20);  // start away from both
        state.Cover.Modified = false;
        c.ScrollBar11.SetPosition(k.set);
        EXPECT_EQ(c.ScrollBar11.Position, k.stays);
        EXPECT_EQ(s.FieldOfView, k.stays);
        EXPECT_EQ(c.FOVLabel.Caption, Deg(std::to_string(k.stays)));
        EXPECT_TRUE(state.Cover.Modified);
    }
}

TEST_F(SceneTest, PositionsOutsideTheRangeAreClampedBeforeTheHandlerRuns) {
    c.distanceSB.SetPosition(10000);
    EXPECT_EQ(c.distanceSB.Position, 500);
    EXPECT_FLOAT_EQ(s.Distance, 25.0f);
    c.distanceSB.SetPosition(-3);
    EXPECT_EQ(c.distanceSB.Position, 70);
    EXPECT_FLOAT_EQ(s.Distance, 3.5f);
    c.ScrollBar11.SetPosition(0);
    EXPECT_EQ(s.FieldOfView, 20);
    c.LightXSB.SetPosition(-50);
    EXPECT_FLOAT_EQ(light.GetX(), -10.0f);
    c.TrackBar1.SetPosition(99);
    EXPECT_EQ(s.AAPasses, 8);

    // Clamped onto the position it already has: nothing runs.
    state.Cover.Modified = false;
    c.rotateSB.SetPosition(-1);
    EXPECT_EQ(c.rotateSB.Position, 0);
    EXPECT_FALSE(state.Cover.Modified);
}

TEST_F(SceneTest, ShadowAndLightMarkerChecksDoNotMarkModifiedButFloorCheckDoes) {
    c.ShadowCheck.SetChecked(false);
    EXPECT_FALSE(s.DrawShadow);
    EXPECT_FALSE(state.Session.Frames.ShadowCheck);
    c.CheckBox2.SetChecked(false);
    EXPECT_FALSE(s.DrawLightSource);
    EXPECT_FALSE(state.Session.Frames.CheckBox2);
    EXPECT_FALSE(state.Cover.Modified);

    c.ShadowCheck.SetChecked(true);
    c.CheckBox2.SetChecked(true);
    EXPECT_TRUE(s.DrawShadow);
    EXPECT_TRUE(s.DrawLightSource);
    EXPECT_FALSE(state.Cover.Modified);

    c.FloorCheckBox.SetChecked(false);
    EXPECT_FALSE(floor.Textured);
    EXPECT_TRUE(state.Cover.Modified);
    state.Cover.Modified = false;
    c.FloorCheckBox.SetChecked(true);
    EXPECT_TRUE(floor.Textured);
    EXPECT_TRUE(state.Cover.Modified);

    c.AxesCB.SetChecked(true);
    EXPECT_TRUE(state.Session.TheScene.ShowAxes);
}

struct ColorButton {
    const char* dialog;
    void (*click)(MainState&);
    std::function<ColorSwatch&(MainControls&)> swatch;
    std::function<Rgb(MainState&)> value;
};

TEST_F(SceneTest, ColorButtonsApplyTheChosenColourAndCancelChangesNothing) {
    const ColorButton buttons[] = {
        {"bcDialog", BitBtn1Click, [](MainControls& m) -> ColorSwatch& { return m.BgColor; },
         [](MainState& st) { return st.Session.TheScene.Settings.BackgroundColor; }},
        {"lcDialog", Butcol2, [](MainControls& m) -> ColorSwatch& { return m.LColorShape; },
         [](MainState& st) { return st.Session.TheScene.Settings.LightColor; }},
        {"floorColor", Fcolor, [](MainControls& m) -> ColorSwatch& { return m.FloorShape; },
         [](MainState& st) { return st.Session.TheScene.Floor.Color; }},
    };
    for (const ColorButton& b : buttons) {
        SCOPED_TRACE(b.dialog);
        ColorSwatch& swatch = b.swatch(c);
        EXPECT_EQ(swatch.Color, kWhite);
        EXPECT_EQ(b.value(state), (Rgb{1.0f, 1.0f, 1.0f}));

        // OK with 0x00BBGGRR = blue 0x33, green 0x66, red 0x99.
        port.colorDialogs.clear();
        port.colorAnswers = {0x336699u};
        state.Cover.Modified = false;
        b.click(state);
        EXPECT_EQ(port.colorDialogs, std::vector<std::string>{b.dialog});
        EXPECT_EQ(swatch.Color, 0x336699u);
        const Rgb chosen = b.value(state);
        EXPECT_FLOAT_EQ(chosen[0], 0x99 / 255.0f);
        EXPECT_FLOAT_EQ(chosen[1], 0x66 / 255.0f);
        EXPECT_FLOAT_EQ(chosen[2], 0x33 / 255.0f);
        EXPECT_TRUE(state.Cover.Modified);

        // Cancel: colour, swatch and Modified stay.
        port.colorAnswers = {std::nullopt};
        state.Cover.Modified = false;
        b.click(state);
        EXPECT_EQ(port.colorDialogs.size(), 2u);
        EXPECT_EQ(swatch.Color, 0x336699u);
        EXPECT_EQ(b.value(state), chosen);
        EXPECT_FALSE(state.Cover.Modified);

        // Black is a colour like any other, not "nothing chosen".
        port.colorAnswers = {0u};
        b.click(state);
        EXPECT_EQ(swatch.Color, 0u);
        EXPECT_EQ(b.value(state), (Rgb{0.0f, 0.0f, 0.0f}));
        EXPECT_TRUE(state.Cover.Modified);
    }
}

TEST_F(SceneTest, ApplyingAColourFromAProjectDoesNotMarkModified) {
    ApplyBackgroundColor(state, 0x0000FFu);
    ApplyLightColor(state, 0x00FF00u);
    ApplyFloorColor(state, 0xFF0000u);
    EXPECT_EQ(c.BgColor.Color, 0x0000FFu);
    EXPECT_EQ(s.BackgroundColor, (Rgb{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(s.LightColor, (Rgb{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(floor.Color, (Rgb{0.0f, 0.0f, 1.0f}));
    EXPECT_FALSE(state.Cover.Modified);
}

TEST_F(SceneTest, SliderLabelsShowTheDesignTimeRanges) {
    // Written by the state's construction, as after start-up.
    const std::pair<const char*, std::string> labels[] = {
        {"Label19", "0"},          {"Label7", "2"},        {"Label48", "0"},
        {"Label18", Deg("0")},     {"Label6", Deg("360")}, {"Label47", Deg("0")},
        {"Label46", Deg("0")},     {"Label5", Deg("360")}, {"Label17", Deg("0")},
        {"Label24", "-10"},        {"Label12", "10"},      {"Label40", "0"},
        {"Label25", "0"},          {"Label13", "20"},      {"Label41", "4"},
        {"Label26", "0"},          {"Label14", "20"},      {"Label42", "4"},
        {"Label20", Local("3.5")}, {"Label8", "25"},       {"Label22", Deg("0")},
        {"Label10", Deg("360")},   {"Label44", Deg("0")},  {"Label23", Deg("0")},
        {"Label11", Deg("90")},    {"Label45", Deg("0")},  {"Label49", "1"},
        {"Label50", "1"},          {"Label51", "1"},
    };
    for (const auto& [name, text] : labels) EXPECT_EQ(Label(name).Caption, text) << name;
}

TEST_F(SceneTest, RefreshSliderLabelsRewritesLabelsALanguageSwitchOverwrote) {
    c.liftSB.SetPosition(33);
    c.ScrollBar4.SetPosition(200);
    c.ScrollBar6.SetPosition(29);
    c.LightXSB.SetPosition(65);
    c.LightZSB.SetPosition(123);
    for (const auto& control : c.All.All())
        if (control->Name.rfind("Label", 0) == 0) control->SetCaption("Label");
    c.FOVLabel.SetCaption("Label");

    RefreshSliderLabels(state);
    EXPECT_EQ(c.Label45.Caption, Deg("33"));
    EXPECT_EQ(c.Label17.Caption, Deg("200"));
    EXPECT_EQ(c.Label48.Caption, Local("0.58"));
    EXPECT_EQ(c.Label40.Caption, Local("-3.5"));
    EXPECT_EQ(c.Label42.Caption, Local("12.3"));
    EXPECT_EQ(c.Label20.Caption, Local("3.5"));
    EXPECT_EQ(c.Label8.Caption, "25");
    EXPECT_EQ(c.Label24.Caption, "-10");
    EXPECT_EQ(c.Label12.Caption, "10");
    // Every value label shows its slider again, the field of view's and
    // roll X's included.
    EXPECT_EQ(c.FOVLabel.Caption, Deg("45"));
    EXPECT_EQ(c.Label58.Caption, Deg("0"));
}

TEST(LabelFormats, CutToHundredthsWithTheGivenSeparator) {
    EXPECT_EQ(FormatHundredths(3.5, ','), "3,5");
    EXPECT_EQ(FormatHundredths(25.0, ','), "25");
    EXPECT_EQ(FormatHundredths(0.999, '.'), "0.99");
    EXPECT_EQ(FormatHundredths(-0.015, '.'), "-0.01");
    EXPECT_EQ(FormatHundredths(static_cast<double>(29 / 50.0f), '.'), "0.58");
    EXPECT_EQ(FormatDecimal(-3.5, ','), "-3,5");
    EXPECT_EQ(FormatDecimal(12.3, '.'), "12.3");
    EXPECT_EQ(FormatWhole(-7), "-7");
}

// The window sizes each value label for its widest text, so no value the
// slider can reach may be longer, and a label never shows a minus zero.
TEST_F(SceneTest, NoValueIsWiderThanItsLabelsWidestText) {
    auto glyphs = [](const std::string& text) {
        std::size_t n = 0;
        for (unsigned char ch : text) n += (ch & 0xC0) != 0x80;
        return n;
    };
    for (const ValueLabel& entry : ValueLabels(c)) {
        SCOPED_TRACE(entry.label->Name);
        const std::size_t widest = glyphs(WidestValueText(entry));
        for (int p = entry.slider->Min; p <= entry.slider->Max; ++p) {
            const std::string text = ValueText(entry, p);
            EXPECT_LE(glyphs(text), widest) << text;
            EXPECT_NE(text, "-0");
            EXPECT_NE(text, "-0\u00B0");
        }
    }
}

}  // namespace
}  // namespace tessaly::test
