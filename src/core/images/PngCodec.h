// PngCodec: writes an RgbaImage as a PNG file (8-bit RGB, alpha dropped,
// every row stored with the None filter). Library errors come back as
// PngError; the library never ends the process.
#pragma once

#include <ostream>
#include <stdexcept>

#include "core/images/RgbaImage.h"

namespace tessaly {

class PngError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The zlib level of written pictures. With every row stored unfiltered, the
// default level 6 spends about three times as long as level 2 for files
// about a third smaller (a 1920x1080 cover: 0.33 against 0.50 MB); a saved
// picture is written far more often than it is sent, so level 2.
inline constexpr int kPngCompressionLevel = 2;

// Throws PngError for an empty or inconsistent picture or an encoder or
// stream error.
void WritePng(const RgbaImage& image, std::ostream& out);

}  // namespace tessaly
