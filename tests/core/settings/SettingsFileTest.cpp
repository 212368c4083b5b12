#include "core/settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int FilesIn(const fs::path& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
    return n;
}

TEST(SettingsFile, KeysMatchWithoutCaseAndValuesAreTakenExactly) {
    test::TempDir dir;
    WriteText(dir / "settings.ini",
              "[DefaultEditor]\r\nPBRUSH\r\n[OpenPic]\r\nOn\r\n[capture]\r\n view \r\n");
    TSettingsFile settings;
    settings.Load(dir / "settings.ini");

    EXPECT_EQ(settings.ReadValue("openpic"), "On");
    EXPECT_NE(settings.ReadValue("OPENPIC"), kSettingOn);  // values compare exactly
    EXPECT_EQ(settings.ReadValue("CAPTURE"), " view ");    // value line taken whole
    EXPECT_EQ(settings.ReadValue("Language"), "-");
    EXPECT_EQ(settings.ReadValue(""), "-");
    EXPECT_EQ(settings.ReadLine(1), "PBRUSH");
}

TEST(SettingsFile, LaterKeyLineWins) {
    test::TempDir dir;
    WriteText(dir / "settings.ini", "[CDepth]\n16\n[OpenPic]\non\nCDepth again\n32\n");
    TSettingsFile settings;
    settings.Load(dir / "settings.ini");
    EXPECT_EQ(settings.ReadValue(kCDepthKey), "32");
}

TEST(SettingsFile, ReadsLfAndCrLfAndALastLineWithoutLineEnd) {
    test::TempDir dir;
    WriteText(dir / "settings.ini", "[DefaultEditor]\r\n/usr/bin/gimp\n[frms]\r\n20");
    TSettingsFile settings;
    settings.Load(dir / "settings.ini");
    ASSERT_EQ(settings.LineCount(), 4);
    EXPECT_EQ(settings.ReadLine(1), "/usr/bin/gimp");
    EXPECT_EQ(settings.ReadValue("frms"), "20");
    EXPECT_EQ(settings.ReadLine(-1), "");
    EXPECT_EQ(settings.ReadLine(4), "");
    EXPECT_EQ(settings.ReadLine(1 << 30), "");
}

TEST(SettingsFile, WriteRewritesTheWholeFileWithCrLfAndReloads) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    WriteText(file, "[DefaultEditor]\nPBRUSH\n[CDepth]\n32\n[dWarning]\non\n");
    TSettingsFile settings;
    settings.Load(file);
    settings.WriteValue(kCDepthKey, "24");
    settings.WriteValue(kDWarningWriteKey, kSettingOff);

    EXPECT_EQ(ReadText(file),
              "[DefaultEditor]\r\nPBRUSH\r\n[CDepth]\r\n24\r\n[dWarning]\r\noff\r\n");
    EXPECT_EQ(FilesIn(dir.Path()), 1);  // no temporary file left beside it

    TSettingsFile restarted;
    restarted.Load(file);
    EXPECT_EQ(restarted.ReadValue(kCDepthKey), "24");
    EXPECT_EQ(std::stoi(restarted.ReadValue(kCDepthKey)), 24);
    EXPECT_EQ(restarted.ReadValue(kDWarningKey), "off");
}

TEST(SettingsFile, UnknownKeyChangesNeitherMemoryNorFile) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    const std::string original = "[OpenPic]\non\n";
    WriteText(file, original);
    TSettingsFile settings;
    settings.Load(file);
    settings.WriteValue("Language", "English.ini");
    EXPECT_EQ(settings.ReadValue("Language"), "-");
    EXPECT_EQ(settings.LineCount(), 2);
    EXPECT_EQ(ReadText(file), original);
}

TEST(SettingsFile, MissingOrDeletedFileIsNeverWritten) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    TSettingsFile settings;
    settings.Load(file);
    EXPECT_EQ(settings.ReadValue(kCDepthKey), "-");
    EXPECT_EQ(settings.ReadLine(1), "");

    WriteText(file, "[capture]\r\nview\r\n");
    settings.Load(file);
    fs::remove(file);
    settings.WriteValue(kCaptureKey, kCapturePreferredSize);
    EXPECT_EQ(settings.ReadValue(kCaptureKey), "pref");  // kept in memory
    EXPECT_EQ(FilesIn(dir.Path()), 0);

    // Loading a name that does not exist keeps what is held.
    settings.Load(dir / "other.ini");
    EXPECT_EQ(settings.ReadValue(kCaptureKey), "pref");
}

TEST(SettingsFile, FilesLongerThanFiftyOneLinesAreKeptWhole) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    std::string text;
    for (int k = 0; k < 40; ++k)
        text += "[key" + std::to_string(k) + "x]\r\nvalue" + std::to_string(k) + "\r\n";
    WriteText(file, text);

    TSettingsFile settings;
    settings.Load(file);
    ASSERT_EQ(settings.LineCount(), 80);
    EXPECT_EQ(settings.ReadValue("key39x"), "value39");
    settings.WriteValue("KEY38X", "changed");

    std::string expected = text;
    expected.replace(expected.find("value38"), 7, "changed");
    EXPECT_EQ(ReadText(file), expected);
}

