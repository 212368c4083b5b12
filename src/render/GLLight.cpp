#include "render/GLLight.h"

namespace tessaly {

TGLLight::~TGLLight() {
    // The quadric lives as long as the light; the light lives as long as the
    // context that made it.
    if (Quadric) gluDeleteQuadric(Quadric);
}

void TGLLight::Init(GLenum id) {
    Id = id;
    if (!Quadric) Quadric = gluNewQuadric();
}

void TGLLight::Enable() { glEnable(Id); }
void TGLLight::Disable() { glDisable(Id); }

void TGLLight::SetAmbient(float r, float g, float b, float a) {
    Ambient = {r, g, b, a};
    glLightfv(Id, GL_AMBIENT, Ambient.data());
}

void TGLLight::SetDiffuse(float r, float g, float b, float a) {
    Diffuse = {r, g, b, a};
    glLightfv(Id, GL_DIFFUSE, Diffuse.data());
}

void TGLLight::SetSpecular(float r, float g, float b, float a) {
    Specular = {r, g, b, a};
    glLightfv(Id, GL_SPECULAR, Specular.data());
}

void TGLLight::SetPosition(float x, float y, float z, float w) {
    Position = {x, y, z, w};
    glLightfv(Id, GL_POSITION, Position.data());
}

void TGLLight::ApplyPosition() { SetPosition(Position[0], Position[1], Position[2], 0.0f); }

void TGLLight::SetConstantAttenuation(float value) {
    ConstantAttenuation = value;
    glLightfv(Id, GL_CONSTANT_ATTENUATION, &ConstantAttenuation);
}

void TGLLight::DrawMarker(float radius) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
    glTranslatef(Position[0], Position[1], Position[2]);
    if (Quadric) gluSphere(Quadric, radius, 16, 16);
    glPopMatrix();
}

}  // namespace tessaly
