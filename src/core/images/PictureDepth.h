// PictureDepth: saving a captured picture at the colour depth chosen in the
// options, as a Windows bitmap, JPEG or PNG file.
#pragma once

#include <ostream>
#include <string>

#include "core/images/RgbaImage.h"

namespace tessaly {

// At 16 bits every colour is cut to 5-6-5 precision and widened back by
// repeating its top bits, so JPEG and PNG files of a 16-bit capture show the
// colours of the 16-bit bitmap. Other depths leave the picture unchanged.
void ReduceToDepth(RgbaImage& image, int bitsPerPixel);

// The file types of the save dialog, numbered as its filter.
enum class PictureFileType { Bmp = 1, Jpeg = 2, Png = 3 };

inline constexpr int kCaptureJpegQuality = 80;

// Writes the picture in the given type: a bitmap at `bitsPerPixel` (16, 24,
// anything else 32), or a JPEG (quality 80) or PNG of the picture reduced to
// that depth. Throws the writer's error.
void WritePicture(const RgbaImage& image, PictureFileType type, int bitsPerPixel,
                  std::ostream& out);

// WritePicture into `path`, atomically: on failure the file is left as it was.
void SavePicture(const RgbaImage& image, PictureFileType type, int bitsPerPixel,
                 const std::string& path);

// ".bmp", ".jpg" or ".jpeg", ".png" (any case). Throws std::invalid_argument
// naming the file for any other ending.
PictureFileType PictureTypeFromExtension(const std::string& path);

}  // namespace tessaly
