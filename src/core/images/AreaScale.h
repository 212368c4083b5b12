// AreaScale: resizes tightly packed 8-bit pictures by area averaging: each
// target pixel is the mean of the source area it covers, source pixels cut by
// the area's edges counting by the part inside. This is the box filter the
// GL utility library's scaler applies, written to run in a small fraction of
// its time on 10-megapixel photographs.
#pragma once

#include <cstdint>

namespace tessaly {

// Scales `source` (sourceWidth x sourceHeight pixels of `components` bytes, 1 to 4,
// rows tightly packed) into `target` (targetWidth x targetHeight, same
// layout). All sides must be at least 1; `target` must hold the whole result.
void ScaleByArea(const std::uint8_t* source, int sourceWidth, int sourceHeight, int components,
                 std::uint8_t* target, int targetWidth, int targetHeight);

}  // namespace tessaly
