// BmpReader: reads a Windows bitmap file into texture pixels (bottom row
// first, RGB). Handles 24- and 32-bit uncompressed bitmaps, padded rows and
// top-down bitmaps; everything else is refused with a message for the user.
#pragma once

#include <string>

#include "core/images/TexturePixels.h"

namespace tessaly {

// Messages have the caption "BMP Unit": "Error opening " + path, "Error
// reading bitmap header", "Error reading palette", "Error reading bitmap
// data", and "Couldn't load \"path\". ..." for unsupported or oversized files.
TextureReadResult ReadBmpPixels(const std::string& path);

}  // namespace tessaly
