// BmpWriter: writes an RgbaImage as a Windows bitmap file, bottom row first,
// at 16 bits (5-6-5 bit fields), 24 bits or 32 bits a pixel.
#pragma once

#include <ostream>
#include <stdexcept>

#include "core/images/RgbaImage.h"

namespace tessaly {

class BmpWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// `bitsPerPixel` 16 gives bit fields (compression 3, masks red 0xF800, green
// 0x07E0, blue 0x001F after a 40-byte information header), 24 uncompressed
// rows padded to four bytes, any other value 32 bits uncompressed (fourth
// byte 255). A picture of height or width 0 gives a valid empty bitmap.
// Throws BmpWriteError when the picture data do not match its size or the
// file would pass 4 GiB.
void WriteBmp(const RgbaImage& image, int bitsPerPixel, std::ostream& out);

}  // namespace tessaly
