#include "render/studio/StudioScene.h"

#include <algorithm>
#include <array>

#include "core/model/EmoModel.h"
#include "render/Scene.h"
#include "render/studio/LightDisc.h"
#include "render/studio/StudioCover.h"
#include "render/studio/StudioFloor.h"
#include "render/studio/StudioReflection.h"
#include "render/studio/StudioResources.h"
#include "render/studio/StudioShadow.h"

namespace tessaly {

void DrawStudioScene(Scene& scene, TGLContext& context) {
    SceneSettings& s = scene.Settings;
    TmodelEMO* model = scene.Model;
    const StudioResources& res = EnsureStudioResources(scene);

    context.SetClearColor(s.BackgroundColor[0], s.BackgroundColor[1], s.BackgroundColor[2], 0.0f);
    context.ClearBuffers();
    glClear(GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.AmbientLight.Disable();
    CameraTransform(s);
    std::array<float, 16> view{};
    glGetFloatv(GL_MODELVIEW_MATRIX, view.data());

    s.FloorHeight = model ? model->LowestPoint(s.CoverRollX, s.CoverRotate, s.CoverRollZ) : 0.0f;
    const float h = s.FloorHeight;
    const float top = model ? model->HighestPoint(s.CoverRollX, s.CoverRotate, s.CoverRollZ) : h;
    const float objectHeight = std::max(top - h, 0.01f);

    // This pass's light: the main light moved across a small disc.
    TGLLight& light = scene.MainLight;
    const std::array<float, 3> steady{light.GetX(), light.GetY(), light.GetZ()};
    const auto moved = JitteredLight(steady, scene.PassIndex, scene.PassCount, kLightDiscRadius);

    // With a reflection: the floor, opaque, then the reflection over it.
    glDisable(GL_LIGHTING);
    const bool reflection = s.FloorOpacity < 1.0f && model;
    if (reflection) {
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        DrawStudioFloor(res, scene, h, 1.0f, 1.0f);
        glDepthMask(GL_TRUE);
        light.SetX(moved[0]);
        light.SetY(moved[1]);
        light.SetZ(moved[2]);
        DrawStudioReflection(scene, res, h, std::max(0.01f, scene.ReflectionFade * objectHeight));
        light.SetX(steady[0]);
        light.SetY(steady[1]);
        light.SetZ(steady[2]);
        // The mirrored cover lies below the floor; the floor drawn next covers it.
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.AmbientLight.Disable();

    // The floor (again, over the reflection) at its opacity, then the shadows.
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawStudioFloor(res, scene, h, 1.0f, s.FloorOpacity);
    glDisable(GL_BLEND);
    if (s.DrawShadow && model) {
        DrawCastShadow(scene, res, view, h);
        DrawContactShadow(scene, res, view, h, objectHeight);
    }

    light.SetX(moved[0]);
    light.SetY(moved[1]);
    light.SetZ(moved[2]);
    // The cover, lit by this pass's light.
    light.ApplyPosition();
    light.Enable();
    glEnable(GL_LIGHTING);
    scene.AmbientLight.Enable();
    SetAmbientLightColor(scene, s.AmbientLevel);
    SetMainLightColor(scene);
    if (model) model->FadeOff();
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawStudioCover(scene, res, view);
    glDisable(GL_LIGHTING);

    light.SetX(steady[0]);
    light.SetY(steady[1]);
    light.SetZ(steady[2]);
    if (scene.ShowAxes) DrawAxes();
    if (s.DrawLightSource) light.DrawMarker(0.1f);
}

}  // namespace tessaly
