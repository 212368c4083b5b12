// WindowTexts: texts of the window that the language files do not translate
// through a component's caption: the Images tab's note about Refresh, the
// status bar's antialiasing, frame-rate and update texts, the credits
// window, the message for a program that could not be started and the one
// for a typed value outside a slider's range. Each has a message key of its own
// in the "Messages" section and an English text used where a language file lacks the key.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace tessaly {

struct WindowText {
    std::string_view key;
    std::string_view english;
};

inline constexpr std::array<WindowText, 16> kWindowTexts = {{
    {"refreshnote",
     "Note: don't forget to click the appropriate \"Refresh\" button after you finish editing!"},
    {"aaon", "Antialiasing on"},
    {"aaoff", "Antialiasing off"},
    {"fpsec", "frames a second"},
    {"checkupd", "Checking for updates..."},
    {"credits", "Credits"},
    {"creditsby", "by the Tessaly developers"},
    {"creditsbuilt", "Built on the work of:"},
    {"creditsqt", "windows and widgets"},
    {"creditsmesa", "OpenGL rendering"},
    {"creditsjpeg", "JPEG pictures"},
    {"creditspng", "PNG pictures"},
    {"creditsgm", "the other picture formats"},
    {"creditscurl", "the update check"},
    // %1 is the program, page or file that could not be opened.
    {"cantstart", "%1 could not be started or opened."},
    // A typed slider value that is not a number of the slider's range; %1
    // and %2 are the ends of the range.
    {"badvalue", "Type a number from %1 to %2."},
}};

// The text of a key of `table` in `languageFile` (the English file beside it
// stands in for a missing key), the table's English text when neither has it;
// empty for a key that is not in the table.
std::string TableTextOf(std::span<const WindowText> table,
                        const std::filesystem::path& languageFile, std::string_view key);

// The text of a window text key in `languageFile`, its English text when the
// file lacks it; empty for a key that is not a window text.
std::string WindowTextOf(const std::filesystem::path& languageFile, std::string_view key);

// A fixed English text the program shows (a status text) in the language of
// `languageFile`; any other text comes back unchanged.
std::string LocaliseFixedText(const std::filesystem::path& languageFile, const std::string& text);

}  // namespace tessaly
