#include "render/Scene.h"

#include "core/model/EmoModel.h"
#include "render/ModelDraw.h"
#include "render/Textures.h"
#include "render/studio/StudioScene.h"

namespace tessaly {

void ApplyCoverTransform(const SceneSettings& s) {
    glTranslatef(0.0f, s.CoverLift, 0.0f);
    glRotatef(s.CoverRotate, 0.0f, 1.0f, 0.0f);
    glRotatef(-s.CoverRollX, 1.0f, 0.0f, 0.0f);
    glRotatef(s.CoverRollZ, 0.0f, 0.0f, 1.0f);
}

void DrawCover(Scene& scene) {
    glPushMatrix();
    ApplyCoverTransform(scene.Settings);
    glEnable(GL_TEXTURE_2D);
    if (scene.Model) Draw(*scene.Model);
    glPopMatrix();
}

void CameraTransform(const SceneSettings& s) {
    glTranslatef(s.Strafe, s.Elevation, -s.Distance);
    glRotatef(s.CameraLift, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, s.FrontBack);
    glRotatef(s.CameraRotate, 0.0f, 1.0f, 0.0f);
}

void SetAmbientLightColor(Scene& scene, float alpha) {
    const SceneSettings& s = scene.Settings;
    const float a = s.AmbientLevel;
    const Rgb& c = s.LightColor;
    scene.AmbientLight.SetAmbient(a * c[0], a * c[1], a * c[2], alpha);
    scene.AmbientLight.SetDiffuse(a * c[0], a * c[1], a * c[2], alpha);
    scene.AmbientLight.SetSpecular(a * c[0], a * c[1], a * c[2], alpha);
}

void SetMainLightColor(Scene& scene) {
    const Rgb& c = scene.Settings.LightColor;
    scene.MainLight.SetAmbient(c[0], c[1], c[2], 0.0f);
    scene.MainLight.SetDiffuse(c[0], c[1], c[2], 0.0f);
    scene.MainLight.SetSpecular(c[0], c[1], c[2], 0.0f);
}

void DrawScene(Scene& scene, TGLContext& context) {
    if (scene.TheLook == Look::Studio) {
        DrawStudioScene(scene, context);
        return;
    }
    SceneSettings& s = scene.Settings;
    TmodelEMO* model = scene.Model;

    context.SetClearColor(s.BackgroundColor[0], s.BackgroundColor[1], s.BackgroundColor[2], 0.0f);
    context.ClearBuffers();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.AmbientLight.Disable();

    CameraTransform(s);

    // The floor lies at the cover's lowest point for its turn and rolls; the
    // lift moves the cover off the floor, not the floor.
    s.FloorHeight = model ? model->LowestPoint(s.CoverRollX, s.CoverRotate, s.CoverRollZ) : 0.0f;

    // Reflection: the world mirrored in the plane y = FloorHeight.
    glPushMatrix();
    glScalef(1.0f, -1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(0.0f, -2.0f * s.FloorHeight, 0.0f);
    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.MainLight.ApplyPosition();
    scene.AmbientLight.Disable();
    glEnable(GL_LIGHTING);
    scene.AmbientLight.Enable();
    SetAmbientLightColor(scene, 1.0f);
    SetMainLightColor(scene);
    if (model) {
        TmodelEMO::SetFadeColor(s.BackgroundColor[0], s.BackgroundColor[1], s.BackgroundColor[2]);
        model->FadeOn();
        model->SetFadeSpan(1.0f);
        model->ComputeFade(s.CoverRollX, s.CoverRotate, s.CoverRollZ);
    }
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the mirror reverses the winding
    DrawCover(scene);
    if (model) model->FadeOff();
    glPopMatrix();
    glPopMatrix();
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CCW);

    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.AmbientLight.Disable();
    scene.MainLight.ApplyPosition();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPushMatrix();
    DrawFloorAndShadow(scene, s.FloorHeight);
    glPopMatrix();
    glDisable(GL_BLEND);

    // Main pass.
    scene.MainLight.ApplyPosition();
    glEnable(GL_LIGHTING);
    scene.AmbientLight.Enable();
    SetAmbientLightColor(scene, s.AmbientLevel);
    SetMainLightColor(scene);
    if (model) model->FadeOff();
    glDisable(GL_CULL_FACE);
    DrawCover(scene);

    glDisable(GL_LIGHTING);
    if (scene.ShowAxes) DrawAxes();
    if (s.DrawLightSource) scene.MainLight.DrawMarker(0.1f);
}

void DrawFloorAndShadow(Scene& scene, float height) {
    if (scene.FloorSurfaceHidden) {
        DrawHiddenFloorAndShadow(scene, height);
        return;
    }
    const float S = scene.Settings.ShadowDarkness;
    const Rgb& F = scene.Floor.Color;
    const float O = scene.Settings.FloorOpacity;

    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glDisable(GL_LIGHTING);

    // The whole floor in the shadowed colour; every floor pixel gets stencil 1.
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    glColor4f((1.0f - S) * F[0], (1.0f - S) * F[1], (1.0f - S) * F[2], O);
    DrawFloor(scene.Floor, height);

    // The cover squashed onto the floor along the light raises the stencil
    // where its shadow falls.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    glPushMatrix();
    std::array<float, 16> m{};
    const TGLLight& light = scene.MainLight;
    ShadowMatrix(m, {0.0f, 1.0f, 0.0f}, {0.0f, height, 0.0f},
                 {light.GetX(), light.GetY(), light.GetZ(), light.GetW()});
    glMultMatrixf(m.data());
    glPushMatrix();
    if (scene.Settings.DrawShadow) DrawCover(scene);
    glPopMatrix();
    glPopMatrix();

    // The lit floor again, only outside the shadow.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glColor4f(F[0], F[1], F[2], O * O);
    DrawFloor(scene.Floor, height);

    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    scene.MainLight.Enable();
    glDisable(GL_STENCIL_TEST);
}

void DrawHiddenFloorAndShadow(Scene& scene, float height) {
    const float S = scene.Settings.ShadowDarkness;
    const Rgb& B = scene.Settings.BackgroundColor;
    const float O = scene.Settings.FloorOpacity;

    glClear(GL_STENCIL_BUFFER_BIT);
    glEnable(GL_STENCIL_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    // The floor in the background colour at its opacity: it dims the
    // reflection as the real floor would and leaves nothing of its own.
    // Every floor pixel gets stencil 1.
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glColor4f(B[0], B[1], B[2], O);
    TFloor plain = scene.Floor;
    plain.Textured = false;
    DrawFloor(plain, height);
    glDisable(GL_TEXTURE_2D);

    // The shadow raises the stencil above 1 where it falls on the floor.
    glDisable(GL_DEPTH_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glStencilFunc(GL_EQUAL, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    glPushMatrix();
    std::array<float, 16> m{};
    const TGLLight& light = scene.MainLight;
    ShadowMatrix(m, {0.0f, 1.0f, 0.0f}, {0.0f, height, 0.0f},
                 {light.GetX(), light.GetY(), light.GetZ(), light.GetW()});
    glMultMatrixf(m.data());
    if (scene.Settings.DrawShadow) DrawCover(scene);
    glPopMatrix();

    // Black at the shadow's darkness (as far as the floor shows), once per
    // shadow pixel.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);  // the cover's drawing switched it on
    glStencilFunc(GL_LESS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor4f(0.0f, 0.0f, 0.0f, S * O);
    DrawFloor(plain, height);

    glEnable(GL_DEPTH_TEST);
    scene.MainLight.Enable();
    glDisable(GL_STENCIL_TEST);
}

void ShadowMatrix(std::array<float, 16>& matrix, const std::array<float, 3>& normal,
                  const std::array<float, 3>& point, const std::array<float, 4>& light) {
    const float d = -(normal[0] * point[0] + normal[1] * point[1] + normal[2] * point[2]);
    const std::array<float, 4> plane{normal[0], normal[1], normal[2], d};
    const float dot =
        plane[0] * light[0] + plane[1] * light[1] + plane[2] * light[2] + plane[3] * light[3];
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            matrix[4 * c + r] = (r == c ? dot : 0.0f) - light[r] * plane[c];
        }
    }
}

void DrawFloorQuad(const TFloor& floor, float h) {
    const float s = 5.0f * floor.HalfSize;
    const float r = floor.TextureRepeat * floor.HalfSize;
    glBegin(GL_QUADS);
    glTexCoord2f(-r, -r);
    glVertex3f(-s, h, -s);
    glTexCoord2f(-r, r);
    glVertex3f(-s, h, s);
    glTexCoord2f(r, r);
    glVertex3f(s, h, s);
    glTexCoord2f(r, -r);
    glVertex3f(s, h, -s);
    glEnd();
}

void DrawFloor(const TFloor& floor, float h) {
    if (!floor.Visible) return;
    glEnable(GL_TEXTURE_2D);
    BindTiledTexture(floor.Texture);
    if (!floor.Textured) glDisable(GL_TEXTURE_2D);
    DrawFloorQuad(floor, h);
}

void DrawAxes() {
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(-2.0f, 0.0f, 0.0f);
    glVertex3f(2.0f, 0.0f, 0.0f);
    glVertex3f(2.0f, 0.0f, 0.0f);
    glVertex3f(1.8f, 0.1f, 0.0f);
    glVertex3f(2.0f, 0.0f, 0.0f);
    glVertex3f(1.8f, -0.1f, 0.0f);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, -2.0f, 0.0f);
    glVertex3f(0.0f, 2.0f, 0.0f);
    glVertex3f(0.0f, 2.0f, 0.0f);
    glVertex3f(0.1f, 1.8f, 0.0f);
    glVertex3f(0.0f, 2.0f, 0.0f);
    glVertex3f(-0.1f, 1.8f, 0.0f);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, -2.0f);
    glVertex3f(0.0f, 0.0f, 2.0f);
    glVertex3f(0.0f, 0.0f, 2.0f);
    glVertex3f(0.0f, 0.1f, 1.8f);
    glVertex3f(0.0f, 0.0f, 2.0f);
    glVertex3f(0.0f, -0.1f, 1.8f);
    glEnd();
}

}  // namespace tessaly
