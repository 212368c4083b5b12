// PictureReader: the one gate every picture from a user or a project passes
// through before it is decoded. The extension must name an accepted format
// (PictureFormats), the content must carry that format's signature, the size
// the file declares is checked against the limits and a pixel budget before
// anything is allocated, and the decoder is the one the extension names,
// never one guessed from the content. The general picture library is run
// with its coder forced and every file access and program start refused.
#pragma once

#include <cstdint>
#include <span>
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

// Pictures whose decoder must hold them whole at their full size (every
// format but JPEG and non-interlaced PNG) may have at most this many pixels.
inline constexpr std::int64_t kMaxFullDecodePixels = 64LL * 1024 * 1024;

// Reads the first picture of a file, top-down RGBA (alpha as stored, 255 for
// opaque formats). Throws PictureError naming the file when it cannot be read
// or decoded, when its content is not the format its extension names, or
// when it is over the limits. With `textureSide` above 0 the picture is only
// needed for a texture of at most that side: JPEG and PNG pictures are then
// decoded straight to a smaller size (by a power of two, never below the
// texture's size).
RgbaImage ReadPicture(const std::string& path, int textureSide = 0);

// The same for bytes in memory; `name` gives the extension and is the name
// used in messages.
RgbaImage DecodePicture(std::span<const std::uint8_t> bytes, const std::string& name,
                        int textureSide = 0);

// Texture pixels of a picture: bottom row first, RGBA, alpha always 255.
TexturePixels PictureToTexturePixels(const RgbaImage& picture);

// One row of the picture dialog's filter: the extensions (lower case, no
// dot) and the description shown for them.
struct PictureFormat {
    std::vector<std::string> extensions;
    std::vector<std::string> descriptions;  // one or more, as the dialog shows them
};

// The picture dialog's formats, in the order the dialog lists them: exactly
// the formats the gate accepts.
const std::vector<PictureFormat>& PictureExtensions();

// "*.bmp *.rle ... *.png": every accepted extension as a file-name pattern.
std::string PictureFilePatterns();

// True when `path` ends in one of PictureExtensions(), ignoring case.
bool IsPictureExtension(const std::string& path);

}  // namespace tessaly
