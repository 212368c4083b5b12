#include "render/Accumulator.h"

namespace tessaly {

namespace {
int sideLimit = 0;
}  // namespace

void Accumulator::LimitSide(int side) {
    sideLimit = side;
}

bool Accumulator::Prepare(int width, int height) {
    width_ = width;
    height_ = height;
    if (sideLimit > 0 && (width > sideLimit || height > sideLimit)) return false;
    return pass_.Ensure(width, height, GL_RGBA8, true) &&
           sum_.Ensure(width, height, GL_RGBA32F, false);
}

void Accumulator::Clear() {
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    sum_.Bind();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
}

void Accumulator::BeginPass() { pass_.Bind(); }

void Accumulator::Accumulate(float weight) {
    sum_.Bind();
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendColor(weight, weight, weight, weight);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ONE);
    glBlendEquation(GL_FUNC_ADD);
    DrawTexturedQuad(pass_.ColorTexture());
    glPopAttrib();
}

void Accumulator::Return(GLuint framebuffer) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_BLEND);
    DrawTexturedQuad(sum_.ColorTexture());
    glPopAttrib();
}

void Accumulator::DrawTexturedQuad(GLuint texture) {
    // Everything the scene may have left on is saved and switched off, so the
    // quad copies texels one to one.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_STENCIL_BUFFER_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_FOG);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, width_, height_);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

}  // namespace tessaly
