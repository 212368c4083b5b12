// Accumulator: the accumulation buffer, done with framebuffer objects.
// Neither EGL nor a widget's framebuffer offers a real one, so each jittered
// pass is drawn into a pass target with depth and stencil, added with its
// weight into a float target by constant-colour blending, and the sum is
// finally written to the frame's own framebuffer. This runs the same way in
// every host, so the window and the command line give the same pixels.
#pragma once

#include "render/RenderTarget.h"

namespace tessaly {

class Accumulator {
public:
    // Sizes the targets for a frame of width x height; false when the
    // implementation refuses them (or a side is over LimitSide's limit).
    bool Prepare(int width, int height);
    // Caps the sides of the targets below what the implementation allows
    // (0: no cap), so that tests can make the refusal happen at a small size.
    static void LimitSide(int side);
    // Like glClear(GL_ACCUM_BUFFER_BIT): the sum starts at zero.
    void Clear();
    // Binds the target the next pass is drawn into.
    void BeginPass();
    // Like glAccum(GL_ACCUM, weight): adds the pass just drawn.
    void Accumulate(float weight);
    // Like glAccum(GL_RETURN, 1): writes the sum into `framebuffer` and binds it.
    void Return(GLuint framebuffer);

private:
    void DrawTexturedQuad(GLuint texture);

    RenderTarget pass_;
    RenderTarget sum_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tessaly
