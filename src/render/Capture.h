// Capture: the finished picture is not copied from the screen but drawn once
// more, at the requested size and with all 8 antialiasing passes, into a
// framebuffer of its own, then read back into an RgbaImage.
#pragma once

#include <stdexcept>

#include "core/images/RgbaImage.h"
#include "render/Frame.h"
#include "render/RenderTarget.h"

namespace tessaly {

class CaptureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads width x height pixels of the bound read framebuffer, bottom row of the
// frame becoming the bottom row of the picture; alpha is set to 255.
RgbaImage ReadFramePixels(int width, int height);

// Draws the scene at width x height with 8 passes, not presented, and reads it
// back. The frame driver's pass count, the previous framebuffer, viewport and
// projection are restored afterwards, also when the capture fails. A side of
// 0 gives an empty picture. Throws CaptureError when the size exceeds what the
// GL implementation renders.
RgbaImage CaptureFrame(FrameDriver& frames, TGLContext& context, int width, int height);

}  // namespace tessaly
