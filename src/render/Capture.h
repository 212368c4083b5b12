// Capture: the finished picture is not copied from the screen but drawn once
// more, at the requested size and with all 8 antialiasing passes, into a
// framebuffer of its own, then read back into an RgbaImage.
#pragma once

#include <stdexcept>
#include <string>

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
// GL implementation renders, or when the antialiasing buffer cannot be made at
// that size (the picture is never silently drawn in one pass instead).
// "The antialiasing buffer for a picture of W x H pixels could not be made
// ...": why a picture with several passes cannot be drawn at that size.
std::string AccumulationProblem(int width, int height);

RgbaImage CaptureFrame(FrameDriver& frames, TGLContext& context, int width, int height);

}  // namespace tessaly
