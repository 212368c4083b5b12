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

// Throws PngError for an empty or inconsistent picture or an encoder or
// stream error.
void WritePng(const RgbaImage& image, std::ostream& out);

}  // namespace tessaly
