// The studio look's cover: the model drawn object by object with per-pixel
// lighting (the same light colours and materials as the classic look, plus a
// white highlight and a soft reflection of an overhead studio light whose
// strength depends on what the object is made of). Clear objects are drawn
// after the opaque ones, farthest first, blended and without writing depth,
// so what lies behind them shows through.
#pragma once

#include <array>

namespace tessaly {

struct Scene;
struct StudioResources;

// `view` is the camera matrix (world to eye). Without a usable shader the
// cover is drawn as the classic look draws it.
void DrawStudioCover(Scene& scene, const StudioResources& res, const std::array<float, 16>& view);

}  // namespace tessaly
