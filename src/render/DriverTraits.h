// What the OpenGL driver in use can do well: named software rasterisers and
// the texture filtering worth asking of the current context.
#pragma once

#include <string>

namespace tessaly {

// Whether `renderer` (the GL_RENDERER string) names a generic software
// rasteriser (llvmpipe, softpipe, swrast); letter case matters, as the
// drivers write their names.
bool IsSoftwareRenderer(const std::string& renderer);

// Whether the current context has anisotropic texture filtering and it is
// cheap enough to use. On the software rasterisers it is not: measured on
// llvmpipe, even a 2x anisotropy made a 1920x1080 picture of the standard
// box take about 30 times as long.
bool AnisotropicFilteringWorthIt();

}  // namespace tessaly
