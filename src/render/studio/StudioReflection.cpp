#include "render/studio/StudioReflection.h"

#include "core/model/EmoModel.h"
#include "render/Scene.h"
#include "render/studio/StudioResources.h"

namespace tessaly {

namespace {

// Texture unit 1 multiplies the lit fragment's alpha by the ramp at
// s = (depth below the floor) / fadeHeight. The eye planes are given while
// the model-view matrix holds the camera only, so s follows world height.
void BeginFade(const StudioResources& res, float height, float fadeHeight) {
    glActiveTexture(GL_TEXTURE1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, res.FadeRamp);
    const GLfloat sPlane[4] = {0.0f, -1.0f / fadeHeight, 0.0f, height / fadeHeight};
    const GLfloat tPlane[4] = {0.0f, 0.0f, 0.0f, 0.5f};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_S, GL_EYE_PLANE, sPlane);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_T, GL_EYE_PLANE, tPlane);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_RGB, GL_PREVIOUS);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_PREVIOUS);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_SRC1_ALPHA, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
}

void EndFade() {
    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace

void DrawStudioReflection(Scene& scene, const StudioResources& res, float height,
                          float fadeHeight) {
    if (!scene.Model) return;
    scene.Model->FadeOff();
    BeginFade(res, height, fadeHeight);

    glPushMatrix();
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, -2.0f * height, 0.0f);
    scene.AmbientLight.SetPosition(0.0f, 0.0f, 0.0f, 0.0f);
    scene.MainLight.ApplyPosition();
    scene.AmbientLight.Disable();
    glEnable(GL_LIGHTING);
    scene.AmbientLight.Enable();
    SetAmbientLightColor(scene, 1.0f);
    SetMainLightColor(scene);
    glDisable(GL_CULL_FACE);
    glFrontFace(GL_CW);  // the mirror reverses the winding

    glEnable(GL_DEPTH_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    DrawCover(scene);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawCover(scene);

    glPopMatrix();
    glFrontFace(GL_CCW);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    EndFade();
}

}  // namespace tessaly
