// Resetting and starting anew from the two files shipped beside the program:
// "Reset settings" re-applies the template "_resettem", "Reset All" re-opens
// the start project "_incov", and "New ..." re-opens "_incov" as a chosen
// cover type with fresh book images, dimensions, case angle and colours.
#pragma once

#include <string>

namespace tessaly {

class MainState;

inline constexpr const char* kResetTemplateName = "_resettem";
inline constexpr const char* kStartProjectName = "_incov";

void resetButClick(MainState& state);
void ResetAll1Click(MainState& state);
// Behind the "New ..." items; `typeId` is a cover type identifier.
void NewCover(MainState& state, const std::string& typeId);

}  // namespace tessaly
