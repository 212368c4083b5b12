// Points spread evenly over a disc, one per antialiasing pass: the studio
// look moves its light and its contact footprint by these, so that averaging
// the passes gives soft edges. Pure arithmetic, no GL.
#pragma once

#include <array>

namespace tessaly {

// Point `index` of `count` inside the unit disc (a sunflower spiral: even
// cover for any count). One point alone is the centre.
std::array<float, 2> DiscPoint(int index, int count);

// The light direction `light` turned by point `index` of `count` of a disc
// of radius `radius` (relative to the light's length) across it.
std::array<float, 3> JitteredLight(const std::array<float, 3>& light, int index, int count,
                                   float radius);

}  // namespace tessaly
