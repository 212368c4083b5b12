#include "render/studio/StudioShadow.h"

#include <algorithm>
#include <cmath>

#include "render/Scene.h"
#include "render/studio/LightDisc.h"
#include "render/studio/StudioFloor.h"
#include "render/studio/StudioResources.h"

namespace tessaly {

namespace {

constexpr std::array<float, 16> kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

int SamplesPerPass(const Scene& scene) {
    return scene.PassCount > 1 ? kShadowSamplesPerPass : 1;
}

// Draws the floor quad over the marked pixels with the blending set by the
// caller, clearing the mark as it goes.
void ApplySample(const Scene& scene, float height, bool textured) {
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_ZERO);
    glDisable(GL_LIGHTING);
    const TFloor& floor = scene.Floor;
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, floor.Texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    DrawFloorQuad(floor, height);
    glDisable(GL_TEXTURE_2D);
}

// Inverse of a camera matrix made of turns and shifts only.
std::array<float, 16> RigidInverse(const std::array<float, 16>& m) {
    std::array<float, 16> r{};
    for (int c = 0; c < 3; ++c)
        for (int row = 0; row < 3; ++row) r[4 * c + row] = m[4 * row + c];
    for (int row = 0; row < 3; ++row)
        r[12 + row] = -(r[row] * m[12] + r[4 + row] * m[13] + r[8 + row] * m[14]);
    r[15] = 1.0f;
    return r;
}

// One shadow sample: `draw` marks stencil bit 1 where it falls, then draws
// the same again in `colour` (times the floor's picture when `textured`)
// with the blending the caller set, once per pixel, clearing the mark. The
// second draw fills only the covered pixels; without the shadow shader it
// falls back to the floor quad.
template <typename Draw>
void DrawSample(const Scene& scene, const StudioResources& res, float height, Draw draw,
                const std::array<float, 3>& colour, bool textured,
                const std::array<float, 16>& viewInverse) {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    draw();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (res.ShadowProgram == 0) {
        glColor4f(colour[0], colour[1], colour[2], 1.0f);
        ApplySample(scene, height, textured);
        return;
    }
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_ZERO);
    const TFloor& floor = scene.Floor;
    glUseProgram(res.ShadowProgram);
    glUniformMatrix4fv(res.UShadowViewInverse, 1, GL_FALSE, viewInverse.data());
    glUniform1i(res.UShadowTexture, 2);
    glUniform1f(res.UShadowTextured, textured ? 1.0f : 0.0f);
    // The floor quad maps 5 x HalfSize units to TextureRepeat x HalfSize.
    glUniform1f(res.UShadowTexScale, floor.TextureRepeat / 5.0f);
    glUniform3f(res.UShadowColour, colour[0], colour[1], colour[2]);
    draw();
    glUseProgram(0);
}

// Sets up for the samples and puts everything back afterwards.
struct SampleState {
    SampleState() {
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT |
                     GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glEnable(GL_STENCIL_TEST);
        glStencilMask(1);
        glEnable(GL_BLEND);
    }
    ~SampleState() { glPopAttrib(); }
    SampleState(const SampleState&) = delete;
    SampleState& operator=(const SampleState&) = delete;
};

}  // namespace

float StudioShadowDepth(float darkness) {
    return std::clamp(2.0f * darkness, 0.0f, 0.9f);
}

float StudioContactDepth(float darkness) {
    return std::clamp(0.35f + darkness, 0.0f, 0.8f);
}

void DrawCastShadow(Scene& scene, const StudioResources& res, const std::array<float, 16>& view,
                    float height) {
    const SceneSettings& s = scene.Settings;
    const TFloor& floor = scene.Floor;
    if (!floor.Visible) return;
    const int samples = SamplesPerPass(scene);
    const int total = samples * std::max(1, scene.PassCount);
    // Each sample takes away its share of the floor's own colour (times its
    // picture), as much as the floor covers the reflection.
    const float amount = StudioShadowDepth(s.ShadowDarkness) * s.FloorOpacity / samples;
    const Rgb floorColour = StudioFloorColour(scene);
    const std::array<float, 3> colour{amount * floorColour[0], amount * floorColour[1],
                                      amount * floorColour[2]};
    const bool textured = StudioFloorTextured(scene);
    const TGLLight& light = scene.MainLight;
    const std::array<float, 3> steady{light.GetX(), light.GetY(), light.GetZ()};

    SampleState state;
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, floor.Texture);
    glActiveTexture(GL_TEXTURE0);
    glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
    const std::array<float, 16> viewInverse = RigidInverse(view);
    for (int k = 0; k < samples; ++k) {
        const int index = scene.PassCount > 1 ? scene.PassIndex * samples + k : 0;
        const auto l = JitteredLight(steady, index, total > 1 ? total : 1, kLightDiscRadius);
        std::array<float, 16> m{};
        ShadowMatrix(m, {0.0f, 1.0f, 0.0f}, {0.0f, height, 0.0f}, {l[0], l[1], l[2], 0.0f});
        const auto draw = [&] {
            glPushMatrix();
            glMultMatrixf(m.data());
            DrawCover(scene);
            glPopMatrix();
        };
        DrawSample(scene, res, height, draw, colour, textured, viewInverse);
    }
    glBlendEquation(GL_FUNC_ADD);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
}

void DrawContactShadow(Scene& scene, const StudioResources& res, const std::array<float, 16>& view,
                       float height, float objectHeight) {
    const SceneSettings& s = scene.Settings;
    if (!scene.Floor.Visible) return;
    const float reach = 0.03f * objectHeight;
    const float spread = 0.05f * objectHeight;
    const int samples = SamplesPerPass(scene);
    const int total = samples * std::max(1, scene.PassCount);
    // Each sample multiplies by its root of the core's shade, so all of them
    // together give the full depth.
    const float shade =
        std::pow(1.0f - StudioContactDepth(s.ShadowDarkness), 1.0f / static_cast<float>(samples));

    SampleState state;
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
    for (int k = 0; k < samples; ++k) {
        const int index = scene.PassCount > 1 ? scene.PassIndex * samples + k : 0;
        const auto p = DiscPoint(index, total > 1 ? total : 1);
        const auto draw = [&] {
            // The squashing goes on the projection side, so the model-view
            // matrix holds world coordinates only and the clip plane cuts
            // the cover at a world height before it is flattened.
            const std::array<float, 16> flatten{
                1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, spread * p[0], height, spread * p[1], 1};
            glMatrixMode(GL_PROJECTION);
            glPushMatrix();
            glMultMatrixf(view.data());
            glMultMatrixf(flatten.data());
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            const GLdouble below[4] = {0.0, -1.0, 0.0, static_cast<double>(height + reach)};
            glClipPlane(GL_CLIP_PLANE0, below);
            glEnable(GL_CLIP_PLANE0);
            DrawCover(scene);
            glDisable(GL_CLIP_PLANE0);
            glPopMatrix();
            glMatrixMode(GL_PROJECTION);
            glPopMatrix();
            glMatrixMode(GL_MODELVIEW);
        };
        // The model-view matrix holds world coordinates here.
        DrawSample(scene, res, height, draw, {shade, shade, shade}, false, kIdentity);
    }
}

}  // namespace tessaly
