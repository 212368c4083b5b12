// LocalisedTexts: puts the window texts that have message keys of their own
// (the Images tab's note about Refresh, the credits window's title and list)
// into the window in the language now in use, after each language switch.
#pragma once

#include <string>

class QWidget;

namespace tessaly {

// `window` is the main window; the credits window is one of its children.
void ShowLocalisedTexts(QWidget* window, const std::string& languageFile);

}  // namespace tessaly
