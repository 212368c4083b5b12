// The window's own keys, which older settings files lack: WriteOrAddValue
// appends them as key lines, keeps the key/value layout of a file cut after a
// key line, and updates a key that is there in place.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/settings/SettingsFile.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(SettingsAdd, NewKeysAreAppendedAndKnownOnesUpdatedInPlace) {
    test::TempDir dir;
    const auto file = dir / "settings.ini";
    std::ofstream(file, std::ios::binary) << "[capture]\r\nview\r\n[frms]\r\n20\r\n";
    TSettingsFile settings;
    settings.Load(file);
    settings.WriteOrAddValue("RecentFile01", "/home/a/box.eco");
    settings.WriteOrAddValue("RecentFile10", "");
    settings.WriteOrAddValue("frms", "30");
    EXPECT_EQ(ReadAll(file),
              "[capture]\r\nview\r\n[frms]\r\n30\r\n[RecentFile01]\r\n/home/a/box.eco\r\n"
              "[RecentFile10]\r\n\r\n");
    settings.WriteOrAddValue("RecentFile01", "/home/a/other.eco");
    TSettingsFile again;
    again.Load(file);
    EXPECT_EQ(again.ReadValue("RecentFile01"), "/home/a/other.eco");
    EXPECT_EQ(again.ReadValue("RecentFile10"), "");
    EXPECT_EQ(again.ReadValue("capture"), "view");
    EXPECT_THROW(settings.WriteOrAddValue("WindowGeometry", "a\nb"), std::invalid_argument);
}

TEST(SettingsAdd, AFileCutAfterAKeyLineKeepsKeysAtKeyPlaces) {
    test::TempDir dir;
    const auto file = dir / "settings.ini";
    std::ofstream(file, std::ios::binary) << "[capture]\r\nview\r\n[frms]\r\n";
    TSettingsFile settings;
    settings.Load(file);
    settings.WriteOrAddValue("SelectedTab", "3");
    TSettingsFile again;
    again.Load(file);
    EXPECT_EQ(again.ReadValue("SelectedTab"), "3");
    EXPECT_EQ(again.ReadValue("frms"), "");
}

}  // namespace
}  // namespace tessaly
