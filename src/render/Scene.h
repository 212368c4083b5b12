// The scene renderer: one complete picture per DrawScene call. The current
// cover stands on a large floor; its mirror image, fading upwards into the
// background colour, shows through the partly transparent floor; a stencil
// shadow cast by the directional main light darkens the floor; optional axes
// and a marker for the light are drawn on top.
#pragma once

#include <array>
#include <memory>

#include "render/GLContext.h"
#include "render/GLLight.h"
#include "render/Look.h"
#include "render/SceneSettings.h"

namespace tessaly {

class TmodelEMO;
struct StudioResources;

// Everything one picture is drawn from. The model is the current catalogue
// entry's; it may be null (nothing to draw but the floor).
struct Scene {
    SceneSettings Settings;
    TFloor Floor;
    TGLLight MainLight;
    TGLLight AmbientLight;
    TmodelEMO* Model = nullptr;
    bool ShowAxes = false;  // the "Show axes" check box

    // The look and the studio look's reflection fade (object heights).
    Look TheLook = Look::Classic;
    float ReflectionFade = kDefaultReflectionFade;
    // Which antialiasing pass of how many is being drawn (the frame driver
    // sets these); the studio look spreads its light over the passes.
    int PassIndex = 0;
    int PassCount = 1;
    // GL objects of the studio look, made on its first frame; they belong
    // to the context, which lives as long as the scene.
    std::shared_ptr<StudioResources> Studio;
    // For pictures with a transparent background: the floor surface takes the
    // background colour (so it only dims the reflection by its opacity) and
    // the shadow darkens whatever lies under it by its darkness.
    bool FloorSurfaceHidden = false;
};

void DrawScene(Scene& scene, TGLContext& context);
void DrawCover(Scene& scene);
void DrawFloorAndShadow(Scene& scene, float height);
void DrawFloor(const TFloor& floor, float height);
// The floor's quad at `height` with its texture coordinates, in whatever
// state the caller has set.
void DrawFloorQuad(const TFloor& floor, float height);
void DrawHiddenFloorAndShadow(Scene& scene, float height);
void DrawAxes();

// Pieces of the scene both looks share.
void ApplyCoverTransform(const SceneSettings& s);  // the cover's lift, turn and rolls
void CameraTransform(const SceneSettings& s);
void SetAmbientLightColor(Scene& scene, float alpha);
void SetMainLightColor(Scene& scene);

// Projects points along the light direction onto the plane through `point`
// with normal `normal`; column-major as OpenGL expects. With light W = 0 the
// projection is parallel.
void ShadowMatrix(std::array<float, 16>& matrix, const std::array<float, 3>& normal,
                  const std::array<float, 3>& point, const std::array<float, 4>& light);

}  // namespace tessaly
