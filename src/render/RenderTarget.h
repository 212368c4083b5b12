// RenderTarget: a framebuffer object with a colour attachment and a combined
// 24-bit depth / 8-bit stencil attachment. Frames, antialiasing passes and
// captures are all drawn into one of these, so every host draws the same
// pixels.
#pragma once

#include "render/GL.h"

namespace tessaly {

class RenderTarget {
public:
    RenderTarget() = default;
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // (Re)creates the attachments when the size or the colour format differ.
    // `colorFormat` is an internal format such as GL_RGBA8 or GL_RGBA32F;
    // `withDepthStencil` false gives a colour-only target. Returns false when
    // the implementation refuses the framebuffer (e.g. a size beyond its limit).
    bool Ensure(int width, int height, GLenum colorFormat = GL_RGBA8, bool withDepthStencil = true);
    void Release();

    GLuint Framebuffer() const { return fbo_; }
    GLuint ColorTexture() const { return color_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Bind() const { glBindFramebuffer(GL_FRAMEBUFFER, fbo_); }

private:
    GLuint fbo_ = 0;
    GLuint color_ = 0;
    GLuint depthStencil_ = 0;
    int width_ = 0;
    int height_ = 0;
    GLenum format_ = 0;
    bool depth_ = false;
};

// Largest side a render target may have in the current context.
int MaxRenderTargetSide();

}  // namespace tessaly
