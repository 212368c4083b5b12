// EglContext: a headless TGLContext. It opens Mesa's surfaceless EGL platform
// (no X server needed), makes a compatibility-profile OpenGL context current
// and draws into a framebuffer object of its own.
#pragma once

#include <EGL/egl.h>

#include "render/GLContext.h"
#include "render/RenderTarget.h"

namespace tessaly {

class EglContext : public TGLContext {
public:
    EglContext() = default;
    ~EglContext() override;

    bool CreateContext(int width, int height, UserPort& port) override;
    GLuint TargetFramebuffer() const override { return target_.Framebuffer(); }
    bool EnsureTargetSize(int width, int height) override;

    int Width() const { return target_.Width(); }
    int Height() const { return target_.Height(); }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
    RenderTarget target_;
};

}  // namespace tessaly
