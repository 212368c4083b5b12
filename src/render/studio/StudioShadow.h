// The studio look's shadows on the floor. The cast shadow is the cover
// squashed onto the floor along the light, drawn for several light
// directions spread over a disc (a few per antialiasing pass, different in
// every pass), each taking its share of the floor colour away only where it
// falls: the average over the passes has a penumbra that widens with the
// distance from the cover, sharp where the cover touches the floor, and the
// reflection under the floor keeps its strength inside the shadow. The
// contact shadow is the part of the cover within a small reach of the floor,
// squashed straight down and spread over a small disc the same way: a soft
// dark rim where the cover stands.
#pragma once

#include <array>

namespace tessaly {

struct Scene;
struct StudioResources;

// Light disc radius, relative to the light's distance.
inline constexpr float kLightDiscRadius = 0.12f;
// Shadow samples per antialiasing pass (one when there is one pass).
inline constexpr int kShadowSamplesPerPass = 6;

// Share of the floor colour the cast shadow takes away at shadow darkness
// `darkness` (0 to 0.5): twice the classic look's, so the default darkness
// reads clearly.
float StudioShadowDepth(float darkness);
// Share of the light the contact rim takes away at its core.
float StudioContactDepth(float darkness);

// Both expect the camera transform on the model-view matrix (`view`), the
// floor drawn, the stencil cleared to 0; they leave it cleared.
void DrawCastShadow(Scene& scene, const StudioResources& res, const std::array<float, 16>& view,
                    float height);
void DrawContactShadow(Scene& scene, const StudioResources& res, const std::array<float, 16>& view,
                       float height, float objectHeight);

}  // namespace tessaly
