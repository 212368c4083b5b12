#include "render/RenderTarget.h"

#include <algorithm>

namespace tessaly {

RenderTarget::~RenderTarget() { Release(); }

void RenderTarget::Release() {
    // Only valid while the context that made the objects is current; the
    // program keeps one context for its whole run.
    if (fbo_) glDeleteFramebuffers(1, &fbo_);
    if (color_) glDeleteTextures(1, &color_);
    if (depthStencil_) glDeleteRenderbuffers(1, &depthStencil_);
    fbo_ = color_ = depthStencil_ = 0;
    width_ = height_ = 0;
}

bool RenderTarget::Ensure(int width, int height, GLenum colorFormat, bool withDepthStencil) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (fbo_ && width == width_ && height == height_ && colorFormat == format_ &&
        withDepthStencil == depth_)
        return true;
    Release();
    if (width > MaxRenderTargetSide() || height > MaxRenderTargetSide()) return false;

    GLint previousTexture = 0;
    GLint previousFbo = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo);

    glGenTextures(1, &color_);
    glBindTexture(GL_TEXTURE_2D, color_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    const GLenum type = colorFormat == GL_RGBA8 ? GL_UNSIGNED_BYTE : GL_FLOAT;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(colorFormat), width, height, 0, GL_RGBA, type,
                 nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));

    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color_, 0);
    if (withDepthStencil) {
        glGenRenderbuffers(1, &depthStencil_);
        glBindRenderbuffer(GL_RENDERBUFFER, depthStencil_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  depthStencil_);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
    }
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
    if (!complete) {
        Release();
        return false;
    }
    width_ = width;
    height_ = height;
    format_ = colorFormat;
    depth_ = withDepthStencil;
    return true;
}

int MaxRenderTargetSide() {
    GLint texture = 0, renderbuffer = 0, viewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    return std::min({texture, renderbuffer, viewport[0], viewport[1]});
}

}  // namespace tessaly
