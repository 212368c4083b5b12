#include "render/EglContext.h"

#include <EGL/eglext.h>

#include "core/ui/UserPort.h"

namespace tessaly {

namespace {

EGLDisplay OpenSurfacelessDisplay() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

EglContext::~EglContext() {
    if (context_ != EGL_NO_CONTEXT) {
        target_.Release();
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(display_, context_);
    }
    // The display stays initialised: terminating it unloads the driver,
    // whose leftover allocations then belong to no module (leak checkers
    // cannot tell them from ours), and the next context of the process would
    // only load it again. eglGetPlatformDisplay hands back the same display.
}

bool EglContext::CreateContext(int width, int height, UserPort& port) {
    auto fail = [&] {
        port.ShowMessage(MessageKind::Error, "Error - Could not set pixel format", "SetPixelFormat",
                         MessageButtons::Ok);
        return false;
    };
    display_ = OpenSurfacelessDisplay();
    EGLint major = 0, minor = 0;
    if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, &major, &minor)) return fail();
    if (!eglBindAPI(EGL_OPENGL_API)) return fail();

    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    eglChooseConfig(display_, configAttributes, &config, 1, &count);
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    // Surfaceless contexts need no config (EGL_KHR_no_config_context).
    context_ = eglCreateContext(display_, count > 0 ? config : EGLConfig(nullptr), EGL_NO_CONTEXT,
                                contextAttributes);
    if (context_ == EGL_NO_CONTEXT) return fail();
    if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) return fail();

    if (!EnsureTargetSize(width, height)) return fail();
    Reshape(width, height);
    InitState();
    return true;
}

bool EglContext::EnsureTargetSize(int width, int height) {
    if (!target_.Ensure(width, height)) return false;
    target_.Bind();
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

}  // namespace tessaly
