// Accumulator: the accumulation buffer, done with framebuffer objects.
// Neither EGL nor a widget's framebuffer offers a real one. Each jittered pass
// is drawn into a colour texture of its own (all passes share one depth and
// stencil buffer), and the return step averages them with their weights in
// one draw of a small fragment program, in floating point, straight into the
// frame's framebuffer. Where no fragment program can be had, each pass is
// added with its weight into a float target by constant-colour blending
// instead, and the sum copied out at the end. Either runs the same way in
// every host, so the window and the command line give the same pixels.
#pragma once

#include <array>

#include "render/RenderTarget.h"

namespace tessaly {

class Accumulator {
  public:
    static constexpr int kMaxPasses = 8;

    Accumulator() = default;
    ~Accumulator();
    Accumulator(const Accumulator&) = delete;
    Accumulator& operator=(const Accumulator&) = delete;

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
    // Whether Return averages in linear light: the passes taken as
    // sRGB-encoded, made linear, averaged and encoded again (the studio
    // look). Off (the default), they are averaged as they are stored. Only
    // the averaging program does it; the blending road ignores it.
    void SetLinearLight(bool on) { linearLight_ = on; }

  private:
    bool PreparePassTextures(int width, int height);
    void ReleasePassTextures();
    void DrawTexturedQuad(GLuint texture);

    // The averaging program; 0 when it could not be built (then the blending
    // road is taken). Built on first use, in the context current then.
    GLuint program_ = 0;
    bool programTried_ = false;

    // The program's road: one colour texture per pass, one depth/stencil.
    GLuint fbo_ = 0;
    std::array<GLuint, kMaxPasses> passTextures_{};
    GLuint depthStencil_ = 0;
    std::array<float, kMaxPasses> weights_{};
    int passCount_ = 0;

    // The blending road.
    RenderTarget pass_;
    RenderTarget sum_;

    int width_ = 0;
    int height_ = 0;
    bool linearLight_ = false;
};

}  // namespace tessaly
