// A rendering context for app-layer tests whose code never reaches OpenGL
// (handlers that only change settings, controls and labels): it "succeeds"
// without making one.
#pragma once

#include "render/GLContext.h"

namespace tessaly::test {

class NoGLContext : public TGLContext {
  public:
    bool CreateContext(int, int, UserPort&) override { return true; }
    GLuint TargetFramebuffer() const override { return 0; }
};

}  // namespace tessaly::test
