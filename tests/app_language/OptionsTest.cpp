#include <gtest/gtest.h>

#include "LanguageFixture.h"
#include "app/options/OptionsHandlers.h"
#include "app/options/RendererWarning.h"
#include "core/settings/SettingsRepair.h"
#include "support/TestPaths.h"
#include "core/model/CoverParameters.h"

namespace tessaly::test {
namespace {

using OptionsTest = LanguageTest;

TEST_F(OptionsTest, LoadSettingsSetsTheControlsAndWritesBackWhatTheClicksWrite) {
    Write("settings.ini", SettingsText("/usr/bin/gimp", "On", "on", "pref", "16"));
    LoadSettings(state);
    const OptionsState& o = state.Options;
    EXPECT_EQ(o.EditorPath, "/usr/bin/gimp");
    EXPECT_EQ(o.Label6.Caption, "/usr/bin/gimp");
    EXPECT_FALSE(o.CheckBox1.Checked);  // values compare exactly: "On" is not "on"
    EXPECT_TRUE(o.CheckBox2.Checked);
    EXPECT_TRUE(o.RadioButton1.Checked);
    EXPECT_FALSE(o.RadioButton2.Checked);
    EXPECT_FALSE(o.CaptureSameAsView);
    EXPECT_TRUE(o.RadioButton3.Checked);
    EXPECT_FALSE(o.RadioButton5.Checked);
    // The handlers ran on each change away from the design-time states.
    EXPECT_EQ(Read("settings.ini"),
              SettingsText("/usr/bin/gimp", "off", "on", "pref", "16", "English.ini", "on"));
}

TEST_F(OptionsTest, LoadSettingsWithTheDesignTimeValuesWritesNothing) {
    const std::string text = SettingsText("PBRUSH", "on", "off", "view", "32");
    Write("settings.ini", text);
    std::filesystem::permissions(dir / "settings.ini", std::filesystem::perms::owner_read);
    EXPECT_NO_THROW(LoadSettings(state));
    std::filesystem::permissions(dir / "settings.ini", std::filesystem::perms::owner_all);
    EXPECT_TRUE(state.Options.CaptureSameAsView);
    EXPECT_TRUE(state.Options.RadioButton5.Checked);
    EXPECT_EQ(Read("settings.ini"), text);
}

TEST_F(OptionsTest, ADamagedFileIsKeptAsBadAndItsUnreadableValuesGetTheDefaults) {
    const std::string damaged = SettingsText("/usr/bin/gimp", "off", "on", "pref", "deep", "-");
    Write("settings.ini", damaged);
    port.messages.clear();
    EXPECT_NO_THROW(LoadSettings(state));
    // One warning naming the file, the keys that got defaults and the copy.
    ASSERT_EQ(port.messages.size(), 1u);
    const std::string& text = port.messages[0].text;
    EXPECT_NE(text.find((dir / "settings.ini").string()), std::string::npos) << text;
    EXPECT_NE(text.find("defaults are used for: CDepth, Language"), std::string::npos) << text;
    EXPECT_EQ(Read("settings.ini.bad"), damaged);
    // The readable values are the user's; the others the shipped ones.
    EXPECT_EQ(Read("settings.ini"),
              SettingsText("/usr/bin/gimp", "off", "on", "pref", "24", "English.ini"));
    EXPECT_EQ(state.Options.EditorPath, "/usr/bin/gimp");
    EXPECT_FALSE(state.Options.CheckBox1.Checked);
    EXPECT_TRUE(state.Options.RadioButton4.Checked);
    EXPECT_NO_THROW(OptionsFormShow(state));

    // Garbage: every key gets its default; a sound file is left alone.
    Write("settings.ini", "\x01\xFFgarbage\n\n[frms]\nmany\n");
    port.messages.clear();
    LoadSettings(state);
    EXPECT_EQ(port.messages.size(), 1u);
    const std::string shipped = SettingsText("builtined");
    EXPECT_EQ(Read("settings.ini"), shipped);
    port.messages.clear();
    LoadSettings(state);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(Read("settings.ini"), shipped);

    // Keys whose absence has a meaning of their own do not make it damaged.
    const std::string older = "[DefaultEditor]\nPBRUSH\n[CDepth]\n24\n[Language]\nEnglish.ini\n";
    Write("settings.ini", older);
    port.messages.clear();
    LoadSettings(state);
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(Read("settings.ini"), older);

    // Without a settings file every value reads "-" and nothing is written.
    std::filesystem::remove(dir / "settings.ini");
    MainState fresh(dir.Path().string() + "/", port, std::make_unique<NoGLContext>());
    EXPECT_THROW(LoadSettings(fresh), std::invalid_argument);
    EXPECT_EQ(fresh.Options.EditorPath, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "settings.ini"));
}

TEST_F(OptionsTest, TheDefaultsAreThoseOfTheShippedFile) {
    TSettingsFile shipped;
    shipped.Load(SourceDir() / "data/program/settings.ini");
    for (std::size_t k = 0; k < kSettingsKeys.size(); ++k)
        EXPECT_EQ(shipped.ReadValue(kSettingsKeys[k]), kSettingsDefaults[k]) << kSettingsKeys[k];
    EXPECT_TRUE(UnreadableSettings(shipped).empty());
}

TEST_F(OptionsTest, EveryClickIsStoredAtOnce) {
    LoadSettings(state);
    OptionsState& o = state.Options;
    o.RadioButton3.SetChecked(true);
    EXPECT_EQ(Stored("CDepth"), "16");
    EXPECT_FALSE(o.RadioButton4.Checked);
    o.RadioButton5.SetChecked(true);
    EXPECT_EQ(Stored("CDepth"), "32");
    o.CheckBox1.SetChecked(false);
    EXPECT_EQ(Stored("OpenPic"), "off");
    o.CheckBox2.SetChecked(false);
    EXPECT_EQ(Stored("UpdateCheck"), "off");
    o.RadioButton1.SetChecked(true);
    EXPECT_EQ(Stored("capture"), "pref");
    EXPECT_FALSE(o.CaptureSameAsView);
    // Checking a checked button again runs nothing.
    Write("settings.ini", SettingsText());
    TSettingsFile& settings = state.Session.Settings;
    settings.Load(dir / "settings.ini");
    o.RadioButton1.SetChecked(true);
    EXPECT_EQ(Stored("capture"), "view");
    // Closing with the window's button after "Same as viewed" keeps it.
    o.RadioButton2.SetChecked(true);
    EXPECT_TRUE(o.CaptureSameAsView);
    // "OK" stores the mode of the checked button.
    Write("settings.ini", SettingsText("PBRUSH", "on", "on", "pref"));
    settings.Load(dir / "settings.ini");
    OptionsBitBtn2Click(state);
    EXPECT_EQ(Stored("capture"), "view");
}

TEST_F(OptionsTest, FormShowReadsTheStoredModeAndDepth) {
    LoadSettings(state);
    Write("settings.ini", SettingsText("PBRUSH", "on", "on", "pref", "24"));
    state.Session.Settings.Load(dir / "settings.ini");
    state.Options.EditorPath = "/opt/paint";
    OptionsFormShow(state);
    EXPECT_TRUE(state.Options.RadioButton1.Checked);
    EXPECT_FALSE(state.Options.CaptureSameAsView);
    EXPECT_TRUE(state.Options.RadioButton4.Checked);
    EXPECT_EQ(state.Options.Label6.Caption, "/opt/paint");
    // Another integer changes nothing.
    Write("settings.ini", SettingsText("PBRUSH", "on", "on", "pref", "8"));
    state.Session.Settings.Load(dir / "settings.ini");
    OptionsFormShow(state);
    EXPECT_TRUE(state.Options.RadioButton4.Checked);
}

TEST_F(OptionsTest, EditorButtons) {
    LoadSettings(state);
    // "Select": cancelled changes nothing, a chosen file is stored.
    port.files = {std::nullopt, std::string("/usr/local/bin/paint")};
    OptionsBitBtn1Click(state);
    EXPECT_EQ(Stored("DefaultEditor"), "PBRUSH");
    OptionsBitBtn1Click(state);
    EXPECT_EQ(port.dialogs, (std::vector<std::string>{"SelectEditor", "SelectEditor"}));
    EXPECT_EQ(Stored("DefaultEditor"), "/usr/local/bin/paint");
    EXPECT_EQ(state.Options.Label6.Caption, "/usr/local/bin/paint");

    // "Built-in editor": No changes nothing; Yes takes our own editor.
    port.answers = {MessageAnswer::No, MessageAnswer::Yes};
    OptionsBitBtn3Click(state);
    EXPECT_EQ(state.Options.EditorPath, "/usr/local/bin/paint");
    OptionsBitBtn3Click(state);
    const std::string builtIn = dir.Path().string() + "/builtined";
    EXPECT_EQ(state.Options.EditorPath, builtIn);
    EXPECT_EQ(Stored("DefaultEditor"), builtIn);
    EXPECT_EQ(port.messages.back().text, "Are you sure you want to switch to built-in editor? ");
    EXPECT_EQ(port.messages.back().buttons, MessageButtons::YesNo);

    // "Switch to default": the desktop's paint program.
    port.answers = {MessageAnswer::Yes};
    OptionsDefSwitchClick(state);
    EXPECT_EQ(state.Options.Label6.Caption, "PBRUSH");
    EXPECT_EQ(Stored("DefaultEditor"), "PBRUSH");
    // The editor is the first key: read back by position at the next start.
    MainState next(dir.Path().string() + "/", port, std::make_unique<NoGLContext>());
    LoadSettings(next);
    EXPECT_EQ(next.Options.EditorPath, "PBRUSH");
}

TEST(RendererWarning, ShownForSoftwareRasterisersWhenSwitchedOn) {
    for (const char* renderer :
         {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Software Rasterizer swrast"}) {
        EXPECT_TRUE(ShouldShowRendererWarning(renderer, "on")) << renderer;
        EXPECT_TRUE(ShouldShowRendererWarning(renderer, "oN")) << renderer;
        EXPECT_FALSE(ShouldShowRendererWarning(renderer, "off")) << renderer;
        EXPECT_FALSE(ShouldShowRendererWarning(renderer, "-")) << renderer;
        EXPECT_FALSE(ShouldShowRendererWarning(renderer, " on")) << renderer;
    }
    for (const char* renderer :
         {"NVIDIA H100 80GB HBM3/PCIe/SSE2", "AMD Radeon RX 7900 (radeonsi, navi31, LLVM 15.0.7)",
          "", "LLVMPIPE"})
        EXPECT_FALSE(ShouldShowRendererWarning(renderer, "on")) << renderer;
}

TEST_F(OptionsTest, WarningTextAndChoice) {
    LoadSettings(state);
    EXPECT_EQ(RendererWarningText(state), "wline1\nwline2\nwline3\nwline4\nwline5");
    WriteLanguage("English.ini", "English");
    state.Session.LanguageFile = (dir / "Languages/English.ini").string();
    EXPECT_EQ(RendererWarningText(state), "English one\nwline2\nwline3\nwline4\nwline5");

    // Shown as paragraphs: a line that ends mid-sentence runs on.
    EXPECT_EQ(JoinBrokenSentences("Software drawing is in use.\nIt works, but the view\nmay be "
                                  "slow.\r\nInstall a driver:\n(from the vendor)\n"),
              "Software drawing is in use.\nIt works, but the view may be slow.\nInstall a "
              "driver:\n(from the vendor)");
    StoreRendererWarningChoice(state, true);
    EXPECT_EQ(Stored("dWarning"), "off");
    // Ticking and unticking again before "Ok" leaves "on".
    StoreRendererWarningChoice(state, false);
    EXPECT_EQ(Stored("dWarning"), "on");
}

TEST_F(OptionsTest, TheLookIsChosenRememberedAndShownOnTheFloorTab) {
    LoadSettings(state);  // a file from before the look: classic
    OptionsState& o = state.Options;
    MainControls& c = state.Controls;
    EXPECT_TRUE(o.LookClassicRB.Checked);
    EXPECT_EQ(state.Session.TheScene.TheLook, Look::Classic);
    EXPECT_FALSE(c.ReflFadeSB.Visible);

    o.LookStudioRB.SetChecked(true);
    EXPECT_FALSE(o.LookClassicRB.Checked);
    EXPECT_EQ(state.Session.TheScene.TheLook, Look::Studio);
    EXPECT_EQ(Stored("Look"), "studio") << "the key is added to the older file";
    EXPECT_TRUE(c.ReflFadeSB.Visible);
    EXPECT_TRUE(c.ReflFadeCaption.Visible);
    c.ReflFadeSB.SetPosition(120);
    EXPECT_FLOAT_EQ(state.Session.TheScene.ReflectionFade, 1.2f);
    EXPECT_EQ(c.ReflFadeLabel.Caption, FormatHundredths(1.2));

    MainState next(dir.Path().string() + "/", port, std::make_unique<NoGLContext>());
    LoadSettings(next);
    EXPECT_TRUE(next.Options.LookStudioRB.Checked);
    EXPECT_EQ(next.Session.TheScene.TheLook, Look::Studio);

    o.LookClassicRB.SetChecked(true);
    EXPECT_EQ(Stored("Look"), "classic");
    EXPECT_FALSE(c.ReflFadeSB.Visible);

    // Anything but "studio" is the classic look.
    Write("settings.ini", SettingsText() + "[Look]\r\nStudio\r\n");
    MainState damaged(dir.Path().string() + "/", port, std::make_unique<NoGLContext>());
    LoadSettings(damaged);
    EXPECT_EQ(damaged.Session.TheScene.TheLook, Look::Classic);
}

}  // namespace
}  // namespace tessaly::test
