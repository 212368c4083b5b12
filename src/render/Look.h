// The look of the pictures: `Classic` draws the scene as the program always
// has; `Studio` draws a product-photograph version of the same scene (soft
// shadow, a floor that melts into the background, a satin reflection). The
// look is a render setting beside the scene settings; projects and templates
// do not store it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

enum class Look { Classic, Studio };

inline std::string_view LookName(Look look) {
    return look == Look::Studio ? "studio" : "classic";
}

// "classic" or "studio" (exactly); nothing for any other text.
inline std::optional<Look> LookFromName(std::string_view name) {
    if (name == "classic") return Look::Classic;
    if (name == "studio") return Look::Studio;
    return std::nullopt;
}

// Reflection fade of the studio look, in heights of the object: the
// reflection is gone at this reflected height. Range of the CLI option and
// of the window's slider.
inline constexpr float kDefaultReflectionFade = 0.5f;
inline constexpr float kMinReflectionFade = 0.1f;
inline constexpr float kMaxReflectionFade = 2.0f;

}  // namespace tessaly
