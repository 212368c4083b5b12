// The studio look's floor: one quad drawn with the floor shader, its colour
// (times its picture) darkened by `shade`, with opacity `alpha` over what is
// under it, and fading with distance into the background colour, so there
// is no horizon at any camera lift.
#pragma once

#include "render/SceneSettings.h"

namespace tessaly {

struct Scene;
struct StudioResources;

// Distances from the cover's place over which the floor fades out.
inline constexpr float kFloorFadeStart = 3.0f;
inline constexpr float kFloorFadeEnd = 14.0f;

void DrawStudioFloor(const StudioResources& res, const Scene& scene, float height, float shade,
                     float alpha);

// The floor's colour and whether its picture shows. With the floor surface
// hidden (a transparent picture) the floor takes the background colour and
// no picture: it still dims the reflection and carries the shadows, and
// leaves nothing of its own.
Rgb StudioFloorColour(const Scene& scene);
bool StudioFloorTextured(const Scene& scene);

}  // namespace tessaly
