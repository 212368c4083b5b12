// The message keys of the window's conveniences (title, Edit menu, Open
// Recent, Fit to View, dropped files, the saved note), beside the program's
// other message keys; language files hold them in section "Messages".
#pragma once

#include <array>
#include <string_view>

namespace tessaly {

inline constexpr std::array<std::string_view, 12> kWindowMessageKeys = {
    "untitled",    "editmenu",    "undo",       "redo",          "openrecent", "dropnotlocal",
    "dropmissing", "dropunknown", "dropnoface", "recentmissing", "fittoview",  "savedto",
};

}  // namespace tessaly
