#include "render/studio/StudioCover.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/model/EmoModel.h"
#include "render/ModelDraw.h"
#include "render/Scene.h"
#include "render/studio/Materials.h"
#include "render/studio/StudioResources.h"

namespace tessaly {

namespace {

void SetMaterialUniforms(const StudioResources& res, const TobjectEMO& object,
                         const StudioMaterial& m) {
    glUniform1f(res.UCoverTextured, object.Textured && object.Texture != 0 ? 1.0f : 0.0f);
    glUniform1f(res.UGloss, m.Gloss);
    glUniform1f(res.UShininess, m.Shininess);
    glUniform1f(res.UMetal, m.Metal);
    glUniform1f(res.UOpacity, m.Opacity);
}

// How far in front of the camera the middle of the object's bounds lies,
// under the model-view matrix `m` (the object's own turn about the vertical
// axis included): larger is nearer.
float EyeDepth(const std::array<float, 16>& m, const TobjectEMO& object) {
    if (object.Vertices.empty()) return 0.0f;
    Vec3 lo = object.Vertices.front(), hi = lo;
    for (const Vec3& v : object.Vertices)
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], v[i]);
            hi[i] = std::max(hi[i], v[i]);
        }
    const float x = (lo[0] + hi[0]) / 2, y = (lo[1] + hi[1]) / 2, z = (lo[2] + hi[2]) / 2;
    const float a = object.AngleY * 3.14159265f / 180.0f;
    const float tx = std::cos(a) * x + std::sin(a) * z;
    const float tz = -std::sin(a) * x + std::cos(a) * z;
    return m[2] * tx + m[6] * y + m[10] * tz + m[14];
}

}  // namespace

void DrawStudioCover(Scene& scene, const StudioResources& res, const std::array<float, 16>& view) {
    if (res.CoverProgram == 0 || !scene.Model) {
        DrawCover(scene);
        return;
    }
    TmodelEMO& model = *scene.Model;
    glUseProgram(res.CoverProgram);
    glUniform1i(res.UCoverTexture, 0);
    glUniform3f(res.UUp, view[4], view[5], view[6]);  // world up, in eye space
    // A studio is never dark: a third of the light reaches the faces turned
    // away, more with the ambient slider.
    glUniform1f(res.UAmbient, 0.3f + 0.7f * scene.Settings.AmbientLevel);
    // The main light as a lamp at its place, in eye space.
    const TGLLight& light = scene.MainLight;
    const float x = light.GetX(), y = light.GetY(), z = light.GetZ();
    glUniform3f(res.ULamp, view[0] * x + view[4] * y + view[8] * z + view[12],
                view[1] * x + view[5] * y + view[9] * z + view[13],
                view[2] * x + view[6] * y + view[10] * z + view[14]);

    glPushMatrix();
    ApplyCoverTransform(scene.Settings);
    glScalef(model.ScaleX, model.ScaleY, model.ScaleZ);
    std::vector<TobjectEMO*> clear;
    for (TobjectEMO& object : model.Objects) {
        const StudioMaterial m = MaterialFor(object.Name);
        if (m.Opacity < 1.0f) {
            clear.push_back(&object);
            continue;
        }
        SetMaterialUniforms(res, object, m);
        DrawObject(object);
    }
    if (!clear.empty()) {
        // Back to front, so each clear part is blended over what lies
        // behind it, other clear parts included.
        std::array<float, 16> modelView{};
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
        std::stable_sort(clear.begin(), clear.end(), [&](TobjectEMO* a, TobjectEMO* b) {
            return EyeDepth(modelView, *a) < EyeDepth(modelView, *b);
        });
        glDepthMask(GL_FALSE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (TobjectEMO* object : clear) {
            SetMaterialUniforms(res, *object, MaterialFor(object->Name));
            DrawObject(*object);
        }
        glDepthMask(GL_TRUE);
    }
    glPopMatrix();
    glUseProgram(0);
}

}  // namespace tessaly
