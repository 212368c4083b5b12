// PictureReader: the general picture decoder behind the image slots. Reads
// every format the picture dialog offers (through GraphicsMagick) into an
// RgbaImage, refusing oversized pictures before they are decoded, and turns a
// picture into texture pixels.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/images/RgbaImage.h"
#include "core/images/TexturePixels.h"

namespace tessaly {

class PictureError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads the first picture of a file, top-down RGBA (alpha as stored, 255 for
// opaque formats). Throws PictureError naming the file when it cannot be read
// or decoded, or when the picture is over kMaxPictureSide pixels a side or
// kMaxPicturePixels in all.
RgbaImage ReadPicture(const std::string& path);

// Texture pixels of a picture: bottom row first, RGBA, alpha always 255.
TexturePixels PictureToTexturePixels(const RgbaImage& picture);

// One row of the picture dialog's filter: the extensions (lower case, no
// dot) and the description shown for them.
struct PictureFormat {
    std::vector<std::string> extensions;
    std::vector<std::string> descriptions;  // one or more, as the dialog shows them
};

// The picture dialog's formats, in the order the dialog lists them.
const std::vector<PictureFormat>& PictureExtensions();

// True when `path` ends in one of PictureExtensions(), ignoring case.
bool IsPictureExtension(const std::string& path);

}  // namespace tessaly
