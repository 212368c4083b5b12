#include "render/Capture.h"

#include <cstring>
#include <string>
#include <vector>

namespace tessaly {

RgbaImage ReadFramePixels(int width, int height) {
    RgbaImage picture(width, height);
    if (picture.Empty()) return picture;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
    // GL rows run bottom to top, the picture's top to bottom.
    for (int r = 0; r < height; ++r) {
        const std::uint8_t* src = rgb.data() + static_cast<std::size_t>(r) * width * 3;
        std::uint8_t* dst = picture.Pixel(0, height - 1 - r);
        for (int i = 0; i < width; ++i) {
            dst[4 * i + 0] = src[3 * i + 0];
            dst[4 * i + 1] = src[3 * i + 1];
            dst[4 * i + 2] = src[3 * i + 2];
            dst[4 * i + 3] = 255;
        }
    }
    return picture;
}

std::string AccumulationProblem(int width, int height) {
    return "The antialiasing buffer for a picture of " + std::to_string(width) + " x " +
           std::to_string(height) +
           " pixels could not be made by this OpenGL driver; the picture was not saved. "
           "Choose a smaller size.";
}

RgbaImage CaptureFrame(FrameDriver& frames, TGLContext& context, int width, int height) {
    if (width <= 0 || height <= 0) return RgbaImage(width > 0 ? width : 0, height > 0 ? height : 0);

    GLint previousFbo = 0;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo);
    glGetIntegerv(GL_VIEWPORT, viewport);

    RenderTarget target;
    if (!target.Ensure(width, height))
        throw CaptureError("A picture of " + std::to_string(width) + " x " +
                           std::to_string(height) +
                           " pixels is larger than this OpenGL driver can draw (at most " +
                           std::to_string(MaxRenderTargetSide()) + " a side).");

    SceneSettings& settings = frames.AAPassesOwner();
    const int previousPasses = settings.AAPasses;
    auto restore = [&] {
        settings.AAPasses = previousPasses;
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
        context.Reshape(viewport[2], viewport[3]);
    };

    RgbaImage picture;
    try {
        target.Bind();
        context.Reshape(width, height);
        settings.AAPasses = 8;
        frames.RenderFrame(false);
        // A picture drawn in one pass where eight were asked for is not
        // handed on as if it were the real one.
        if (!frames.LastFrameAccumulated()) throw CaptureError(AccumulationProblem(width, height));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.Framebuffer());
        picture = ReadFramePixels(width, height);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return picture;
}

}  // namespace tessaly
