// The property paths the main window's language component translates, one
// per line, by window and in list order: the main window, the about box, the
// options dialog, the credits window, the size dialog and the warning dialog.
// The language files key their "Translations" by these exact strings. A few
// lines name no existing component (retired controls, the template menu, an
// empty name); they stay in the list and are skipped when translating. The
// look's captions (the options dialog's look choice, the Floor tab's
// reflection fade) were added to the list beside their neighbours.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

inline constexpr std::size_t kMainTranslatedPropertyCount = 191;

extern const std::array<std::string_view, kMainTranslatedPropertyCount> kMainTranslatedProperties;

// The list as the language component's Properties.
std::vector<std::string> MainTranslatedProperties();

}  // namespace tessaly
