// The start-up warning about a software renderer: when the OpenGL driver in
// use is Mesa's generic software rasteriser (llvmpipe, softpipe or swrast),
// drawing is slow, and the user is told so once per start unless they have
// asked not to be ("dWarning" = "off").
#pragma once

#include <string>

#include "render/DriverTraits.h"

namespace tessaly {

class MainState;

// Whether to warn: a software renderer and a "dWarning" value equal to "ON"
// in any letter case (a missing key reads "-" and shows nothing).
bool ShouldShowRendererWarning(const std::string& renderer, const std::string& dWarningValue);

// The warning's five lines, "wline1" to "wline5", in the current language.
std::string RendererWarningText(const MainState& state);

// The text as paragraphs that a window wraps itself: a line that does not
// end a sentence (with ".", "!", "?" or ":") runs on into the next one.
std::string JoinBrokenSentences(const std::string& text);

// The warning's check box: checked stores "off" (never warn again),
// unchecked "on", at once.
void StoreRendererWarningChoice(MainState& state, bool doNotShowAgain);

}  // namespace tessaly
