// PngCodec: reads PNG data into an RgbaImage, reduced while decoding when
// asked, and writes an RgbaImage as a PNG file (8-bit RGB, alpha dropped,
// every row stored with the None filter). Library errors come back as
// PngError; the library never ends the process.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <stdexcept>

#include "core/images/RgbaImage.h"

namespace tessaly {

class PngError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Decodes to top-down RGBA (alpha as stored, 255 where the picture has
// none), each side divided by `reduce` (a power of two; 1 for the full size)
// by averaging blocks of pixels while the rows arrive, so a large picture
// never needs its full size in memory. Pictures over kMaxPictureSide a side
// or kMaxPicturePixels in all are refused before anything is allocated, and
// so are interlaced pictures over `fullDecodeBudget` pixels, which must be
// held whole before they can be reduced.
RgbaImage DecodePng(std::span<const std::uint8_t> data, int reduce, std::int64_t fullDecodeBudget);

// The zlib level of written pictures. With every row stored unfiltered, the
// default level 6 spends about three times as long as level 2 for files
// about a third smaller (a 1920x1080 cover: 0.33 against 0.50 MB); a saved
// picture is written far more often than it is sent, so level 2.
inline constexpr int kPngCompressionLevel = 2;

// Throws PngError for an empty or inconsistent picture or an encoder or
// stream error.
void WritePng(const RgbaImage& image, std::ostream& out);

}  // namespace tessaly
