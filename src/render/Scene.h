// The scene renderer: one complete picture per DrawScene call. The current
// cover stands on a large floor; its mirror image, fading upwards into the
// background colour, shows through the partly transparent floor; a stencil
// shadow cast by the directional main light darkens the floor; optional axes
// and a marker for the light are drawn on top.
#pragma once

#include <array>

#include "render/GLContext.h"
#include "render/GLLight.h"
#include "render/SceneSettings.h"

namespace tessaly {

class TmodelEMO;

// Everything one picture is drawn from. The model is the current catalogue
// entry's; it may be null (nothing to draw but the floor).
struct Scene {
    SceneSettings Settings;
    TFloor Floor;
    TGLLight MainLight;
    TGLLight AmbientLight;
    TmodelEMO* Model = nullptr;
    bool ShowAxes = false;  // the "Show axes" check box
    // For pictures with a transparent background: the floor surface takes the
    // background colour (so it only dims the reflection by its opacity) and
    // the shadow darkens whatever lies under it by its darkness.
    bool FloorSurfaceHidden = false;
};

void DrawScene(Scene& scene, TGLContext& context);
void DrawCover(Scene& scene);
void DrawFloorAndShadow(Scene& scene, float height);
void DrawFloor(const TFloor& floor, float height);
void DrawHiddenFloorAndShadow(Scene& scene, float height);
void DrawAxes();

// Projects points along the light direction onto the plane through `point`
// with normal `normal`; column-major as OpenGL expects. With light W = 0 the
// projection is parallel.
void ShadowMatrix(std::array<float, 16>& matrix, const std::array<float, 3>& normal,
                  const std::array<float, 3>& point, const std::array<float, 4>& light);

}  // namespace tessaly
