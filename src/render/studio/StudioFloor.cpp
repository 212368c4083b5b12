#include "render/studio/StudioFloor.h"

#include "render/Scene.h"
#include "render/studio/StudioResources.h"

namespace tessaly {

Rgb StudioFloorColour(const Scene& scene) {
    return scene.FloorSurfaceHidden ? scene.Settings.BackgroundColor : scene.Floor.Color;
}

bool StudioFloorTextured(const Scene& scene) {
    return !scene.FloorSurfaceHidden && scene.Floor.Textured && scene.Floor.Texture != 0;
}

void DrawStudioFloor(const StudioResources& res, const Scene& scene, float height, float shade,
                     float alpha) {
    const TFloor& floor = scene.Floor;
    if (!floor.Visible) return;
    const Rgb F = StudioFloorColour(scene);
    const Rgb& B = scene.Settings.BackgroundColor;
    const bool textured = StudioFloorTextured(scene);
    if (res.FloorProgram != 0) {
        glUseProgram(res.FloorProgram);
        glUniform1i(res.UTexture, 0);
        glUniform1f(res.UTextured, textured ? 1.0f : 0.0f);
        glUniform3f(res.UFloor, F[0], F[1], F[2]);
        glUniform3f(res.UBackground, B[0], B[1], B[2]);
        glUniform1f(res.UShade, shade);
        glUniform1f(res.UAlpha, alpha);
        glUniform2f(res.UFade, kFloorFadeStart, kFloorFadeEnd);
    } else {
        glColor4f(shade * F[0], shade * F[1], shade * F[2], alpha);
    }
    glBindTexture(GL_TEXTURE_2D, floor.Texture);
    if (textured && res.FloorProgram == 0)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
    DrawFloorQuad(floor, height);
    if (res.FloorProgram != 0) glUseProgram(0);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace tessaly