TEST(SettingsFile, ValueNamingAKeyDoesNotOverwriteTheNextKeyLine) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    WriteText(file,
              "[DefaultEditor]\r\n/opt/capture/openpic-editor\r\n[OpenPic]\r\non\r\n"
              "[capture]\r\nview\r\n");
    TSettingsFile settings;
    settings.Load(file);
    settings.WriteValue(kCaptureKey, kCapturePreferredSize);
    settings.WriteValue(kOpenPicKey, kSettingOff);

    TSettingsFile restarted;
    restarted.Load(file);
    EXPECT_EQ(restarted.ReadLine(1), "/opt/capture/openpic-editor");
    EXPECT_EQ(restarted.ReadLine(2), "[OpenPic]");
    EXPECT_EQ(restarted.ReadValue(kOpenPicKey), "off");
    EXPECT_EQ(restarted.ReadValue(kCaptureKey), "pref");
    EXPECT_EQ(restarted.LineCount(), 6);
}

TEST(SettingsFile, KeyLineEndingTheFileGetsItsValueLine) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    WriteText(file, "[OpenPic]\r\non\r\n[frms]\r\n");
    TSettingsFile settings;
    settings.Load(file);
    EXPECT_EQ(settings.ReadValue(kFrmsKey), "");
    settings.WriteValue(kFrmsKey, "20");
    EXPECT_EQ(ReadText(file), "[OpenPic]\r\non\r\n[frms]\r\n20\r\n");
}

TEST(SettingsFile, MultiLineValueIsRefusedAndChangesNothing) {
    test::TempDir dir;
    const fs::path file = dir / "settings.ini";
    WriteText(file, "[DefaultEditor]\r\nPBRUSH\r\n");
    TSettingsFile settings;
    settings.Load(file);
    EXPECT_THROW(settings.WriteValue(kDefaultEditorKey, "/tmp/a\nb"), std::invalid_argument);
    EXPECT_EQ(settings.ReadLine(1), "PBRUSH");
    EXPECT_EQ(ReadText(file), "[DefaultEditor]\r\nPBRUSH\r\n");
}

TEST(SettingsFile, ShippedFileHoldsEveryKeyWithUsableDefaults) {
    const fs::path file = test::SourceDir() / "data" / "program" / "settings.ini";
    const std::string text = ReadText(file);
    ASSERT_FALSE(text.empty());
    // Every line ends in CR LF.
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "at byte " << i;
        }
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    TSettingsFile settings;
    settings.Load(file);
    ASSERT_EQ(settings.LineCount(), static_cast<int>(2 * kSettingsKeys.size()));
    for (std::size_t k = 0; k < kSettingsKeys.size(); ++k)
        EXPECT_EQ(settings.ReadLine(static_cast<int>(2 * k)),
                  "[" + std::string(kSettingsKeys[k]) + "]");
    // The built-in editor, found beside the program: a Windows program name
    // here would make Edit do nothing.
    EXPECT_EQ(settings.ReadLine(1), "builtined");
    EXPECT_EQ(settings.ReadValue(kOpenPicKey), "on");
    EXPECT_EQ(settings.ReadValue(kUpdateCheckKey), "on");
    EXPECT_EQ(settings.ReadValue(kCaptureKey), "view");
    EXPECT_EQ(settings.ReadValue(kCDepthKey), "24");
    EXPECT_EQ(settings.ReadValue(kLanguageKey), "English.ini");
    EXPECT_EQ(settings.ReadValue(kDWarningKey), "on");
    EXPECT_EQ(settings.ReadValue(kLookKey), "classic");
    const std::string frms = settings.ReadValue(kFrmsKey);
    std::size_t used = 0;
    EXPECT_GT(std::stoi(frms, &used), 0);
    EXPECT_EQ(used, frms.size());
}

// Keys added after the shipped file: appended once, then written in place;
// a file ending with a key line keeps that key's (empty) value.
TEST(SettingsFile, WriteOrAddValueAppendsAMissingKeyOnce) {
    test::TempDir dir;
    WriteText(dir / "settings.ini", "[OpenPic]\r\non\r\n[frms]");
    TSettingsFile settings;
    settings.Load(dir / "settings.ini");
    settings.WriteOrAddValue("[ProjectsFolder]", "/home/u/capture/Language");
    settings.WriteOrAddValue("[ProjectsFolder]", "/home/u/Docs");
    EXPECT_EQ(ReadText(dir / "settings.ini"),
              "[OpenPic]\r\non\r\n[frms]\r\n\r\n[ProjectsFolder]\r\n/home/u/Docs\r\n");
    settings.Load(dir / "settings.ini");
    EXPECT_EQ(settings.ReadValue("[ProjectsFolder]"), "/home/u/Docs");
    EXPECT_EQ(settings.ReadValue("frms"), "");
    EXPECT_EQ(settings.ReadValue("OpenPic"), "on");
    EXPECT_THROW(settings.WriteOrAddValue("[ProjectsFolder]", "a\nb"), std::invalid_argument);
    EXPECT_EQ(settings.ReadValue("[ProjectsFolder]"), "/home/u/Docs");
}

}  // namespace
}  // namespace tessaly
