#include "core/i18n/Tooltips.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

#include "core/i18n/IniReader.h"
#include "core/i18n/Messages.h"
#include "support/TestPaths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

TEST(Tooltips, EveryControlHasOneKnownTextAndTheEnglishFileSaysTheSame) {
    std::set<std::string_view> keys, paths;
    for (const WindowText& text : kTooltipTexts) {
        EXPECT_TRUE(keys.insert(text.key).second) << text.key << " listed twice";
        // The built-in text stands in for the English file: they must agree.
        const fs::path english =
            test::SourceDir() / "data" / "program" / "Languages" / "English.ini";
        EXPECT_EQ(ReadIniValue(english, kMessagesSection, text.key).value_or(""), text.english)
            << text.key;
    }
    std::set<std::string_view> used;
    for (const TooltipPlace& place : kTooltipPlaces) {
        EXPECT_TRUE(paths.insert(place.path).second) << place.path << " placed twice";
        EXPECT_TRUE(keys.count(place.key)) << place.path << " names no text";
        EXPECT_TRUE(place.path.substr(0, 6) == "mForm." &&
                    place.path.substr(place.path.size() - 5) == ".Hint")
            << place.path;
        used.insert(place.key);
    }
    // Only the value labels' text is placed by the window itself.
    for (const WindowText& text : kTooltipTexts)
        EXPECT_EQ(used.count(text.key) == 0, text.key == "tiptypevalue") << text.key;
}

TEST(Tooltips, ALanguageLackingATextShowsTheEnglishOne) {
    test::TempDir dir;
    const fs::path german = dir / "German.ini";
    std::ofstream(german, std::ios::binary)
        << "[Messages]\r\ntipcolor=Eine andere Farbe wählen.\r\ntipaxes=\r\n";
    EXPECT_EQ(TooltipTextOf(german, "tipcolor"), "Eine andere Farbe wählen.");
    EXPECT_EQ(TooltipTextOf(german, "tipshadow"), "Draws the cover's shadow on the floor.");
    EXPECT_EQ(TooltipTextOf(german, "tipaxes"),
              "Shows the X, Y and Z axes in the view as a guide.");
    // An English file beside it is asked before the built-in text.
    std::ofstream(dir / "English.ini", std::ios::binary) << "[Messages]\r\ntipshadow=Shadow!\r\n";
    EXPECT_EQ(TooltipTextOf(german, "tipshadow"), "Shadow!");
    EXPECT_EQ(TooltipTextOf(dir / "missing.ini", "tipcolor"), "Choose another color.");
    EXPECT_EQ(TooltipTextOf(german, "sceco"), "");  // not a tooltip
}

}  // namespace
}  // namespace tessaly
