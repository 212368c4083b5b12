// PictureLimits: the size check every decoder runs on the width and height a
// file claims, before anything is allocated for its pixels.
#pragma once

#include <cstdint>
#include <string>

#include "core/images/TexturePixels.h"

namespace tessaly {

// True when a picture of this size may be decoded: both sides positive, at
// most kMaxPictureSide, and at most kMaxPicturePixels in all.
inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// "The picture is too large (W x H pixels)." or, for an empty size,
// "The picture has no pixels (W x H)." : the reason part of a refusal.
inline std::string PictureSizeProblem(std::int64_t width, std::int64_t height) {
    std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width <= 0 || height <= 0) return "The picture has no pixels (" + size + ").";
    return "The picture is too large (" + size + " pixels; at most " +
           std::to_string(kMaxPictureSide) + " a side).";
}

// "The picture is too large to decode (W x H pixels; at most N pixels for
// this format)." : the reason a picture over a decoder's budget is refused.
inline std::string PictureBudgetProblem(std::int64_t width, std::int64_t height,
                                        std::int64_t budget) {
    return "The picture is too large to decode (" + std::to_string(width) + " x " +
           std::to_string(height) + " pixels; at most " + std::to_string(budget) +
           " pixels for this format).";
}

}  // namespace tessaly
